#pragma once
// The level-of-service and zone-to-zone rows of one origin zone, held in
// memory. The household loop makes the home zone of each household the cached
// origin; since a thread's households come in home-zone order, nearly every
// level-of-service and zone-to-zone question of the simulation is answered
// from here without a database query. The rows are held by column: the
// columns that the run has asked for, copied from the run's store of origin
// columns (which reads those it lacks); a column first asked later is
// fetched then. Owned by the thread's input-data manager, which holds at most
// one cache (the one of its current origin zone).

#include "data/CZonePlaces.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CInputDataManager;
class COriginColumn;
class COriginLayout;

class CLOSCache {
public:
    // The rows of one table from the cached origin: the destinations that
    // have a row, and the values of the columns fetched so far.
    class OriginRows {
    public:
        // Number of values per row beside the origin and destination zones
        // (the table's columns less two).
        int GetColumnCount() const { return m_nColumns; }
        // Number of destinations held.
        int GetDestinationCount() const { return m_zones.Count(); }
        // Destinations held, ascending.
        const std::vector<int>& GetDestinations() const { return m_zones.Zones(); }
        // The row of a destination (its place in GetDestinations), -1 when
        // the table holds no row for it.
        int Row(int destination) const { return m_zones.Place(destination); }
        // Table column `column` of a destination's row: column 0 is the origin,
        // 1 the destination; 0.0 for a destination without a row. The column
        // must have been fetched (Holds).
        double Value(int origin, int destination, int column) const;
        // Throws std::invalid_argument for a column outside the table.
        void CheckColumn(int column) const;
        // Whether the values of a column are here (columns 0 and 1 always are).
        bool Holds(int column) const;

        // Starts the rows of a table (its key in the store's layout) of
        // `columns` values per row, holding no destination and no column.
        void Start(int key, int columns);
        // The destinations that have a row, ascending, each once.
        void SetDestinations(std::vector<int> destinations);
        // Takes the values of a column; the first column taken gives the
        // destinations when they were not set.
        void TakeColumn(int column, const COriginColumn& values, const COriginLayout& layout);
        // The table's key in the store's layout.
        int GetKey() const { return m_nKey; }

    private:
        int m_nKey = 0;
        int m_nColumns = 0;
        bool m_bDestinationsKnown = false;
        bool m_bAllZones = false;      // the destinations are exactly the layout's zones
        CZonePlaces m_zones;  // the destinations, ascending
        std::vector<std::vector<double>> m_columns;  // by table column, row order; empty until fetched
        std::vector<bool> m_held;
    };

    explicit CLOSCache(CInputDataManager* manager);
    ~CLOSCache();
    CLOSCache(const CLOSCache&) = delete;
    CLOSCache& operator=(const CLOSCache&) = delete;

    // Takes the rows of origin `zone` of every table the level-of-service
    // directory names (each table once) and of zone2zone: every column asked
    // so far in the run (a table of which none was asked yet gives its
    // destinations). Database errors pass to the caller.
    void ReadCache(int zone);

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

    // Table columns `columns` of the level-of-service row of `time` for a
    // destination, into row[column]; false, with row untouched, when the
    // table holds no row for it.
    bool GetLOSRow(double time, int destination, const std::vector<int>& columns, double* row);

    int GetOriginZone() const { return m_nOriginZone; }

    // A zone column value as the int zone number, truncated toward zero (held
    // at the ends of the int range; 0 for a value that is not a number).
    static int ZoneNumber(double value);
    // The rows held, by table name (zone2zone included).
    const std::map<std::string, std::unique_ptr<OriginRows>>& GetTables() const { return m_tables; }

private:
    // The level-of-service rows serving `time`; null when the directory names
    // no table.
    OriginRows* FindLOSRows(double time) const;
    OriginRows& Zone2ZoneRows() const;
    void Fill(OriginRows& rows, int key);
    // Fetches a column the rows do not hold yet; checks it is in the table.
    OriginRows& Fetch(OriginRows& rows, int column);

    std::map<std::string, std::unique_ptr<OriginRows>> m_tables;
    int m_nOriginZone = -1;
    CInputDataManager* m_pManager = nullptr;
    // The directory's periods in ascending end time, each with its rows.
    std::vector<std::pair<int, OriginRows*>> m_periods;
    OriginRows* m_pZone2Zone = nullptr;
    // Destinations of one table sorted by one column, kept once computed:
    // location choices ask for the same ordering many times per zone.
    std::map<std::pair<const OriginRows*, int>, std::vector<std::pair<double, int>>> m_sorted;
};
