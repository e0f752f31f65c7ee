#pragma once
// Household simulator of a single adult without children. There are no escort
// episodes to allocate.

#include "household/CHouseholdWithoutChildren.h"

class SingleNoChildrenHH : public CHouseholdWithoutChildren {
public:
    explicit SingleNoChildrenHH(CModelSystem* models);
    ~SingleNoChildrenHH() override;

    void AllocateEscortEpisodes() override;
};
