#pragma once
// Base class of the household simulators. One simulator is made per simulated
// household, of the class its household type selects; it takes the
// household-level decisions of that household and is the thread's current
// simulator while the household is simulated and written. The virtual slots
// are the steps that differ between households with and without children; the
// variable evaluator, the person writer and the pattern code call some of them
// back through the model system.

#include <vector>

class CModelSystem;
class CInputDataManager;
class CHouseholdObject;
class CPersonObject;
class CTour;
class CEpisodeRecord;
class COutputFileSet;
class CStop;
class CWPattern;
class CVariableSet;
class CJointActivityRecord;

class CHouseholdCoordinator {
public:
    explicit CHouseholdCoordinator(CModelSystem* models);
    // Virtual: the model system releases the simulator through this base class.
    virtual ~CHouseholdCoordinator();

    CHouseholdCoordinator() = delete;
    CHouseholdCoordinator(const CHouseholdCoordinator&) = delete;
    CHouseholdCoordinator& operator=(const CHouseholdCoordinator&) = delete;

    // Virtual slots, in their fixed order.
    // 0: the adult serves the household's single school drop-off episode.
    virtual bool IsDropOffAdult(const CPersonObject* person) = 0;
    // 1: the adult serves the household's single school pick-up episode.
    virtual bool IsPickUpAdult(const CPersonObject* person) = 0;
    // 2: the adult serves the single joint discretionary episode with children.
    virtual bool IsJointDiscretionaryAdult(const CPersonObject* person) = 0;
    // 3: the person is a child of the single drop-off episode.
    virtual bool IsInDropOffEpisode(const CPersonObject* person) = 0;
    // 4: the person is a child of the single pick-up episode.
    virtual bool IsInPickUpEpisode(const CPersonObject* person) = 0;
    // 5: minutes between the return from the drop-off tour and leaving for the
    // pick-up or joint discretionary tour; -1.0 when not applicable.
    virtual double GetTimeAfterDropOff(const CPersonObject* person) = 0;
    // 6: minutes of the day left after the pick-up tour; -1.0 when not applicable.
    virtual double GetAvailableTimeAfterPickUp(const CPersonObject* person) = 0;
    // 7: records the tour that carries the joint discretionary episode.
    virtual void SetJointDiscretionaryTour(CTour* tour) = 0;
    // 8: builds the school escort episodes from the children's school commutes.
    virtual void BuildEscortEpisodes() = 0;
    // 9: assigns the escort episodes to an adult.
    virtual void AllocateEscortEpisodes() = 0;
    // 10: decides which children undertake an independent discretionary activity.
    virtual void DecideChildIndependentActivity() = 0;
    // 11: marks children outside joint activities that have activities of their own.
    virtual void FindChildInJointActivity() = 0;
    // 12: the work-to-home commute of a worker.
    virtual void SimulateWHCommute(CPersonObject* person, CHouseholdObject* household) = 0;
    // 13: the home-to-work commute of a worker (after slot 12, whose mode it takes).
    virtual void SimulateHWCommute(CPersonObject* person, CHouseholdObject* household) = 0;
    // 14: the school escort tours of a non-working adult.
    virtual void SimulateNonWorkerEscortTours(CPersonObject* person, CHouseholdObject* household,
                                              CModelSystem* models) = 0;
    // 15: a child's ride to and from school.
    virtual void SimulateChildSchoolCommute(CPersonObject* child, CHouseholdObject* household,
                                            CModelSystem* models) = 0;
    // 16: the joint discretionary tour of the adult of the joint discretionary episode.
    virtual void SimulateJointDiscretionaryTour(CPersonObject* person, CHouseholdObject* household,
                                                CModelSystem* models, CHouseholdCoordinator* simulator) = 0;
    // 17: the day of a non-working person.
    virtual void SimulateNonWorkerDay(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                                      CHouseholdCoordinator* simulator) = 0;
    // 18: a child's independent discretionary tour.
    virtual void SimulateChildDiscretionaryTour(CPersonObject* child, CHouseholdObject* household,
                                                CModelSystem* models, CHouseholdCoordinator* simulator) = 0;
    // 19: fits a child's tours around the joint discretionary tour.
    virtual void AddChildToJointDiscretionaryTour(CPersonObject* child, CHouseholdObject* household,
                                                  CModelSystem* models, CHouseholdCoordinator* simulator) = 0;

    CModelSystem* GetModelSystem() const { return m_pModelSystem; }

    CInputDataManager* GetDataManager() const { return m_pDataManager; }
    void SetDataManager(CInputDataManager* manager) { m_pDataManager = manager; }

    CHouseholdObject* GetHousehold() const { return m_pHouseholdObject; }
    void SetHousehold(CHouseholdObject* household) { m_pHouseholdObject = household; }

    CPersonObject* GetCurrentPerson() const { return m_pCurrentPerson; }
    void SetCurrentPerson(CPersonObject* person) { m_pCurrentPerson = person; }

    // Travel time in whole minutes from origin to the first destination of the
    // list at a time of day, by mode: 2 (walk/bike) from the zone-to-zone
    // distance, 0, 1 and 7 from the auto travel time, 3 from the transit
    // travel time, any other mode 0; never below 2 minutes. An empty list, or
    // a simulator without a data manager, gives the 2-minute floor.
    double GetTravelTime(int origin, const std::vector<int>& destinations, int mode, double time) const;

    // The location-choice variables of candidate destination zones from an
    // origin, one row per variable ID and one value per candidate, for the
    // current person (and the stop being located, when there is one).
    void ComputeLocationVariables(int origin, const std::vector<int>& candidates, const std::vector<int>& ids,
                                  std::vector<std::vector<double>>& matrix, CStop* stop);
    // The zone attributes of candidate zones as a variable matrix.
    void ComputeZoneAttributeMatrix(int homeZone, const std::vector<int>& candidates, const std::vector<int>& ids,
                                    std::vector<std::vector<double>>& matrix);

    // The per-household driver: the household-level decisions, in their fixed
    // order (the steps below, 1 to 13). Every person has a pattern on return.
    void SimulateHousehold(COutputFileSet& streams);

    // Household-level decisions, in the driver's order.
    // 1-2: reseeds for the household and draws its annual mileage (at most 64).
    void SimulateAnnualMileage();
    // 3: the vehicle fleet, with its retries; household column 2 and the
    // adults' column 14 follow it. Skipped while no fleet simulation exists.
    void SimulateVehicleHoldings();
    // 4: the make and primary driver of each vehicle.
    void SimulateVehicleMakesAndDrivers();
    // 5: who goes to work or school; creates every member's pattern.
    void SimulateWorkAndSchoolParticipation();
    // 6: work and school start, duration, children's school modes and the
    // commute level-of-service records.
    void SimulateWorkAndSchoolTimes();
    // 7: builds and allocates the school escort episodes (slots 8 and 9).
    void SimulateEscortEpisodes();
    // 8: true when the household undertakes no non-work activity; the driver
    // then ends.
    bool DrawZeroNonWorkDuration();
    // 9: the household's activity generation; writes its "NOGO.out" line.
    void GenerateActivities(CHouseholdObject* household, COutputFileSet& streams);
    // 10: the adults' serve-passenger activity, for households of 1 to 5 persons.
    void SimulateServePassengerActivities();
    // 11: which working participants reach each joint activity on their own
    // from work (at most once each, never leaving children without an adult
    // or the others without a driver).
    void SimulateJointTravelArrangement(CHouseholdObject* household);
    // 12: the start, place and end of each joint activity; those that do not
    // fit the day or find no place are dropped, the rest numbered 1, 2, ...
    void ScheduleJointActivities(CHouseholdObject* household);
    // 13: the vehicle of each joint tour, among those of the adult
    // participants who leave from home; -1 when none drives one.
    void SimulateJointTourVehicles();

    // What the vehicle steps evaluate.
    // One fleet draw: appends vehicle records to the household (attempt 0 on
    // the first call, 1 to 100 on the retries).
    void SimulateVehicleFleet(CHouseholdObject* household, int attempt);
    // The explanatory values of the make and driver choices and of the joint
    // tour's vehicle: the matrix is cleared, then one row per term.
    void EvaluateVehicleMakeAlternatives(const std::vector<int>& candidates, const CVariableSet& terms,
                                         std::vector<std::vector<double>>& matrix, int type, int group);
    void EvaluatePrimaryDriverAlternatives(const std::vector<int>& candidates, const CVariableSet& terms,
                                           std::vector<std::vector<double>>& matrix, int type, int group, int make);
    void EvaluateJointTourVehicleAlternatives(const std::vector<int>& candidates, const CVariableSet& terms,
                                              std::vector<std::vector<double>>& matrix, CJointActivityRecord record);

    // The person schedule pass: every member's tours and stops, in the
    // schedule order (members with a vehicle first), then the closing stay of
    // every tour and the vehicle-use intervals of the drive tours.
    void GeneratePersonSchedules();
    // Per-person steps of the pass.
    // The tours of the joint activities of a person who does not go to work
    // or school (the pattern's AddJointActivityTours), when there are any.
    void CollectPersonJointActivities(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                                      CHouseholdCoordinator* simulator);
    // The own tours of an adult who does not go to work or school.
    void SimulateNonWorkerTours(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                                CHouseholdCoordinator* simulator);

    // Work commutes, shared by the commute slots 12 and 13 of both simulators
    // (see CWorkCommute).
    // The work-to-home commute: its mode, then the way through a joint
    // activity reached from work, or SimulateWHCommuteStops.
    void SimulateWorkToHomeCommute(CPersonObject* person, CHouseholdObject* household);
    // The work-to-home commute's stops and its leg home.
    void SimulateWHCommuteStops(CPersonObject* person, CHouseholdObject* household);
    // The home-to-work commute.
    void SimulateHomeToWorkCommute(CPersonObject* person, CHouseholdObject* household);

    // Steps of the pass on one member (public so that they can be run alone).
    // The schedule order: members with a vehicle, then those without, each in
    // person order, as 1-based positions in the person list (which the loader
    // has put in person-number order); one empty vehicle-use entry per
    // member with a vehicle.
    static void OrderPersonsForSchedule(CHouseholdObject& household);
    // Gives the last stop of each tour of the person's pattern the time spent
    // at its place until the next tour (or the end of the day).
    static void CloseTours(CPersonObject& person);
    // Records the drive tours of the person's pattern in the vehicle-use list.
    static void RecordVehicleUse(CPersonObject& person, CHouseholdObject& household);

    // The three counts of the model system's name tables, in this order.
    void SetRunSettings(int adultModeCount, int tourModeCount, int activityTypeCount);
    int GetAdultModeCount() const { return m_nAdultModes; }
    int GetTourModeCount() const { return m_nTourModes; }
    int GetActivityTypeCount() const { return m_nActivityTypes; }

    // A copy of the drop-off episode list; empty for a household without children.
    std::vector<CEpisodeRecord> GetCurrentVector() const;
    // The first member, in person order, whose column 9 is 1.0 (a parent); null
    // when there is none or no household is set.
    CPersonObject* FindFirstParent() const;

protected:
    // Step 6 for one member (k its 1-based position): the school day of a
    // student (times, a child's school modes, the commute record) and the
    // work day of a worker.
    void SimulateSchoolDay(int k, CPersonObject& person, CWPattern& pattern);
    void SimulateWorkDay(int k, CPersonObject& person, CWPattern& pattern);

    // The owning model system: reaches the model components, the thread index
    // and the run settings.
    CModelSystem* m_pModelSystem = nullptr;
    // The thread's input-data manager (set by the household loop).
    CInputDataManager* m_pDataManager = nullptr;
    // The household being simulated (set by the household loop; owned by the data manager).
    CHouseholdObject* m_pHouseholdObject = nullptr;
    // The person a per-person step works on.
    CPersonObject* m_pCurrentPerson = nullptr;
    // Number of adult commute modes, tour modes and activity types.
    int m_nAdultModes = 0;
    int m_nTourModes = 0;
    int m_nActivityTypes = 0;
    // The modes closed before a mode draw: a child's school modes, a
    // non-worker's tour modes (reused).
    std::vector<int> m_closedModes;
};
