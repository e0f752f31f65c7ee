#pragma once
// Makes a person the household simulator's current person for the time of
// one step that draws a location (the location variables read the current
// person); the person current before it is current again afterwards.

class CHouseholdCoordinator;
class CPersonObject;

class CCurrentPersonScope {
public:
    CCurrentPersonScope(CHouseholdCoordinator& simulator, CPersonObject* person);
    ~CCurrentPersonScope();

    CCurrentPersonScope(const CCurrentPersonScope&) = delete;
    CCurrentPersonScope& operator=(const CCurrentPersonScope&) = delete;

private:
    CHouseholdCoordinator& m_simulator;
    CPersonObject* m_pPrevious;
};
