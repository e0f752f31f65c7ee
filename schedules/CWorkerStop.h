#pragma once
// A stop of a worker's or student's tour (commutes, before-work, work-based and
// after-work tours). Its models are chosen by the position of its tour in the
// worker pattern.

#include "schedules/CStop.h"

class CWorkerStop : public CStop {
public:
    CWorkerStop(CInputDataManager* manager, CTour* tour);
    ~CWorkerStop() override;

    void Generate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                  CHouseholdCoordinator* simulator) override;
};
