#pragma once
// One column of one level-of-service or zone-to-zone table for one origin
// zone: the value of every destination the table holds for the origin. A
// column whose destinations are exactly the zones of the run, one row each,
// is held dense: one double per zone, in zone order. Any other column (a zone
// without a row, a repeated destination, a destination that is no zone) is
// held as read: by destination, the later row of a repeated destination
// answering, and every row by value, as the database lists them. The store of
// origin columns shares columns between the threads of a run; the home-zone
// cache of each thread copies its zone's columns.

#include "data/COriginLayout.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class COriginColumn {
public:
    // Made of the rows of one query in the order read, as (value, destination).
    static std::unique_ptr<COriginColumn> FromRows(std::vector<std::pair<double, int>> rows,
                                                   const COriginLayout& layout);
    ~COriginColumn();
    COriginColumn(const COriginColumn&) = delete;
    COriginColumn& operator=(const COriginColumn&) = delete;

    bool IsDense() const { return m_bDense; }
    bool HasRepeatedDestination() const { return !m_repeated.empty(); }
    // The destinations that have more than one row, ascending, each once.
    const std::vector<int>& RepeatedDestinations() const { return m_repeated; }

    // The value of a destination's row (the later row of a repeated
    // destination), null when the table holds no row for it. position is the
    // destination's place among the zones (COriginLayout::Position).
    const double* Find(int destination, int position) const;
    double Value(int destination, int position) const {
        const double* value = Find(destination, position);
        return value != nullptr ? *value : 0.0;
    }

    // The destinations with a row, ascending, each once, and their values.
    void Destinations(const COriginLayout& layout, std::vector<int>& destinations) const;
    const std::vector<double>& ValuesByDestination() const { return m_values; }

    // Every row ascending by value, then by destination (values that are not
    // numbers last), as (value, destination) handed to `add`. A dense column
    // sorts its zones when first asked and, with keepOrder, keeps that order
    // for the next asks (OrderBytes more); without, the order is dropped after
    // this one.
    template <typename Add>
    void ForEachByValue(const COriginLayout& layout, bool keepOrder, Add&& add) const {
        if (!m_bDense) {
            for (const auto& [value, destination] : m_byValue) add(value, destination);
            return;
        }
        std::unique_ptr<const Order> once;
        const Order* order = m_order.load(std::memory_order_acquire);
        if (order == nullptr) {
            once = MakeOrder();
            order = keepOrder ? KeepOrder(std::move(once)) : once.get();
        }
        for (std::uint16_t place : order->narrow) add(m_values[place], layout.Zones()[place]);
        for (std::uint32_t place : order->wide) add(m_values[place], layout.Zones()[place]);
    }
    // Whether the order by value is still to be made (a dense column not yet
    // asked in that order).
    bool LacksOrder() const { return m_bDense && m_order.load(std::memory_order_acquire) == nullptr; }

    // Bytes the column holds, apart from its order by value, and the bytes
    // that order takes, made or not (0 for a column that needs none).
    std::size_t ByteCount() const;
    std::size_t OrderBytes() const;

    // The mark of a recent use, for the store's choice of what to drop.
    void MarkUsed() const {
        if (!m_used.load(std::memory_order_relaxed)) m_used.store(true, std::memory_order_relaxed);
    }
    // Clears the mark and says whether it was set.
    bool TakeUsedMark() const { return m_used.exchange(false, std::memory_order_relaxed); }

    // Sorts (value, destination) pairs ascending by value and, for equal
    // values, by destination; values that are not numbers go last.
    static void SortByValueThenZone(std::vector<std::pair<double, int>>& pairs);

private:
    // Zone places by value: two bytes each while the zones allow.
    struct Order {
        std::vector<std::uint16_t> narrow;
        std::vector<std::uint32_t> wide;
    };
    COriginColumn() = default;
    std::unique_ptr<const Order> MakeOrder() const;
    // Keeps made as the order unless another thread kept one first; gives the one kept.
    const Order* KeepOrder(std::unique_ptr<const Order> made) const;

    // How the store counts the column's bytes; the store alone reads and
    // writes it (COriginColumnStore).
    friend class COriginColumnStore;
    mutable std::atomic<unsigned> m_storeState{0};

    bool m_bDense = false;
    // Dense: by zone place. Otherwise: by destination, as m_destinations.
    std::vector<double> m_values;
    std::vector<int> m_destinations;
    std::vector<std::pair<double, int>> m_byValue;
    std::vector<int> m_repeated;
    // Dense: zone places by value, made on the first ask (published once).
    mutable std::atomic<const Order*> m_order{nullptr};
    mutable std::atomic<bool> m_used{false};
};
