// Computed variables from index 340 of the household's composition and income,
// the person, and the person's activity participation, on hand-built households.

#include <gtest/gtest.h>

#include <algorithm>

#include "Variables340Fixtures.h"

using namespace Variables340Fixtures;

namespace {

// Mother 44 (employed), father 47 (employed), a grandmother of 70, a school
// child of 10 and a child of exactly 15.
class Family340Test : public Rows340Test {
protected:
    void SetUp() override {
        household = Rows().Household({{0, 5}, {kSize, 5}, {kVehicles, 2}, {kHomeZoneColumn, 10}, {kIncome, 100}});
        mother = Rows().AddPerson(
            *household, {{kAge, 44}, {kFemale, 1}, {kEmployed, 1}, {kParent, 1}, {kMother, 1}, {57, 1}, {58, 1}},
            {0});
        father = Rows().AddPerson(*household, {{kAge, 47}, {kEmployed, 1}, {kParent, 1}, {kFather, 1}}, {0});
        grandmother = Rows().AddPerson(*household, {{kAge, 70}, {kFemale, 1}});
        child = Rows().AddPerson(*household, {{kAge, 10}, {kStudent, 1}}, {0, 1});
        teenager = Rows().AddPerson(*household, {{kAge, 15}, {kStudent, 1}}, {1});
        household->SetWorkOrSchoolAdultCount(2);
    }

    Frame Of(CPersonObject* person) { return FrameOf(household.get(), person); }
    Frame Household() { return FrameOf(household.get()); }

    std::unique_ptr<CHouseholdObject> household;
    CPersonObject* mother = nullptr;
    CPersonObject* father = nullptr;
    CPersonObject* grandmother = nullptr;
    CPersonObject* child = nullptr;
    CPersonObject* teenager = nullptr;
};

TEST_P(Family340Test, ParentsAges) {
    EXPECT_EQ(Value(30356, Household()), 44.0);
    EXPECT_EQ(Value(30357, Household()), 47.0);
}

TEST_P(Family340Test, ParentAgeIsTheFirstParentsAndSurvivesLaterMembers) {
    // A second mother later in the list does not replace the first one's age,
    // and members after the parent who are not parents do not clear it.
    Rows().AddPerson(*household, {{kAge, 66}, {kFemale, 1}, {kParent, 1}});
    Rows().AddPerson(*household, {{kAge, 20}});
    EXPECT_EQ(Value(30356, Household()), 44.0);
    auto noParents = Rows().Household({{kSize, 1}});
    Rows().AddPerson(*noParents, {{kAge, 30}});
    EXPECT_EQ(Value(30356, FrameOf(noParents.get())), 0.0);
    EXPECT_EQ(Value(30357, FrameOf(noParents.get())), 0.0);
}

TEST_P(Family340Test, Composition) {
    const Frame f = Household();
    EXPECT_EQ(Value(30504, f), 0.0);
    EXPECT_EQ(Value(30505, f), 1.0);  // the child of 10 with flag 0; the teenager is 15 without flag 0
    EXPECT_EQ(Value(30632, f), 1.0);
    EXPECT_EQ(Value(30506, f), 3.0);  // 5 members, 2 going to work
    EXPECT_EQ(Value(30511, f), 2.0);
    EXPECT_EQ(Value(30507, f), 0.0);  // column 1 is 5
    EXPECT_EQ(Value(30510, f), 0.0);  // two women over 18
    EXPECT_EQ(Value(30516, f), 2.0);
    EXPECT_EQ(Value(30631, f), 0.0);
    EXPECT_EQ(Value(30640, f), 2.0);
    EXPECT_EQ(Value(30698, f), 1.0);
    EXPECT_EQ(Value(30699, f), 1.0);
    EXPECT_EQ(Value(30911, f), 2.0);  // the child is under 16, the grandmother counts
    EXPECT_EQ(Value(30907, f), 0.0);
    EXPECT_EQ(Value(30908, f), 1.0);
    EXPECT_EQ(Value(30909, f), 0.0);
    EXPECT_EQ(Value(30910, f), 0.0);
}

TEST_P(Family340Test, CoupleAndSingleParentAndLoneAdult) {
    auto couple = Rows().Household({{kSize, 2}});
    Rows().AddPerson(*couple, {{kAge, 19}, {kFemale, 1}});
    Rows().AddPerson(*couple, {{kAge, 19}});
    EXPECT_EQ(Value(30510, FrameOf(couple.get())), 1.0);

    auto single = Rows().Household({{kSize, 1}, {kSingle, 1}});
    Rows().AddPerson(*single, {{kAge, 16}});
    EXPECT_EQ(Value(30631, FrameOf(single.get())), 1.0);
    EXPECT_EQ(Value(30504, FrameOf(single.get())), 1.0);
    EXPECT_EQ(Value(30507, FrameOf(single.get())), 0.0);
    Rows().AddPerson(*single, {{kAge, 15.9}});
    EXPECT_EQ(Value(30507, FrameOf(single.get())), 1.0);  // column 1 still 1, a child now
    EXPECT_EQ(Value(30631, FrameOf(single.get())), 0.0);

    auto lone = Rows().Household({{kSize, 1}});
    Rows().AddPerson(*lone, {{kAge, 15.9}});
    EXPECT_EQ(Value(30631, FrameOf(lone.get())), 0.0);
}

TEST_P(Family340Test, HouseholdWithoutMembersCountsNothing) {
    auto empty = Rows().Household({{kSize, 0}, {kIncome, 50}});
    const Frame f = FrameOf(empty.get());
    for (int id : {30356, 30357, 30505, 30507, 30510, 30511, 30516, 30631, 30632, 30640, 30698, 30699, 30911})
        EXPECT_EQ(Value(id, f), 0.0) << id;
    EXPECT_EQ(Value(30501, f), 50.0);
}

TEST_P(Family340Test, IncomeBandsAtTheirBounds) {
    struct Case {
        double income;
        std::vector<int> on;
    };
    const std::vector<Case> cases = {
        {100.0, {30612, 30613}}, {35.0, {30612, 30914}}, {75.0, {30612}},          {25.0, {30612, 30615, 30914}},
        {150.0, {30611, 30613}}, {150.5, {30611, 30614}}, {34.9, {30612, 30615, 30914}}, {50.0, {30612, 30616}},
    };
    const std::vector<int> bands = {30611, 30612, 30613, 30614, 30615, 30616, 30914};
    for (const Case& c : cases) {
        auto h = Rows().Household({{kIncome, c.income}});
        for (int id : bands) {
            const bool expected = std::find(c.on.begin(), c.on.end(), id) != c.on.end();
            EXPECT_EQ(Value(id, FrameOf(h.get())), expected ? 1.0 : 0.0) << "income " << c.income << " id " << id;
        }
        EXPECT_EQ(Value(30501, FrameOf(h.get())), c.income);
    }
}

TEST_P(Family340Test, ThePerson) {
    EXPECT_EQ(Value(30503, Of(mother)), 1.0);
    EXPECT_EQ(Value(30502, Of(mother)), 0.0);
    EXPECT_EQ(Value(30502, Of(father)), 1.0);
    EXPECT_EQ(Value(30503, Of(grandmother)), 0.0);  // not a parent
    EXPECT_EQ(Value(30512, Of(mother)), 1.0);
    EXPECT_EQ(Value(30513, Of(mother)), 0.0);
    EXPECT_EQ(Value(30621, Of(mother)), 2.0);
    EXPECT_EQ(Value(30531, Of(child)), 1.0);
    EXPECT_EQ(Value(30531, Of(mother)), 0.0);
    father->m_bPicksUpChildren = 1;
    mother->m_bDropsOffChildren = 1;
    EXPECT_EQ(Value(30530, Of(father)), 1.0);
    EXPECT_EQ(Value(30533, Of(father)), 0.0);
    EXPECT_EQ(Value(30533, Of(mother)), 1.0);
    // Household level: no person in hand.
    for (int id : {30502, 30503, 30512, 30513, 30517, 30621, 30530, 30531, 30533})
        EXPECT_EQ(Value(id, Household()), 0.0) << id;
}

TEST_P(Family340Test, AgeBandsAtTheirBounds) {
    auto h = Rows().Household({});
    const auto at = [&](double age) { return FrameOf(h.get(), Rows().AddPerson(*h, {{kAge, age}})); };
    EXPECT_EQ(Value(30512, at(60.0)), 0.0);
    EXPECT_EQ(Value(30512, at(41.0)), 1.0);
    EXPECT_EQ(Value(30513, at(40.0)), 0.0);
    EXPECT_EQ(Value(30513, at(26.0)), 1.0);
    EXPECT_EQ(Value(30517, at(5.0)), 1.0);
    EXPECT_EQ(Value(30517, at(15.0)), 0.0);
}

TEST_P(Family340Test, ActivityFlagsAndDurations) {
    const std::vector<std::pair<int, int>> flags = {{30520, 7}, {30521, 11}, {30522, 3}, {30523, 8}, {30524, 4},
                                                    {30525, 9}, {30526, 10}, {30527, 6}, {30528, 5}, {30529, 2}};
    for (auto [id, flag] : flags) {
        EXPECT_EQ(Value(id, Of(grandmother)), 0.0) << id;
        grandmother->SetFlag(flag, true);
        EXPECT_EQ(Value(id, Of(grandmother)), 1.0) << id;
        grandmother->SetFlag(flag, false);
    }
    const std::vector<std::pair<int, int>> durations = {{30560, 9}, {30561, 0}, {30562, 7}, {30563, 5},
                                                        {30564, 3}, {30565, 1}, {30566, 8}, {30567, 4}};
    for (auto [id, type] : durations) grandmother->SetActivityDuration(type, 10.0 + type);
    for (auto [id, type] : durations) EXPECT_EQ(Value(id, Of(grandmother)), 10.0 + type) << id;
}

INSTANTIATE_TEST_SUITE_P(Db, Family340Test, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
