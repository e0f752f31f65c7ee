#include "models/MdcevVariableTables.h"

#include <array>

namespace MdcevVariableTables {
namespace {

// One line of the small-household table: a quantity and the variable ID that
// stands for it in each type (0: the type has no such variable).
struct SmallLine {
    SmallQuantity quantity;
    std::array<int, kTypeCount> ids;
};

constexpr SmallLine kSmallLines[] = {
    {kSmallOne, {35002, 35001, 35005, 35003, 35004, 35006, 35007, 35008, 0}},
    {kSmallSchoolChildren, {0, 35009, 35011, 0, 35010, 35012, 35013, 35014, 35015}},
    {kSmallOtherChildren, {0, 35016, 0, 35017, 0, 0, 35018, 35019, 35020}},
    {kSmallZero, {35022, 35021, 35025, 35023, 35024, 35026, 35027, 35028, 0}},
    {kSmallHighIncome, {35030, 35029, 35033, 35031, 35032, 0, 0, 35034, 0}},
    // 35035 of the individual type always gives 0.0.
    {kSmallHighIncomeAlone, {35035, 35035, 35035, 35035, 35035, 35035, 35035, 35035, 0}},
    {kSmallHighIncomeGroup, {35036, 35036, 35036, 35036, 35036, 35036, 35036, 35036, 0}},
    {kSmallVehicles, {35038, 35037, 35041, 35039, 35040, 35042, 35043, 35044, 0}},
    {kSmallLatestWorkEnd, {0, 35045, 0, 35046, 35047, 35048, 0, 35049, 35050}},
    {kSmallLongestWork, {35052, 35051, 0, 35053, 0, 35054, 35055, 35056, 35057}},
    {kSmallChildrenAlone, {35058, 35058, 35058, 35058, 35058, 35058, 35058, 35058, 0}},
    {kSmallChildrenGroup, {35060, 35059, 0, 35061, 35062, 0, 0, 0, 0}},
    {kSmallDropOffMembers, {35064, 35063, 0, 0, 0, 0, 35065, 35066, 0}},
    {kSmallFamilyGroup, {35067, 35067, 35067, 35067, 35067, 35067, 35067, 35067, 0}},
    {kSmallZone3, {35069, 35068, 0, 0, 35070, 35071, 35072, 0, 0}},
    {kSmallZone5, {35074, 35073, 0, 0, 35075, 35076, 35077, 0, 0}},
    {kSmallTwoMembers, {35078, 35078, 35078, 35078, 35078, 35078, 35078, 35078, 0}},
    {kSmallThreeMembers, {35079, 35079, 35079, 35079, 35079, 35079, 35079, 35079, 0}},
    {kSmallFourMembers, {35080, 35080, 35080, 35080, 35080, 35080, 35080, 35080, 0}},
    {kSmallFiveMembers, {35081, 35081, 35081, 35081, 35081, 35081, 35081, 35081, 0}},
    {kSmallGroup, {0, 35083, 0, 0, 35084, 0, 35082, 0, 0}},
};

constexpr int kSmallIdCount = kSmallLastId - kSmallFirstId + 1;
using SmallIndex = std::array<std::array<SmallQuantity, kTypeCount>, kSmallIdCount>;

constexpr SmallIndex BuildSmallIndex() {
    SmallIndex index{};
    for (auto& byType : index)
        for (auto& q : byType) q = kSmallNone;
    for (const SmallLine& line : kSmallLines)
        for (int t = 0; t < kTypeCount; ++t)
            if (line.ids[t] != 0) index[line.ids[t] - kSmallFirstId][t] = line.quantity;
    return index;
}

constexpr SmallIndex kSmallIndex = BuildSmallIndex();

// One entry of the large-household table: each ID belongs to one type.
struct LargeEntry {
    int id;
    int type;
    LargeQuantity quantity;
};

constexpr LargeEntry kLargeEntries[] = {
    {36001, 0, kLargeOne},          {36002, 1, kLargeOne},          {36003, 2, kLargeOne},
    {36004, 3, kLargeOne},          {36005, 4, kLargeOne},          {36006, 5, kLargeOne},
    {36007, 6, kLargeOne},          {36008, 7, kLargeOne},          {36009, 1, kLargeSixOrSeven},
    {36011, 7, kLargeSixOrSeven},   {36010, 4, kLargeOne},          {36012, 2, kLargeLowIncome},
    {36013, 4, kLargeLowIncome},    {36014, 6, kLargeLowIncome},    {36015, 0, kLargeMiddleIncome},
    {36016, 5, kLargeMiddleIncome}, {36017, 6, kLargeMiddleIncome}, {36018, 0, kLargeFemales},
    {36019, 1, kLargeFemales},      {36020, 0, kLargeUnder16},      {36021, 1, kLargeUnder16},
    {36022, 5, kLargeUnder16},      {36023, 7, kLargeUnder16},      {36025, 2, kLargeAtSchool},
    {36026, 4, kLargeAtSchool},     {36027, 6, kLargeAtSchool},     {36029, 5, kLargePickUp},
    {36030, 0, kLargeDropOff},      {36031, 2, kLargeColumn10},     {36032, 3, kLargeColumn10},
    {36033, 7, kLargeColumn10},     {36034, 0, kLargeWorkDuration}, {36035, 1, kLargeWorkDuration},
    {36036, 2, kLargeWorkDuration}, {36037, 3, kLargeWorkDuration}, {36038, 7, kLargeWorkDuration},
    {36039, 8, kLargeWorkDuration}, {36040, 4, kLargeZone3},        {36041, 1, kLargeZone6},
    {36042, 5, kLargeZone9},        {36043, 2, kLargeZone10},       {36044, 0, kLargeZone30},
    {36045, 1, kLargeZone34},       {36046, 2, kLargeZone34},       {36047, 3, kLargeZone36},
    {36048, 1, kLargeZone38},       {36049, 6, kLargeZone38},       {36050, 0, kLargeZone39},
    {36051, 3, kLargeZone39},       {36052, 2, kLargeZone40},       {36053, 6, kLargeZone40},
};

// 35037 stands for the constant of type 1 in the large-household choice set.
constexpr int kLargeType1ConstantId = 35037;

constexpr int kLargeIdCount = kLargeLastId - kLargeFirstId + 1;
struct LargeSlot {
    int type = -1;
    LargeQuantity quantity = kLargeNone;
};
using LargeIndex = std::array<LargeSlot, kLargeIdCount>;

constexpr LargeIndex BuildLargeIndex() {
    LargeIndex index{};
    for (const LargeEntry& e : kLargeEntries) index[e.id - kLargeFirstId] = LargeSlot{e.type, e.quantity};
    return index;
}

constexpr LargeIndex kLargeIndex = BuildLargeIndex();

}  // namespace

SmallQuantity SmallQuantityOf(int id, int type) {
    if (id < kSmallFirstId || id > kSmallLastId || type < 0 || type >= kTypeCount) return kSmallNone;
    return kSmallIndex[id - kSmallFirstId][type];
}

LargeQuantity LargeQuantityOf(int id, int type) {
    if (id == kLargeType1ConstantId) return type == 1 ? kLargeOne : kLargeNone;
    if (id < kLargeFirstId || id > kLargeLastId) return kLargeNone;
    const LargeSlot& slot = kLargeIndex[id - kLargeFirstId];
    return slot.type == type ? slot.quantity : kLargeNone;
}

}  // namespace MdcevVariableTables
