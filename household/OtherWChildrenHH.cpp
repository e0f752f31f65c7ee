#include "household/OtherWChildrenHH.h"

OtherWChildrenHH::OtherWChildrenHH(CModelSystem* models) : CHouseholdWithChildren(models) {}

OtherWChildrenHH::~OtherWChildrenHH() = default;

void OtherWChildrenHH::AllocateEscortEpisodes() {}

CPersonObject* OtherWChildrenHH::GetParentOne() { return nullptr; }

CPersonObject* OtherWChildrenHH::GetParentTwo() { return nullptr; }
