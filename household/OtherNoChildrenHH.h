#pragma once
// Household simulator of any other household without children. There are no escort
// episodes to allocate.

#include "household/CHouseholdWithoutChildren.h"

class OtherNoChildrenHH : public CHouseholdWithoutChildren {
public:
    explicit OtherNoChildrenHH(CModelSystem* models);
    ~OtherNoChildrenHH() override;

    void AllocateEscortEpisodes() override;
};
