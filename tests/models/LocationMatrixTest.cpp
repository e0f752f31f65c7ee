// The location-choice variable matrix: one row per variable ID, one entry per
// candidate zone, from zone attributes and level-of-service lookups.

#include <gtest/gtest.h>

#include "LocationTestWorld.h"

#include "models/CLocationVariableMatrix.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"

#include <cmath>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

namespace {

using Matrix = CLocationVariableMatrix::Matrix;

// Hand-made tables. Level-of-service column 5 (auto time) from o to d is
// 10 + |o - d| and column 11 (auto cost) is 0.5 x |o - d| + 1; zone2zone
// column 3 (distance) is 2 x |o - d| and column 2 (adjacent) is 1 when
// |o - d| = 1. Zone attributes come from a map; a missing entry is 0.0.
class FakeSource final : public CLocationVariableMatrix::CDataSource {
public:
    void GetZoneValues(std::vector<double>& values, int column, const std::vector<int>& zones) override {
        ++zoneQueries;
        for (int z : zones) {
            auto it = zone.find({z, column});
            values.push_back(it == zone.end() ? 0.0 : it->second);
        }
    }
    void GetLOS(std::vector<double>& values, int column, double time, int origin,
                const std::vector<int>& destinations) override {
        losQueries.emplace_back(column, origin, time);
        for (int d : destinations) {
            const double gap = std::abs(origin - d);
            values.push_back(column == 5 ? 10.0 + gap : column == 11 ? 0.5 * gap + 1.0 : -1.0);
        }
    }
    void GetZone2ZoneForDestinations(std::vector<double>& values, int column, int origin,
                                     const std::vector<int>& destinations) override {
        z2zQueries.emplace_back(column, origin);
        for (int d : destinations) {
            const double gap = std::abs(origin - d);
            values.push_back(column == 3 ? 2.0 * gap : column == 2 ? (gap == 1.0 ? 1.0 : 0.0) : -1.0);
        }
    }

    std::map<std::pair<int, int>, double> zone;  // (zone, column) -> value
    int zoneQueries = 0;
    std::vector<std::tuple<int, int, double>> losQueries;  // column, origin, time
    std::vector<std::pair<int, int>> z2zQueries;           // column, origin
};

// Household 9 in home zone 4, income 50 (thousands). Person 0 is employed
// with work zone 12; person 1 a student who is not employed, columns 6 = 13
// and 52 = 15; person 2 neither. The stop belongs to person 0's home-to-work
// commute (position 1) and departs at 480.
class LocationMatrixTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        world = std::make_unique<LocationTestWorld>(GetParam());
        world->AddZone(3, {{6, 1.0}, {10, 400.0}, {12, 20.0}, {13, 30.0}});
        world->AddZone(4, {{7, 1.0}, {10, 900.0}, {12, 5.0}, {13, 0.0}});
        world->AddZone(6, {{10, 50.0}, {12, 0.0}, {13, 0.0}, {33, 2.5}, {37, 7.0}});
        world->Load({{0, 9}, {3, 4}, {7, 50}},
                    {{{0, 9}, {1, 1}, {2, 1}, {5, 12}, {8, 40}},
                     {{0, 9}, {1, 2}, {3, 1}, {5, 14}, {6, 13}, {8, 20}, {52, 15}},
                     {{0, 9}, {1, 3}, {8, 70}}});
        LocationTestWorld::MakeWorker(worker(), 480, 500);
        LocationTestWorld::MakeWorker(student(), 540, 300);
        CWPattern* pattern = worker()->GetWPattern();
        pattern->CreateCommuteTours();
        tour = pattern->GetTourAt(CWPattern::kHomeToWorkSlot);
        tour->AppendStop(0, 30.0, 480.0, 10.0, 4, 6, 18);
        stop = tour->GetStopByNumber(1);
        stop->SetDepartureTime(480.0);
        tour->SetMode(0);
        tour->SetStopCount(3);
        for (const auto& [key, value] : world->manager.GetZoneTable())
            for (size_t c = 0; c < value.size(); ++c)
                if (value[c] != 0.0) source.zone[{key, static_cast<int>(c) + 1}] = value[c];
    }

    CPersonObject* worker() const { return world->Person(0); }
    CPersonObject* student() const { return world->Person(1); }
    CPersonObject* other() const { return world->Person(2); }

    Matrix Compute(const std::vector<int>& ids, const std::vector<int>& candidates, int origin = 4,
                   CPersonObject* person = nullptr) {
        Matrix matrix{{99.0}};  // replaced, not appended to
        CLocationVariableMatrix::ComputeLocationVariables(source, world->household.get(),
                                                          person ? person : worker(), origin, candidates, ids,
                                                          matrix, stop);
        return matrix;
    }

    std::unique_ptr<LocationTestWorld> world;
    FakeSource source;
    CTour* tour = nullptr;
    CStop* stop = nullptr;
};

TEST_P(LocationMatrixTest, ShapeFollowsIdsAndCandidates) {
    const Matrix empty = Compute({20010, 30165}, {});
    ASSERT_EQ(empty.size(), 2u);
    EXPECT_TRUE(empty[0].empty());
    EXPECT_TRUE(empty[1].empty());
    EXPECT_TRUE(source.losQueries.empty());
    EXPECT_TRUE(Compute({}, {3, 4}).empty());
}

TEST_P(LocationMatrixTest, ZoneAttributesAndUnknownIdsGiveZeros) {
    // Source 2 reads the candidate's zone; sources 0, 1 and 4, the constant
    // 30000, the undefined 30179 and 30721, and source 5 give zeros.
    const Matrix m = Compute({20010, 10002, 2, 40005, 30000, 30179, 30721, 50001}, {3, 6, 8});
    EXPECT_EQ(m[0], (std::vector<double>{400.0, 50.0, 0.0}));
    for (size_t r = 1; r < m.size(); ++r) EXPECT_EQ(m[r], (std::vector<double>{0.0, 0.0, 0.0})) << "row " << r;
}

TEST_P(LocationMatrixTest, TravelFromTheOrigin) {
    const Matrix m = Compute({30165, 30322, 30169, 30170, 30353}, {3, 4, 6, 4}, 4);
    EXPECT_EQ(m[0], (std::vector<double>{11.0, 10.0, 12.0, 10.0}));
    EXPECT_EQ(m[1], (std::vector<double>{1.5, 1.0, 2.0, 1.0}));
    EXPECT_EQ(m[2], (std::vector<double>{1.0, 0.0, 0.0, 0.0}));
    // The origin listed twice is marked twice.
    EXPECT_EQ(m[3], (std::vector<double>{0.0, 1.0, 0.0, 1.0}));
    // Time x the tour's stop count (3).
    EXPECT_EQ(m[4], (std::vector<double>{33.0, 30.0, 36.0, 30.0}));
    // Looked up at the stop's departure time, once per column and origin.
    ASSERT_EQ(source.losQueries.size(), 2u);
    EXPECT_EQ(std::get<2>(source.losQueries[0]), 480.0);
}

TEST_P(LocationMatrixTest, UltimateDestinationOfAnEmployedCommuterIsTheWorkZone) {
    // Position 1, employed: activity zone 12.
    const Matrix m = Compute({30167, 30342, 30343}, {10, 12});
    EXPECT_EQ(m[0], (std::vector<double>{4.0, 0.0}));
    EXPECT_EQ(m[1], (std::vector<double>{12.0, 10.0}));
    EXPECT_EQ(m[2], (std::vector<double>{2.0, 1.0}));
    EXPECT_EQ(CLocationVariableMatrix::UltimateDestination(world->household.get(), worker(), stop), 12);
}

TEST_P(LocationMatrixTest, UltimateDestinationOfAStudentIsTheLargerSchoolColumn) {
    EXPECT_EQ(CLocationVariableMatrix::UltimateDestination(world->household.get(), student(), stop), 15);
    const Matrix m = Compute({30167}, {15, 10}, 4, student());
    EXPECT_EQ(m[0], (std::vector<double>{0.0, 10.0}));
}

TEST_P(LocationMatrixTest, UltimateDestinationIsHomeOtherwise) {
    // A person without work or school.
    EXPECT_EQ(CLocationVariableMatrix::UltimateDestination(world->household.get(), other(), stop), 4);
    // A tour in a position other than 1, 5, 6 and 7.
    for (int position : {0, 2, 3, 4, 8, 10}) {
        tour->SetPosition(position);
        EXPECT_EQ(CLocationVariableMatrix::UltimateDestination(world->household.get(), worker(), stop), 4)
            << "position " << position;
    }
    for (int position : {5, 6, 7}) {
        tour->SetPosition(position);
        EXPECT_EQ(CLocationVariableMatrix::UltimateDestination(world->household.get(), worker(), stop), 12);
    }
    tour->SetPosition(2);
    const Matrix m = Compute({30167}, {4, 7});
    EXPECT_EQ(m[0], (std::vector<double>{0.0, 6.0}));
}

TEST_P(LocationMatrixTest, ActivitySpecificRowsFollowTheStopsActivity) {
    const std::vector<int> ids{30168, 30344, 30345, 30347, 30181, 30180, 30348, 30178, 30346, 30722};
    const std::vector<int> zones{3, 4};
    stop->SetActivityType(0);  // shopping
    Matrix m = Compute(ids, zones);
    EXPECT_EQ(m[0], (std::vector<double>{18.0, 16.0}));       // distance from zone 12
    EXPECT_EQ(m[1], (std::vector<double>{19.0, 18.0}));       // time from zone 12
    EXPECT_DOUBLE_EQ(m[2][0], std::log(19.0));
    EXPECT_DOUBLE_EQ(m[3][1], std::log(10.0));                // ln time from the origin
    EXPECT_DOUBLE_EQ(m[4][0], std::log(50.0));                // ln(retail + service)
    for (size_t r = 5; r < ids.size(); ++r) EXPECT_EQ(m[r], (std::vector<double>{0.0, 0.0})) << "row " << r;

    stop->SetActivityType(1);  // social or recreational
    m = Compute(ids, zones);
    for (size_t r : {0u, 1u, 2u, 3u, 4u, 7u, 8u, 9u}) EXPECT_EQ(m[r], (std::vector<double>{0.0, 0.0})) << r;
    EXPECT_EQ(m[5], (std::vector<double>{18.0, 16.0}));
    EXPECT_DOUBLE_EQ(m[6][0], std::log(11.0));

    stop->SetActivityType(8);  // work related: the plain time to the ultimate destination
    m = Compute(ids, zones);
    EXPECT_EQ(m[8], (std::vector<double>{19.0, 18.0}));
    stop->SetActivityType(9);
    m = Compute(ids, zones);
    EXPECT_EQ(m[9], (std::vector<double>{18.0, 16.0}));
}

TEST_P(LocationMatrixTest, ModeSpecificRows) {
    tour->SetMode(2);
    Matrix m = Compute({30166, 30355}, {3});
    EXPECT_EQ(m[0], std::vector<double>{11.0});
    EXPECT_EQ(m[1], std::vector<double>{0.0});
    tour->SetMode(0);
    m = Compute({30166, 30355}, {3});
    EXPECT_EQ(m[0], std::vector<double>{0.0});
    EXPECT_DOUBLE_EQ(m[1][0], std::log(11.0));
}

TEST_P(LocationMatrixTest, ZoneMeasures) {
    const Matrix m = Compute({30171, 30172, 30177, 30713, 30719, 30723, 30720}, {3, 4, 6});
    EXPECT_EQ(m[0], (std::vector<double>{1.0, 1.0, 0.0}));  // column 6 or column 7 is 1
    EXPECT_DOUBLE_EQ(m[1][0], std::log(50.0));
    EXPECT_DOUBLE_EQ(m[1][1], std::log(5.0));
    // No retail or service employment: the logarithm is minus infinity.
    EXPECT_EQ(m[1][2], -std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(m[2][2], std::log(50.0));
    EXPECT_EQ(m[3], (std::vector<double>{0.0, 0.0, 2.5}));
    EXPECT_EQ(m[4], m[5]);  // both read column 37
    EXPECT_EQ(m[4][2], 7.0);
    EXPECT_EQ(m[6], (std::vector<double>{50.0, 5.0, 0.0}));
}

TEST_P(LocationMatrixTest, GeneralisedCostWeightsCostByIncome) {
    const double k = (1.3635 / 50.0 + 0.1516) / 0.0102;
    const Matrix m = Compute({30915}, {3, 6});
    EXPECT_DOUBLE_EQ(m[0][0], 11.0 + k * 1.5);
    EXPECT_DOUBLE_EQ(m[0][1], 12.0 + k * 2.0);
    // A household without income is weighted as one of income 1 (thousand).
    EXPECT_EQ(CLocationVariableMatrix::CostWeight(0.0), CLocationVariableMatrix::CostWeight(1.0));
    EXPECT_TRUE(std::isfinite(CLocationVariableMatrix::CostWeight(-3.0)));
    EXPECT_TRUE(std::isfinite(CLocationVariableMatrix::CostWeight(std::numeric_limits<double>::quiet_NaN())));
}

TEST_P(LocationMatrixTest, LookupsAreSharedWithinOneCall) {
    stop->SetActivityType(2);
    Compute({30165, 30178, 30350, 30353, 30915, 30322, 30342, 30343, 30167, 30169, 30170, 20010}, {3, 4, 6});
    // Time and cost from the origin and from zone 12; distance from 12 and
    // adjacency from the origin.
    EXPECT_EQ(source.losQueries.size(), 4u);
    EXPECT_EQ(source.z2zQueries.size(), 2u);
    // Each call asks afresh.
    Compute({30165}, {3});
    EXPECT_EQ(source.losQueries.size(), 5u);
}

TEST_P(LocationMatrixTest, ZoneAttributeMatrixKnowsZonesAndTheConstantOnly) {
    Matrix matrix{{1.0, 2.0, 3.0}, {4.0}};
    CLocationVariableMatrix::ComputeZoneAttributeMatrix(source, 4, {3, 6}, {20010, 30000, 30165, 10002, 20012},
                                                        matrix);
    ASSERT_EQ(matrix.size(), 5u);
    EXPECT_EQ(matrix[0], (std::vector<double>{400.0, 50.0}));
    EXPECT_EQ(matrix[1], (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(matrix[2], (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(matrix[3], (std::vector<double>{0.0, 0.0}));
    EXPECT_EQ(matrix[4], (std::vector<double>{20.0, 0.0}));
    EXPECT_TRUE(source.losQueries.empty());
}

TEST_P(LocationMatrixTest, ZoneAttributesThroughTheManagerMatchTheZonesTable) {
    // The manager path appends to its output: each row still has one entry
    // per candidate.
    Matrix matrix;
    CLocationVariableMatrix::ComputeZoneAttributeMatrix(&world->manager, 4, {3, 4, 6, 99},
                                                        {20010, 20012, 20013, 30000}, matrix);
    EXPECT_EQ(matrix[0], (std::vector<double>{400.0, 900.0, 50.0, 0.0}));
    EXPECT_EQ(matrix[1], (std::vector<double>{20.0, 5.0, 0.0, 0.0}));
    EXPECT_EQ(matrix[2], (std::vector<double>{30.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(matrix[3], (std::vector<double>{1.0, 1.0, 1.0, 1.0}));
    CLocationVariableMatrix::ComputeLocationVariables(&world->manager, world->household.get(), worker(), 4,
                                                      {3, 6}, {20010, 20033}, matrix, stop);
    EXPECT_EQ(matrix.size(), 2u);
    EXPECT_EQ(matrix[0], (std::vector<double>{400.0, 50.0}));
    EXPECT_EQ(matrix[1], (std::vector<double>{0.0, 2.5}));
}

INSTANTIATE_TEST_SUITE_P(Db, LocationMatrixTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
