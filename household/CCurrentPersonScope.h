#pragma once
// Makes a person the household simulator's current person for the life of the
// scope, and puts back the person that was current before. Every entry point
// that draws a location for a person opens one, so the location variables that
// read the current person never see a stale or null person.

class CHouseholdCoordinator;
class CPersonObject;

class CCurrentPersonScope {
public:
    // A null simulator makes the scope do nothing.
    CCurrentPersonScope(CHouseholdCoordinator* simulator, CPersonObject* person);
    ~CCurrentPersonScope();

    CCurrentPersonScope(const CCurrentPersonScope&) = delete;
    CCurrentPersonScope& operator=(const CCurrentPersonScope&) = delete;

private:
    CHouseholdCoordinator* m_pSimulator = nullptr;
    CPersonObject* m_pPrevious = nullptr;
};
