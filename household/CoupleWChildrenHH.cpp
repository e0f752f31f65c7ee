#include "household/CoupleWChildrenHH.h"

CoupleWChildrenHH::CoupleWChildrenHH(CModelSystem* models) : CHouseholdWithChildren(models) {}

CoupleWChildrenHH::~CoupleWChildrenHH() = default;

// The episodes are shared between the parents once the school escort
// simulation is in place; until then the episodes keep no escorting adult.
void CoupleWChildrenHH::AllocateEscortEpisodes() {}

CPersonObject* CoupleWChildrenHH::GetParentOne() { return FindParent(true); }

CPersonObject* CoupleWChildrenHH::GetParentTwo() { return FindParent(false); }
