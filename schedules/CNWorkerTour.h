#pragma once
// A tour of a non-worker's pattern: the person's own tours, and the escort and
// joint tours the household builds for a non-worker. Its stops are
// CNWorkerStop objects; its position is its 1-based number in the pattern. It
// bounds the home stay before it and its own duration by its number, the
// number of tours and its stop count (see TourBoundTables).

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
    // The home stay bounded by a share of the slack, by the tour's number,
    // tourCount (the tours being added) and the stop count. Whole minutes.
    double ClampHomeStay(double minutes, int tourCount) override;

    // Virtual operation 3: draws the tour's mode, stop count, duration and
    // home stay (the stops are made, not generated). The tour's number must
    // be 1 to 4.
    virtual void SimulateTour(CPersonObject* person, CModelSystem* models, CHouseholdObject* household);

    // The tour's duration bounded in minutes for tour 1 (by the pattern's tour
    // count and the stop count), by a share of the window for later tours.
    // Whole minutes.
    double ClampTourDuration(double minutes) const;
};
