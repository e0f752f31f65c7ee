// Answers of the household simulator families: households without children
// answer every escort question with "no" (-1.0 for times); households with
// children answer from their escort episodes and name their parents.

#include "household/HouseholdRows.h"
#include "support/TestDatabase.h"

#include "data/CPersonObject.h"
#include "household/CGenericHousehold.h"
#include "household/CoupleNoChildrenHH.h"
#include "household/CoupleWChildrenHH.h"
#include "household/HouseholdSimulatorFactory.h"
#include "household/OtherNoChildrenHH.h"
#include "household/OtherWChildrenHH.h"
#include "household/SingleNoChildrenHH.h"
#include "household/SingleWChildrenHH.h"
#include "schedules/CNWorkerTour.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <type_traits>
#include <cstdint>
#include <vector>

namespace {

// Stand-ins for members: the episode queries compare identities only.
CPersonObject* Member(int n) { return reinterpret_cast<CPersonObject*>(static_cast<std::uintptr_t>(0x100 * n)); }

// A tour whose first stop leaves at departure and that lasts duration minutes.
std::unique_ptr<CNWorkerTour> Tour(double departure, double duration) {
    auto tour = std::make_unique<CNWorkerTour>(nullptr, nullptr);
    tour->AppendStop(4, 10.0, departure, 15.0, 1, 2, 18);
    tour->SetDuration(duration);
    return tour;
}

std::vector<std::unique_ptr<CHouseholdCoordinator>> WithoutChildren() {
    std::vector<std::unique_ptr<CHouseholdCoordinator>> simulators;
    simulators.push_back(std::make_unique<SingleNoChildrenHH>(nullptr));
    simulators.push_back(std::make_unique<CoupleNoChildrenHH>(nullptr));
    simulators.push_back(std::make_unique<OtherNoChildrenHH>(nullptr));
    simulators.push_back(std::make_unique<CGenericHousehold>(nullptr));
    return simulators;
}

TEST(HouseholdWithoutChildren, AnswersNoToEveryEscortQuestion) {
    for (auto& simulator : WithoutChildren()) {
        for (const CPersonObject* person : {Member(1), Member(2), static_cast<CPersonObject*>(nullptr)}) {
            EXPECT_FALSE(simulator->IsDropOffAdult(person));
            EXPECT_FALSE(simulator->IsPickUpAdult(person));
            EXPECT_FALSE(simulator->IsJointDiscretionaryAdult(person));
            EXPECT_FALSE(simulator->IsInDropOffEpisode(person));
            EXPECT_FALSE(simulator->IsInPickUpEpisode(person));
            EXPECT_EQ(simulator->GetTimeAfterDropOff(person), -1.0);
            EXPECT_EQ(simulator->GetAvailableTimeAfterPickUp(person), -1.0);
        }
    }
}

TEST(HouseholdWithoutChildren, EscortAndChildStepsChangeNothing) {
    for (auto& simulator : WithoutChildren()) {
        auto tour = Tour(480.0, 60.0);
        simulator->SetJointDiscretionaryTour(tour.get());
        simulator->BuildEscortEpisodes();
        simulator->AllocateEscortEpisodes();
        simulator->DecideChildIndependentActivity();
        simulator->FindChildInJointActivity();
        EXPECT_FALSE(simulator->IsJointDiscretionaryAdult(Member(1)));
        EXPECT_TRUE(simulator->GetCurrentVector().empty());
    }
}

TEST(HouseholdCoordinator, KeepsTheRunSettingsInOrder) {
    SingleNoChildrenHH simulator(nullptr);
    simulator.SetRunSettings(5, 4, 10);
    EXPECT_EQ(simulator.GetAdultModeCount(), 5);
    EXPECT_EQ(simulator.GetTourModeCount(), 4);
    EXPECT_EQ(simulator.GetActivityTypeCount(), 10);
}

// The model system releases the current simulator through the base class.
static_assert(std::has_virtual_destructor_v<CHouseholdCoordinator>);

class HouseholdWithChildrenEpisodes : public ::testing::Test {
protected:
    CoupleWChildrenHH simulator{nullptr};
    CPersonObject* parentOne = Member(1);
    CPersonObject* parentTwo = Member(2);
    CPersonObject* childA = Member(3);
    CPersonObject* childB = Member(4);
};

TEST_F(HouseholdWithChildrenEpisodes, EmptyListsAnswerNo) {
    EXPECT_FALSE(simulator.IsDropOffAdult(parentOne));
    EXPECT_FALSE(simulator.IsPickUpAdult(parentOne));
    EXPECT_FALSE(simulator.IsJointDiscretionaryAdult(parentOne));
    EXPECT_FALSE(simulator.IsInDropOffEpisode(childA));
    EXPECT_FALSE(simulator.IsInPickUpEpisode(childA));
    EXPECT_EQ(simulator.GetTimeAfterDropOff(parentOne), -1.0);
    EXPECT_EQ(simulator.GetAvailableTimeAfterPickUp(parentOne), -1.0);
}

TEST_F(HouseholdWithChildrenEpisodes, TheSingleEpisodeNamesItsAdultAndChildren) {
    simulator.m_dropOffEpisodes.emplace_back(childA, 470.0, 12);
    simulator.m_dropOffEpisodes.front().AddChild(childB);
    simulator.m_dropOffEpisodes.front().m_pAdult = parentOne;
    simulator.m_pickUpEpisodes.emplace_back(childB, 900.0, 12);
    simulator.m_pickUpEpisodes.front().m_pAdult = parentTwo;

    EXPECT_TRUE(simulator.IsDropOffAdult(parentOne));
    EXPECT_FALSE(simulator.IsDropOffAdult(parentTwo));
    EXPECT_TRUE(simulator.IsPickUpAdult(parentTwo));
    EXPECT_FALSE(simulator.IsPickUpAdult(parentOne));
    EXPECT_FALSE(simulator.IsJointDiscretionaryAdult(parentOne));
    EXPECT_TRUE(simulator.IsInDropOffEpisode(childA));
    EXPECT_TRUE(simulator.IsInDropOffEpisode(childB));
    EXPECT_FALSE(simulator.IsInPickUpEpisode(childA));
    EXPECT_TRUE(simulator.IsInPickUpEpisode(childB));
    EXPECT_FALSE(simulator.IsInDropOffEpisode(parentOne));
}

TEST_F(HouseholdWithChildrenEpisodes, TwoEpisodesGiveNoEscortAnswers) {
    simulator.m_dropOffEpisodes.emplace_back(childA, 470.0, 12);
    simulator.m_dropOffEpisodes.emplace_back(childB, 470.0, 13);
    simulator.m_dropOffEpisodes[0].m_pAdult = parentOne;
    simulator.m_dropOffEpisodes[1].m_pAdult = parentOne;
    EXPECT_FALSE(simulator.IsDropOffAdult(parentOne));
    EXPECT_FALSE(simulator.IsInDropOffEpisode(childA));
}

TEST_F(HouseholdWithChildrenEpisodes, AnEpisodeWithoutAdultHasNoAdult) {
    simulator.m_pickUpEpisodes.emplace_back(childA, 900.0, 12);
    EXPECT_FALSE(simulator.IsPickUpAdult(nullptr));
    EXPECT_EQ(CHouseholdWithChildren::FindEpisodeByAdult(simulator.m_pickUpEpisodes, nullptr), -1);
}

TEST_F(HouseholdWithChildrenEpisodes, TimeAfterDropOffCountsFromTheReturnHome) {
    auto dropOffTour = Tour(455.0, 40.0);  // back home at 495
    auto pickUpTour = Tour(870.0, 50.0);   // back home at 920
    simulator.m_dropOffEpisodes.emplace_back(childA, 470.0, 12);
    simulator.m_dropOffEpisodes.front().m_pAdult = parentOne;
    simulator.m_dropOffEpisodes.front().m_pTour = dropOffTour.get();
    simulator.m_pickUpEpisodes.emplace_back(childA, 900.0, 12);
    simulator.m_pickUpEpisodes.front().m_pAdult = parentOne;
    simulator.m_pickUpEpisodes.front().m_pTour = pickUpTour.get();

    EXPECT_EQ(simulator.GetTimeAfterDropOff(parentOne), 870.0 - 455.0 - 40.0);
    EXPECT_EQ(simulator.GetAvailableTimeAfterPickUp(parentOne), 1440.0 - 920.0);
    EXPECT_EQ(simulator.GetTimeAfterDropOff(parentTwo), -1.0);
    EXPECT_EQ(simulator.GetAvailableTimeAfterPickUp(parentTwo), -1.0);

    // The pick-up adult who did not drop off gets the plain departure.
    simulator.m_dropOffEpisodes.front().m_pAdult = parentTwo;
    EXPECT_EQ(simulator.GetTimeAfterDropOff(parentOne), 870.0);
    // The drop-off adult alone has no later episode.
    EXPECT_EQ(simulator.GetTimeAfterDropOff(parentTwo), -1.0);
}

TEST_F(HouseholdWithChildrenEpisodes, EscortTimesWithoutBuiltToursAreNotApplicable) {
    simulator.m_dropOffEpisodes.emplace_back(childA, 470.0, 12);
    simulator.m_dropOffEpisodes.front().m_pAdult = parentOne;
    simulator.m_pickUpEpisodes.emplace_back(childA, 900.0, 12);
    simulator.m_pickUpEpisodes.front().m_pAdult = parentOne;
    EXPECT_EQ(simulator.GetTimeAfterDropOff(parentOne), -1.0);
    EXPECT_EQ(simulator.GetAvailableTimeAfterPickUp(parentOne), -1.0);

    // A pick-up tour without its drop-off tour, and a tour without stops.
    auto pickUpTour = Tour(870.0, 50.0);
    simulator.m_pickUpEpisodes.front().m_pTour = pickUpTour.get();
    EXPECT_EQ(simulator.GetTimeAfterDropOff(parentOne), -1.0);
    CNWorkerTour noStops(nullptr, nullptr);
    simulator.m_pickUpEpisodes.front().m_pTour = &noStops;
    EXPECT_EQ(simulator.GetAvailableTimeAfterPickUp(parentOne), -1.0);
}

TEST_F(HouseholdWithChildrenEpisodes, JointDiscretionaryTourGoesToTheFirstEpisode) {
    auto tour = Tour(600.0, 90.0);
    simulator.SetJointDiscretionaryTour(tour.get());  // no episode: nothing to store
    EXPECT_TRUE(simulator.m_jointDiscretionaryEpisodes.empty());

    simulator.m_jointDiscretionaryEpisodes.emplace_back(childA, 600.0, 5);
    simulator.m_jointDiscretionaryEpisodes.emplace_back(childB, 700.0, 6);
    simulator.SetJointDiscretionaryTour(tour.get());
    EXPECT_EQ(simulator.m_jointDiscretionaryEpisodes[0].m_pTour, tour.get());
    EXPECT_EQ(simulator.m_jointDiscretionaryEpisodes[1].m_pTour, nullptr);
}

TEST_F(HouseholdWithChildrenEpisodes, CurrentVectorIsACopyOfTheDropOffList) {
    simulator.m_dropOffEpisodes.emplace_back(childA, 470.0, 12);
    simulator.m_dropOffEpisodes.front().m_pAdult = parentOne;
    auto copy = simulator.GetCurrentVector();
    ASSERT_EQ(copy.size(), 1u);
    EXPECT_EQ(copy.front().m_pAdult, parentOne);
    EXPECT_EQ(copy.front().m_time, 470.0);
    copy.front().m_time = 0.0;
    EXPECT_EQ(simulator.m_dropOffEpisodes.front().m_time, 470.0);
}

TEST_F(HouseholdWithChildrenEpisodes, IndexCheckedAccessorsAndForgivingSetters) {
    auto& list = simulator.m_pickUpEpisodes;
    list.emplace_back(childA, 900.0, 12);
    list.emplace_back(childB, 915.0, 14);
    list[1].AddChild(childA);

    EXPECT_EQ(CHouseholdWithChildren::GetEpisodeCount(list), 2);
    EXPECT_EQ(CHouseholdWithChildren::GetEpisodeTime(list, 1), 915.0);
    EXPECT_EQ(CHouseholdWithChildren::GetEpisodeKey(list, 1), 14);
    EXPECT_EQ(CHouseholdWithChildren::GetEpisodeChildren(list, 1), (std::vector<CPersonObject*>{childB, childA}));
    EXPECT_THROW(CHouseholdWithChildren::GetEpisodePerson(list, 2), std::out_of_range);
    EXPECT_THROW(CHouseholdWithChildren::GetEpisodeTime(list, -1), std::out_of_range);
    EXPECT_THROW(CHouseholdWithChildren::GetEpisode(list, 5), std::out_of_range);

    auto tour = Tour(870.0, 50.0);
    CHouseholdWithChildren::SetEpisodeAdult(list, 1, parentTwo);
    CHouseholdWithChildren::SetEpisodeTour(list, 1, tour.get());
    CHouseholdWithChildren::SetEpisodeAdult(list, 2, parentOne);  // ignored
    CHouseholdWithChildren::SetEpisodeTour(list, -1, tour.get());  // ignored
    EXPECT_EQ(CHouseholdWithChildren::GetEpisodePerson(list, 1), parentTwo);
    EXPECT_EQ(CHouseholdWithChildren::GetEpisodeTour(list, 1), tour.get());
    EXPECT_EQ(CHouseholdWithChildren::GetEpisodePerson(list, 0), nullptr);
    EXPECT_EQ(CHouseholdWithChildren::FindEpisodeByAdult(list, parentTwo), 1);
    EXPECT_EQ(CHouseholdWithChildren::FindEpisodeByAdult(list, parentOne), -1);
}

// Parents are named from the member rows: column 9 = 1.0 marks a parent,
// column 7 (as an int) zero gives parent one, non-zero parent two.
class HouseholdParents : public ::testing::TestWithParam<std::string> {};

TEST_P(HouseholdParents, ParentsComeFromColumnsNineAndSeven) {
    auto db = TestDatabase::Create(GetParam());
    using HouseholdRows::Person;
    auto household = HouseholdRows::Load(*db, {77, 2, 1, 500, 0, 10},
                                         {Person(77, 1, 1.0, 40, 0.0),    // not a parent
                                          Person(77, 2, 1.0, 38, 1.0),    // parent, column 7 set
                                          Person(77, 3, 0.0, 41, 1.0),    // parent, column 7 zero
                                          Person(77, 4, 0.0, 9, 0.0),     // child
                                          Person(77, 5, 0.7, 36, 1.0)});  // column 7 truncates to 0
    ASSERT_EQ(household->GetPersonCount(), 5);

    for (auto* simulator : std::vector<CHouseholdWithChildren*>{new SingleWChildrenHH(nullptr),
                                                                 new CoupleWChildrenHH(nullptr)}) {
        std::unique_ptr<CHouseholdWithChildren> owned(simulator);
        EXPECT_EQ(simulator->GetParentOne(), nullptr);  // no household yet
        EXPECT_EQ(simulator->GetParentTwo(), nullptr);
        EXPECT_EQ(simulator->FindFirstParent(), nullptr);
        simulator->SetHousehold(household.get());
        EXPECT_EQ(simulator->GetParentOne(), household->GetPerson(3));
        EXPECT_EQ(simulator->GetParentTwo(), household->GetPerson(2));
        EXPECT_EQ(simulator->FindFirstParent(), household->GetPerson(2));
    }

    OtherWChildrenHH other(nullptr);
    other.SetHousehold(household.get());
    EXPECT_EQ(other.GetParentOne(), nullptr);
    EXPECT_EQ(other.GetParentTwo(), nullptr);
}

TEST_P(HouseholdParents, AHouseholdWithoutParentsNamesNone) {
    auto db = TestDatabase::Create(GetParam());
    using HouseholdRows::Person;
    auto household = HouseholdRows::Load(*db, {78, 1, 0, 500, 0, 3},
                                         {Person(78, 1, 1.0, 40, 0.0), Person(78, 2, 0.0, 8, 2.0)});
    SingleWChildrenHH simulator(nullptr);
    simulator.SetHousehold(household.get());
    EXPECT_EQ(simulator.GetParentOne(), nullptr);
    EXPECT_EQ(simulator.GetParentTwo(), nullptr);
    EXPECT_EQ(simulator.FindFirstParent(), nullptr);
}

TEST_P(HouseholdParents, NonWorkerDayIsLeftAloneForAWorkerOrAPersonWithoutPattern) {
    auto db = TestDatabase::Create(GetParam());
    using HouseholdRows::Person;
    auto household = HouseholdRows::Load(*db, {79, 2, 0, 500, 0, 9},
                                         {Person(79, 1, 1.0, 40, 0.0), Person(79, 2, 0.0, 45, 0.0)});
    CPersonObject* worker = household->GetPerson(1);
    worker->SetFlag(0, true);
    CoupleNoChildrenHH simulator(nullptr);
    simulator.SimulateNonWorkerDay(worker, household.get(), nullptr, &simulator);
    simulator.SimulateNonWorkerDay(household->GetPerson(2), household.get(), nullptr, &simulator);
    simulator.SimulateNonWorkerDay(nullptr, household.get(), nullptr, &simulator);
    EXPECT_EQ(worker->GetPattern(), nullptr);
    EXPECT_EQ(household->GetPerson(2)->GetPattern(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Db, HouseholdParents, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
