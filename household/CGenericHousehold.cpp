#include "household/CGenericHousehold.h"

CGenericHousehold::CGenericHousehold(CModelSystem* models) : CHouseholdWithoutChildren(models) {}

CGenericHousehold::~CGenericHousehold() = default;

void CGenericHousehold::AllocateEscortEpisodes() {}
