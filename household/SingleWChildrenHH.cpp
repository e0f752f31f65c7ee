#include "household/SingleWChildrenHH.h"

SingleWChildrenHH::SingleWChildrenHH(CModelSystem* models) : CHouseholdWithChildren(models) {}

SingleWChildrenHH::~SingleWChildrenHH() = default;

// The parent takes the escort episodes once the school escort simulation is in
// place; until then the episodes keep no escorting adult.
void SingleWChildrenHH::AllocateEscortEpisodes() {}

CPersonObject* SingleWChildrenHH::GetParentOne() { return FindParent(true); }

CPersonObject* SingleWChildrenHH::GetParentTwo() { return FindParent(false); }
