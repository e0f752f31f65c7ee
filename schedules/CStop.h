#pragma once
// One stop of a tour: the activity made there, how long it lasts, the trip
// that reaches it and the window left when it is made. The tour owns its
// stops; a stop points back to its tour and holds the thread's input-data
// manager, which the stop-level variable evaluation uses.

#include <vector>

class CTour;
class CInputDataManager;
class CPersonObject;
class CHouseholdObject;
class CModelSystem;
class CHouseholdCoordinator;
class COutputFileSet;
class CMNLogitMM;
class CRegressMM;
class CLocationMM;
class CLocationWalkMM;

class CStop {
public:
    CStop(CInputDataManager* manager, CTour* tour);
    // Virtual: tours delete their stops through this base class.
    virtual ~CStop();

    CStop(const CStop&) = delete;
    CStop& operator=(const CStop&) = delete;

    // Virtual operation 0: chooses the stop's activity type, duration, travel
    // time, origin and zone, and charges the tour's window with them.
    virtual void Generate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                          CHouseholdCoordinator* simulator) = 0;

    // The bounds of the stop's activity duration (by its remaining window) and
    // of its travel-time budget (by its time left), in whole minutes; each
    // stop class bounds by its own table.
    virtual double ClampDuration(double minutes) = 0;
    virtual double ClampTravelTime(double minutes) = 0;

    // The search tolerance of the zone choice for a travel-time budget and an
    // activity type: budget - 6 above 24 minutes, else 0.75 x budget; for
    // shopping, other activities and serving others budget - 8 above 20
    // minutes, else 0.6 x budget.
    static double SearchTolerance(double budget, int activityType);
    // The activity types closed to the person: each type whose activity flag
    // is clear (shopping flag 3, social 4, other 5, eat out 6, serving others
    // 7, entertainment 9, active recreation 10, visit 8, work related 2,
    // maintenance 11). The list is replaced.
    static void ListUnavailableActivityTypes(const CPersonObject& person, std::vector<int>& closed);
    // The candidate zones of a transit stop from an origin at a time: every
    // destination with transit available (column 7 above 0.05), ascending by
    // its own in-vehicle plus out-of-vehicle time (columns 8 and 9), then by
    // zone, narrowed to the candidate window around the tolerance; the whole
    // list when the window is empty. False, with no candidates, when no
    // destination is reached by transit.
    static bool ListTransitCandidates(CInputDataManager& manager, int origin, double time, double tolerance,
                                      std::vector<int>& candidates);

    // Writes the stop's line to the stops file and its activity line (arrival,
    // duration, zone) to the activity file. tourPosition is the position of
    // the tour the stop belongs to.
    void Write(int householdId, int personNumber, int tourPosition, COutputFileSet& streams) const;

    int GetStopNumber() const { return m_nStopNumber; }
    void SetStopNumber(int number) { m_nStopNumber = number; }

    int GetActivityType() const { return m_nActivityType; }
    void SetActivityType(int type) { m_nActivityType = type; }

    double GetActivityDuration() const { return m_dActivityDuration; }
    void SetActivityDuration(double minutes) { m_dActivityDuration = minutes; }

    double GetTravelTime() const { return m_dTravelTime; }
    void SetTravelTime(double minutes) { m_dTravelTime = minutes; }

    int GetZone() const { return m_nZone; }
    void SetZone(int zone) { m_nZone = zone; }

    int GetOriginZone() const { return m_nOriginZone; }
    void SetOriginZone(int zone) { m_nOriginZone = zone; }

    double GetRemainingWindow() const { return m_dRemainingWindow; }
    void SetRemainingWindow(double minutes) { m_dRemainingWindow = minutes; }

    double GetTimeLeft() const { return m_dTimeLeft; }
    void SetTimeLeft(double minutes) { m_dTimeLeft = minutes; }

    double GetDepartureTime() const { return m_dDepartureTime; }
    void SetDepartureTime(double minute) { m_dDepartureTime = minute; }

    int GetOriginActivityType() const { return m_nOriginActivityType; }
    void SetOriginActivityType(int type) { m_nOriginActivityType = type; }

    CTour* GetTour() const { return m_pTour; }
    CInputDataManager* GetDataManager() const { return m_pDataManager; }

protected:
    // The models one stop class draws a stop with.
    struct StopModels {
        CMNLogitMM* activityType = nullptr;
        CRegressMM* activityDuration = nullptr;
        CRegressMM* travelTime = nullptr;
        CLocationMM* location = nullptr;
        CLocationWalkMM* walkLocation = nullptr;
    };
    // Origin activity types of a first stop: at home, at work.
    static constexpr int kHomeActivity = 18;
    static constexpr int kWorkActivity = 17;
    // Where stop 1 of the tour starts.
    struct TourOrigin {
        int zone;
        int activityType;
    };

    // The generation both stop classes share: activity type, duration,
    // travel-time budget, origin and zone, charging the tour's window. The
    // caller has reseeded the stream; this draws but never reseeds. A stop
    // after the first whose previous stop is missing is a programming error
    // (std::logic_error).
    void GenerateWith(const StopModels& models, TourOrigin firstStopOrigin, CPersonObject* person,
                      CHouseholdCoordinator* simulator);

    // 1-based within the tour.
    int m_nStopNumber = -1;
    // Activity code (0 to 9 activities, 12 back home, 13 back at work, ...).
    int m_nActivityType = -1;
    double m_dActivityDuration = -1.0;
    // Of the leg that reaches the stop.
    double m_dTravelTime = -1.0;
    int m_nZone = -1;
    // Zone the leg starts from.
    int m_nOriginZone = -1;
    // The tour's window length when the stop is made.
    double m_dRemainingWindow = -1.0;
    // Remaining window minus activity duration.
    double m_dTimeLeft = -1.0;
    // Departure on the leg that reaches the stop.
    double m_dDepartureTime = -1.0;
    // Activity at the leg's origin: 18 home, 17 work, else the previous stop's type.
    int m_nOriginActivityType = -1;
    CTour* m_pTour = nullptr;                     // the owning tour, not owned
    CInputDataManager* m_pDataManager = nullptr;  // not owned
};
