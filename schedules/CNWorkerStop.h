#pragma once
// A stop of a non-worker's tour, and of the escort and joint tours the
// household builds for non-workers. Its models are chosen by the tour's number
// in the non-worker pattern.

#include "schedules/CStop.h"

class CNWorkerStop : public CStop {
public:
    CNWorkerStop(CInputDataManager* manager, CTour* tour);
    ~CNWorkerStop() override;

    void Generate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                  CHouseholdCoordinator* simulator) override;
};
