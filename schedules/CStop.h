#pragma once
// One stop of a tour: the activity made there, how long it lasts, the trip
// that reaches it and the window left when it is made. The tour owns its
// stops; a stop points back to its tour and holds the thread's input-data
// manager, which the stop-level variable evaluation uses.

class CTour;
class CInputDataManager;
class CPersonObject;
class CHouseholdObject;
class CModelSystem;
class CHouseholdCoordinator;
class COutputFileSet;

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
