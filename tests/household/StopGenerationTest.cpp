// Stop generation: activity types open by the person's flags, the stop's
// duration, budget and window on a tour without a zone rule (it stays at its
// origin and the location draw still takes its uniform), the workplace origin
// of a work-based tour, programming errors, and the transit candidate list on
// a generated region.

#include "LoopTestRegion.h"
#include "household/HouseholdRows.h"
#include "support/TestDatabase.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "household/CoupleNoChildrenHH.h"
#include "models/CRandomStreams.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using HouseholdRows::Person;

constexpr int kThread = 4;
constexpr int kHomeZone = 500;
constexpr int kEscortMode = 4;  // a mode without a zone rule

class StopGeneration : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        household = HouseholdRows::Load(*db, {81, 1, 0, kHomeZone, 0, 9}, {Person(81, 1, 0, 40, 0)});
        person = household->GetPerson(1);
        models.m_nThreadIndex = kThread;
        simulator = std::make_unique<CoupleNoChildrenHH>(&models);
        simulator->SetHousehold(household.get());
    }

    // A tour of the pattern with `stops` new stops, a 300-minute window and
    // the first departure at minute 60.
    template <class Tour>
    Tour& AddTour(CPattern& pattern, int position, int mode, int stops) {
        auto tour = std::make_unique<Tour>(nullptr, &pattern);
        tour->SetPosition(position);
        tour->SetMode(mode);
        tour->SetStopCount(stops);
        tour->CreateStops();
        tour->SetWindowLength(300.0);
        tour->SetWindowStart(0.0);
        tour->SetPreTourTime(60.0);
        tour->SetStopDeparture(1);
        Tour& kept = *tour;
        tours.push_back(std::move(tour));
        return kept;
    }

    void Generate(CStop& stop, std::uint32_t key) {
        CRandomStreams::ReseedStream(kThread, key);
        stop.Generate(person, &models, household.get(), simulator.get());
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<CHouseholdObject> household;
    CPersonObject* person = nullptr;
    CModelSystem models;
    std::unique_ptr<CoupleNoChildrenHH> simulator;
    std::vector<std::unique_ptr<CTour>> tours;
};

TEST(StopActivityTypes, OnlyTypesWhoseFlagIsSetAreOpen) {
    CPersonObject person(nullptr);
    std::vector<int> closed{99};
    CStop::ListUnavailableActivityTypes(person, closed);
    EXPECT_EQ(closed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    person.SetFlag(2, true);   // work related
    person.SetFlag(8, true);   // visit
    person.SetFlag(0, true);   // goes to work: opens no activity type
    CStop::ListUnavailableActivityTypes(person, closed);
    EXPECT_EQ(closed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 9}));
}

TEST_P(StopGeneration, AStopWithoutZoneRuleStaysAtItsOriginAndTakesItsUniform) {
    person->SetFlag(3, true);  // shopping only
    person->CreatePattern();
    CNWorkerTour& tour = AddTour<CNWorkerTour>(*person->GetPattern(), 1, kEscortMode, 1);
    CStop& stop = *tour.GetStopByNumber(1);
    Generate(stop, 9001);

    EXPECT_EQ(stop.GetActivityType(), 0);
    EXPECT_EQ(stop.GetOriginZone(), kHomeZone);
    EXPECT_EQ(stop.GetOriginActivityType(), 18);
    EXPECT_EQ(stop.GetZone(), kHomeZone);
    // Models without terms: e^0 = 1 minute of activity (0.33 percent of the
    // 300-minute window is inside tour 1's bounds) and a 1-minute budget, held
    // to 0.35 percent of the 299 minutes left, floored, and raised to 2.
    EXPECT_EQ(stop.GetRemainingWindow(), 300.0);
    EXPECT_EQ(stop.GetActivityDuration(), 1.0);
    EXPECT_EQ(stop.GetTravelTime(), 2.0);
    EXPECT_EQ(tour.GetWindowLength(), 297.0);
    EXPECT_EQ(stop.GetTimeLeft(), 297.0);  // the last stop: the tour's window
    EXPECT_EQ(simulator->GetCurrentPerson(), nullptr);

    // One open type draws no uniform; the duration and the budget two each,
    // the location draw one: the stream goes on at the sixth uniform.
    CRandomStreams::ReseedStream(kThread, 9001);
    for (int i = 0; i < 5; ++i) CRandomStreams::DrawUniform(kThread);
    const double sixth = CRandomStreams::DrawUniform(kThread);
    Generate(stop, 9001);
    EXPECT_EQ(CRandomStreams::DrawUniform(kThread), sixth);
}

TEST_P(StopGeneration, AWorkBasedTourStartsAtTheWorkplaceAndItsSecondStopAtTheFirst) {
    person->SetValue(2, 1.0);  // employed: the workplace is column 5
    person->SetValue(5, 321.0);
    person->SetFlag(0, true);
    person->SetFlag(6, true);
    person->CreatePattern();
    CWorkerTour& tour = AddTour<CWorkerTour>(*person->GetPattern(), 5, kEscortMode, 2);
    Generate(*tour.GetStopByNumber(1), 77);
    EXPECT_EQ(tour.GetStopByNumber(1)->GetOriginZone(), 321);
    EXPECT_EQ(tour.GetStopByNumber(1)->GetOriginActivityType(), 17);
    EXPECT_EQ(tour.GetStopByNumber(1)->GetActivityType(), 3);
    tour.SetStopDeparture(2);
    Generate(*tour.GetStopByNumber(2), 78);
    EXPECT_EQ(tour.GetStopByNumber(2)->GetOriginZone(), 321);
    EXPECT_EQ(tour.GetStopByNumber(2)->GetOriginActivityType(), 3);
}

TEST_P(StopGeneration, ToursWithoutModelsAndStopsWithoutTheirPredecessorAreProgrammingErrors) {
    person->SetFlag(3, true);
    person->CreatePattern();
    CNWorkerTour& fifth = AddTour<CNWorkerTour>(*person->GetPattern(), 5, kEscortMode, 1);
    EXPECT_THROW(Generate(*fifth.GetStopByNumber(1), 1), std::logic_error);
    CNWorkerTour& first = AddTour<CNWorkerTour>(*person->GetPattern(), 1, kEscortMode, 1);
    first.GetStopByNumber(1)->SetStopNumber(3);
    EXPECT_THROW(Generate(*first.GetStopByNumber(1), 1), std::logic_error);
    CWorkerTour& twelfth = AddTour<CWorkerTour>(*person->GetPattern(), 11, kEscortMode, 1);
    EXPECT_THROW(Generate(*twelfth.GetStopByNumber(1), 1), std::logic_error);
}

TEST_P(StopGeneration, TransitCandidatesAreZonesByTheirOwnTransitTime) {
    LoopTestRegion region(GetParam(), 25, 5);
    SingleLoop loop(region.Connect());
    ASSERT_TRUE(loop.manager.LoadTables(&loop.connection));
    int withTransit = 0;
    for (const auto& [origin, row] : loop.manager.GetZoneTable()) {
        // Each destination asked alone, in zone order.
        std::vector<std::pair<double, int>> expected;
        for (const auto& [zone, ignored] : loop.manager.GetZoneTable()) {
            std::vector<double> v7, v8, v9;
            loop.manager.GetLOS(v7, 7, 600.0, origin, {zone});
            loop.manager.GetLOS(v8, 8, 600.0, origin, {zone});
            loop.manager.GetLOS(v9, 9, 600.0, origin, {zone});
            if (v7.at(0) > 0.05) expected.emplace_back(v8.at(0) + v9.at(0), zone);
        }
        std::sort(expected.begin(), expected.end());
        std::vector<int> sorted;
        for (const auto& entry : expected) sorted.push_back(entry.second);

        std::vector<int> candidates{-5};
        const bool any = CStop::ListTransitCandidates(loop.manager, origin, 600.0, 30.0, candidates);
        EXPECT_EQ(any, !sorted.empty());
        if (!any) {
            EXPECT_TRUE(candidates.empty());
            continue;
        }
        ++withTransit;
        ASSERT_FALSE(candidates.empty());
        // A run of the sorted list.
        const auto first = std::find(sorted.begin(), sorted.end(), candidates.front());
        ASSERT_NE(first, sorted.end());
        ASSERT_LE(static_cast<std::size_t>(sorted.end() - first), sorted.size());
        ASSERT_GE(sorted.end() - first, static_cast<std::ptrdiff_t>(candidates.size()));
        EXPECT_TRUE(std::equal(candidates.begin(), candidates.end(), first)) << "origin " << origin;
    }
    EXPECT_GT(withTransit, 0);
}

INSTANTIATE_TEST_SUITE_P(Db, StopGeneration, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
