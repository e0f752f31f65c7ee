#pragma once
// Every level-of-service row and zone-to-zone row of one origin zone, held in
// memory. The household loop makes the home zone of each household the cached
// origin; since a thread's households come in home-zone order, nearly every
// level-of-service and zone-to-zone question of the simulation is answered
// from here without a database query. Owned by the thread's input-data
// manager, which holds at most one cache (the one of its current origin zone).

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CInputDataManager;

class CLOSCache {
public:
    // The rows of one table from the cached origin: for each destination the
    // table's columns from column 2 on (columns 0 and 1, the origin and the
    // destination zone, are not stored: table column c is element c - 2).
    class OriginRows {
    public:
        // Number of stored values per row (the table's columns less two).
        int GetColumnCount() const { return m_nColumns; }
        // Number of destinations held.
        int GetDestinationCount() const { return static_cast<int>(m_zones.size()); }
        // Destinations held, ascending.
        const std::vector<int>& GetDestinations() const { return m_zones; }
        // The stored row of a destination (GetColumnCount values); null when
        // the table holds no row for it.
        const double* Find(int destination) const;
        // Table column `column` of a destination's row: column 0 is the origin,
        // 1 the destination; 0.0 for a destination without a row. A column
        // outside the table raises std::invalid_argument.
        double Value(int origin, int destination, int column) const;
        // Throws std::invalid_argument for a column outside the table.
        void CheckColumn(int column) const;

        // Replaces the rows: `columns` values per row, rows in arrival order;
        // a destination that occurs twice keeps the later row.
        void Assign(int columns, const std::vector<int>& destinations, const std::vector<double>& values);

    private:
        int m_nColumns = 0;
        std::vector<int> m_zones;      // ascending
        std::vector<double> m_values;  // row r at [r * m_nColumns, (r + 1) * m_nColumns)
        int m_nFirstZone = 0;
        std::vector<int> m_slots;      // destination - m_nFirstZone -> row, -1 none; empty when zones are sparse
    };

    explicit CLOSCache(CInputDataManager* manager);
    ~CLOSCache();
    CLOSCache(const CLOSCache&) = delete;
    CLOSCache& operator=(const CLOSCache&) = delete;

    // Loads the rows of origin `zone` of every table the level-of-service
    // directory names (each table once) and of zone2zone. Database errors pass
    // to the caller.
    void ReadCache(int zone);
    // One table's rows of one origin into rows.
    void LoadOriginRows(const std::string& table, int zone, OriginRows& rows);

    // The lookups below take a time that the caller has already capped at
    // 1439.0. A time past the directory's last end time reads the last
    // period's table. Each first empties its output list(s).

    // Column `column` of the level-of-service table of `time` for each
    // destination, in list order; 0.0 for a destination without a row (the
    // manager counts it, as every lookup of a missing pair).
    void GetLOSValues(std::vector<double>& values, int column, double time, const std::vector<int>& destinations);
    // Every destination of the table of `time` with its value of `column`,
    // ascending by value and, for equal values, by destination.
    void GetLOSAllDestinations(std::vector<int>& destinations, std::vector<double>& values, int column, double time);
    // The same list as (value, destination) pairs, held by the cache: valid
    // until the cache is dropped. Null when the directory names no table or
    // the table holds no destination.
    const std::vector<std::pair<double, int>>* GetSortedDestinations(int column, double time);
    // Column `column` of zone2zone for each destination, in list order; 0.0
    // for a destination without a row (counted, as above).
    void GetZone2ZoneValues(std::vector<double>& values, int column, const std::vector<int>& destinations);
    // One zone2zone value; 0.0 for a destination without a row (counted).
    void GetZone2ZoneValue(double& value, int column, int destination);
    // The zone2zone destinations whose column 2 equals 1.0, ascending.
    void GetAdjacentZones(int zone, std::vector<int>& destinations);

    // The stored level-of-service row (table columns from 2 on) of `time` for
    // a destination, with its length; null when there is none.
    const double* GetLOSRow(double time, int destination, int& columnCount) const;

    int GetOriginZone() const { return m_nOriginZone; }

    // A zone column value as the int zone number, truncated toward zero (held
    // at the ends of the int range; 0 for a value that is not a number).
    static int ZoneNumber(double value);
    // Sorts (value, destination) pairs ascending by value and, for equal
    // values, by destination; values that are not numbers go last.
    static void SortByValueThenZone(std::vector<std::pair<double, int>>& pairs);
    // The rows held, by table name (zone2zone included).
    const std::map<std::string, std::unique_ptr<OriginRows>>& GetTables() const { return m_tables; }
    // The level-of-service rows serving `time`; null when the directory names
    // no table.
    const OriginRows* FindLOSRows(double time) const;

private:
    const OriginRows& Zone2ZoneRows() const;

    std::map<std::string, std::unique_ptr<OriginRows>> m_tables;
    int m_nOriginZone = -1;
    CInputDataManager* m_pManager = nullptr;
    // The directory's periods in ascending end time, each with its rows.
    std::vector<std::pair<int, const OriginRows*>> m_periods;
    const OriginRows* m_pZone2Zone = nullptr;
    // Destinations of one table sorted by one column, kept once computed:
    // location choices ask for the same ordering many times per zone.
    std::map<std::pair<const OriginRows*, int>, std::vector<std::pair<double, int>>> m_sorted;
};
