#pragma once
// Household simulator of a household without children. There are no school
// escort episodes: every escort question is answered "no" (or -1.0 for the
// escort times), and the child and escort steps do nothing. The leaf classes
// add only the escort allocation, which is empty for them.

#include "household/CHouseholdCoordinator.h"

class CHouseholdWithoutChildren : public CHouseholdCoordinator {
public:
    explicit CHouseholdWithoutChildren(CModelSystem* models);
    ~CHouseholdWithoutChildren() override;

    bool IsDropOffAdult(const CPersonObject* person) override;
    bool IsPickUpAdult(const CPersonObject* person) override;
    bool IsJointDiscretionaryAdult(const CPersonObject* person) override;
    bool IsInDropOffEpisode(const CPersonObject* person) override;
    bool IsInPickUpEpisode(const CPersonObject* person) override;
    double GetTimeAfterDropOff(const CPersonObject* person) override;
    double GetAvailableTimeAfterPickUp(const CPersonObject* person) override;
    void SetJointDiscretionaryTour(CTour* tour) override;
    void BuildEscortEpisodes() override;
    // Slot 9 stays to the leaf classes.
    void DecideChildIndependentActivity() override;
    void FindChildInJointActivity() override;
    void SimulateWHCommute(CPersonObject* person, CHouseholdObject* household) override;
    void SimulateHWCommute(CPersonObject* person, CHouseholdObject* household) override;
    void SimulateNonWorkerEscortTours(CPersonObject* person, CHouseholdObject* household,
                                      CModelSystem* models) override;
    void SimulateChildSchoolCommute(CPersonObject* child, CHouseholdObject* household,
                                    CModelSystem* models) override;
    void SimulateJointDiscretionaryTour(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                                        CHouseholdCoordinator* simulator) override;
    // Runs the non-worker pattern's own simulation for a person who neither
    // works nor goes to school; nothing for anyone else.
    void SimulateNonWorkerDay(CPersonObject* person, CHouseholdObject* household, CModelSystem* models,
                              CHouseholdCoordinator* simulator) override;
    void SimulateChildDiscretionaryTour(CPersonObject* child, CHouseholdObject* household, CModelSystem* models,
                                        CHouseholdCoordinator* simulator) override;
    void AddChildToJointDiscretionaryTour(CPersonObject* child, CHouseholdObject* household, CModelSystem* models,
                                          CHouseholdCoordinator* simulator) override;
};
