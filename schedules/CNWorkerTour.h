#pragma once
// A tour of a non-worker's pattern: the person's own tours, and the escort and
// joint tours the household builds for a non-worker. Its stops are
// CNWorkerStop objects; its position is its 1-based number in the pattern.

#include "schedules/CTour.h"

class CPersonObject;
class CHouseholdObject;
class CModelSystem;

class CNWorkerTour : public CTour {
public:
    CNWorkerTour(CInputDataManager* manager, CPattern* pattern);
    ~CNWorkerTour() override;

    // Replaces the stops held (they are destroyed) by stop-count new stops
    // numbered 1 to the stop count.
    void CreateStops() override;
    void AppendStop(int activityType, double activityDuration, double departure, double travelTime,
                    int originZone, int zone, int originActivityType) override;
    double ClampHomeStay(double minutes, int tourCount) override;

    // Virtual operation 3: draws the tour's mode, stop count, duration and
    // home stay.
    virtual void SimulateTour(CPersonObject* person, CModelSystem* models, CHouseholdObject* household);
};
