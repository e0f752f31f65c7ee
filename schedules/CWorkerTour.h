#pragma once
// A tour of a worker's or student's pattern: one of the two commutes, or a
// before-work, work-based or after-work tour in its fixed slot. Its stops are
// CWorkerStop objects.

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
    // pre-tour time.
    virtual void SimulateTour(CPersonObject* person, CModelSystem* models, CHouseholdObject* household);
};
