#pragma once
// Household simulator of any other household with children. Its escort
// episodes are left without an escorting adult, and it names no parents.

#include "household/CHouseholdWithChildren.h"

class OtherWChildrenHH : public CHouseholdWithChildren {
public:
    explicit OtherWChildrenHH(CModelSystem* models);
    ~OtherWChildrenHH() override;

    void AllocateEscortEpisodes() override;
    CPersonObject* GetParentOne() override;
    CPersonObject* GetParentTwo() override;
};
