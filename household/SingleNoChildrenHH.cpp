#include "household/SingleNoChildrenHH.h"

SingleNoChildrenHH::SingleNoChildrenHH(CModelSystem* models) : CHouseholdWithoutChildren(models) {}

SingleNoChildrenHH::~SingleNoChildrenHH() = default;

void SingleNoChildrenHH::AllocateEscortEpisodes() {}
