#pragma once
// Household simulator of a couple with children. Each escort episode goes
// to one of the two parents.

#include "household/CHouseholdWithChildren.h"

class CoupleWChildrenHH : public CHouseholdWithChildren {
public:
    explicit CoupleWChildrenHH(CModelSystem* models);
    ~CoupleWChildrenHH() override;

    void AllocateEscortEpisodes() override;
    CPersonObject* GetParentOne() override;
    CPersonObject* GetParentTwo() override;
};
