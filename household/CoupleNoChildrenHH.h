#pragma once
// Household simulator of a couple without children. There are no escort
// episodes to allocate.

#include "household/CHouseholdWithoutChildren.h"

class CoupleNoChildrenHH : public CHouseholdWithoutChildren {
public:
    explicit CoupleNoChildrenHH(CModelSystem* models);
    ~CoupleNoChildrenHH() override;

    void AllocateEscortEpisodes() override;
};
