// Household activity choice sets of the MDCEV models: which alternatives a
// household has, how they are numbered, and their baseline utilities.

#include <gtest/gtest.h>

#include "LocationTestWorld.h"

#include "models/CMdcevMM.h"
#include "modelsystem/CEditorRegistry.h"
#include "modelsystem/CModelSystem.h"

#include <vector>

namespace {

using Entries = std::vector<CMdcevMM::ChoiceSetEntry>;
using Row = LocationTestWorld::Row;

std::vector<int> Numbers(const Entries& entries) {
    std::vector<int> numbers;
    for (const auto& e : entries) numbers.push_back(e.second);
    return numbers;
}

const CMdcevMM::ChoiceSetEntry* Find(const Entries& entries, int number) {
    for (const auto& e : entries)
        if (e.second == number) return &e;
    return nullptr;
}

Row Adult(int number, bool employed, bool female = false, double age = 35.0) {
    return {{0, 21}, {1, number}, {2, employed ? 1.0 : 0.0}, {7, female ? 1.0 : 0.0}, {8, age}};
}

Row Child(int number, double age) { return {{0, 21}, {1, number}, {8, age}}; }

class MdcevTest : public ::testing::TestWithParam<std::string> {
protected:
    MdcevTest()
        : world(GetParam()), small(&system, "MDCEV", 14), large(&system, "MDCEV2", 10) {}

    CHouseholdObject* Load(const std::vector<Row>& persons, double income = 40.0) {
        world.AddZone(5, {{3, 4.5}, {5, 7.0}, {6, 3.0}, {30, 20000.0}, {40, 5000.0}});
        return world.Load({{0, 21}, {2, 2}, {3, 5}, {7, income}}, persons);
    }

    LocationTestWorld world;
    CModelSystem system;
    CMdcevMM small;
    CMdcevMM large;
};

TEST_P(MdcevTest, OnePerson) {
    Load({Adult(1, true)});
    ASSERT_EQ(world.household->GetPersonCount(), 1);
    // Types 0 to 7 with the person, then the person alone (type 8).
    EXPECT_EQ(Numbers(small.BuildChoiceSet(world.household.get(), &world.manager)),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_P(MdcevTest, OnePersonNotEmployedHasNoIndividualAlternative) {
    Load({Adult(1, false)});
    EXPECT_EQ(Numbers(small.BuildChoiceSet(world.household.get(), &world.manager)),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_P(MdcevTest, ChildUnderSixAloneHasNoAlternative) {
    Load({Child(1, 5.0)});
    EXPECT_TRUE(small.BuildChoiceSet(world.household.get(), &world.manager).empty());
}

TEST_P(MdcevTest, TwoChildrenNeverFormAGroup) {
    Load({Child(1, 10.0), Child(2, 12.0)});
    std::vector<int> expected;
    for (int t = 0; t < 8; ++t) {
        expected.push_back(3 * t + 1);
        expected.push_back(3 * t + 2);
    }
    EXPECT_EQ(Numbers(small.BuildChoiceSet(world.household.get(), &world.manager)), expected);
}

TEST_P(MdcevTest, PickUpWithoutWorkKeepsAPersonOutOfGroups) {
    Load({Adult(1, false), Adult(2, true)});
    world.Person(0)->m_bPicksUpChildren = 1;
    std::vector<int> expected;
    for (int t = 0; t < 8; ++t) {
        expected.push_back(3 * t + 1);
        expected.push_back(3 * t + 2);
    }
    expected.push_back(26);  // person 2 alone
    EXPECT_EQ(Numbers(small.BuildChoiceSet(world.household.get(), &world.manager)), expected);
    // With work or school the same person joins groups again (and, not
    // employed, still has no individual alternative).
    LocationTestWorld::MakeWorker(world.Person(0), 480, 480);
    EXPECT_EQ(small.BuildChoiceSet(world.household.get(), &world.manager).size(), 25u);
}

TEST_P(MdcevTest, EveryGroupOfEmployedAdultsUpToFive) {
    for (int n = 1; n <= 5; ++n) {
        LocationTestWorld w(GetParam());
        std::vector<Row> persons;
        for (int i = 1; i <= n; ++i) persons.push_back(Adult(i, true));
        w.Load({{0, 21}, {3, 5}}, persons);
        const Entries entries = small.BuildChoiceSet(w.household.get(), &w.manager);
        const int count = n + 8 * ((1 << n) - 1);
        ASSERT_EQ(static_cast<int>(entries.size()), count) << n << " persons";
        for (int k = 1; k <= count; ++k) EXPECT_EQ(entries[static_cast<size_t>(k - 1)].second, k);
    }
}

TEST_P(MdcevTest, SmallBuilderLeavesEmptyAndLargeHouseholdsAlone) {
    Load({});
    EXPECT_TRUE(small.BuildChoiceSet(world.household.get(), &world.manager).empty());
    LocationTestWorld w(GetParam());
    std::vector<Row> persons;
    for (int i = 1; i <= 6; ++i) persons.push_back(Adult(i, true));
    w.Load({{0, 21}, {3, 5}}, persons);
    EXPECT_TRUE(small.BuildChoiceSet(w.household.get(), &w.manager).empty());
    EXPECT_EQ(small.BuildChoiceSet(nullptr, &w.manager).size(), 0u);
}

TEST_P(MdcevTest, BaselineUtilitiesOfAWorkerAndASchoolChild) {
    // Household income 120 (high), 2 vehicles, home zone 5 (column 3 = 4.5).
    // Person 1: employed woman, work 480 + 540, drops off a child.
    // Person 2: child of 10 going to school, 500 + 400.
    Load({Adult(1, true, true, 40.0), Child(2, 10.0)}, 120.0);
    LocationTestWorld::MakeWorker(world.Person(0), 480, 540);
    LocationTestWorld::MakeWorker(world.Person(1), 500, 400);
    world.Person(0)->m_bDropsOffChildren = 1;
    const std::vector<std::pair<int, double>> terms{
        {35002, 0.11}, {35009, 0.13}, {35035, 0.17}, {35036, 0.19}, {35037, 0.23}, {35045, 0.29},
        {35051, 0.31}, {35058, 0.37}, {35059, 0.41}, {35063, 0.43}, {35067, 0.47}, {35068, 0.53},
        {35078, 0.59}, {35083, 0.61}, {35050, 0.67}, {35015, 0.71}, {35001, 0.73}, {36001, 5.0}};
    for (const auto& [id, c] : terms) small.m_terms.Add(id, c);

    const Entries entries = small.BuildChoiceSet(world.household.get(), &world.manager);
    // 24 group alternatives and person 1 alone; the child alone is not employed.
    ASSERT_EQ(entries.size(), 25u);
    EXPECT_EQ(entries.back().second, 25);

    // Type 1, both persons (k = 1 x 3 + 3): one school child, high income in a
    // group, 2 vehicles, latest work end 1.02, longest work 0.54, one child in
    // a group, one drop-off, zone column 3, two members, a group, constant.
    const double both = 1 * 0.13 + 1 * 0.19 + 2 * 0.23 + 1.02 * 0.29 + 0.54 * 0.31 + 1 * 0.41 + 1 * 0.43 +
                        4.5 * 0.53 + 1 * 0.59 + 1 * 0.61 + 1 * 0.73;
    ASSERT_NE(Find(entries, 6), nullptr);
    EXPECT_NEAR(Find(entries, 6)->first, both, 1e-12);

    // Type 0, the child alone (k = 2): constant, high income alone, one child alone.
    ASSERT_NE(Find(entries, 2), nullptr);
    EXPECT_NEAR(Find(entries, 2)->first, 0.11 + 0.17 + 0.37, 1e-12);

    // Type 8, person 1 alone (k = 25): school children, latest work end; 35035
    // gives 0.0 for this type.
    EXPECT_NEAR(Find(entries, 25)->first, 1 * 0.71 + 1.02 * 0.67, 1e-12);
}

TEST_P(MdcevTest, FamilyGroupNeedsThreeMembersAWomanAndAChild) {
    Load({Adult(1, true, true), Adult(2, true), Child(3, 9.0)});
    small.m_terms.Add(35067, 1.0);
    const Entries entries = small.BuildChoiceSet(world.household.get(), &world.manager);
    // M = 7; type 0: subset 7 (all three) is a family group, subset 3 (the two adults) is not.
    EXPECT_EQ(Find(entries, 7)->first, 1.0);
    EXPECT_EQ(Find(entries, 3)->first, 0.0);
    EXPECT_EQ(Find(entries, 5)->first, 0.0);  // woman and child: two members
}

TEST_P(MdcevTest, LargeHouseholdStopsAtTheFirstChildUnderSix) {
    Load({Adult(1, true, true), Adult(2, false), Child(3, 4.0), Adult(4, true), Adult(5, true), Adult(6, true)});
    std::vector<int> expected;
    for (int t = 0; t < 9; ++t) {
        expected.push_back(6 * t);
        expected.push_back(6 * t + 1);
    }
    EXPECT_EQ(Numbers(large.BuildChoiceSetLarge(world.household.get(), &world.manager)), expected);
}

TEST_P(MdcevTest, LargeHouseholdIndividualTypeWaitsForAnEmployedPerson) {
    Load({Adult(1, false), Adult(2, true), Adult(3, false), Adult(4, false), Adult(5, false), Adult(6, false)});
    const Entries entries = large.BuildChoiceSetLarge(world.household.get(), &world.manager);
    EXPECT_EQ(entries.size(), 8u * 6u + 5u);
    EXPECT_EQ(Find(entries, 48), nullptr);
    EXPECT_NE(Find(entries, 49), nullptr);
    EXPECT_NE(Find(entries, 53), nullptr);
}

TEST_P(MdcevTest, LargeHouseholdBaselineUtilitiesUseThePersonsSoFar) {
    // Income 50 thousand (middle), home zone 5 (column 30 = 20000).
    Load({Adult(1, true, true), Adult(2, false), Adult(3, true, true), Adult(4, false), Adult(5, false),
          Adult(6, false)},
         50.0);
    LocationTestWorld::MakeWorker(world.Person(0), 480, 500);
    LocationTestWorld::MakeWorker(world.Person(2), 420, 300);
    const std::vector<std::pair<int, double>> terms{{36018, 0.5}, {36034, 0.001}, {36015, 2.0}, {36001, 1.0},
                                                    {36044, 3.0}, {36009, 0.7},   {36002, 1.1}, {35037, 0.9},
                                                    {36010, 0.3}, {36024, 9.0},   {36028, 9.0}, {36040, 0.25}};
    for (const auto& [id, c] : terms) large.m_terms.Add(id, c);
    const Entries entries = large.BuildChoiceSetLarge(world.household.get(), &world.manager);
    ASSERT_EQ(entries.size(), 54u);
    for (size_t j = 0; j < entries.size(); ++j) EXPECT_EQ(entries[j].second, static_cast<int>(j));

    // Type 0: women so far x 0.5, latest work duration x 0.001, middle income,
    // constant, zone column 30 / 10000 x 3.
    EXPECT_NEAR(entries[0].first, 1 * 0.5 + 500 * 0.001 + 2.0 + 1.0 + 2.0 * 3.0, 1e-12);
    EXPECT_NEAR(entries[1].first, 1 * 0.5 + 500 * 0.001 + 2.0 + 1.0 + 2.0 * 3.0, 1e-12);
    EXPECT_NEAR(entries[2].first, 2 * 0.5 + 300 * 0.001 + 2.0 + 1.0 + 2.0 * 3.0, 1e-12);
    // Type 1: six persons, constant 36002 and 35037.
    EXPECT_NEAR(entries[6].first, 0.7 + 1.1 + 0.9, 1e-12);
    // Type 4: 36010 is a constant and leaves the numbering alone; 36040 is
    // zone column 3.
    EXPECT_NEAR(entries[24].first, 0.3 + 4.5 * 0.25, 1e-12);
    EXPECT_EQ(entries[30].second, 30);
    // Type 8: none of the terms.
    EXPECT_EQ(entries[53].first, 0.0);
}

TEST_P(MdcevTest, CopyAndEdit) {
    CMdcevMM source(&system, "MDCEV", 14);
    source.m_terms.Add(35001, 0.5);
    source.m_satiationValues = {1.0, 2.0};
    small.CopyParameters(source);
    EXPECT_EQ(small.m_terms.m_nCount, 1);
    EXPECT_EQ(small.m_satiationValues, (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(small.GetAlternativeCount(), 14);

    CEditorRegistry::Install<CMdcevMM>([](const CMdcevMM&, CMdcevMM::Parameters& edited) {
        edited.satiationValues.push_back(3.0);
        edited.terms.Clear();
        return false;
    });
    small.Edit();
    EXPECT_EQ(small.m_satiationValues.size(), 2u);
    CEditorRegistry::Install<CMdcevMM>([](const CMdcevMM&, CMdcevMM::Parameters& edited) {
        edited.satiationValues.push_back(3.0);
        edited.terms.Clear();
        return true;
    });
    small.Edit();
    CEditorRegistry::Remove<CMdcevMM>();
    EXPECT_EQ(small.m_satiationValues, (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_EQ(small.m_terms.m_nCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Db, MdcevTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
