#pragma once
// A stop of a worker's or student's tour (commutes, before-work, work-based and
// after-work tours). Its models are chosen by the position of its tour in the
// worker pattern; stop 1 of a work-to-home commute or a work-based tour starts
// at the workplace.

#include "schedules/CStop.h"

class CWorkerStop : public CStop {
public:
    CWorkerStop(CInputDataManager* manager, CTour* tour);
    ~CWorkerStop() override;

    void Generate(CPersonObject* person, CModelSystem* models, CHouseholdObject* household,
                  CHouseholdCoordinator* simulator) override;

    // The activity duration bounded by a share of the remaining window, by the
    // tour's position, its period's tour count and its stop count.
    double ClampDuration(double minutes) override;
    // The travel-time budget bounded by a share of the time left (at least 2).
    double ClampTravelTime(double minutes) override;

private:
    // The tour count of the tour's period that selects the bound rows: the
    // work-based count for positions 5-7, the after-work count for 8-10, else 0.
    int PeriodTourCount() const;
};
