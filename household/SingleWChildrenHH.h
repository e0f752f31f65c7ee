#pragma once
// Household simulator of a single parent with children. The parent serves the
// household's escort episodes.

#include "household/CHouseholdWithChildren.h"

class SingleWChildrenHH : public CHouseholdWithChildren {
public:
    explicit SingleWChildrenHH(CModelSystem* models);
    ~SingleWChildrenHH() override;

    // Slot 9: the first parent serves the single drop-off and the single
    // pick-up episode, with its work or school times fitted around them.
    void AllocateEscortEpisodes() override;
    CPersonObject* GetParentOne() override;
    CPersonObject* GetParentTwo() override;
};
