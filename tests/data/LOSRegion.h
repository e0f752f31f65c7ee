#pragma once
// A small region for the level-of-service tests: the input tables of
// InputTables with a level-of-service directory over three period tables of
// fourteen columns and a zone-to-zone table of five columns. Every value
// follows from the rules below, so a test can work out what any query must
// answer without asking the code under test. Rows are inserted in descending
// zone order, so the database's own order is not the ascending one.
//
// Zones: 1 to 7 and 50000 (far outside the others). Origin 2 has no rows in
// any table; the pair 3 -> 5 is missing from every table.
//
// Period tables (t = 1 los_night, 2 los_peak, 3 los_offpeak), column c:
//   3  adjacency: 1 when the zones differ by at most 1, else 0
//   5  auto time: (7 o + 3 d) mod 5 + t + 0.5 (many ties)
//   7  transit availability: 0, 1 or 1.75 by (o + d) mod 3
//   8  transit time: ((o + d) mod 4) x 2.5 + t
//   other columns 2 to 13: 1000 t + 10 o + d + c / 8
// zone2zone: adjacent (column 2) as column 3 of the period tables, except that
// 50000 and 7 are adjacent both ways; dist (column 3) |o - d| x 0.75 + 0.25;
// z4 (column 4) o + d / 4.
// All values are exact in binary, so the text of the inserts reads back as
// the same doubles on every database.

#include "InputTables.h"

#include "platform/NumberText.h"
#include "support/TestDatabase.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace LOSRegion {

inline const std::vector<int>& Zones() {
    static const std::vector<int> zones{1, 2, 3, 4, 5, 6, 7, 50000};
    return zones;
}

inline const std::array<const char*, 3>& TableNames() {
    static const std::array<const char*, 3> names{"los_night", "los_peak", "los_offpeak"};
    return names;
}

// Number of columns of a period table and of zone2zone.
constexpr int kLOSColumns = 14;
constexpr int kZone2ZoneColumns = 5;

inline bool IsZone(int zone) {
    const std::vector<int>& zones = Zones();
    return std::find(zones.begin(), zones.end(), zone) != zones.end();
}

inline bool HasPair(int origin, int destination) {
    return IsZone(origin) && IsZone(destination) && origin != 2 && !(origin == 3 && destination == 5);
}

inline bool Adjacent(int origin, int destination) { return std::llabs(static_cast<long long>(origin) - destination) <= 1; }

// Column c of period table t (1-based) for the pair; nothing when the pair is missing.
inline std::optional<double> LOSValue(int t, int o, int d, int c) {
    if (!HasPair(o, d)) return std::nullopt;
    switch (c) {
        case 0: return static_cast<double>(o);
        case 1: return static_cast<double>(d);
        case 3: return Adjacent(o, d) ? 1.0 : 0.0;
        case 5: return static_cast<double>((7LL * o + 3LL * d) % 5) + t + 0.5;
        case 7: {
            const long long r = (static_cast<long long>(o) + d) % 3;
            return r == 0 ? 0.0 : (r == 1 ? 1.0 : 1.75);
        }
        case 8: return static_cast<double>((static_cast<long long>(o) + d) % 4) * 2.5 + t;
        default: return 1000.0 * t + 10.0 * o + d + c / 8.0;
    }
}

inline std::optional<double> Zone2ZoneValue(int o, int d, int c) {
    if (!HasPair(o, d)) return std::nullopt;
    switch (c) {
        case 0: return static_cast<double>(o);
        case 1: return static_cast<double>(d);
        case 2: return (Adjacent(o, d) || (o == 50000 && d == 7) || (o == 7 && d == 50000)) ? 1.0 : 0.0;
        case 3: return static_cast<double>(std::llabs(static_cast<long long>(o) - d)) * 0.75 + 0.25;
        default: return o + d / 4.0;
    }
}

// The directory: (end time, table) rows. The standard one names los_peak for
// two periods and ends at 1440; the short one ends at 1439.
inline std::vector<std::pair<int, std::string>> StandardDirectory() {
    return {{360, "los_night"}, {540, "los_peak"}, {960, "los_offpeak"}, {1440, "los_peak"}};
}
inline std::vector<std::pair<int, std::string>> ShortDirectory() { return {{360, "los_night"}, {1439, "los_offpeak"}}; }

inline void Create(TestDatabase& db, const std::vector<std::pair<int, std::string>>& directory) {
    InputTables::Create(db, true, false);
    db.Execute("DELETE FROM zone2zone");
    db.Execute("ALTER TABLE zone2zone ADD COLUMN z4 DOUBLE PRECISION");

    std::string losdir;
    for (const auto& [end, table] : directory)
        losdir += std::string(losdir.empty() ? "" : ", ") + "(" + NumberText::Integer(end) + ", '" + table + "')";
    db.Execute("INSERT INTO losdir VALUES " + losdir);

    const std::vector<int>& zones = Zones();
    for (int t = 1; t <= 3; ++t) {
        const std::string table = TableNames()[static_cast<size_t>(t - 1)];
        std::string columns = "orig_zon DOUBLE PRECISION, dest_zon DOUBLE PRECISION";
        for (int c = 2; c < kLOSColumns; ++c)
            columns += ", " + std::string(c == 3 ? "adjacent" : (c == 5 ? "autotime" : "c" + NumberText::Integer(c))) +
                       " DOUBLE PRECISION";
        db.Execute("CREATE TABLE " + table + " (" + columns + ")");
        std::string rows;
        for (auto o = zones.rbegin(); o != zones.rend(); ++o)
            for (auto d = zones.rbegin(); d != zones.rend(); ++d) {
                if (!HasPair(*o, *d)) continue;
                std::string row;
                for (int c = 0; c < kLOSColumns; ++c)
                    row += std::string(c ? ", " : "") + NumberText::Shortest(*LOSValue(t, *o, *d, c));
                rows += std::string(rows.empty() ? "" : ", ") + "(" + row + ")";
            }
        db.Execute("INSERT INTO " + table + " VALUES " + rows);
    }

    std::string rows;
    for (auto o = zones.rbegin(); o != zones.rend(); ++o)
        for (auto d = zones.rbegin(); d != zones.rend(); ++d) {
            if (!HasPair(*o, *d)) continue;
            std::string row;
            for (int c = 0; c < kZone2ZoneColumns; ++c)
                row += std::string(c ? ", " : "") + NumberText::Shortest(*Zone2ZoneValue(*o, *d, c));
            rows += std::string(rows.empty() ? "" : ", ") + "(" + row + ")";
        }
    db.Execute("INSERT INTO zone2zone VALUES " + rows);
}

}  // namespace LOSRegion
