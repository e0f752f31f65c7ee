#pragma once
// The level-of-service and zone-to-zone columns of origins other than the
// cached home zone, one column for every (table, column, origin zone): every
// destination of the origin with its value. One store serves the ten worker
// threads of a run: a thread that misses reads the column on its own
// connection and publishes it; the first published copy stays and every
// thread answers from it. Published columns never change and live as long as
// the store. Finding and publishing take no lock.

#include <array>
#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class COriginColumnStore {
public:
    // Table indices: level-of-service tables from 0 to kTableSlots - 2 (their
    // place among the distinct names of the directory), zone2zone last.
    static constexpr int kTableSlots = 64;
    static constexpr int kZone2Zone = -1;
    static constexpr int kColumnSlots = 256;

    // Every destination of one origin with its value of one column.
    struct OriginColumn {
        // Ascending by value, then by destination (as the database lists are ordered).
        std::vector<std::pair<double, int>> byValue;
        // Ascending by destination, one value each (the later row of a destination).
        std::vector<std::pair<int, double>> byZone;
        // Whether some destination has more than one row.
        bool repeatedDestination = false;
        // The value of a destination; 0.0 without a row.
        double Value(int destination) const;
        // The value of a destination; null without a row.
        const double* Find(int destination) const;
        // Made of the rows of one query, in the order read (value, destination).
        static std::unique_ptr<OriginColumn> FromRows(std::vector<std::pair<double, int>> rows);
    };

    COriginColumnStore() = default;
    ~COriginColumnStore();
    COriginColumnStore(const COriginColumnStore&) = delete;
    COriginColumnStore& operator=(const COriginColumnStore&) = delete;

    // Whether a column may be held: table and column within the slots, and
    // the origin's place among the zones (zoneIndex) below zoneCount.
    static bool Holds(int table, int column, int zoneIndex, int zoneCount);
    // The column published for the key, or null.
    const OriginColumn* Find(int table, int column, int zoneIndex) const;
    // Publishes a column for a held key and returns the one the store keeps:
    // the given one, or the copy another thread published first (the given
    // one is then freed). zoneCount is the number of zones of the input,
    // the same for every thread.
    const OriginColumn& Publish(int table, int column, int zoneIndex, int zoneCount,
                                std::unique_ptr<OriginColumn> made);

    // Forgets every column; only while no thread uses the store.
    void Clear();

    std::size_t ColumnCount() const { return m_columnCount.load(std::memory_order_relaxed); }
    // Bytes held by the published columns and their slots.
    std::size_t ByteCount() const { return m_byteCount.load(std::memory_order_relaxed); }

private:
    // The slots of the origins of one (table, column).
    struct Block {
        explicit Block(int zones);
        int zoneCount;
        std::unique_ptr<std::atomic<const OriginColumn*>[]> origins;
    };
    static std::size_t BlockIndex(int table, int column);

    std::array<std::atomic<Block*>, static_cast<std::size_t>(kTableSlots) * kColumnSlots> m_blocks{};
    std::atomic<std::size_t> m_columnCount{0};
    std::atomic<std::size_t> m_byteCount{0};
};
