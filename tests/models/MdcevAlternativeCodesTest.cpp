// Decoding of the activity choice sets' alternative numbers: every number a
// builder emits names the activity type and the members the builder evaluated.
// The builders' utilities are made to reveal what they evaluated: a constant
// per type, a dummy per group size, and one marked member.

#include <gtest/gtest.h>

#include "LocationTestWorld.h"

#include "models/CMdcevMM.h"
#include "models/MdcevAlternativeCodes.h"
#include "modelsystem/CModelSystem.h"

#include <set>
#include <vector>

namespace {

using MdcevAlternativeCodes::Alternative;
using Row = LocationTestWorld::Row;

Row Employed(int number) { return {{0, 30}, {1, number}, {2, 1.0}, {8, 40.0}}; }

class MdcevAlternativeCodesTest : public ::testing::TestWithParam<std::string> {};

// Small households: the type constant (10000 x (type + 1)), the group-size
// dummy (100 x size) and the marked member (1.0 through the drop-off count,
// which types 0, 1, 6 and 7 carry) come back from each decoded number.
TEST_P(MdcevAlternativeCodesTest, SmallHouseholdNumbersNameTheEvaluatedMembers) {
    const int typeConstants[8] = {35002, 35001, 35005, 35003, 35004, 35006, 35007, 35008};
    const int dropOffTerms[] = {35064, 35063, 35065, 35066};
    CModelSystem system;
    CMdcevMM model(&system, "MDCEV", 14);
    for (int t = 0; t < 8; ++t) model.m_terms.Add(typeConstants[t], 10000.0 * (t + 1));
    for (int m = 2; m <= 5; ++m) model.m_terms.Add(35076 + m, 100.0 * m);
    for (int id : dropOffTerms) model.m_terms.Add(id, 1.0);
    for (int n = 1; n < CMdcevMM::kLargeHouseholdSize; ++n) {
        LocationTestWorld world(GetParam());
        std::vector<Row> persons;
        for (int i = 0; i < n; ++i) persons.push_back(Employed(i + 1));
        CHouseholdObject* household = world.Load({{0, 30}, {3, 1}}, persons);
        for (int marked = 0; marked < n; ++marked) {
            for (int i = 0; i < n; ++i) world.Person(i)->m_bDropsOffChildren = i == marked ? 1 : 0;
            const auto entries = model.BuildChoiceSet(household, &world.manager);
            const int groups = (1 << n) - 1;
            ASSERT_EQ(static_cast<int>(entries.size()), 8 * groups + n) << n;
            std::set<std::pair<int, unsigned>> seen;
            for (const auto& [utility, code] : entries) {
                const Alternative a = MdcevAlternativeCodes::DecodeSmall(code, n);
                ASSERT_TRUE(a.valid) << code;
                EXPECT_TRUE(seen.insert({a.type, a.members}).second) << code;
                if (a.memberCount == 1) EXPECT_EQ(a.members, 1u << (a.person - 1));
                if (a.type == MdcevAlternativeCodes::kIndividualType) {
                    EXPECT_EQ(a.memberCount, 1);
                    EXPECT_EQ(utility, 0.0) << code;
                    continue;
                }
                const bool hasMarked = (a.members >> marked) & 1u;
                const double markedValue = (a.type == 0 || a.type == 1 || a.type == 6 || a.type == 7) && hasMarked;
                const double sizeValue = a.memberCount >= 2 ? 100.0 * a.memberCount : 0.0;
                EXPECT_EQ(utility, 10000.0 * (a.type + 1) + sizeValue + markedValue) << "n " << n << " code " << code;
            }
        }
    }
}

// Large households: the type constant (1000 x (type + 1), none for type 8)
// and the work duration of the latest worker among persons 0 to i (i + 1
// minutes for person i, carried by types 0, 1, 2, 3, 7 and 8) give the type
// and the person back.
TEST_P(MdcevAlternativeCodesTest, LargeHouseholdNumbersNameTheEvaluatedPerson) {
    const int durationTerms[] = {36034, 36035, 36036, 36037, 36038, 36039};
    const std::set<int> typesWithDuration = {0, 1, 2, 3, 7, 8};
    CModelSystem system;
    CMdcevMM model(&system, "MDCEV2", 10);
    for (int t = 0; t < 8; ++t) model.m_terms.Add(36001 + t, 1000.0 * (t + 1));
    for (int id : durationTerms) model.m_terms.Add(id, 1.0);
    for (int n = CMdcevMM::kLargeHouseholdSize; n <= 8; ++n) {
        LocationTestWorld world(GetParam());
        std::vector<Row> persons;
        for (int i = 0; i < n; ++i) persons.push_back(Employed(i + 1));
        CHouseholdObject* household = world.Load({{0, 31}, {3, 1}}, persons);
        for (int i = 0; i < n; ++i) LocationTestWorld::MakeWorker(world.Person(i), 480.0, i + 1.0);

        const auto entries = model.BuildChoiceSetLarge(household, &world.manager);
        ASSERT_EQ(static_cast<int>(entries.size()), 9 * n);
        std::set<std::pair<int, int>> seen;
        for (const auto& [utility, code] : entries) {
            const Alternative a = MdcevAlternativeCodes::DecodeLarge(code, n);
            ASSERT_TRUE(a.valid) << code;
            EXPECT_FALSE(a.joint);
            EXPECT_TRUE(seen.insert({a.type, a.person}).second) << code;
            const double typeValue = a.type < 8 ? 1000.0 * (a.type + 1) : 0.0;
            const double personValue = typesWithDuration.count(a.type) ? a.person : 0.0;
            EXPECT_EQ(utility, typeValue + personValue) << "n " << n << " code " << code;
        }
    }
}

TEST(MdcevAlternativeCodes, NumbersOutsideTheChoiceSetAreNotValid) {
    using namespace MdcevAlternativeCodes;
    EXPECT_TRUE(DecodeSmall(8 * 3 + 2, 2).valid && DecodeLarge(53, 6).valid);
    for (const Alternative& a : {DecodeSmall(0, 2), DecodeSmall(8 * 3 + 3, 2), DecodeSmall(1, 6), DecodeLarge(-1, 6),
                                 DecodeLarge(54, 6), DecodeLarge(0, 5)})
        EXPECT_FALSE(a.valid);
}

INSTANTIATE_TEST_SUITE_P(Db, MdcevAlternativeCodesTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
