#pragma once
// A tour of a worker's or student's pattern: one of the two commutes, or a
// before-work, work-based or after-work tour in its fixed slot. Its stops are
// CWorkerStop objects. The tour bounds its own pre-tour time and duration by
// its position group (see TourBoundTables).

#include "schedules/CTour.h"

class CPersonObject;
class CHouseholdObject;
class CModelSystem;

class CWorkerTour : public CTour {
public:
    CWorkerTour(CInputDataManager* manager, CPattern* pattern);
    ~CWorkerTour() override;

    // Appends stop-count new stops numbered 1 to the stop count; stops already
    // held are kept (TrimStops removes any surplus).
    void CreateStops() override;
    void AppendStop(int activityType, double activityDuration, double departure, double travelTime,
                    int originZone, int zone, int originActivityType) override;
    // A worker's tours bound their pre-tour time by their own rules: always 0.0.
    double ClampHomeStay(double minutes, int tourCount) override;

    // Virtual operation 3: draws the tour's mode, stop count, duration and
    // pre-tour time. The position (2 to 10), window length and window start
    // must be set; the worker pattern draws its own tours without it.
    virtual void SimulateTour(CPersonObject* person, CModelSystem* models, CHouseholdObject* household);

    // The stay before the tour bounded by a share of the slack, by position
    // group, the pattern's tour count of the period and the stop count. A
    // commute is not bounded. Whole minutes.
    double ClampPreTourTime(double minutes) const;
    // The tour's duration bounded by a share of its window, by position group
    // and stop count. Whole minutes.
    double ClampTourDuration(double minutes) const;
};
