// The sample region checked against the rules the simulator relies on, by
// queries of its own on both databases: table and column layout, counts,
// person numbering and order, household types against their members, full
// zone-pair matrices, positive values under logarithms, vehicle-make keys,
// indexes and determinism.

#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "support/TestDatabase.h"
#include "tools/SampleRegionGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kZones = 25;
constexpr int kHouseholds = 200;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string N(long long value) { return NumberText::Integer(value); }


// Reads query results on a read-only connection of its own.
class Reader {
public:
    explicit Reader(const std::string& connect) { m_db.OpenEx(connect); }

    double Number(const std::string& sql) {
        CRecordset rs(&m_db);
        rs.Open(sql);
        EXPECT_FALSE(rs.IsEOF()) << sql;
        return rs.IsEOF() ? -1.0 : rs.GetDouble(0);
    }
    // Every row as numbers (text fields as their text's length marker is not
    // needed: the only text column is read by Texts).
    std::vector<std::vector<double>> Rows(const std::string& sql) {
        std::vector<std::vector<double>> rows;
        CRecordset rs(&m_db);
        rs.Open(sql);
        for (; !rs.IsEOF(); rs.MoveNext()) {
            std::vector<double> row;
            for (int c = 0; c < rs.GetODBCFieldCount(); ++c) row.push_back(rs.IsTextField(c) ? 0.0 : rs.GetDouble(c));
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<std::string> ColumnNames(const std::string& table) {
        CRecordset rs(&m_db);
        rs.Open("SELECT * FROM " + table);
        std::vector<std::string> names;
        for (int c = 0; c < rs.GetODBCFieldCount(); ++c) names.push_back(Lower(rs.GetFieldName(c)));
        return names;
    }
    // The losdir rows in ascending end time: (end_t, tbname).
    std::vector<std::pair<double, std::string>> Periods() {
        std::vector<std::pair<double, std::string>> periods;
        CRecordset rs(&m_db);
        rs.m_strSort = "end_t";
        rs.Open("SELECT end_t, tbname FROM losdir");
        for (; !rs.IsEOF(); rs.MoveNext()) periods.emplace_back(rs.GetDouble(0), rs.GetText(1));
        return periods;
    }
    CDatabase& Db() { return m_db; }

private:
    CDatabase m_db;
};

class SampleRegionTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { db = TestDatabase::Create(GetParam()); }

    SampleRegionGenerator::Summary Generate(int zones = kZones, int households = kHouseholds, std::uint64_t seed = 1) {
        CDatabase writer;
        writer.OpenEx(db->Connect(), false);
        SampleRegionGenerator generator({zones, households, seed});
        return generator.Write(writer);
    }
    std::vector<std::string> LosTables() {
        Reader reader(db->Connect());
        std::vector<std::string> tables;
        for (const auto& period : reader.Periods()) tables.push_back(period.second);
        return tables;
    }

    std::unique_ptr<TestDatabase> db;
};

TEST_P(SampleRegionTest, TablesAreInTheCatalogWithLowerCaseNamesOnPostgreSQL) {
    // Tables of the region's names that exist already are replaced, on
    // PostgreSQL also one created with the quoted mixed-case name.
    db->Execute("CREATE TABLE households (x DOUBLE PRECISION)");
    if (db->IsPostgreSQL()) db->Execute("CREATE TABLE \"VehicleMake\" (x DOUBLE PRECISION)");
    Generate();
    CDatabase connection;
    connection.OpenEx(db->Connect());
    CRecordset rs(&connection);
    rs.OpenTables("", "", "", "'TABLE'");
    std::multiset<std::string> names;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::string name = rs.GetText(2);
        if (db->IsPostgreSQL()) {
            EXPECT_EQ(name, Lower(name));
        }
        names.insert(Lower(name));
    }
    EXPECT_EQ(names.count("vehiclemake"), 1u);
    EXPECT_EQ(Reader(db->Connect()).ColumnNames("households").front(), "hid");
    for (const char* table : {"households", "persons", "zones", "zone2zone", "losdir", "vehiclemake"})
        EXPECT_TRUE(names.count(table)) << table;
    for (const auto& table : LosTables()) EXPECT_TRUE(names.count(Lower(table))) << table;
}

TEST_P(SampleRegionTest, ColumnsStandAtThePositionsTheSimulatorReads) {
    Generate();
    Reader reader(db->Connect());
    auto households = reader.ColumnNames("households");
    ASSERT_GE(households.size(), 10u);
    EXPECT_EQ(households[0], "hid");
    EXPECT_EQ(households[3], "zone_id");
    EXPECT_EQ(households[5], "hh_type");
    EXPECT_EQ(households[9], "num_persons");
    auto persons = reader.ColumnNames("persons");
    ASSERT_GE(persons.size(), 59u);
    EXPECT_EQ(persons[0], "hid");
    EXPECT_EQ(persons[1], "pnum");
    EXPECT_EQ(persons[8], "age");
    auto zones = reader.ColumnNames("zones");
    ASSERT_GE(zones.size(), 45u);
    EXPECT_EQ(zones[0], "zid");
    auto zone2zone = reader.ColumnNames("zone2zone");
    ASSERT_GE(zone2zone.size(), 4u);
    EXPECT_EQ(zone2zone[0], "orig_zon");
    EXPECT_EQ(zone2zone[1], "dest_zon");
    EXPECT_EQ(zone2zone[2], "adjacent");
    for (const auto& table : LosTables()) {
        auto los = reader.ColumnNames(table);
        ASSERT_GE(los.size(), 14u) << table;
        EXPECT_EQ(los[0], "orig_zon");
        EXPECT_EQ(los[1], "dest_zon");
    }
    auto makes = reader.ColumnNames("VehicleMake");
    ASSERT_GE(makes.size(), 32u);
    for (const char* key : {"type", "age", "maketype"})
        EXPECT_NE(std::find(makes.begin(), makes.end(), key), makes.end()) << key;

    // The other positions that the simulation reads with a fixed meaning.
    using Positions = std::vector<std::pair<std::size_t, const char*>>;
    auto expectAt = [](const std::vector<std::string>& names, const Positions& positions) {
        for (const auto& [position, name] : positions) {
            ASSERT_LT(position, names.size()) << name;
            EXPECT_EQ(names[position], name) << "column " << position;
        }
    };
    expectAt(households, {{1, "num_adults"}, {2, "num_vehicles"}, {7, "income"}});
    expectAt(persons, {{2, "employed"}, {3, "student"}, {5, "work_zone"}, {6, "school_zone"}, {7, "female"},
                       {9, "parent"}, {14, "veh_per_adult"}, {15, "high_flex"}, {35, "mother"}, {36, "father"},
                       {48, "work_40plus"}, {52, "college_zone"}, {57, "bachelor"}, {58, "postgrad"}});
    expectAt(zones, {{6, "cbd_city1"}, {7, "cbd_city2"}, {10, "population"}, {12, "retail_emp"},
                     {13, "service_emp"}});
    expectAt(zone2zone, {{3, "dist"}});
    for (const auto& table : LosTables())
        expectAt(reader.ColumnNames(table), {{3, "adjacent"}, {4, "distance"}, {5, "auto_time"}, {7, "trn_avail"},
                                             {8, "trn_time"}, {9, "trn_wait"}, {10, "trn_fare"}, {11, "auto_cost"}});
    expectAt(makes, {{1, "type"}, {2, "age"}, {12, "engine_size"}, {13, "horsepower"}});

    // Every column of every table has a name of its own.
    for (const auto& names : {households, persons, zones, zone2zone, makes}) {
        std::set<std::string> distinct(names.begin(), names.end());
        EXPECT_EQ(distinct.size(), names.size());
        EXPECT_FALSE(distinct.count(""));
    }
}

TEST_P(SampleRegionTest, EveryColumnIsANumberButTheTableNameOfTheDirectory) {
    Generate();
    Reader reader(db->Connect());
    std::vector<std::string> tables{"households", "persons", "zones", "zone2zone", "VehicleMake"};
    for (const auto& t : LosTables()) tables.push_back(t);
    for (const auto& table : tables) {
        CRecordset rs(&reader.Db());
        rs.Open("SELECT * FROM " + table);
        ASSERT_FALSE(rs.IsEOF()) << table;
        for (int c = 0; c < rs.GetODBCFieldCount(); ++c) EXPECT_FALSE(rs.IsTextField(c)) << table << " " << c;
    }
    CRecordset rs(&reader.Db());
    rs.Open("SELECT * FROM losdir");
    EXPECT_FALSE(rs.IsTextField(rs.FindField("end_t")));
    EXPECT_TRUE(rs.IsTextField(rs.FindField("tbname")));
}

TEST_P(SampleRegionTest, WritesTheAskedCountsAndASummaryThatMatchesThem) {
    auto summary = Generate();
    Reader reader(db->Connect());
    EXPECT_EQ(reader.Number("SELECT count(*) FROM households"), kHouseholds);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM zones"), kZones);
    EXPECT_EQ(reader.Number("SELECT count(DISTINCT zid) FROM zones"), kZones);
    EXPECT_EQ(reader.Number("SELECT count(DISTINCT hid) FROM households"), kHouseholds);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM zone2zone"), kZones * kZones);
    EXPECT_EQ(summary.Rows("households"), kHouseholds);
    EXPECT_EQ(summary.Rows("persons"), reader.Number("SELECT count(*) FROM persons"));
    EXPECT_EQ(summary.Rows("persons"), reader.Number("SELECT sum(num_persons) FROM households"));
    EXPECT_EQ(summary.Rows("zone2zone"), kZones * kZones);
    EXPECT_EQ(summary.Rows("VehicleMake"), reader.Number("SELECT count(*) FROM VehicleMake"));
    EXPECT_EQ(summary.Rows("nothing"), -1);
}

TEST_P(SampleRegionTest, DirectoryHasAtLeastFourPeriodsAndTheLastEndsAfterTheDay) {
    Generate();
    Reader reader(db->Connect());
    auto periods = reader.Periods();
    ASSERT_GE(periods.size(), 4u);
    EXPECT_GT(periods.back().first, 1439.0);
    std::set<std::string> tables;
    for (std::size_t i = 0; i < periods.size(); ++i) {
        if (i) {
            EXPECT_LT(periods[i - 1].first, periods[i].first);
        }
        const std::string& name = periods[i].second;
        ASSERT_FALSE(name.empty());
        EXPECT_TRUE(std::all_of(name.begin(), name.end(),
                                [](unsigned char c) { return std::islower(c) || std::isdigit(c) || c == '_'; }))
            << name;
        tables.insert(name);
        EXPECT_EQ(reader.Number("SELECT count(*) FROM " + name), kZones * kZones) << name;
    }
    EXPECT_EQ(tables.size(), periods.size());
}

TEST_P(SampleRegionTest, PersonsAreNumberedOneToNAndComeInThatOrder) {
    Generate();
    Reader reader(db->Connect());
    // Per household: numbers 1..n without gaps or repeats.
    EXPECT_EQ(reader.Number("SELECT count(*) FROM (SELECT hid, count(*) AS n, min(pnum) AS lo, max(pnum) AS hi, "
                            "count(DISTINCT pnum) AS d FROM persons GROUP BY hid) g "
                            "WHERE lo <> 1 OR hi <> n OR d <> n"),
              0.0);
    // The household query of the loader (no ORDER BY) returns them in order.
    CRecordset page(&reader.Db());
    page.Open("SELECT hid FROM households order by zone_id,hid ASC limit 40 offset 0");
    int checked = 0;
    for (; !page.IsEOF(); page.MoveNext(), ++checked) {
        CRecordset rs(&reader.Db());
        rs.m_strFilter = "hid = " + N(static_cast<long long>(page.GetDouble(0)));
        rs.Open("SELECT * FROM persons");
        double expected = 1.0;
        for (; !rs.IsEOF(); rs.MoveNext(), expected += 1.0) EXPECT_EQ(rs.GetDouble(1), expected);
        EXPECT_GT(expected, 1.0) << "household without persons";
    }
    EXPECT_EQ(checked, 40);
    // And a scan of the whole table sees each household's members as 1, 2, ...
    std::map<double, double> last;
    CRecordset scan(&reader.Db());
    scan.Open("SELECT hid, pnum FROM persons");
    for (; !scan.IsEOF(); scan.MoveNext()) {
        double& previous = last[scan.GetDouble(0)];
        EXPECT_EQ(scan.GetDouble(1), previous + 1.0);
        previous = scan.GetDouble(1);
    }
}

TEST_P(SampleRegionTest, HouseholdColumnNineCountsItsPersons) {
    Generate();
    Reader reader(db->Connect());
    EXPECT_EQ(reader.Number("SELECT count(*) FROM households h WHERE h.num_persons <> "
                            "(SELECT count(*) FROM persons p WHERE p.hid = h.hid)"),
              0.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM households WHERE num_persons < 1"), 0.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM persons p WHERE NOT EXISTS "
                            "(SELECT 1 FROM households h WHERE h.hid = p.hid)"),
              0.0);
}

TEST_P(SampleRegionTest, HouseholdTypesMatchTheirMembers) {
    Generate();
    Reader reader(db->Connect());
    auto rows = reader.Rows(
        "SELECT h.hid, h.hh_type, h.num_adults, h.num_children, "
        "sum(CASE WHEN p.age >= 16 THEN 1 ELSE 0 END), "
        "sum(CASE WHEN p.age < 16 THEN 1 ELSE 0 END), "
        "sum(CASE WHEN p.parent = 1 THEN 1 ELSE 0 END), "
        "sum(CASE WHEN p.parent = 1 AND p.female = 1 THEN 1 ELSE 0 END), "
        "sum(CASE WHEN p.parent = 1 AND p.female = 0 THEN 1 ELSE 0 END), "
        "sum(CASE WHEN p.age >= 16 AND p.female = 1 THEN 1 ELSE 0 END), "
        "sum(CASE WHEN p.age >= 16 AND p.female = 0 THEN 1 ELSE 0 END), "
        "sum(CASE WHEN p.parent = 1 AND p.age < 16 THEN 1 ELSE 0 END) "
        "FROM households h JOIN persons p ON p.hid = h.hid "
        "GROUP BY h.hid, h.hh_type, h.num_adults, h.num_children ORDER BY h.hid");
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kHouseholds));
    std::map<std::string, int> seen;
    for (const auto& r : rows) {
        const int type = static_cast<int>(r[1]);
        const double adults = r[4], children = r[5], parents = r[6], mothers = r[7], fathers = r[8];
        const double women = r[9], men = r[10];
        SCOPED_TRACE("household " + N(static_cast<long long>(r[0])) + " of type " + N(type));
        EXPECT_EQ(r[1], static_cast<double>(type)) << "type is a whole number";
        EXPECT_EQ(r[2], adults) << "column 1 counts the adults";
        EXPECT_EQ(r[3], children);
        EXPECT_GE(adults, 1.0);
        EXPECT_EQ(r[11], 0.0) << "a child is never a parent";
        switch (type) {
            case 1: case 5:
                seen["single"]++;
                EXPECT_EQ(adults, 1.0);
                EXPECT_EQ(children, 0.0);
                EXPECT_EQ(parents, 0.0);
                break;
            case 9: case 16:
                seen["couple"]++;
                EXPECT_EQ(adults, 2.0);
                EXPECT_EQ(women, 1.0);
                EXPECT_EQ(men, 1.0);
                EXPECT_EQ(children, 0.0);
                EXPECT_EQ(parents, 0.0);
                break;
            case 14: case 20: case 22:
                seen["other"]++;
                EXPECT_GE(adults, 2.0);
                EXPECT_EQ(children, 0.0);
                EXPECT_EQ(parents, 0.0);
                break;
            case 2: case 3: case 4: case 6: case 7: case 8:
                seen["single with children"]++;
                EXPECT_EQ(adults, 1.0);
                EXPECT_GE(children, 1.0);
                EXPECT_EQ(parents, 1.0);
                EXPECT_EQ(mothers + fathers, 1.0);
                break;
            case 10: case 11: case 12: case 13: case 17: case 18: case 19:
                seen["couple with children"]++;
                EXPECT_GE(adults, 2.0);
                EXPECT_GE(children, 1.0);
                EXPECT_EQ(mothers, 1.0);
                EXPECT_EQ(fathers, 1.0);
                EXPECT_EQ(parents, 2.0);
                break;
            case 15: case 21: case 23:
                seen["other with children"]++;
                EXPECT_GE(adults, 2.0);
                EXPECT_GE(children, 1.0);
                EXPECT_EQ(parents, 0.0);
                break;
            default:
                ADD_FAILURE() << "household type outside 1 to 23";
        }
    }
    EXPECT_EQ(seen.size(), 6u) << "every kind of household occurs in a region of 200";
    // Mother and father columns follow the parent and female columns.
    EXPECT_EQ(reader.Number("SELECT count(*) FROM persons WHERE "
                            "mother <> (CASE WHEN parent = 1 AND female = 1 THEN 1 ELSE 0 END) OR "
                            "father <> (CASE WHEN parent = 1 AND female = 0 THEN 1 ELSE 0 END)"),
              0.0);
}

TEST_P(SampleRegionTest, ZoneColumnsOfHouseholdsAndPersonsNameExistingZones) {
    Generate();
    Reader reader(db->Connect());
    auto missing = [&](const std::string& column, const std::string& table, const std::string& where) {
        return reader.Number("SELECT count(*) FROM " + table + " t WHERE " + where + " NOT EXISTS (SELECT 1 FROM zones z "
                             "WHERE z.zid = t." + column + ")");
    };
    EXPECT_EQ(missing("zone_id", "households", ""), 0.0);
    EXPECT_EQ(missing("work_zone", "persons", ""), 0.0);
    EXPECT_EQ(missing("school_zone", "persons", "t.student = 1 AND t.age < 16 AND"), 0.0);
    EXPECT_EQ(missing("college_zone", "persons", "t.student = 1 AND t.age >= 16 AND"), 0.0);
    // The work zone of an employed person is its activity zone: nobody is
    // both employed and a student, and no child is employed.
    EXPECT_EQ(reader.Number("SELECT count(*) FROM persons WHERE employed = 1 AND student = 1"), 0.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM persons WHERE employed = 1 AND age < 16"), 0.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM persons WHERE employed NOT IN (0, 1) OR student NOT IN (0, 1) "
                            "OR female NOT IN (0, 1) OR parent NOT IN (0, 1)"),
              0.0);
}

TEST_P(SampleRegionTest, ZonePairTablesHoldEveryPairIncludingIntrazonal) {
    Generate();
    Reader reader(db->Connect());
    std::vector<std::string> tables{"zone2zone"};
    for (const auto& t : LosTables()) tables.push_back(t);
    for (const auto& table : tables) {
        SCOPED_TRACE(table);
        EXPECT_EQ(reader.Number("SELECT count(*) FROM (SELECT DISTINCT orig_zon, dest_zon FROM " + table + ") d"),
                  kZones * kZones);
        EXPECT_EQ(reader.Number("SELECT count(*) FROM " + table + " WHERE orig_zon = dest_zon"), kZones);
        EXPECT_EQ(reader.Number("SELECT count(*) FROM " + table + " t WHERE NOT EXISTS (SELECT 1 FROM zones z "
                                "WHERE z.zid = t.orig_zon) OR NOT EXISTS (SELECT 1 FROM zones z WHERE z.zid = "
                                "t.dest_zon)"),
                  0.0);
    }
    // Adjacency is a 0/1 flag, never a zone to itself, the same in every table.
    EXPECT_EQ(reader.Number("SELECT count(*) FROM zone2zone WHERE adjacent NOT IN (0, 1)"), 0.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM zone2zone WHERE adjacent = 1 AND orig_zon = dest_zon"), 0.0);
    EXPECT_GT(reader.Number("SELECT count(*) FROM zone2zone WHERE adjacent = 1"), 0.0);
    for (const auto& table : LosTables()) {
        EXPECT_EQ(reader.Number("SELECT count(*) FROM " + table + " l JOIN zone2zone z ON z.orig_zon = l.orig_zon "
                                "AND z.dest_zon = l.dest_zon WHERE l.adjacent <> z.adjacent OR l.distance <> z.dist"),
                  0.0)
            << table;
        EXPECT_EQ(reader.Number("SELECT count(*) FROM " + table + " WHERE trn_avail NOT IN (0, 1)"), 0.0);
        EXPECT_GT(reader.Number("SELECT count(*) FROM " + table + " WHERE trn_avail = 1"), 1.0) << table;
    }
}

TEST_P(SampleRegionTest, ValuesUnderALogarithmOrADivisionArePositive) {
    Generate();
    Reader reader(db->Connect());
    for (const auto& table : LosTables()) {
        EXPECT_GT(reader.Number("SELECT min(auto_time) FROM " + table), 0.0) << table;
        EXPECT_GT(reader.Number("SELECT min(trn_time) FROM " + table), 0.0) << table;
        EXPECT_GT(reader.Number("SELECT min(distance) FROM " + table), 0.0) << table;
    }
    EXPECT_GT(reader.Number("SELECT min(dist) FROM zone2zone"), 0.0);
    EXPECT_GT(reader.Number("SELECT min(population) FROM zones"), 0.0);
    EXPECT_GT(reader.Number("SELECT min(retail_emp + service_emp) FROM zones"), 0.0);
    EXPECT_GT(reader.Number("SELECT min(income) FROM households"), 0.0);
    EXPECT_GT(reader.Number("SELECT min(engine_size) FROM VehicleMake"), 0.0);
}

TEST_P(SampleRegionTest, EveryVehicleMakeKeyIsPresentWithItsRowsTogether) {
    Generate();
    Reader reader(db->Connect());
    CRecordset rs(&reader.Db());
    rs.Open("SELECT * FROM VehicleMake");
    std::set<int> finished;
    int current = -1;
    std::map<int, int> rowsPerKey;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        int key = static_cast<int>(rs.GetDouble("type")) * 10 + static_cast<int>(rs.GetDouble("age"));
        if (key != current) {
            EXPECT_FALSE(finished.count(key)) << "rows of key " << key << " are split";
            if (current >= 0) finished.insert(current);
            current = key;
        }
        ++rowsPerKey[key];
    }
    for (int type = 1; type <= 9; ++type)
        for (int group = 1; group <= 6; ++group) EXPECT_GE(rowsPerKey[type * 10 + group], 1) << type << group;
    EXPECT_EQ(rowsPerKey.size(), 54u);
}

TEST_P(SampleRegionTest, IndexesCoverTheLookupKeys) {
    Generate();
    Reader reader(db->Connect());
    auto indexes = [&](const std::string& table, const std::string& columns) {
        std::string pattern = "'%(" + columns + ")%'";
        if (db->IsPostgreSQL())
            return reader.Number("SELECT count(*) FROM pg_indexes WHERE tablename = '" + Lower(table) +
                                 "' AND indexdef LIKE " + pattern);
        return reader.Number("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = '" + table +
                             "' AND sql LIKE " + pattern);
    };
    for (const auto& table : LosTables()) EXPECT_EQ(indexes(table, "orig_zon, dest_zon"), 1.0) << table;
    EXPECT_EQ(indexes("zone2zone", "orig_zon, dest_zon"), 1.0);
    EXPECT_EQ(indexes("households", "zone_id, hid"), 1.0);
    EXPECT_EQ(indexes("households", "hid"), 1.0);
    EXPECT_EQ(indexes("persons", "hid"), 1.0);
}

using Tables = std::map<std::string, std::vector<std::vector<double>>>;

// All rows of every table, in key order.
Tables Snapshot(const std::string& connect) {
    Reader reader(connect);
    Tables tables;
    tables["households"] = reader.Rows("SELECT * FROM households ORDER BY hid");
    tables["persons"] = reader.Rows("SELECT * FROM persons ORDER BY hid, pnum");
    tables["zones"] = reader.Rows("SELECT * FROM zones ORDER BY zid");
    tables["zone2zone"] = reader.Rows("SELECT * FROM zone2zone ORDER BY orig_zon, dest_zon");
    tables["VehicleMake"] = reader.Rows("SELECT * FROM VehicleMake ORDER BY type, age, maketype");
    for (const auto& period : reader.Periods()) {
        tables["losdir " + period.second] = {{period.first}};
        tables[period.second] = reader.Rows("SELECT * FROM " + period.second + " ORDER BY orig_zon, dest_zon");
    }
    return tables;
}

// Compares two snapshots table by table and names the first differing value.
void ExpectSameTables(const Tables& a, const Tables& b) {
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, rows] : a) {
        auto other = b.find(name);
        ASSERT_NE(other, b.end()) << name;
        ASSERT_EQ(rows.size(), other->second.size()) << name;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            ASSERT_EQ(rows[r].size(), other->second[r].size()) << name;
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                ASSERT_EQ(rows[r][c], other->second[r][c])
                    << name << " row " << r << " column " << c << ": " << NumberText::Shortest(rows[r][c])
                    << " against " << NumberText::Shortest(other->second[r][c]);
        }
    }
}

TEST_P(SampleRegionTest, SameSeedSameRegionAndRewritingReplacesTheTables) {
    Generate(kZones, kHouseholds, 7);
    auto first = Snapshot(db->Connect());
    Generate(9, 30, 8);  // another region over it
    auto other = Snapshot(db->Connect());
    EXPECT_EQ(other["zones"].size(), 9u);
    EXPECT_EQ(other["households"].size(), 30u);
    Generate(kZones, kHouseholds, 7);
    auto again = Snapshot(db->Connect());
    ExpectSameTables(first, again);

    auto second = TestDatabase::Create(GetParam());
    CDatabase writer;
    writer.OpenEx(second->Connect(), false);
    SampleRegionGenerator({kZones, kHouseholds, 7}).Write(writer);
    ExpectSameTables(first, Snapshot(second->Connect()));
    SampleRegionGenerator({kZones, kHouseholds, 8}).Write(writer);
    auto reseeded = Snapshot(second->Connect());
    EXPECT_NE(first["households"], reseeded["households"]);
    EXPECT_NE(first["zones"], reseeded["zones"]);
}

TEST_P(SampleRegionTest, SmallestRegionsAreComplete) {
    auto summary = Generate(1, 0, 3);
    Reader reader(db->Connect());
    EXPECT_EQ(reader.Number("SELECT count(*) FROM households"), 0.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM persons"), 0.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM zone2zone WHERE orig_zon = 1 AND dest_zon = 1"), 1.0);
    for (const auto& table : LosTables()) EXPECT_EQ(reader.Number("SELECT count(*) FROM " + table), 1.0);
    EXPECT_EQ(summary.Rows("households"), 0);

    Generate(2, 5, 3);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM households"), 5.0);
    EXPECT_EQ(reader.Number("SELECT count(*) FROM zone2zone"), 4.0);
}

INSTANTIATE_TEST_SUITE_P(Db, SampleRegionTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

TEST(SampleRegionGeneratorOptions, RejectsCountsOutOfRangeAndAClosedConnection) {
    EXPECT_THROW(SampleRegionGenerator({0, 10, 1}), std::invalid_argument);
    EXPECT_THROW(SampleRegionGenerator({SampleRegionGenerator::kMaxZones + 1, 10, 1}), std::invalid_argument);
    EXPECT_THROW(SampleRegionGenerator({10, -1, 1}), std::invalid_argument);
    EXPECT_THROW(SampleRegionGenerator({10, SampleRegionGenerator::kMaxHouseholds + 1, 1}), std::invalid_argument);
    EXPECT_NO_THROW(SampleRegionGenerator({1, 0, 0}));
    CDatabase closed;
    EXPECT_THROW(SampleRegionGenerator({3, 3, 1}).Write(closed), std::invalid_argument);
}

// Both databases receive exactly the same rows.
TEST(SampleRegionGeneratorDatabases, SQLiteAndPostgreSQLGetTheSameRegion) {
    auto kinds = TestDatabase::Kinds();
    if (std::find(kinds.begin(), kinds.end(), "PostgreSQL") == kinds.end())
        GTEST_SKIP() << "PostgreSQL is not configured";
    auto sqlite = TestDatabase::Create("SQLite");
    auto postgres = TestDatabase::Create("PostgreSQL");
    for (auto* target : {sqlite.get(), postgres.get()}) {
        CDatabase writer;
        writer.OpenEx(target->Connect(), false);
        SampleRegionGenerator({12, 60, 42}).Write(writer);
    }
    auto a = Snapshot(sqlite->Connect());
    auto b = Snapshot(postgres->Connect());
    ExpectSameTables(a, b);
    EXPECT_EQ(a["households"].size(), 60u);
}

}  // namespace
