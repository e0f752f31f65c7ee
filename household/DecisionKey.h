#pragma once
// The reseed keys of the household simulation. Every simulated decision
// restarts its thread's random stream from a stored state chosen by a key: the
// household id (column 0 truncated to an integer) plus the decision's offset,
// in unsigned 32-bit arithmetic, so a key wraps the same way on every machine.
// Each decision writes its key as its rule reads, e.g.
// `Reseed(models, household, 3 * Pid(person) + k + 1)`; nobody computes a key
// any other way.

#include <cstdint>

class CModelSystem;
class CHouseholdObject;
class CPersonObject;

namespace decision_key {

// Household id (column 0 truncated, low 32 bits) + offset, modulo 2^32.
std::uint32_t Key(double householdColumn0, std::uint32_t offset);
std::uint32_t Key(const CHouseholdObject& household, std::uint32_t offset);

// The person number (column 1) as it enters a key: truncated toward zero.
// For keys only: members are found in the person list and in joint-activity
// sets by their position (CPersonObject::GetPosition).
std::uint32_t Pid(const CPersonObject& person);

// Reseeds the model system's thread with Key(household, offset).
void Reseed(CModelSystem& models, const CHouseholdObject& household, std::uint32_t offset);

}  // namespace decision_key
