#pragma once
// What the keys of the level-of-service columns held in memory mean for one
// run: the zones, whose places (0 to n-1 in ascending zone id) index the
// origins of the store and the values of a dense column, and the tables,
// each keyed by its place among the distinct table names of the
// level-of-service directory (zone2zone apart), with the names of its columns
// by position. The threads of a run share the store of origin columns only
// while they read the same layout.

#include "data/CZonePlaces.h"

#include <string>
#include <vector>

class COriginLayout {
public:
    // The key of zone2zone (also when the directory names it for a period).
    static constexpr int kZone2Zone = -1;
    // The key of a name that is no table of the layout.
    static constexpr int kNoTable = -2;

    COriginLayout() = default;
    // zones: the zone ids (any order); tables: the distinct level-of-service
    // tables of the directory, in directory order; losColumns and
    // zone2ZoneColumns: the column names, by position, of the level-of-service
    // tables and of zone2zone.
    COriginLayout(std::vector<int> zones, std::vector<std::string> tables, std::vector<std::string> losColumns,
                  std::vector<std::string> zone2ZoneColumns);

    int ZoneCount() const { return m_zones.Count(); }
    // The zone ids, ascending.
    const std::vector<int>& Zones() const { return m_zones.Zones(); }
    // The place of a zone among the zones; -1 for an id that is no zone.
    int Position(int zone) const { return m_zones.Place(zone); }

    int TableKey(const std::string& table) const;
    const std::string& TableName(int key) const;
    // Number of columns of the table of a key.
    int ColumnCount(int key) const { return static_cast<int>(Columns(key).size()); }
    // The name of column `column` of the table of a key; std::invalid_argument
    // for a position outside its columns.
    const std::string& ColumnName(int key, int column) const;

    bool operator==(const COriginLayout& other) const;

private:
    const std::vector<std::string>& Columns(int key) const;

    CZonePlaces m_zones;
    std::vector<std::string> m_tables;
    std::vector<std::string> m_losColumns;
    std::vector<std::string> m_zone2ZoneColumns;
};
