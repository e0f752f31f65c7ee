#include "models/MdcevAlternativeCodes.h"

#include "models/CMdcevMM.h"

#include <bit>

namespace MdcevAlternativeCodes {
namespace {

Alternative Single(int type, int person) {
    Alternative a;
    a.type = type;
    a.members = person <= 32 ? 1u << (person - 1) : 0u;
    a.memberCount = 1;
    a.person = person;
    a.valid = true;
    return a;
}

}  // namespace

Alternative DecodeSmall(int code, int persons) {
    if (persons <= 0 || persons >= CMdcevMM::kLargeHouseholdSize) return {};
    const int groups = (1 << persons) - 1;  // M
    if (code < 1 || code > 8 * groups + persons) return {};
    if (code > 8 * groups) return Single(kIndividualType, code - 8 * groups);

    Alternative a;
    a.type = (code - 1) / groups;
    a.members = static_cast<unsigned>((code - 1) % groups + 1);
    a.memberCount = std::popcount(a.members);
    a.joint = a.memberCount >= 2;
    if (a.memberCount == 1) a.person = std::countr_zero(a.members) + 1;
    a.valid = true;
    return a;
}

Alternative DecodeLarge(int code, int persons) {
    if (persons < CMdcevMM::kLargeHouseholdSize) return {};
    if (code < 0 || code >= (kIndividualType + 1) * persons) return {};
    return Single(code / persons, code % persons + 1);
}

}  // namespace MdcevAlternativeCodes
