// Computed variables of the household's composition, the person, work and
// school times of the person and the parents, activity flags, escort roles and
// home-zone attributes, on hand-built households.

#include <gtest/gtest.h>

#include <cmath>

#include "data/CInputDataManager.h"
#include "modelsystem/CModelSystem.h"
#include "models/computed/ComputedVariableHelpers.h"
#include "schedules/CNWPattern.h"
#include "schedules/CWPattern.h"
#include "support/RecordingMessageSink.h"
#include "ComputedVariableFixtures.h"

using namespace ComputedVariableFixtures;

namespace {

constexpr int kHomeZone = 10;

// Two working parents, a school child and a pre-school child.
class FamilyTest : public RowTest {
protected:
    void SetUp() override {
        household = Rows().Household({{0, 1}, {1, 4}, {3, kHomeZone}, {5, 7}});
        mother = Rows().AddPerson(*household, {{kAge, 40}, {kFemale, 1}, {kEmployed, 1}, {kMother, 1}}, {0});
        father = Rows().AddPerson(*household, {{kAge, 42}, {kEmployed, 1}, {kFather, 1}}, {0});
        child = Rows().AddPerson(*household, {{kAge, 10}, {kStudent, 1}, {kSchoolZone, kHomeZone}}, {0});
        toddler = Rows().AddPerson(*household, {{kAge, 4}, {kFemale, 1}});
        MakeWorkerPattern(mother, 480, 540);
        MakeWorkerPattern(father, 420, 600);
        MakeWorkerPattern(child, 500, 400);
        toddler->CreatePattern();
        household->SetWorkOrSchoolAdultCount(2);
    }

    CVariableEvaluator::Frame Of(CPersonObject* person) {
        return PersonFrame(household.get(), person);
    }

    std::unique_ptr<CHouseholdObject> household;
    CPersonObject* mother = nullptr;
    CPersonObject* father = nullptr;
    CPersonObject* child = nullptr;
    CPersonObject* toddler = nullptr;
};

TEST_P(FamilyTest, ConstantIsOneEvenWithoutAnyObject) {
    EXPECT_EQ(Value(30000, CVariableEvaluator::Frame{}), 1.0);
    EXPECT_EQ(Value(30000, Of(child)), 1.0);
}

TEST_P(FamilyTest, ChildrenOfTheHousehold) {
    const auto f = FrameOf(household.get());
    EXPECT_EQ(Value(30005, f), 1.0);
    EXPECT_EQ(Value(30006, f), 0.0);
    EXPECT_EQ(Value(30182, f), 1.0);
    EXPECT_EQ(Value(30183, f), 1.0);
    EXPECT_EQ(Value(30184, f), Value(30006, f));
    EXPECT_EQ(Value(30261, f), 0.0);
    EXPECT_EQ(Value(30008, f), 1.0);
    EXPECT_EQ(Value(30009, f), 1.0);
    // With one school-going child, a male person does not count as "multiple".
    EXPECT_EQ(Value(30060, Of(father)), 0.0);
}

TEST_P(FamilyTest, ChildrenCountedForTheMotherOnly) {
    EXPECT_EQ(Value(30010, Of(mother)), 1.0);
    EXPECT_EQ(Value(30011, Of(mother)), 1.0);
    EXPECT_EQ(Value(30185, Of(mother)), 1.0);
    EXPECT_EQ(Value(30186, Of(mother)), 0.0);
    EXPECT_EQ(Value(30187, Of(mother)), 1.0);
    EXPECT_EQ(Value(30188, Of(mother)), 1.0);
    EXPECT_EQ(Value(30189, Of(mother)), 0.0);
    EXPECT_EQ(Value(30190, Of(mother)), 1.0);
    for (int id : {30010, 30011, 30185, 30187, 30188, 30190}) EXPECT_EQ(Value(id, Of(father)), 0.0) << id;
}

TEST_P(FamilyTest, MotherValueOtherThanOneOrZeroIsReportedAndUsed) {
    RecordingMessageSink sink;
    auto h = Rows().Household({{1, 2}, {3, kHomeZone}});
    CPersonObject* odd = Rows().AddPerson(*h, {{kAge, 30}, {kMother, 2}});
    Rows().AddPerson(*h, {{kAge, 8}}, {0});
    Rows().AddPerson(*h, {{kAge, 9}}, {0});
    EXPECT_EQ(Value(30010, FrameOf(h.get(), odd)), 4.0);
    EXPECT_EQ(sink.Texts(), std::vector<std::string>{"Problem: Person table's mother value is not 1 or 0"});
    sink.Clear();
    EXPECT_EQ(Value(30010, Of(mother)), 1.0);
    EXPECT_TRUE(sink.Texts().empty());
}

TEST_P(FamilyTest, MultipleSchoolGoingChildrenForAMalePerson) {
    auto h = Rows().Household({{1, 3}});
    CPersonObject* man = Rows().AddPerson(*h, {{kAge, 40}});
    CPersonObject* woman = Rows().AddPerson(*h, {{kAge, 40}, {kFemale, 1}});
    Rows().AddPerson(*h, {{kAge, 8}}, {0});
    Rows().AddPerson(*h, {{kAge, 9}}, {0});
    EXPECT_EQ(Value(30060, FrameOf(h.get(), man)), 1.0);
    EXPECT_EQ(Value(30060, FrameOf(h.get(), woman)), 0.0);
    EXPECT_EQ(Value(30006, FrameOf(h.get())), 1.0);
    EXPECT_EQ(Value(30184, FrameOf(h.get())), 1.0);
    EXPECT_EQ(Value(30261, FrameOf(h.get())), 0.0);
}

TEST_P(FamilyTest, WorkersAndNonWorkers) {
    const auto f = FrameOf(household.get());
    EXPECT_EQ(Value(30020, f), 2.0);
    EXPECT_EQ(Value(30021, f), 1.0);
    EXPECT_EQ(Value(30192, f), 0.0);
    EXPECT_EQ(Value(30193, f), 1.0);
    EXPECT_EQ(Value(30022, f), 2.0);  // household column 1 (4) less two workers
    EXPECT_EQ(Value(30194, f), 0.0);
    EXPECT_EQ(Value(30195, f), 1.0);
    EXPECT_EQ(Value(30196, f), 1.0);
    EXPECT_EQ(Value(30023, f), 1.0);  // the toddler
    EXPECT_EQ(Value(30024, f), 1.0);
    EXPECT_EQ(Value(30197, f), 1.0);
    EXPECT_EQ(Value(30198, f), 0.0);
    EXPECT_EQ(Value(30058, f), 1.0);  // the mother
    EXPECT_EQ(Value(30059, f), 1.0);
}

TEST_P(FamilyTest, AnotherAdultWorksLeavesThePersonOut) {
    EXPECT_EQ(Value(30016, Of(mother)), 1.0);
    father->SetFlag(0, false);
    EXPECT_EQ(Value(30016, Of(mother)), 0.0);
    EXPECT_EQ(Value(30016, Of(father)), 1.0);
}

TEST_P(FamilyTest, WorkerFlagAndFemaleWorker) {
    EXPECT_EQ(Value(30012, Of(mother)), 1.0);
    EXPECT_EQ(Value(30012, Of(toddler)), 0.0);
    EXPECT_EQ(Value(30088, Of(mother)), 1.0);
    EXPECT_EQ(Value(30088, Of(father)), 0.0);
    EXPECT_EQ(Value(30088, Of(toddler)), 0.0);
}

TEST_P(FamilyTest, OwnWorkAndSchoolTimes) {
    EXPECT_EQ(Value(30001, Of(child)), 1.0);
    EXPECT_EQ(Value(30002, Of(child)), 500.0);
    EXPECT_EQ(Value(30003, Of(child)), 900.0);
    EXPECT_EQ(Value(30004, Of(child)), 400.0);
    for (int id : {30001, 30002, 30003, 30004}) EXPECT_EQ(Value(id, Of(mother)), 0.0) << id;
    EXPECT_EQ(Value(30013, Of(mother)), 480.0);
    EXPECT_EQ(Value(30014, Of(mother)), 1020.0);
    EXPECT_EQ(Value(30015, Of(mother)), 540.0);
    for (int id : {30013, 30014, 30015}) EXPECT_EQ(Value(id, Of(toddler)), 0.0) << id;
}

TEST_P(FamilyTest, ParentsWorkTimes) {
    const auto f = Of(child);
    EXPECT_EQ(Value(30025, f), 480.0);
    EXPECT_EQ(Value(30026, f), 540.0);
    EXPECT_EQ(Value(30027, f), 420.0);
    EXPECT_EQ(Value(30028, f), 600.0);
    EXPECT_EQ(Value(30199, f), 1.0);
    EXPECT_EQ(Value(30200, f), 1020.0);
    EXPECT_EQ(Value(30201, f), 1.0);
    EXPECT_EQ(Value(30202, f), 1020.0);
    EXPECT_EQ(Value(30327, f), 1.0);
    // Both parents' jobs end after the child's school (900).
    EXPECT_EQ(Value(30328, f), 0.0);
    dynamic_cast<CWPattern*>(father->GetPattern())->SetWorkDuration(400);  // ends 820
    EXPECT_EQ(Value(30328, f), 1.0);
    // A parent that does not work today is not counted.
    mother->SetFlag(0, false);
    EXPECT_EQ(Value(30199, f), 0.0);
    EXPECT_EQ(Value(30025, f), 0.0);
    EXPECT_EQ(Value(30327, f), 0.0);
}

TEST_P(FamilyTest, TwoWorkingMothersAreSummed) {
    auto h = Rows().Household({{1, 2}});
    CPersonObject* a = Rows().AddPerson(*h, {{kAge, 40}, {kMother, 1}}, {0});
    CPersonObject* b = Rows().AddPerson(*h, {{kAge, 38}, {kMother, 1}}, {0});
    MakeWorkerPattern(a, 480, 500);
    MakeWorkerPattern(b, 300, 200);
    EXPECT_EQ(Value(30199, FrameOf(h.get())), 2.0);
    EXPECT_EQ(Value(30025, FrameOf(h.get())), 780.0);
    EXPECT_EQ(Value(30327, FrameOf(h.get())), 1.0);  // two "parents" working
}

TEST_P(FamilyTest, ParentsAgainstTheEarliestChild) {
    // The toddler (no school) counts 0, so every parent starts after it.
    EXPECT_EQ(Value(30329, Of(mother)), 1.0);
    EXPECT_EQ(Value(30330, Of(mother)), 0.0);
    EXPECT_EQ(Value(30331, Of(mother)), 1.0);
    // Against the school child alone: starts 500, ends 900.
    toddler->SetValue(kAge, 30);
    EXPECT_EQ(Value(30329, Of(mother)), 0.0);  // father 420 < 500
    EXPECT_EQ(Value(30330, Of(mother)), 1.0);
    EXPECT_EQ(Value(30331, Of(mother)), 0.0);  // mother 480 < 500
    EXPECT_EQ(Value(30332, Of(mother)), 1.0);  // mother ends 1020 > 900
}

TEST_P(FamilyTest, WithoutChildrenParentsCompareAgainst1440) {
    auto h = Rows().Household({{1, 1}});
    CPersonObject* dad = Rows().AddPerson(*h, {{kAge, 40}, {kFather, 1}}, {0});
    MakeWorkerPattern(dad, 420, 600);
    EXPECT_EQ(Value(30329, FrameOf(h.get(), dad)), 0.0);
    EXPECT_EQ(Value(30330, FrameOf(h.get(), dad)), 1.0);
}

TEST_P(FamilyTest, RunningSumsDropFractionsOfMinutes) {
    auto h = Rows().Household({{1, 3}});
    CPersonObject* a = Rows().AddPerson(*h, {{kAge, 40}, {kMother, 1}}, {0});
    CPersonObject* b = Rows().AddPerson(*h, {{kAge, 38}, {kMother, 1}}, {0});
    CPersonObject* kid = Rows().AddPerson(*h, {{kAge, 8}}, {0});
    MakeWorkerPattern(a, 480.7, 10);
    MakeWorkerPattern(b, 100.6, 10);
    MakeWorkerPattern(kid, 581, 100);
    // 480 + 100.6 gives 580 (not 581.3), which is not above 581.
    EXPECT_EQ(Value(30331, FrameOf(h.get(), a)), 0.0);
}

TEST_P(FamilyTest, PatternOfTheOtherKindGivesNoWorkTimes) {
    // Flag 0 says "works" but the pattern in hand is a non-worker pattern.
    CNWPattern other(nullptr, mother);
    const auto f = FrameOf(household.get(), mother, &other);
    for (int id : {30013, 30014, 30015}) EXPECT_EQ(Value(id, f), 0.0) << id;
    // No pattern at all (a household-level evaluation).
    for (int id : {30013, 30002, 30003}) EXPECT_EQ(Value(id, FrameOf(household.get())), 0.0) << id;
}

TEST_P(FamilyTest, ActivityFlags) {
    mother->SetFlag(2, true);
    EXPECT_EQ(Value(30029, Of(mother)), 1.0);
    child->SetFlag(2, true);
    EXPECT_EQ(Value(30029, Of(child)), 0.0);
    father->SetFlag(2, true);
    father->SetValue(kEmployed, 0);
    EXPECT_EQ(Value(30029, Of(father)), 0.0);

    father->SetFlag(3, true);
    father->SetFlag(6, true);
    EXPECT_EQ(Value(30041, Of(father)), 1.0);
    EXPECT_EQ(Value(30045, Of(father)), 1.0);
    EXPECT_EQ(Value(30049, Of(father)), 1.0);
    EXPECT_EQ(Value(30047, Of(father)), 0.0);
    EXPECT_EQ(Value(30056, Of(father)), 0.0);
    EXPECT_EQ(Value(30057, Of(father)), 1.0);
    EXPECT_EQ(Value(30057, Of(toddler)), 0.0);
    EXPECT_EQ(Value(30042, Of(mother)), 1.0);
    EXPECT_EQ(Value(30042, Of(father)), 0.0);
}

TEST_P(FamilyTest, SchoolInTheHomeZone) {
    EXPECT_EQ(Value(30158, Of(child)), 1.0);
    child->SetValue(52, kHomeZone + 2);  // the larger of columns 6 and 52 is the school zone
    EXPECT_EQ(Value(30158, Of(child)), 0.0);
    EXPECT_EQ(Value(30158, Of(mother)), 0.0);  // not a student
}

TEST_P(FamilyTest, PersonVariablesWithoutAPersonAreZero) {
    const auto f = FrameOf(household.get());
    for (int id : {30010, 30011, 30012, 30029, 30041, 30057, 30088, 30158, 30159, 30160, 30038, 30148, 30001})
        EXPECT_EQ(Value(id, f), 0.0) << id;
}

TEST_P(FamilyTest, HomeZoneAttributesFromTheZonesTable) {
    CInputDataManager& manager = Rows().Manager();
    const auto f = FrameOf(household.get(), mother, nullptr, nullptr, nullptr, &manager);
    EXPECT_EQ(Value(30061, f), 1.5);  // zones column 1 of zone 10
    EXPECT_EQ(Value(30062, f), 7.0);  // zones column 3
    EXPECT_EQ(Value(30333, f), 0.0);  // a column the row lacks
    // Column 0 is the zone id, which is never served as a value.
    EXPECT_EQ(ComputedVariableHelpers::ZoneColumn(&manager, 0, kHomeZone), 0.0);
    EXPECT_EQ(ComputedVariableHelpers::ZoneColumn(&manager, 1, kHomeZone), 1.5);
    EXPECT_EQ(ComputedVariableHelpers::ZoneColumn(nullptr, 1, kHomeZone), 0.0);
    // Without a manager, no zone value.
    EXPECT_EQ(Value(30061, Of(mother)), 0.0);
}

// --- Escort roles from the household simulator ------------------------------------

TEST_P(FamilyTest, EscortRolesAreTheCurrentSimulatorsAnswersForThePerson) {
    ScriptedSimulator simulator;
    simulator.adult = mother;
    simulator.dropOff = true;
    simulator.joint = true;
    simulator.afterDropOff = 95.0;
    CModelSystem models;
    auto f = Of(mother);
    f.owner = &models;
    for (int id : {30038, 30039, 30040, 30146, 30147, 30148, 30149})
        EXPECT_EQ(Value(id, f), 0.0) << id << ": no household being simulated";
    models.m_pHousehold = &simulator;
    EXPECT_EQ(Value(30038, f), 1.0);
    EXPECT_EQ(Value(30147, f), 1.0);
    EXPECT_EQ(Value(30039, f), 0.0);
    EXPECT_EQ(Value(30146, f), 0.0);
    EXPECT_EQ(Value(30040, f), 1.0);
    EXPECT_EQ(Value(30148, f), 95.0);
    EXPECT_EQ(Value(30149, f), -1.0);
    auto other = Of(father);
    other.owner = &models;
    EXPECT_EQ(Value(30038, other), 0.0);
    EXPECT_EQ(Value(30148, other), -1.0);
    other.person = nullptr;  // household level: no person to ask about
    for (int id : {30038, 30040, 30148}) EXPECT_EQ(Value(id, other), 0.0) << id;
    models.m_pHousehold = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Db, FamilyTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
