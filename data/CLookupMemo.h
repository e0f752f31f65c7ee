#pragma once
// A worker thread's memo of level-of-service and zone-to-zone answers for
// origins other than the cached home zone: the stops after the first, the
// work-based tours and the commute stops ask from many origins, each answer
// a database query. The memo keeps
//  - single values, keyed by table, column, origin and destination;
//  - one column of every destination of an origin, keyed by table, column
//    and origin, both sorted by value (the all-destination lists) and by
//    destination (longer destination lists).
// Each part is bounded: when it is full it is emptied and filled afresh, so a
// thread's memory stays fixed whatever the number of zones. The answers are
// those the database gives; the memo only saves asking again. Owned by the
// thread's input-data manager; nothing in it is shared between threads.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

class CLookupMemo {
public:
    // Most single values and origin columns held at once.
    static constexpr std::size_t kPairCapacity = std::size_t{1} << 16;
    static constexpr std::size_t kOriginCapacity = 1024;
    // The table index of the zone-to-zone table; level-of-service tables
    // (even one named zone2zone) have indices from 0 on.
    static constexpr int kZone2Zone = -1;

    // Every destination of one origin with its value of one column.
    struct OriginColumn {
        // Ascending by value, then by destination (as the database lists are ordered).
        std::vector<std::pair<double, int>> byValue;
        // Ascending by destination, one value each (the later row of a destination).
        std::vector<std::pair<int, double>> byZone;
        // The value of a destination; 0.0 without a row.
        double Value(int destination) const;
    };

    // The index of a level-of-service table name, the same for every time
    // of day that reads the table.
    int TableIndex(const std::string& table);

    // A single value held, or null.
    const double* FindValue(int table, int column, int origin, int destination) const;
    void StoreValue(int table, int column, int origin, int destination, double value);

    // An origin column held, or null.
    const OriginColumn* FindColumn(int table, int column, int origin) const;
    // Makes an origin column of the rows of one query, in the order read
    // (value, destination), and holds it.
    const OriginColumn& StoreColumn(int table, int column, int origin, std::vector<std::pair<double, int>> rows);

    // Forgets everything (a new input database).
    void Clear();

    std::size_t ValueCount() const { return m_values.size(); }
    std::size_t ColumnCount() const { return m_columns.size(); }

private:
    struct ValueKey {
        int table;
        int column;
        int origin;
        int destination;
        bool operator==(const ValueKey& other) const = default;
    };
    struct ValueKeyHash {
        std::size_t operator()(const ValueKey& key) const;
    };
    using ColumnKey = std::tuple<int, int, int>;

    std::vector<std::string> m_tables;
    std::unordered_map<ValueKey, double, ValueKeyHash> m_values;
    std::map<ColumnKey, OriginColumn> m_columns;
};
