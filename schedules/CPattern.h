#pragma once
// One person's simulated day: the tours the person makes, in order. A worker or
// student gets a CWPattern with fixed tour slots, anyone else a CNWPattern with
// numbered tours. The pattern is owned by its person and owns its tours; the
// variable evaluator walks back from a stop through its tour to the pattern and
// from here to the person.

#include <memory>
#include <vector>

class CTour;
class CPersonObject;
class CHouseholdObject;
class CModelSystem;
class CHouseholdCoordinator;
class COutputFileSet;

class CPattern {
public:
    explicit CPattern(CPersonObject* person);
    // Virtual: the person deletes its pattern through this base class.
    virtual ~CPattern();

    CPattern(const CPattern&) = delete;
    CPattern& operator=(const CPattern&) = delete;

    // Virtual operations, in their fixed order.
    // 0: fills the pattern with the person's own tours.
    virtual void Simulate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                          CHouseholdCoordinator* simulator) = 0;
    // 1: number of tours the pattern holds.
    virtual int GetTourCount() const = 0;
    // 2 to 4: tours of each period of a working day (0 for a non-worker).
    virtual int GetBeforeWorkTourCount() const = 0;
    virtual int GetWorkBasedTourCount() const = 0;
    virtual int GetAfterWorkTourCount() const = 0;
    // 5: called when the pattern is complete.
    virtual void OnPatternDone() = 0;
    // 6: writes the person's schedule lines after the person's own line.
    virtual void WriteOutput(int householdId, int personNumber, COutputFileSet& streams) = 0;
    // 7: a joint discretionary tour with the household's children.
    virtual void AddJointTour(CHouseholdObject* household, CModelSystem* models,
                              CHouseholdCoordinator* simulator) = 0;
    // 8: one tour per joint activity of the person.
    virtual void AddJointActivityTours(CPersonObject* person, CHouseholdObject* household,
                                       CModelSystem* models, CHouseholdCoordinator* simulator) = 0;
    // 9: puts the tours in order of their first departure.
    virtual void SortToursByDeparture() = 0;

    // Tour k, 1-based (element k - 1 of the tour vector); null outside the vector.
    CTour* GetTourByNumber(int k) const;
    // Element i, 0-based, of the tour vector (null for an empty slot of a worker
    // pattern); null outside the vector.
    CTour* GetTourAt(int i) const;
    // The tour vector itself (its size is the number of slots or tours held).
    const std::vector<std::unique_ptr<CTour>>& GetTours() const { return m_tours; }

    CPersonObject* GetPerson() const { return m_pPerson; }

    // Whether any of the person's ten activity flags (2 to 11) is set; a
    // person without them makes no tours of their own and no commute stops.
    static bool HasOwnActivities(const CPersonObject& person);

    int GetDrawnTourCount() const { return m_nDrawnTourCount; }
    void SetDrawnTourCount(int count) { m_nDrawnTourCount = count; }

    bool GetAfterWorkToursPresent() const { return m_bAfterWorkToursPresent; }
    void SetAfterWorkToursPresent(bool present) { m_bAfterWorkToursPresent = present; }

    bool GetChildIndependentActivity() const { return m_bChildIndependentActivity; }
    void SetChildIndependentActivity(bool undertakes) { m_bChildIndependentActivity = undertakes; }

protected:
    // The tours, owned; a worker pattern keeps empty (null) slots.
    std::vector<std::unique_ptr<CTour>> m_tours;
    // Number of own tours the non-worker simulation decided to add.
    int m_nDrawnTourCount = 0;
    // The owning person (not owned).
    CPersonObject* m_pPerson = nullptr;
    // Set when the worker simulation finds after-work tours already placed.
    bool m_bAfterWorkToursPresent = false;
    // Set when a child decides to undertake an independent discretionary activity.
    bool m_bChildIndependentActivity = false;
};
