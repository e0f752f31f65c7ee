#pragma once
// The day of a person who works or goes to school: the work (or school) start
// and duration, the two commutes and up to three tours in each of the periods
// before work, based at work and after work, each tour in a fixed slot.

#include <memory>
#include <vector>

#include "schedules/CPattern.h"

class CInputDataManager;

class CWPattern : public CPattern {
public:
    // Tour slots; a slot's index is the position of the tour held in it.
    static constexpr int kWorkToHomeSlot = 0;
    static constexpr int kHomeToWorkSlot = 1;
    static constexpr int kFirstBeforeWorkSlot = 2;
    static constexpr int kFirstWorkBasedSlot = 5;
    static constexpr int kFirstAfterWorkSlot = 8;
    static constexpr int kToursPerPeriod = 3;
    static constexpr int kSlotCount = 11;

    // How the worker pattern with joint activities runs the three tour blocks
    // differently from the plain worker pattern (all off: the plain one).
    struct BlockOptions {
        // The after-work block runs at all.
        bool runAfterWork = true;
        // Transit is closed when it reaches too few destinations from the
        // tour's origin (home; the activity zone for work-based tours).
        bool checkTransit = false;
        // A tour drawn as transit gets one stop; so does a before-work tour
        // with 50 minutes or less left before leaving for work.
        bool oneStopRules = false;
        // An after-work tour's closing leg leaves at minute 1439 at the
        // latest and a child's ends with activity 14.
        bool capAfterWorkClosing = false;
        // The work-to-home commute's window starts at the last arrival back
        // at work (the work start without work-based tours).
        bool setWorkToHomeWindowStart = false;
    };

    // Eleven empty tour slots, all counts 0.
    CWPattern(CInputDataManager* manager, CPersonObject* person);
    ~CWPattern() override;

    // Draws the worker's own tours (after-work, work-based, before-work) by
    // SimulateBlocks without options, once the work times and both commutes
    // are set. A person without activity flags gets none.
    void Simulate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                  CHouseholdCoordinator* simulator) override;
    // Before-work + work-based + after-work tours + the two commutes.
    int GetTourCount() const override;
    int GetBeforeWorkTourCount() const override { return m_nBeforeWorkTourCount; }
    int GetWorkBasedTourCount() const override { return m_nWorkBasedTourCount; }
    int GetAfterWorkTourCount() const override { return m_nAfterWorkTourCount; }
    void OnPatternDone() override;
    void WriteOutput(int householdId, int personNumber, COutputFileSet& streams) override;
    // The joint discretionary tour with the children of the household's
    // episode (CJointDiscretionaryTour) in the next free after-work slot;
    // none when all three are taken or no place can be drawn.
    void AddJointTour(CHouseholdObject* household, CModelSystem* models,
                      CHouseholdCoordinator* simulator) override;
    // Does nothing: a worker's joint activities are placed by SimulateInHousehold.
    void AddJointActivityTours(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                               CHouseholdCoordinator* simulator) override;
    void SortToursByDeparture() override;

    // The worker's tours within the household: an after-work tour for each
    // joint activity the worker goes to from home, then the worker's own
    // tours by SimulateBlocks (no after-work block after joint tours; transit
    // checked, one-stop rules, capped after-work closing legs, the
    // work-to-home commute's window start).
    void SimulateInHousehold(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                             CHouseholdCoordinator* simulator);
    // The joint part of SimulateInHousehold: one after-work tour per joint
    // activity the person takes part in without travelling apart (at most
    // three), each with the activity's stop and the way home, chained from
    // the arrival home after work. Returns the number of tours made.
    int AddJointActivityAfterWorkTours(CPersonObject& person, CModelSystem& models, CHouseholdObject& household,
                                       CHouseholdCoordinator& simulator);

    // The three tour blocks, in the order after-work, work-based, before-work:
    // for each period the tour count, then per tour its mode, stop count, stay
    // before it, stops and closing leg; also the stays before both commutes.
    // A tour whose window is used up (0 or less) when it starts is not made,
    // nor is a tour before work or from work that would come back after the
    // commute ending its period leaves (nor any later tour of the period):
    // its slot is emptied and the period's count is the tours made.
    void SimulateBlocks(CPersonObject& person, CModelSystem& models, CHouseholdObject& household,
                        CHouseholdCoordinator* simulator, const BlockOptions& options);

    // The work-to-home commute in slot 0 and the home-to-work commute in slot 1.
    void CreateCommuteTours();
    // One new tour per counted tour of the period, in the period's slots (a
    // count above three fills the three slots only).
    void CreateBeforeWorkTours();
    void CreateWorkBasedTours();
    void CreateAfterWorkTours();
    // Places a tour built elsewhere (a child's joint tour) in the next free
    // after-work slot, or in the first one when all three are taken; a tour
    // standing in that slot is destroyed. A null tour changes nothing.
    void AddAfterWorkTour(std::unique_ptr<CTour> tour);

    // Commutes: tour 0 is the work-to-home commute, tour 1 the home-to-work one.
    int GetWorkToHomeTourMode() const;
    void SetWorkToHomeTourMode(int mode);
    int GetWorkToHomeStopCount() const;
    void SetWorkToHomeStopCount(int count);
    double GetWorkToHomeDuration();
    void SetWorkToHomeDuration(double minutes);
    int GetHomeToWorkTourMode() const;
    void SetHomeToWorkTourMode(int mode);
    int GetHomeToWorkStopCount() const;
    void SetHomeToWorkStopCount(int count);
    double GetHomeToWorkDuration();
    void SetHomeToWorkDuration(double minutes);
    // Work start + work duration + the work-to-home commute's duration.
    double GetArrivalHomeAfterWork();
    // Work start - the home-to-work commute's duration.
    double GetLeaveHomeForWork();
    void CreateWorkToHomeStops();
    void CreateHomeToWorkStops();
    // Departure of stop k of the work-to-home commute: the work end for the
    // first stop, else the previous stop's departure + activity + travel time.
    void SetWorkToHomeStopDeparture(int k);

    double GetWorkDuration() const { return m_dWorkDuration; }
    void SetWorkDuration(double minutes) { m_dWorkDuration = minutes; }
    double GetWorkStart() const { return m_dWorkStart; }
    void SetWorkStart(double minute) { m_dWorkStart = minute; }
    void SetBeforeWorkTourCount(int count) { m_nBeforeWorkTourCount = count; }
    void SetWorkBasedTourCount(int count) { m_nWorkBasedTourCount = count; }
    void SetAfterWorkTourCount(int count) { m_nAfterWorkTourCount = count; }
    CInputDataManager* GetDataManager() const { return m_pDataManager; }

private:
    enum class Period { BeforeWork, WorkBased, AfterWork };
    struct PeriodResult {
        // The period's time left after its last tour.
        double remaining;
        // Arrival at the end of the last tour made; -1.0 without tours.
        double lastArrival;
    };
    // One block: the period's tour count and every tour of it, starting with
    // `available` minutes; after each tour `periodEnd` - its arrival is left.
    PeriodResult SimulatePeriod(Period period, double available, double periodEnd, CPersonObject& person,
                                CModelSystem& models, CHouseholdObject& household,
                                CHouseholdCoordinator* simulator, const BlockOptions& options);
    // Departure of a commute's first stop, or where it would leave without
    // stops (the work end, or the work start less the commute's duration).
    double CommuteFirstDeparture(int slot);

    // Fills slots firstSlot .. firstSlot + count - 1 (at most the period's
    // three) with new tours positioned at their slots.
    void CreatePeriodTours(int firstSlot, int count);

    // Minutes at work or school.
    double m_dWorkDuration = -1.0;
    // Minute of arrival at work or school.
    double m_dWorkStart = -1.0;
    int m_nBeforeWorkTourCount = 0;
    int m_nWorkBasedTourCount = 0;
    int m_nAfterWorkTourCount = 0;
    CInputDataManager* m_pDataManager = nullptr;  // not owned
    // Modes closed for the tour being drawn (reused from tour to tour).
    std::vector<int> m_closedModes;
};
