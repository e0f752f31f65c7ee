#include "household/DecisionKey.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "modelsystem/CModelSystem.h"

namespace decision_key {

// The written household id and the key share one truncation: the low 32 bits
// of the id truncated to a 64-bit integer.
std::uint32_t Key(double householdColumn0, std::uint32_t offset) {
    return CRecordLine::OutputHouseholdId(householdColumn0) + offset;
}

std::uint32_t Key(const CHouseholdObject& household, std::uint32_t offset) {
    return Key(household.GetValue(0), offset);
}

std::uint32_t Pid(const CPersonObject& person) {
    return static_cast<std::uint32_t>(CRecordLine::TruncateToInt(person.GetPersonNumber()));
}

void Reseed(CModelSystem& models, const CHouseholdObject& household, std::uint32_t offset) {
    models.ReseedStream(Key(household, offset));
}

}  // namespace decision_key
