#include "household/OtherNoChildrenHH.h"

OtherNoChildrenHH::OtherNoChildrenHH(CModelSystem* models) : CHouseholdWithoutChildren(models) {}

OtherNoChildrenHH::~OtherNoChildrenHH() = default;

void OtherNoChildrenHH::AllocateEscortEpisodes() {}
