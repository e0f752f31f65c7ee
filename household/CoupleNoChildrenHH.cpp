#include "household/CoupleNoChildrenHH.h"

CoupleNoChildrenHH::CoupleNoChildrenHH(CModelSystem* models) : CHouseholdWithoutChildren(models) {}

CoupleNoChildrenHH::~CoupleNoChildrenHH() = default;

void CoupleNoChildrenHH::AllocateEscortEpisodes() {}
