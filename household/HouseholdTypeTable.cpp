#include "household/HouseholdTypeTable.h"

#include <array>

namespace {

using C = HouseholdSimulatorClass;

// Indexed by household type.
constexpr std::array<HouseholdSimulatorClass, HouseholdTypeTable::kTypeCount> kClassOfType = {
    C::Generic,             //  0
    C::SingleNoChildren,    //  1
    C::SingleWithChildren,  //  2
    C::SingleWithChildren,  //  3
    C::SingleWithChildren,  //  4
    C::SingleNoChildren,    //  5
    C::SingleWithChildren,  //  6
    C::SingleWithChildren,  //  7
    C::SingleWithChildren,  //  8
    C::CoupleNoChildren,    //  9
    C::CoupleWithChildren,  // 10
    C::CoupleWithChildren,  // 11
    C::CoupleWithChildren,  // 12
    C::CoupleWithChildren,  // 13
    C::OtherNoChildren,     // 14
    C::OtherWithChildren,   // 15
    C::CoupleNoChildren,    // 16
    C::CoupleWithChildren,  // 17
    C::CoupleWithChildren,  // 18
    C::CoupleWithChildren,  // 19
    C::OtherNoChildren,     // 20
    C::OtherWithChildren,   // 21
    C::OtherNoChildren,     // 22
    C::OtherWithChildren,   // 23
};

}  // namespace

std::optional<HouseholdSimulatorClass> HouseholdTypeTable::ClassOfType(int householdType) {
    if (householdType < 0 || householdType >= kTypeCount) return std::nullopt;
    return kClassOfType[static_cast<size_t>(householdType)];
}
