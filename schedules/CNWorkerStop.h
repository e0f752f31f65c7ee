#pragma once
// A stop of a non-worker's tour, and of the escort and joint tours the
// household builds for non-workers. Its models are chosen by the tour's number
// in the non-worker pattern (tours 1 to 4 have models); stop 1 starts at home.

#include "schedules/CStop.h"

class CNWorkerStop : public CStop {
public:
    CNWorkerStop(CInputDataManager* manager, CTour* tour);
    ~CNWorkerStop() override;

    // Throws std::logic_error for a tour number outside 1 to 4: no models
    // exist for such a tour, and no caller may build one.
    void Generate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                  CHouseholdCoordinator* simulator) override;

    // The activity duration bounded by a share of the remaining window, by the
    // tour number and its stop count.
    double ClampDuration(double minutes) override;
    // The travel-time budget bounded by a share of the time left (at least 2).
    double ClampTravelTime(double minutes) override;
};
