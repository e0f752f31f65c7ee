#pragma once
// One tour of a person's day: it leaves the tour's origin (home, or the
// workplace for a work-based tour), makes its stops and ends with a closing
// stop back at the origin. The tour owns its stops and points back to the
// pattern that owns it. Its window is the time still available to it; the
// stops are chained through that window and through their departures.

#include <memory>
#include <vector>

class CStop;
class CPattern;
class CInputDataManager;
class COutputFileSet;

class CTour {
public:
    CTour(CInputDataManager* manager, CPattern* pattern);
    // Virtual: patterns delete their tours through this base class.
    virtual ~CTour();

    CTour(const CTour&) = delete;
    CTour& operator=(const CTour&) = delete;

    // Virtual operations, in their fixed order (the subclasses add SimulateTour).
    // 0: makes the tour's stops, numbered 1 to the stop count.
    virtual void CreateStops() = 0;
    // 1: appends a stop whose values are already known (a closing leg, an
    // escort stop, a joint-activity stop); the stop count grows by one.
    virtual void AppendStop(int activityType, double activityDuration, double departure,
                            double travelTime, int originZone, int zone, int originActivityType) = 0;
    // 2: bounds the stay at home before the tour; tourCount is the number of
    // tours being added to the pattern (not every tour class uses it).
    virtual double ClampHomeStay(double minutes, int tourCount) = 0;

    // Remaining window of stop k (1-based): the tour's window length for the
    // first stop, else what stop k - 1 left after its activity and its trip.
    void SetStopWindow(int k);
    // Departure of stop k (1-based): window start + pre-tour time for the first
    // stop, else the previous stop's departure + activity duration + travel time.
    void SetStopDeparture(int k);
    // The duration field when it is set; otherwise, with stops, the time from
    // the first departure to the arrival at the last stop (stored); without
    // stops 0.0 (not stored).
    double GetDuration();
    // The minute the tour is back where it ends: its last stop's departure +
    // travel time; -1.0 without stops.
    double GetArrival() const;
    // Destroys stops from the end until no more are held than the stop count.
    void TrimStops();

    // Writes the tour's line to the tours file, then each stop's lines (stops 1
    // to the stop count). Settles the vehicle or escort id first; a joint tour
    // driven in the person's own vehicle is recorded here as mode 7.
    void Write(int householdId, int personNumber, COutputFileSet& streams);

    // Stop k, 1-based; null outside the stop vector.
    CStop* GetStopByNumber(int k) const;
    // Element i, 0-based, of the stop vector; null outside it.
    CStop* GetStopAt(int i) const;
    const std::vector<std::unique_ptr<CStop>>& GetStops() const { return m_stops; }

    int GetPosition() const { return m_nPosition; }
    void SetPosition(int position) { m_nPosition = position; }

    double GetWindowLength() const { return m_dWindowLength; }
    void SetWindowLength(double minutes) { m_dWindowLength = minutes; }

    double GetSlack() const { return m_dSlack; }
    void SetSlack(double minutes) { m_dSlack = minutes; }
    // Slack = window length - the duration field.
    void SetSlackFromDuration() { m_dSlack = m_dWindowLength - m_dDuration; }

    int GetMode() const { return m_nMode; }
    void SetMode(int mode) { m_nMode = mode; }

    int GetStopCount() const { return m_nStopCount; }
    void SetStopCount(int count) { m_nStopCount = count; }

    // The duration field as it stands (-1.0 until set or computed).
    double GetDurationField() const { return m_dDuration; }
    void SetDuration(double minutes) { m_dDuration = minutes; }

    double GetPreTourTime() const { return m_dPreTourTime; }
    void SetPreTourTime(double minutes) { m_dPreTourTime = minutes; }

    double GetWindowStart() const { return m_dWindowStart; }
    void SetWindowStart(double minute) { m_dWindowStart = minute; }

    CInputDataManager* GetDataManager() const { return m_pDataManager; }
    CPattern* GetPattern() const { return m_pPattern; }

    int GetJointRecordIndex() const { return m_nJointRecordIndex; }
    void SetJointRecordIndex(int index) { m_nJointRecordIndex = index; }

    int GetJointTravelCode() const { return m_nJointTravelCode; }
    void SetJointTravelCode(int code) { m_nJointTravelCode = code; }

    int GetEscortOrVehicleId() const { return m_nEscortOrVehicleId; }
    void SetEscortOrVehicleId(int id) { m_nEscortOrVehicleId = id; }

protected:
    // The id written in the tour line: the person's vehicle on a driving tour
    // (0 when the person drives none), the escort id on an escort tour, -1 on
    // any other mode; a joint tour takes the vehicle of its joint activity.
    // May set the mode to 7 (see Write).
    int SettleVehicleOrEscortId();

    // The common work of AppendStop: numbers the given new stop, fills it from
    // the arguments (durations and times floored, a negative duration meaning
    // the rest of the day) and appends it.
    void AppendFilledStop(std::unique_ptr<CStop> stop, int activityType, double activityDuration,
                          double departure, double travelTime, int originZone, int zone,
                          int originActivityType);

    // The stops, owned, in order; stop k is element k - 1.
    std::vector<std::unique_ptr<CStop>> m_stops;
    // Slot in a worker pattern (0 to 10) or 1-based number in a non-worker pattern.
    int m_nPosition = -1;
    // Minutes still available to the tour; stop generation charges each stop to it.
    double m_dWindowLength = -1.0;
    // The share of the window not taken by the tour; bounds the pre-tour time.
    double m_dSlack = -1.0;
    int m_nMode = -1;
    // Stops including the closing stop.
    int m_nStopCount = -1;
    // First departure to the arrival at the end of the last leg.
    double m_dDuration = -1.0;
    // Stay at the tour's origin before the first departure.
    double m_dPreTourTime = -1.0;
    // Minute from which the window is counted; first departure = start + pre-tour time.
    double m_dWindowStart = -1.0;
    CInputDataManager* m_pDataManager = nullptr;  // not owned
    CPattern* m_pPattern = nullptr;               // the owning pattern, not owned
    // 1-based index of the household's joint-activity record served; 0 for none.
    int m_nJointRecordIndex = 0;
    int m_nJointTravelCode = 0;
    // Escort id of an escort tour (mode 4), or the vehicle used on a driving tour.
    int m_nEscortOrVehicleId = -1;
};
