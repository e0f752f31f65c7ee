#pragma once
// Writes a synthetic region in the simulator's input schema: households and
// their persons, zones, the zone-to-zone table, the level-of-service directory
// with one level-of-service table per period, and the vehicle makes. Used for
// the README's sample run, the tests and the benchmarks. The region depends
// only on the options: the same seed gives the same rows on every machine and
// on either database. tools/sample-region-schema.md lists the tables, columns
// and the rules the data keep.

#include <cstdint>
#include <string>
#include <vector>

class CDatabase;

class SampleRegionGenerator {
public:
    struct Options {
        int zones = 25;
        int households = 200;
        std::uint64_t seed = 1;
    };
    static constexpr int kMaxZones = 3000;
    static constexpr int kMaxHouseholds = 5000000;

    struct TableCount {
        std::string table;
        long long rows = 0;
    };
    // What was written, table by table, in the order of writing.
    struct Summary {
        std::vector<TableCount> tables;
        long long Rows(const std::string& table) const;  // -1 when not written
    };

    // Throws std::invalid_argument for a count outside 1 to kMaxZones zones or
    // 0 to kMaxHouseholds households.
    explicit SampleRegionGenerator(const Options& options);

    const Options& GetOptions() const { return m_options; }

    // Drops the tables of the region's names, creates and fills them, then
    // indexes them, through an open writable connection. On PostgreSQL every
    // table name is lower case (VehicleMake becomes vehiclemake). Each table is
    // filled in one transaction. Throws DbError on a database failure (the
    // running transaction is rolled back) and std::invalid_argument when the
    // connection is not open.
    Summary Write(CDatabase& db) const;

private:
    Options m_options;
};
