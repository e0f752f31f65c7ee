// Level-of-service directory, the origin-zone cache and the level-of-service
// and zone-to-zone queries, on both databases. One manager answers from the
// cache of the origin, a second one (never given an origin) from the database;
// both must give exactly what the region's rules say.

#include "LOSRegion.h"

#include "data/CCommuteLOSRecord.h"
#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CLOSCache.h"
#include "data/CPersonObject.h"
#include "household/SingleNoChildrenHH.h"
#include "platform/CDatabase.h"
#include "platform/CSectionTimer.h"
#include "platform/DbError.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace {

// Period table (1-based, as in LOSRegion) that serves a time under the
// standard directory, with the lookups' cap at 1439 and the last period's
// table past the last end time.
int StandardTable(double time) {
    if (time > 1439.0) time = 1439.0;
    if (time < 360.0) return 1;
    if (time < 540.0) return 2;
    if (time < 960.0) return 3;
    return 2;
}

std::array<double, 18> Fields(const CCommuteLOSRecord& r) {
    return {r.m_fReturnAutoTime,     r.m_fReturnColumn6,     r.m_fReturnAutoCost,   r.m_fReturnColumn12,
            r.m_fReturnColumn6Copy,  r.m_fReturnColumn13,    r.m_bReturnColumn7 ? 1.0 : 0.0,
            r.m_fReturnTransitTime,  r.m_fReturnColumn9,     r.m_fReturnTransitCost, r.m_fDistance,
            r.m_fOutboundAutoTime,   r.m_bOutboundColumn7 ? 1.0 : 0.0, r.m_fOutboundTransitTime,
            r.m_fOutboundAutoCost,   r.m_fOutboundColumn4,   r.m_fReturnColumn4,    r.m_fOutboundAdjacent};
}

// The commute record the rules give for the pair and the two tables.
std::array<double, 18> ExpectedRecord(int home, int work, int outboundTable, int returnTable) {
    auto back = [&](int c) { return static_cast<double>(static_cast<float>(LOSRegion::LOSValue(returnTable, work, home, c).value_or(0.0))); };
    auto out = [&](int c) { return static_cast<double>(static_cast<float>(LOSRegion::LOSValue(outboundTable, home, work, c).value_or(0.0))); };
    auto flag = [](double v) { return std::trunc(v) == 1.0 ? 1.0 : 0.0; };
    const double distance = static_cast<float>(LOSRegion::Zone2ZoneValue(work, home, 3).value_or(0.0));
    return {back(5), back(6), back(11), back(12), back(6), back(13), flag(back(7)), back(8), back(9), back(10),
            distance, out(5), flag(out(7)), out(8), out(11), out(4), back(4), out(3)};
}

// Every lookup from origin at time of column (of zone2zone: column mod 5),
// for each list of destinations, gives the same answers from both managers.
void ExpectSameLookups(CInputDataManager& asker, CInputDataManager& plain, int origin, double time, int column,
                       const std::vector<std::vector<int>>& lists) {
    SCOPED_TRACE("origin " + std::to_string(origin) + " time " + std::to_string(time) + " column " +
                 std::to_string(column));
    std::vector<double> asked, read;
    for (const auto& destinations : lists) {
        asker.GetLOS(asked, column, time, origin, destinations);
        plain.GetLOS(read, column, time, origin, destinations);
        EXPECT_EQ(asked, read);
        asker.GetZone2ZoneForDestinations(asked, column % 5, origin, destinations);
        plain.GetZone2ZoneForDestinations(read, column % 5, origin, destinations);
        EXPECT_EQ(asked, read);
        double askedValue = -1.0, readValue = -2.0;
        asker.GetZone2Zone(askedValue, column % 5, origin, destinations.front());
        plain.GetZone2Zone(readValue, column % 5, origin, destinations.front());
        EXPECT_EQ(askedValue, readValue);
    }
    std::vector<int> askedZones, readZones;
    asker.GetLOSAllDestinations(askedZones, asked, column, time, origin);
    plain.GetLOSAllDestinations(readZones, read, column, time, origin);
    EXPECT_EQ(askedZones, readZones);
    EXPECT_EQ(asked, read);
}

class LOSQueryTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { Build(LOSRegion::StandardDirectory()); }

    void Build(const std::vector<std::pair<int, std::string>>& directory) {
        db = TestDatabase::Create(GetParam());
        LOSRegion::Create(*db, directory);
        cachedConnection.OpenEx(db->Connect());
        directConnection.OpenEx(db->Connect());
        ASSERT_TRUE(cached.LoadTables(&cachedConnection));
        ASSERT_TRUE(direct.LoadTables(&directConnection));
        cached.LoadHouseholdIdPage(0, 10);
        household = cached.LoadNextHousehold();  // household 2 (zone 10), one adult
        ASSERT_NE(household, nullptr);
        ASSERT_GE(household->GetPersonCount(), 1);
        person = household->GetPerson(1);
    }

    std::unique_ptr<TestDatabase> db;
    CDatabase cachedConnection;
    CDatabase directConnection;
    RecordingMessageSink messages;
    CInputDataManager cached;
    CInputDataManager direct;
    CHouseholdObject* household = nullptr;
    CPersonObject* person = nullptr;
};

TEST(DestinationFilterTest, ListsEveryDestinationInOrder) {
    EXPECT_EQ(CInputDataManager::DestinationFilter(7, {5, 9}),
              "orig_zon = 7 AND ( ( dest_zon = 5 ) OR ( dest_zon = 9 ) ) ");
    EXPECT_EQ(CInputDataManager::DestinationFilter(7, {5}), "orig_zon = 7 AND ( ( dest_zon = 5 ) ) ");
    EXPECT_EQ(CInputDataManager::DestinationFilter(-3, {12, 12, -4}),
              "orig_zon = -3 AND ( ( dest_zon = 12 ) OR ( dest_zon = 12 ) OR ( dest_zon = -4 ) ) ");
    EXPECT_EQ(CInputDataManager::DestinationFilter(7, std::vector<int>(CInputDataManager::kMaxListedDestinations + 1, 3)),
              "orig_zon = 7");
}

TEST(CapTimeTest, OnlyTimesAbove1439AreCapped) {
    EXPECT_EQ(CInputDataManager::CapTime(1500.0), 1439.0);
    EXPECT_EQ(CInputDataManager::CapTime(1439.5), 1439.0);
    EXPECT_EQ(CInputDataManager::CapTime(1439.0), 1439.0);
    EXPECT_EQ(CInputDataManager::CapTime(0.0), 0.0);
}

TEST_P(LOSQueryTest, TableNameChangesAtEachEndTime) {
    EXPECT_EQ(cached.GetLOSTableName(0.0), "los_night");
    EXPECT_EQ(cached.GetLOSTableName(359.9), "los_night");
    EXPECT_EQ(cached.GetLOSTableName(360.0), "los_peak");
    EXPECT_EQ(cached.GetLOSTableName(539.99), "los_peak");
    EXPECT_EQ(cached.GetLOSTableName(540.0), "los_offpeak");
    EXPECT_EQ(cached.GetLOSTableName(959.5), "los_offpeak");
    EXPECT_EQ(cached.GetLOSTableName(960.0), "los_peak");
    EXPECT_EQ(cached.GetLOSTableName(1439.0), "los_peak");
    // At or past the last end time the directory names no table; the lookups
    // then read the last period's table.
    EXPECT_EQ(cached.GetLOSTableName(1440.0), "");
    EXPECT_EQ(cached.GetLOSTableForLookup(1440.0), "los_peak");
    EXPECT_EQ(cached.GetLOSTableForLookup(539.99), "los_peak");
}

TEST_P(LOSQueryTest, CacheIsFilledOncePerZoneAndEachTableReadOnce) {
    const int fills = CSectionTimer::Calls("readcache");
    EXPECT_EQ(cached.GetCurrentOriginZone(), -1);
    EXPECT_EQ(cached.GetCache(4), nullptr);

    cached.SetOriginZone(4);
    EXPECT_EQ(CSectionTimer::Calls("readcache"), fills + 1);
    ASSERT_NE(cached.GetCache(4), nullptr);
    EXPECT_EQ(cached.GetCache(5), nullptr);
    EXPECT_EQ(cached.GetCache(4)->GetOriginZone(), 4);
    // los_peak serves two periods and is held once.
    std::vector<std::string> tables;
    for (const auto& [name, rows] : cached.GetCache(4)->GetTables()) tables.push_back(name);
    EXPECT_EQ(tables, (std::vector<std::string>{"los_night", "los_offpeak", "los_peak", "zone2zone"}));
    EXPECT_EQ(cached.GetCache(4)->GetTables().at("los_peak")->GetDestinationCount(), 8);
    EXPECT_EQ(cached.GetCache(4)->GetTables().at("los_peak")->GetColumnCount(), LOSRegion::kLOSColumns - 2);

    cached.SetOriginZone(4);
    EXPECT_EQ(CSectionTimer::Calls("readcache"), fills + 1);

    cached.SetOriginZone(5);
    EXPECT_EQ(CSectionTimer::Calls("readcache"), fills + 2);
    EXPECT_EQ(cached.GetCache(4), nullptr);
    ASSERT_NE(cached.GetCache(5), nullptr);
    EXPECT_EQ(cached.GetCurrentOriginZone(), 5);
    // The pair 3 -> 5 is missing everywhere: origin 3 holds seven destinations.
    cached.SetOriginZone(3);
    EXPECT_EQ(cached.GetCache(3)->GetTables().at("zone2zone")->GetDestinationCount(), 7);
    cached.SetOriginZone(2);
    EXPECT_EQ(cached.GetCache(2)->GetTables().at("los_night")->GetDestinationCount(), 0);
}

TEST_P(LOSQueryTest, ClearingTheCachesForgetsTheOriginSoTheNextRunRefills) {
    cached.SetOriginZone(6);
    cached.ClearLOSCaches();
    EXPECT_EQ(cached.GetCache(6), nullptr);
    EXPECT_EQ(cached.GetCurrentOriginZone(), -1);

    const int fills = CSectionTimer::Calls("readcache");
    cached.SetOriginZone(6);
    EXPECT_EQ(CSectionTimer::Calls("readcache"), fills + 1);
    ASSERT_NE(cached.GetCache(6), nullptr);

    // A new run (tables loaded again) starts without the old cache.
    ASSERT_TRUE(cached.LoadTables(&cachedConnection));
    EXPECT_EQ(cached.GetCache(6), nullptr);
    EXPECT_EQ(cached.GetCurrentOriginZone(), -1);
}

TEST_P(LOSQueryTest, LevelOfServiceListsAgreeOnBothPathsWithTheRules) {
    // Short lists are queried by their destinations, long ones by the origin.
    std::vector<int> destinations{5, 1, 50000, 3, 99, 5, 7, 2, 4, 6};
    const std::vector<int> shortList = destinations;
    while (destinations.size() <= CInputDataManager::kMaxListedDestinations)
        destinations.insert(destinations.end(), shortList.begin(), shortList.end());
    const std::vector<double> times{0.0, 359.9, 360.0, 539.99, 540.0, 959.5, 960.0, 1438.5, 1439.0, 1440.0, 1500.0};
    for (int origin : LOSRegion::Zones()) {
        cached.SetOriginZone(origin);
        ASSERT_NE(cached.GetCache(origin), nullptr);
        for (double time : times) {
            const int table = StandardTable(time);
            for (int column = 0; column < LOSRegion::kLOSColumns; ++column) {
                SCOPED_TRACE("origin " + std::to_string(origin) + " time " + std::to_string(time) + " column " +
                             std::to_string(column));
                std::vector<double> expected;
                for (int d : destinations) expected.push_back(LOSRegion::LOSValue(table, origin, d, column).value_or(0.0));
                std::vector<double> fromCache{-1.0, -2.0};
                std::vector<double> fromDatabase{-3.0};
                cached.GetLOS(fromCache, column, time, origin, destinations);
                direct.GetLOS(fromDatabase, column, time, origin, destinations);
                EXPECT_EQ(fromCache, expected);
                EXPECT_EQ(fromDatabase, expected);
            }
        }
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(LOSQueryTest, AllDestinationsSortedByValueThenZoneOnBothPaths) {
    for (int origin : LOSRegion::Zones()) {
        cached.SetOriginZone(origin);
        for (double time : {100.0, 400.0, 700.0, 1500.0}) {
            for (int column : {3, 5, 7, 8, 11}) {
                SCOPED_TRACE("origin " + std::to_string(origin) + " time " + std::to_string(time) + " column " +
                             std::to_string(column));
                std::vector<std::pair<double, int>> pairs;
                for (int d : LOSRegion::Zones()) {
                    if (auto v = LOSRegion::LOSValue(StandardTable(time), origin, d, column)) pairs.emplace_back(*v, d);
                }
                std::sort(pairs.begin(), pairs.end());
                std::vector<int> expectedZones;
                std::vector<double> expectedValues;
                for (const auto& [v, d] : pairs) {
                    expectedZones.push_back(d);
                    expectedValues.push_back(v);
                }
                // Twice from the cache: the second answer comes from the kept ordering.
                for (int round = 0; round < 2; ++round) {
                    std::vector<int> zones{42};
                    std::vector<double> values{4.2, 4.3};
                    cached.GetLOSAllDestinations(zones, values, column, time, origin);
                    EXPECT_EQ(zones, expectedZones);
                    EXPECT_EQ(values, expectedValues);
                }
                std::vector<int> zones{42};
                std::vector<double> values{4.2};
                direct.GetLOSAllDestinations(zones, values, column, time, origin);
                EXPECT_EQ(zones, expectedZones);
                EXPECT_EQ(values, expectedValues);
            }
        }
    }
}

TEST_P(LOSQueryTest, EqualValuesAreOrderedByZone) {
    // Origin 1 at 100 (night table): auto times 7 + 3d mod 5 give ties.
    cached.SetOriginZone(1);
    std::vector<int> zones;
    std::vector<double> values;
    cached.GetLOSAllDestinations(zones, values, 5, 100.0, 1);
    ASSERT_EQ(zones.size(), 8u);
    for (size_t i = 1; i < zones.size(); ++i) {
        ASSERT_LE(values[i - 1], values[i]);
        if (values[i - 1] == values[i]) {
            EXPECT_LT(zones[i - 1], zones[i]);
        }
    }
    EXPECT_TRUE(std::adjacent_find(values.begin(), values.end()) != values.end()) << "the region must hold ties";

    // The cache's own list holds the same pairs; an origin it does not hold has none.
    const auto* sorted = cached.GetCachedSortedDestinations(5, 100.0, 1);
    ASSERT_NE(sorted, nullptr);
    ASSERT_EQ(sorted->size(), zones.size());
    for (size_t i = 0; i < zones.size(); ++i) EXPECT_EQ((*sorted)[i], std::make_pair(values[i], zones[i]));
    EXPECT_EQ(cached.GetCachedSortedDestinations(5, 100.0, 3), nullptr);
}

TEST_P(LOSQueryTest, ZoneToZoneQueriesAgreeOnBothPathsWithTheRules) {
    const std::vector<int> destinations{7, 5, 99, 50000, 1, 7, 3};
    for (int origin : LOSRegion::Zones()) {
        cached.SetOriginZone(origin);
        for (int column = 0; column < LOSRegion::kZone2ZoneColumns; ++column) {
            SCOPED_TRACE("origin " + std::to_string(origin) + " column " + std::to_string(column));
            std::vector<double> expected;
            for (int d : destinations) expected.push_back(LOSRegion::Zone2ZoneValue(origin, d, column).value_or(0.0));
            std::vector<double> fromCache{9.0};
            std::vector<double> fromDatabase{9.0, 9.0};
            cached.GetZone2ZoneForDestinations(fromCache, column, origin, destinations);
            direct.GetZone2ZoneForDestinations(fromDatabase, column, origin, destinations);
            EXPECT_EQ(fromCache, expected);
            EXPECT_EQ(fromDatabase, expected);

            for (int d : LOSRegion::Zones()) {
                double one = -1.0;
                double other = -1.0;
                cached.GetZone2Zone(one, column, origin, d);
                direct.GetZone2Zone(other, column, origin, d);
                EXPECT_EQ(one, LOSRegion::Zone2ZoneValue(origin, d, column).value_or(0.0)) << "destination " << d;
                EXPECT_EQ(other, one) << "destination " << d;
            }
        }
    }
    // Missing pairs (3 -> 5, and everything from origin 2) read 0.0 silently.
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(LOSQueryTest, TheLookupMemoAnswersAsTheDatabaseDoes) {
    // `direct`, then `other` keep their answers in the memo and one shared
    // store of origin columns (held for the origins that are zones, the
    // others read afresh); `plain` asks the database every time.
    for (int zone : LOSRegion::Zones())
        if (zone != 5) db->Execute("INSERT INTO zones VALUES (" + std::to_string(zone) + ", 1, 1, 1)");
    ASSERT_TRUE(direct.LoadTables(&directConnection));
    COriginColumnStore shared;
    direct.SetColumnStore(&shared);
    CDatabase otherConnection;
    otherConnection.OpenEx(db->Connect());
    CInputDataManager other;
    ASSERT_TRUE(other.LoadTables(&otherConnection));
    other.SetColumnStore(&shared);
    std::size_t columnsOfFirstRound = 0;
    CDatabase plainConnection;
    plainConnection.OpenEx(db->Connect());
    CInputDataManager plain;
    ASSERT_TRUE(plain.LoadTables(&plainConnection));
    plain.SetLookupMemo(false);
    const std::vector<std::vector<int>> lists{{5}, {99}, {3}, {5, 1, 50000, 3, 99, 5, 7}};
    const int hitsBefore = CSectionTimer::Calls("losmemo-value-hit");
    for (int round = 0; round < 2; ++round) {
        if (round == 1) columnsOfFirstRound = shared.ColumnCount();
        CInputDataManager& asker = round == 0 ? direct : other;
        for (int origin : LOSRegion::Zones()) {
            for (double time : {100.0, 700.0, 1500.0}) {
                for (int column : {3, 5, 7, 8}) {
                    ExpectSameLookups(asker, plain, origin, time, column, lists);
                }
            }
        }
    }
    // The second manager finds every column the first one published.
    EXPECT_GT(CSectionTimer::Calls("losmemo-value-hit") + shared.GetFigures().hits, hitsBefore);
    EXPECT_GT(columnsOfFirstRound, 0u);
    EXPECT_EQ(shared.ColumnCount(), columnsOfFirstRound);
    EXPECT_GT(direct.GetLookupMemo().ValueCount(), 0u);
    EXPECT_EQ(plain.GetLookupMemo().ValueCount(), 0u);
    // A new input database starts with an empty memo and own store.
    direct.SetColumnStore(nullptr);
    std::vector<int> zones;
    std::vector<double> values;
    direct.GetLOSAllDestinations(zones, values, 3, 100.0, LOSRegion::Zones().front());
    EXPECT_EQ(direct.GetColumnStore().ColumnCount(), 1u);
    ASSERT_TRUE(direct.LoadTables(&directConnection));
    EXPECT_EQ(direct.GetLookupMemo().ValueCount(), 0u);
    EXPECT_EQ(direct.GetColumnStore().ColumnCount(), 0u);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(LOSQueryTest, RepeatedRowsReadAsOnTheDatabasePathThroughTheStore) {
    // A second row of 1 -> 3: the lists read the later row, a single
    // zone-to-zone value the first, with and without the store.
    for (int zone : LOSRegion::Zones()) db->Execute("INSERT INTO zones VALUES (" + std::to_string(zone) + ", 1, 1, 1)");
    db->Execute("INSERT INTO zone2zone VALUES (1, 3, 0, 0, 7.5)");
    ASSERT_TRUE(direct.LoadTables(&directConnection));
    CDatabase plainConnection;
    plainConnection.OpenEx(db->Connect());
    CInputDataManager plain;
    ASSERT_TRUE(plain.LoadTables(&plainConnection));
    plain.SetLookupMemo(false);
    for (int round = 0; round < 2; ++round) {
        for (const std::vector<int>& destinations : {std::vector<int>{3}, std::vector<int>{3, 1, 4}}) {
            std::vector<double> held, read;
            direct.GetZone2ZoneForDestinations(held, 4, 1, destinations);
            plain.GetZone2ZoneForDestinations(read, 4, 1, destinations);
            EXPECT_EQ(held, read);
            EXPECT_EQ(read.front(), 7.5);
        }
        double held = -1.0;
        double read = -2.0;
        direct.GetZone2Zone(held, 4, 1, 3);
        plain.GetZone2Zone(read, 4, 1, 3);
        EXPECT_EQ(held, read);
    }
    EXPECT_GT(direct.GetColumnStore().ColumnCount(), 0u);
}

// A store whose budget drops every column as soon as it is held answers every
// lookup from an origin other than the cached one as the database path does:
// single values, lists, sorted lists, a repeated destination (los_peak 4 -> 6,
// zone2zone 1 -> 3) and missing pairs alike.
TEST_P(LOSQueryTest, AStoreOfATinyBudgetAnswersAsTheDatabase) {
    for (int zone : LOSRegion::Zones()) db->Execute("INSERT INTO zones VALUES (" + std::to_string(zone) + ", 1, 1, 1)");
    db->Execute("INSERT INTO zone2zone VALUES (1, 3, 0, 0, 7.5)");
    db->Execute("INSERT INTO los_peak VALUES (4, 6, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9)");
    ASSERT_TRUE(direct.LoadTables(&directConnection));
    COriginColumnStore tiny(256);  // one column of the eight zones, with what waits to be freed
    direct.SetColumnStore(&tiny);
    CDatabase plainConnection;
    plainConnection.OpenEx(db->Connect());
    CInputDataManager plain;
    ASSERT_TRUE(plain.LoadTables(&plainConnection));
    plain.SetLookupMemo(false);
    const std::vector<std::vector<int>> lists{{6}, {3}, {5, 1, 50000, 3, 99, 6, 7}};
    for (int round = 0; round < 2; ++round)
        for (int origin : LOSRegion::Zones()) {
            direct.GetColumnReader().Announce();
            for (double time : {400.0, 700.0, 1500.0})
                for (int column : {2, 3, 5, 8}) ExpectSameLookups(direct, plain, origin, time, column, lists);
        }
    const COriginColumnStore::Figures figures = tiny.GetFigures();
    EXPECT_GT(figures.drops, 0);
    EXPECT_GT(figures.rereads, 0);
    EXPECT_LE(figures.columns, 1u);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(LOSQueryTest, AdjacentZonesAscendOnBothPaths) {
    for (int origin : LOSRegion::Zones()) {
        cached.SetOriginZone(origin);
        std::vector<int> expected;
        for (int d : LOSRegion::Zones())
            if (LOSRegion::Zone2ZoneValue(origin, d, 2).value_or(0.0) == 1.0) expected.push_back(d);
        std::vector<int> fromCache{77};
        std::vector<int> fromDatabase{77, 78};
        cached.GetAdjacentZones(origin, fromCache);
        direct.GetAdjacentZones(origin, fromDatabase);
        EXPECT_EQ(fromCache, expected) << "origin " << origin;
        EXPECT_EQ(fromDatabase, expected) << "origin " << origin;
    }
    std::vector<int> zones;
    direct.GetAdjacentZones(7, zones);
    EXPECT_EQ(zones, (std::vector<int>{6, 7, 50000}));
}

TEST_P(LOSQueryTest, EmptyDestinationListGivesEmptyResults) {
    cached.SetOriginZone(4);
    std::vector<double> values{1.0};
    cached.GetLOS(values, 5, 400.0, 4, {});
    EXPECT_TRUE(values.empty());
    values = {1.0};
    direct.GetLOS(values, 5, 400.0, 4, {});
    EXPECT_TRUE(values.empty());
    values = {1.0};
    cached.GetZone2ZoneForDestinations(values, 3, 4, {});
    EXPECT_TRUE(values.empty());
    values = {1.0};
    direct.GetZone2ZoneForDestinations(values, 3, 4, {});
    EXPECT_TRUE(values.empty());
}

TEST_P(LOSQueryTest, AColumnOutsideTheTableIsRefusedOnBothPaths) {
    cached.SetOriginZone(4);
    std::vector<double> values;
    EXPECT_THROW(cached.GetLOS(values, LOSRegion::kLOSColumns, 400.0, 4, {5}), std::invalid_argument);
    EXPECT_THROW(direct.GetLOS(values, LOSRegion::kLOSColumns, 400.0, 4, {5}), std::invalid_argument);
    double value = 0.0;
    EXPECT_THROW(cached.GetZone2Zone(value, LOSRegion::kZone2ZoneColumns, 4, 5), std::invalid_argument);
    EXPECT_THROW(direct.GetZone2Zone(value, LOSRegion::kZone2ZoneColumns, 4, 5), std::invalid_argument);
}

TEST_P(LOSQueryTest, CommuteRecordOfAHandCheckedPair) {
    // Home 4, work 3; outbound at 450 (los_peak), return at 700 (los_offpeak).
    //   return row 3 -> 4: auto time (21 + 12) mod 5 + 3 + 0.5 = 6.5; column 6
    //   3034.75; 11 3035.375; 12 3035.5; 13 3035.625; 7 = 1 (7 mod 3 = 1);
    //   8 = (7 mod 4) x 2.5 + 3 = 10.5; 9 3035.125; 10 3035.25; 4 3034.5.
    //   distance 3 -> 4: 0.75 + 0.25 = 1.0.
    //   outbound row 4 -> 3: auto time (28 + 9) mod 5 + 2 + 0.5 = 4.5; 7 = 1;
    //   8 = 7.5 + 2 = 9.5; 11 2044.375; 4 2043.5; 3 (adjacent) 1.
    const std::array<double, 18> expected{6.5, 3034.75, 3035.375, 3035.5, 3034.75, 3035.625, 1.0, 10.5, 3035.125,
                                          3035.25, 1.0, 4.5, 1.0, 9.5, 2044.375, 2043.5, 3034.5, 1.0};
    cached.SetOriginZone(4);
    cached.GetLOSRecord(person, 4, 3, 450.0, 700.0);
    EXPECT_EQ(Fields(*person->GetCommuteRecord()), expected);

    person->SetCommuteRecord(std::make_unique<CCommuteLOSRecord>());
    direct.GetLOSRecord(person, 4, 3, 450.0, 700.0);
    EXPECT_EQ(Fields(*person->GetCommuteRecord()), expected);
}

TEST_P(LOSQueryTest, CommuteRecordsAgreeOnBothPathsIncludingMissingPairs) {
    const std::vector<std::pair<double, double>> times{{450.0, 700.0}, {100.0, 1500.0}, {1439.0, 359.9}, {2000.0, 960.0}};
    for (int home : LOSRegion::Zones()) {
        cached.SetOriginZone(home);
        for (int work : LOSRegion::Zones()) {
            for (const auto& [outbound, back] : times) {
                SCOPED_TRACE("home " + std::to_string(home) + " work " + std::to_string(work));
                const auto expected = ExpectedRecord(home, work, StandardTable(outbound), StandardTable(back));
                cached.GetLOSRecord(person, home, work, outbound, back);
                EXPECT_EQ(Fields(*person->GetCommuteRecord()), expected);
                person->SetCommuteRecord(std::make_unique<CCommuteLOSRecord>());
                direct.GetLOSRecord(person, home, work, outbound, back);
                EXPECT_EQ(Fields(*person->GetCommuteRecord()), expected);
            }
        }
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(LOSQueryTest, TravelTimeByMode) {
    db->Execute("UPDATE zone2zone SET distance = 2.0 WHERE orig_zon = 4 AND dest_zon = 1");
    db->Execute("UPDATE zone2zone SET distance = 3.0 WHERE orig_zon = 4 AND dest_zon = 6");
    db->Execute("UPDATE zone2zone SET distance = 0.05 WHERE orig_zon = 4 AND dest_zon = 7");
    db->Execute("UPDATE zone2zone SET distance = 0.5 WHERE orig_zon = 4 AND dest_zon = 3");
    cached.SetOriginZone(4);
    for (CInputDataManager* manager : {&cached, &direct}) {
        SingleNoChildrenHH simulator(nullptr);
        simulator.SetDataManager(manager);
        EXPECT_EQ(simulator.GetTravelTime(4, {1}, 2, 500.0), 40.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {6}, 2, 500.0), 20.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {7}, 2, 500.0), 2.0);  // floor(1) raised to 2
        EXPECT_EQ(simulator.GetTravelTime(4, {3}, 2, 500.0), 10.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {3, 6}, 2, 500.0), 10.0);  // the first destination only
        // Auto time 4 -> 3 at 450 (los_peak) is 4.5, transit time 9.5; at 100 (night) 3.5 and 8.5.
        for (int mode : {0, 1, 7}) EXPECT_EQ(simulator.GetTravelTime(4, {3}, mode, 450.0), 4.0) << mode;
        EXPECT_EQ(simulator.GetTravelTime(4, {3}, 0, 100.0), 3.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {3}, 3, 450.0), 9.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {3}, 3, 100.0), 8.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {5}, 5, 450.0), 2.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {5}, 4, 450.0), 2.0);
        // No destination: the 2-minute floor, nothing read.
        EXPECT_EQ(simulator.GetTravelTime(4, {}, 0, 450.0), 2.0);
        EXPECT_EQ(simulator.GetTravelTime(4, {}, 2, 450.0), 2.0);
        // A pair without a row reads 0, so the floor.
        EXPECT_EQ(simulator.GetTravelTime(2, {3}, 0, 450.0), 2.0);
    }
    SingleNoChildrenHH unlinked(nullptr);
    EXPECT_EQ(unlinked.GetTravelTime(4, {3}, 0, 450.0), 2.0);
}

TEST_P(LOSQueryTest, EachPathTimesItsOwnSection) {
    cached.SetOriginZone(4);
    auto calls = [](const char* s) { return CSectionTimer::Calls(s); };
    const int cacheD = calls("getloscache-d"), cacheI = calls("getloscache-i"), losD = calls("getlos-d"),
              losI = calls("getlos-i"), z2zD = calls("getz2z-d"), z2zVD = calls("getz2z-vd");
    std::vector<double> values;
    std::vector<int> zones;
    double value = 0.0;
    cached.GetLOS(values, 5, 400.0, 4, {3});
    cached.GetLOSAllDestinations(zones, values, 5, 400.0, 4);
    cached.GetZone2Zone(value, 3, 4, 3);
    cached.GetZone2ZoneForDestinations(values, 3, 4, {3});
    EXPECT_EQ(calls("getloscache-d"), cacheD + 1);
    EXPECT_EQ(calls("getloscache-i"), cacheI + 1);
    EXPECT_EQ(calls("getlos-d"), losD);
    EXPECT_EQ(calls("getz2z-d"), z2zD);

    // The database path itself; the memo's own counts are tested with it.
    direct.SetLookupMemo(false);
    direct.GetLOS(values, 5, 400.0, 4, {3});
    direct.GetLOSAllDestinations(zones, values, 5, 400.0, 4);
    direct.GetZone2Zone(value, 3, 4, 3);
    direct.GetZone2ZoneForDestinations(values, 3, 4, {3});
    EXPECT_EQ(calls("getlos-d"), losD + 1);
    EXPECT_EQ(calls("getlos-i"), losI + 1);
    EXPECT_EQ(calls("getz2z-d"), z2zD + 1);
    EXPECT_EQ(calls("getz2z-vd"), z2zVD + 1);
    EXPECT_EQ(calls("getloscache-d"), cacheD + 1);
}

TEST_P(LOSQueryTest, DatabaseErrorsOfTheSingleLookups) {
    cached.SetOriginZone(4);
    person->SetCommuteRecord(std::make_unique<CCommuteLOSRecord>());
    direct.GetLOSRecord(person, 4, 3, 450.0, 700.0);
    const auto before = Fields(*person->GetCommuteRecord());
    ASSERT_EQ(before[0], 6.5);

    db->Execute("DROP TABLE zone2zone");
    double value = -1.0;
    direct.GetZone2Zone(value, 3, 4, 3);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(messages.Messages().size(), 2u);

    messages.Clear();
    db->Execute("DROP TABLE los_offpeak");
    direct.GetLOSRecord(person, 4, 3, 450.0, 700.0);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Fields(*person->GetCommuteRecord()), before);

    // A cache that cannot be filled leaves no cache and no origin behind, so
    // the next household of the zone tries again.
    ASSERT_NE(cached.GetCache(4), nullptr);
    EXPECT_THROW(cached.SetOriginZone(5), DbError);
    EXPECT_EQ(cached.GetCache(5), nullptr);
    EXPECT_EQ(cached.GetCache(4), nullptr);
    EXPECT_EQ(cached.GetCurrentOriginZone(), -1);
}

class ShortDirectoryTest : public LOSQueryTest {
protected:
    void SetUp() override { Build(LOSRegion::ShortDirectory()); }
};

// The directory ends at 1439: times of 1439 and above have no table of their
// own and read the last period's table (los_offpeak, table 3) on both paths.
TEST_P(ShortDirectoryTest, TimesPastTheLastEndReadTheLastTable) {
    EXPECT_EQ(cached.GetLOSTableName(1438.9), "los_offpeak");
    EXPECT_EQ(cached.GetLOSTableName(1439.0), "");
    EXPECT_EQ(cached.GetLOSTableForLookup(1439.0), "los_offpeak");

    cached.SetOriginZone(4);
    const std::vector<int> destinations{3, 5, 6};
    for (double time : {1439.0, 1500.0}) {
        std::vector<double> expected;
        for (int d : destinations) expected.push_back(*LOSRegion::LOSValue(3, 4, d, 5));
        std::vector<double> fromCache;
        std::vector<double> fromDatabase;
        cached.GetLOS(fromCache, 5, time, 4, destinations);
        direct.GetLOS(fromDatabase, 5, time, 4, destinations);
        EXPECT_EQ(fromCache, expected);
        EXPECT_EQ(fromDatabase, expected);

        std::vector<int> cacheZones, databaseZones;
        std::vector<double> cacheValues, databaseValues;
        cached.GetLOSAllDestinations(cacheZones, cacheValues, 8, time, 4);
        direct.GetLOSAllDestinations(databaseZones, databaseValues, 8, time, 4);
        EXPECT_EQ(cacheZones.size(), 8u);
        EXPECT_EQ(cacheZones, databaseZones);
        EXPECT_EQ(cacheValues, databaseValues);
    }
    // Both legs past the end: the record comes from the last table too.
    const auto expected = ExpectedRecord(4, 6, 3, 3);
    cached.GetLOSRecord(person, 4, 6, 1500.0, 1439.0);
    EXPECT_EQ(Fields(*person->GetCommuteRecord()), expected);
    person->SetCommuteRecord(std::make_unique<CCommuteLOSRecord>());
    direct.GetLOSRecord(person, 4, 6, 1500.0, 1439.0);
    EXPECT_EQ(Fields(*person->GetCommuteRecord()), expected);
    EXPECT_TRUE(messages.Texts().empty());
}

class Zone2ZonePeriodTest : public LOSQueryTest {
protected:
    void SetUp() override { Build({{360, "los_night"}, {1440, "zone2zone"}}); }
};

// A directory that names zone2zone as a period's table: the cache holds its
// rows once and serves them both as that period's table and as zone2zone.
TEST_P(Zone2ZonePeriodTest, ZoneToZoneAsAPeriodTableIsHeldOnce) {
    cached.SetOriginZone(4);
    EXPECT_EQ(cached.GetCache(4)->GetTables().size(), 2u);
    const std::vector<int> destinations{3, 5, 6, 50000};
    std::vector<double> expected;
    for (int d : destinations) expected.push_back(LOSRegion::Zone2ZoneValue(4, d, 3).value_or(0.0));
    std::vector<double> values;
    cached.GetLOS(values, 3, 500.0, 4, destinations);
    EXPECT_EQ(values, expected);
    cached.GetZone2ZoneForDestinations(values, 3, 4, destinations);
    EXPECT_EQ(values, expected);
    std::vector<int> zones;
    cached.GetAdjacentZones(4, zones);
    EXPECT_EQ(zones, (std::vector<int>{3, 4, 5}));
}

INSTANTIATE_TEST_SUITE_P(Db, Zone2ZonePeriodTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);
INSTANTIATE_TEST_SUITE_P(Db, LOSQueryTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);
INSTANTIATE_TEST_SUITE_P(Db, ShortDirectoryTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace

namespace {

// After an all-destinations query of an origin, list queries of the same
// table and column answer from the per-thread memo, as the database would.
TEST_P(LOSQueryTest, ListQueriesOfAQueriedOriginAnswerFromTheMemoAsTheDatabase) {
    const std::vector<int> destinations{5, 1, 50000, 3, 99, 5, 7, 2, 4, 6};
    for (int origin : LOSRegion::Zones()) {
        for (double time : {100.0, 700.0, 1500.0}) {
            for (int column = 0; column < LOSRegion::kLOSColumns; ++column) {
                std::vector<int> zones;
                std::vector<double> values;
                direct.GetLOSAllDestinations(zones, values, column, time, origin);
                const long queries = CSectionTimer::Calls("getlos-d");
                direct.GetLOS(values, column, time, origin, destinations);
                EXPECT_EQ(CSectionTimer::Calls("getlos-d"), queries);
                std::vector<double> expected;
                for (int d : destinations)
                    expected.push_back(LOSRegion::LOSValue(StandardTable(time), origin, d, column).value_or(0.0));
                EXPECT_EQ(values, expected) << "origin " << origin << " time " << time << " column " << column;
            }
        }
    }
}

}  // namespace
