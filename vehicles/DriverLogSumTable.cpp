#include "vehicles/DriverLogSumTable.h"

namespace {

using namespace VehicleAlternatives;
using C = DriverCondition;

constexpr DriverLogSumTerm ByTypes(int coefficient, C condition, Mask types) {
    return {coefficient, condition, types, kAllGroups};
}
constexpr DriverLogSumTerm ByGroups(int coefficient, C condition, Mask groups) {
    return {coefficient, condition, kAllTypes, groups};
}

constexpr DriverLogSumTerm kTerms[] = {
    // By type, the same in all groups.
    ByTypes(1, C::Worker, Only(0, 1)), ByTypes(4, C::Worker, Only(2)), ByTypes(6, C::Worker, Only(3, 4)),
    ByTypes(30, C::Worker, Only(6, 7)),
    ByTypes(2, C::Column7, Only(0, 1)), ByTypes(5, C::Column7, Only(2)), ByTypes(7, C::Column7, Only(3, 4, 5)),
    ByTypes(9, C::Column7, Only(6)), ByTypes(10, C::Column7, Only(8)),
    ByTypes(3, C::Column10, Only(0)),
    ByTypes(13, C::Age16To25, Only(2, 3)), ByTypes(14, C::Age16To25, Only(6)), ByTypes(15, C::Age16To25, Only(7)),
    ByTypes(16, C::Age16To25, Only(8)), ByTypes(17, C::Age16To25, Only(8)),
    ByTypes(18, C::Age26To40, Only(0, 1)), ByTypes(19, C::Age26To40, Only(2, 3)), ByTypes(20, C::Age26To40, Only(7)),
    ByTypes(21, C::Age26To40, Only(8)),
    ByTypes(22, C::Age41To65, Only(0, 1)), ByTypes(23, C::Age41To65, Only(2, 3, 6)),
    ByTypes(24, C::Age41To65, Only(5)),
    ByTypes(27, C::ShortCommute, Only(5)),

    // By group.
    ByGroups(26, C::Worker, Only(0, 1)),
    {26, C::Worker, Only(1), Only(2)},
    ByGroups(28, C::Column7, Only(0, 1)), ByGroups(29, C::Column7, Only(2)), ByGroups(11, C::Column7, Range(3, 5)),
    {12, C::Column10, Only(0, 1, 2, 3, 5, 7, 8), Only(3)},
    {11, C::Column10, Only(4, 5, 6), Only(3)},
    {12, C::Column10, Only(5), Only(4, 5)},
    // Type index 8 has d[17] by type already; it counts once there.
    {17, C::Age16To25, Range(0, 7), Only(0)},
    {27, C::Column57, static_cast<Mask>(kAllTypes & ~Only(6)), Range(0, 2)},
    {25, C::Column57, Only(6), Range(0, 2)},
};

// Rows group index 0 to 5, columns type index 0 to 8; -1 is the scale 1.0.
constexpr int kScalePositions[kGroupCount][kTypeCount] = {
    {-1, -1, 32, 31, 31, 33, 32, 31, 32},
    {-1, 31, 32, 31, 33, 33, 33, 33, 31},
    {31, 31, 31, 31, 33, 33, 33, 31, 33},
    {32, 31, 32, 32, 32, 33, 33, 32, 32},
    {31, 33, 32, 33, 31, 31, 33, 31, 33},
    {33, 32, 31, 33, 33, 31, 31, 31, 33},
};

}  // namespace

std::span<const DriverLogSumTerm> DriverLogSumTerms() { return kTerms; }

int DriverLogSumScalePosition(int typeIndex, int groupIndex) {
    if (typeIndex < 0 || typeIndex >= kTypeCount || groupIndex < 0 || groupIndex >= kGroupCount) return -1;
    return kScalePositions[groupIndex][typeIndex];
}
