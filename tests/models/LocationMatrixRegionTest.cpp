// The location-choice variable matrix through the input-data manager on a
// generated region: the zone-pair rows against the level-of-service and
// zone2zone rows read directly from the database, measured both from the
// cached origin (the home zone) and from an origin whose rows are queried.

#include <gtest/gtest.h>

#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/CLocationVariableMatrix.h"
#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "tools/SampleRegionGenerator.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kZones = 9;
constexpr double kDeparture = 480.0;  // served by los_am (360 to 540)

class LocationMatrixRegionTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        {
            CDatabase writer;
            writer.OpenEx(db->Connect(), false);
            SampleRegionGenerator::Options options;
            options.zones = kZones;
            options.households = 4;
            options.seed = 7;
            SampleRegionGenerator(options).Write(writer);
        }
        connection.OpenEx(db->Connect());
        ASSERT_TRUE(manager.LoadTables(&connection));
        manager.LoadHouseholdIdPage(0, 4);
        household = manager.LoadNextHousehold();
        ASSERT_NE(household, nullptr);
        home = household->GetHomeZone();
        manager.SetOriginZone(home);
        away = home == 1 ? 2 : 1;
        for (int z = 1; z <= kZones; ++z) candidates.push_back(z);

        // A stop on the first person's home-to-work tour, moved to a position
        // whose tour returns home: the ultimate destination is the home zone.
        person = household->GetPerson(1);
        ASSERT_NE(person, nullptr);
        person->SetFlag(0, true);
        person->CreatePattern();
        CWPattern* pattern = person->GetWPattern();
        pattern->SetWorkStart(540.0);
        pattern->SetWorkDuration(480.0);
        pattern->CreateCommuteTours();
        tour = pattern->GetTourAt(CWPattern::kHomeToWorkSlot);
        tour->AppendStop(0, 30.0, kDeparture, 10.0, home, away, 18);
        stop = tour->GetStopByNumber(1);
        stop->SetDepartureTime(kDeparture);
        stop->SetActivityType(0);
        tour->SetPosition(2);
        tour->SetMode(0);
        tour->SetStopCount(2);
    }

    // Column `column` of table from origin to every candidate, read by SQL.
    std::vector<double> Direct(const std::string& table, int column, int origin) {
        std::vector<double> values;
        for (int d : candidates) {
            CRecordset rows(&connection);
            rows.Open("SELECT * FROM " + table + " WHERE orig_zon = " + NumberText::Integer(origin) +
                      " AND dest_zon = " + NumberText::Integer(d));
            values.push_back(rows.IsEOF() ? 0.0 : rows.GetDouble(column));
            rows.Close();
        }
        return values;
    }

    CLocationVariableMatrix::Matrix Compute(int origin, const std::vector<int>& ids) {
        CLocationVariableMatrix::Matrix matrix;
        CLocationVariableMatrix::ComputeLocationVariables(&manager, household, person, origin, candidates, ids,
                                                          matrix, stop);
        return matrix;
    }

    RecordingMessageSink messages;
    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    CInputDataManager manager;
    CHouseholdObject* household = nullptr;
    CPersonObject* person = nullptr;
    CTour* tour = nullptr;
    CStop* stop = nullptr;
    int home = 0;
    int away = 0;
    std::vector<int> candidates;
};

TEST_P(LocationMatrixRegionTest, ZonePairRowsMatchTheTablesFromBothOrigins) {
    const std::vector<int> ids{30165, 30322, 30169, 30170, 30353, 30167, 30168, 30342, 30343, 30344, 30354, 30347};
    ASSERT_EQ(CLocationVariableMatrix::UltimateDestination(household, person, stop), home);
    for (int origin : {home, away}) {
        SCOPED_TRACE("origin " + NumberText::Integer(origin));
        const CLocationVariableMatrix::Matrix m = Compute(origin, ids);
        ASSERT_EQ(m.size(), ids.size());
        const std::vector<double> time = Direct("los_am", 5, origin);
        const std::vector<double> cost = Direct("los_am", 11, origin);
        const std::vector<double> adjacent = Direct("zone2zone", 2, origin);
        const std::vector<double> timeHome = Direct("los_am", 5, home);
        const std::vector<double> costHome = Direct("los_am", 11, home);
        const std::vector<double> distanceHome = Direct("zone2zone", 3, home);
        // Every pair has a row with a positive time, cost and distance.
        for (size_t i = 0; i < candidates.size(); ++i)
            ASSERT_TRUE(time[i] > 0.0 && cost[i] > 0.0 && distanceHome[i] > 0.0) << candidates[i];
        EXPECT_EQ(m[0], time);
        EXPECT_EQ(m[1], cost);
        EXPECT_EQ(m[2], adjacent);
        EXPECT_EQ(m[5], distanceHome);
        EXPECT_EQ(m[6], distanceHome);  // shopping stop
        EXPECT_EQ(m[7], timeHome);
        EXPECT_EQ(m[8], costHome);
        EXPECT_EQ(m[9], timeHome);
        for (size_t i = 0; i < candidates.size(); ++i) {
            SCOPED_TRACE("candidate " + NumberText::Integer(candidates[i]));
            EXPECT_EQ(m[3][i], candidates[i] == origin ? 1.0 : 0.0);
            EXPECT_EQ(m[4][i], time[i] * 2.0);
            EXPECT_EQ(m[10][i], std::log(timeHome[i]));
            EXPECT_EQ(m[11][i], std::log(time[i]));
        }
    }
}

TEST_P(LocationMatrixRegionTest, GeneralisedCostAndZoneAttributesMatchTheTables) {
    const CLocationVariableMatrix::Matrix m = Compute(away, {30915, 20010, 30720});
    const std::vector<double> time = Direct("los_am", 5, away);
    const std::vector<double> cost = Direct("los_am", 11, away);
    const double k = CLocationVariableMatrix::CostWeight(household->GetValue(7));
    std::vector<double> population, retail, service;
    for (int z : candidates) {
        CRecordset rows(&connection);
        rows.Open("SELECT * FROM zones WHERE zid = " + NumberText::Integer(z));
        ASSERT_FALSE(rows.IsEOF());
        population.push_back(rows.GetDouble(10));
        retail.push_back(rows.GetDouble(12));
        service.push_back(rows.GetDouble(13));
        rows.Close();
    }
    for (size_t i = 0; i < candidates.size(); ++i) {
        EXPECT_EQ(m[0][i], time[i] + k * cost[i]) << "candidate " << candidates[i];
        EXPECT_EQ(m[1][i], population[i]);
        EXPECT_EQ(m[2][i], retail[i] + service[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Db, LocationMatrixRegionTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
