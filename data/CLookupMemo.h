#pragma once
// A worker thread's memo of single level-of-service and zone-to-zone values
// for origins other than the cached home zone, keyed by table, column, origin
// and destination: the values the run's COriginColumnStore does not answer
// (an origin that is not a zone, or a column the store has no room for once
// its budget is spent). It is bounded: when it is full it is emptied and
// filled afresh, so a thread's memory stays fixed whatever the number of
// zones. The answers are those the database gives; the memo only saves
// asking again. Owned by the thread's input-data manager; nothing in it is
// shared between threads.

#include <cstddef>
#include <cstdint>
#include <unordered_map>

class CLookupMemo {
public:
    // Most single values held at once.
    static constexpr std::size_t kPairCapacity = std::size_t{1} << 16;
    // The table index of the zone-to-zone table; level-of-service tables
    // (even one named zone2zone) have indices from 0 on.
    static constexpr int kZone2Zone = -1;
    // The index of single zone-to-zone values asked one by one: of a pair
    // that has two rows they read the first, the lists the later.
    static constexpr int kZone2ZoneFirstRow = -2;

    // A single value held, or null.
    const double* FindValue(int table, int column, int origin, int destination) const;
    void StoreValue(int table, int column, int origin, int destination, double value);

    // Forgets everything (a new input database).
    void Clear();

    std::size_t ValueCount() const { return m_values.size(); }

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
    std::unordered_map<ValueKey, double, ValueKeyHash> m_values;
};
