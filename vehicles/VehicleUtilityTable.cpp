#include "vehicles/VehicleUtilityTable.h"

namespace {

using namespace VehicleAlternatives;
using V = VehicleHouseholdValue;
using B = VehicleMemberBand;

// A term of one type index in every group.
constexpr VehicleHouseholdTerm TypeTerm(int coefficient, V value, int t) {
    return {coefficient, value, Only(t), kAllGroups};
}
// A term of one group index for every type.
constexpr VehicleHouseholdTerm GroupTerm(int coefficient, V value, int g) {
    return {coefficient, value, kAllTypes, Only(g)};
}
constexpr VehicleMemberBandTerm TypeBand(int coefficient, B band, int t) {
    return {coefficient, band, Only(t), kAllGroups};
}

constexpr VehicleHouseholdTerm kHouseholdTerms[] = {
    // Utility constants: b[t] of the type; b[8 + g] of groups 2 to 6 (group 1 has none).
    TypeTerm(0, V::One, 0), TypeTerm(1, V::One, 1), TypeTerm(2, V::One, 2),
    TypeTerm(3, V::One, 3), TypeTerm(4, V::One, 4), TypeTerm(5, V::One, 5),
    TypeTerm(6, V::One, 6), TypeTerm(7, V::One, 7), TypeTerm(8, V::One, 8),
    GroupTerm(9, V::One, 1), GroupTerm(10, V::One, 2), GroupTerm(11, V::One, 3),
    GroupTerm(12, V::One, 4), GroupTerm(13, V::One, 5),

    // Household terms by type, the same in all groups.
    TypeTerm(71, V::HouseholdColumn7, 0), TypeTerm(61, V::AllColumn11, 0),
    TypeTerm(55, V::AnyColumn57OneOrColumn56, 0),
    TypeTerm(49, V::AnyColumn58One, 1), TypeTerm(68, V::AllColumn10, 1),
    TypeTerm(72, V::HouseholdColumn7, 2), TypeTerm(43, V::MeanCommuteLos, 2), TypeTerm(50, V::AnyColumn58One, 2),
    TypeTerm(73, V::HouseholdColumn7, 3), TypeTerm(62, V::AllColumn11, 3), TypeTerm(46, V::WorkerCount, 3),
    TypeTerm(56, V::AnyColumn57OneOrColumn56, 3),
    TypeTerm(74, V::HouseholdColumn7, 4),
    TypeTerm(75, V::HouseholdColumn7, 5), TypeTerm(47, V::WorkerCount, 5),
    TypeTerm(76, V::HouseholdColumn7, 6), TypeTerm(51, V::AnyColumn58One, 6), TypeTerm(65, V::AllColumn12, 6),
    TypeTerm(69, V::AllColumn10, 6), TypeTerm(57, V::AnyColumn57OneOrColumn56, 6),
    TypeTerm(52, V::AnyColumn58One, 7), TypeTerm(48, V::WorkerCount, 7),
    TypeTerm(77, V::HouseholdColumn7, 8), TypeTerm(53, V::AnyColumn58One, 8), TypeTerm(44, V::MeanCommuteLos, 8),
    TypeTerm(58, V::AnyColumn57OneOrColumn56, 8), TypeTerm(63, V::AllColumn11, 8),

    // Household terms by group.
    GroupTerm(45, V::MeanCommuteLos, 1),
    GroupTerm(64, V::AllColumn11, 2), GroupTerm(67, V::AllColumn12, 2), GroupTerm(78, V::HouseholdColumn7, 2),
    GroupTerm(60, V::AnyColumn57OneOrColumn56, 3), GroupTerm(79, V::HouseholdColumn7, 3),
    GroupTerm(70, V::AllColumn10, 4), GroupTerm(80, V::HouseholdColumn7, 4),
    GroupTerm(54, V::AnyColumn58One, 5), GroupTerm(81, V::HouseholdColumn7, 5),
    // b[59] once in each alternative of group index 1 but type index 0, and in
    // type index 2 of group indices 2 to 5.
    {59, V::AnyColumn57OneOrColumn56, Range(1, 8), Only(1)},
    {59, V::AnyColumn57OneOrColumn56, Only(2), Range(2, 5)},
};

constexpr VehicleMemberBandTerm kMemberBandTerms[] = {
    // By type, the same in all groups.
    TypeBand(23, B::Infant, 0), TypeBand(36, B::OlderChild, 0), TypeBand(14, B::AdultWithoutColumn7, 0),
    TypeBand(24, B::Infant, 1), TypeBand(15, B::AdultWithoutColumn7, 1), TypeBand(30, B::Adult, 1),
    TypeBand(41, B::Senior, 1), TypeBand(39, B::WithoutColumn7, 1),
    // Type index 2 shares the adult coefficient of type index 1; b[16] enters no utility.
    TypeBand(31, B::YoungChild, 2), TypeBand(15, B::AdultWithoutColumn7, 2),
    TypeBand(32, B::YoungChild, 3), TypeBand(17, B::AdultWithoutColumn7, 3), TypeBand(42, B::Senior, 3),
    TypeBand(25, B::Infant, 4), TypeBand(33, B::YoungChild, 4), TypeBand(18, B::AdultWithoutColumn7, 4),
    TypeBand(19, B::AdultWithoutColumn7, 5), TypeBand(40, B::WithoutColumn7, 5),
    TypeBand(26, B::Infant, 6), TypeBand(34, B::YoungChild, 6), TypeBand(37, B::OlderChild, 6),
    TypeBand(20, B::AdultWithoutColumn7, 6),
    TypeBand(27, B::Infant, 7), TypeBand(35, B::YoungChild, 7), TypeBand(38, B::OlderChild, 7),
    TypeBand(21, B::AdultWithoutColumn7, 7),
    TypeBand(22, B::AdultWithoutColumn7, 8),

    // By group.
    {28, B::Infant, kAllTypes, Only(1)},
    {29, B::Infant, Range(0, 3), Only(5)},
    // The infant coefficient of type index 4, added on top of type index 5's terms.
    {25, B::Infant, Only(5), Only(5)},
};

}  // namespace

std::span<const VehicleHouseholdTerm> VehicleHouseholdTerms() { return kHouseholdTerms; }
std::span<const VehicleMemberBandTerm> VehicleMemberBandTerms() { return kMemberBandTerms; }
