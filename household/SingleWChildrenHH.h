#pragma once
// Household simulator of a single parent with children. The parent serves the
// household's escort episodes.

#include "household/CHouseholdWithChildren.h"

class SingleWChildrenHH : public CHouseholdWithChildren {
public:
    explicit SingleWChildrenHH(CModelSystem* models);
    ~SingleWChildrenHH() override;

    void AllocateEscortEpisodes() override;
    CPersonObject* GetParentOne() override;
    CPersonObject* GetParentTwo() override;
};
