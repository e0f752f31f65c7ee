#pragma once
// Household simulator of a household of the generic type 0, simulated as a
// household without children. There are no escort episodes to allocate.

#include "household/CHouseholdWithoutChildren.h"

class CGenericHousehold : public CHouseholdWithoutChildren {
public:
    explicit CGenericHousehold(CModelSystem* models);
    ~CGenericHousehold() override;

    void AllocateEscortEpisodes() override;
};
