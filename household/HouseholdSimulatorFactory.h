#pragma once
// Creation of the household simulator of a household by its household type.

#include <memory>

class CHouseholdCoordinator;
class CModelSystem;

// A new simulator of the class the household type selects, owned by the
// caller. Type 0 first posts "Why is this a generic hh". A type outside 0 to 23
// has no simulator class: the result is null.
std::unique_ptr<CHouseholdCoordinator> CreateHouseholdSimulator(int householdType, CModelSystem* models);
