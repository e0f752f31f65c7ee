#include "data/COriginColumnStore.h"

#include <algorithm>

#include "data/CLOSCache.h"

double COriginColumnStore::OriginColumn::Value(int destination) const {
    const double* value = Find(destination);
    return value != nullptr ? *value : 0.0;
}

const double* COriginColumnStore::OriginColumn::Find(int destination) const {
    const auto it = std::lower_bound(byZone.begin(), byZone.end(), destination,
                                     [](const std::pair<int, double>& entry, int zone) { return entry.first < zone; });
    return it != byZone.end() && it->first == destination ? &it->second : nullptr;
}

std::unique_ptr<COriginColumnStore::OriginColumn> COriginColumnStore::OriginColumn::FromRows(
    std::vector<std::pair<double, int>> rows) {
    auto entry = std::make_unique<OriginColumn>();
    // By destination: a later row of the same destination replaces the earlier.
    std::vector<std::pair<int, double>> byZone;
    byZone.reserve(rows.size());
    for (const auto& [value, zone] : rows) byZone.emplace_back(zone, value);
    std::stable_sort(byZone.begin(), byZone.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    entry->byZone.reserve(byZone.size());
    for (const auto& row : byZone) {
        if (!entry->byZone.empty() && entry->byZone.back().first == row.first) {
            entry->byZone.back().second = row.second;
            entry->repeatedDestination = true;
        }
        else
            entry->byZone.push_back(row);
    }
    CLOSCache::SortByValueThenZone(rows);
    entry->byValue = std::move(rows);
    return entry;
}

COriginColumnStore::Block::Block(int zones)
    : zoneCount(zones), origins(std::make_unique<std::atomic<const OriginColumn*>[]>(static_cast<std::size_t>(zones))) {
    for (int i = 0; i < zones; ++i) origins[static_cast<std::size_t>(i)].store(nullptr, std::memory_order_relaxed);
}

COriginColumnStore::~COriginColumnStore() { Clear(); }

bool COriginColumnStore::Holds(int table, int column, int zoneIndex, int zoneCount) {
    return table >= kZone2Zone && table < kTableSlots - 1 && column >= 0 && column < kColumnSlots && zoneIndex >= 0 &&
           zoneIndex < zoneCount;
}

std::size_t COriginColumnStore::BlockIndex(int table, int column) {
    const int slot = table == kZone2Zone ? kTableSlots - 1 : table;
    return static_cast<std::size_t>(slot) * kColumnSlots + static_cast<std::size_t>(column);
}

const COriginColumnStore::OriginColumn* COriginColumnStore::Find(int table, int column, int zoneIndex) const {
    const Block* block = m_blocks[BlockIndex(table, column)].load(std::memory_order_acquire);
    if (block == nullptr || zoneIndex >= block->zoneCount) return nullptr;
    return block->origins[static_cast<std::size_t>(zoneIndex)].load(std::memory_order_acquire);
}

const COriginColumnStore::OriginColumn& COriginColumnStore::Publish(int table, int column, int zoneIndex,
                                                                    int zoneCount,
                                                                    std::unique_ptr<OriginColumn> made) {
    std::atomic<Block*>& blockSlot = m_blocks[BlockIndex(table, column)];
    Block* block = blockSlot.load(std::memory_order_acquire);
    if (block == nullptr) {
        auto fresh = std::make_unique<Block>(zoneCount);
        if (blockSlot.compare_exchange_strong(block, fresh.get(), std::memory_order_acq_rel,
                                              std::memory_order_acquire)) {
            block = fresh.release();
            m_byteCount.fetch_add(sizeof(Block) + static_cast<std::size_t>(zoneCount) * sizeof(void*),
                                  std::memory_order_relaxed);
        }
    }
    std::atomic<const OriginColumn*>& slot = block->origins[static_cast<std::size_t>(zoneIndex)];
    const OriginColumn* held = nullptr;
    if (slot.compare_exchange_strong(held, made.get(), std::memory_order_acq_rel, std::memory_order_acquire)) {
        m_columnCount.fetch_add(1, std::memory_order_relaxed);
        m_byteCount.fetch_add(sizeof(OriginColumn) + made->byValue.capacity() * sizeof(made->byValue[0]) +
                                  made->byZone.capacity() * sizeof(made->byZone[0]),
                              std::memory_order_relaxed);
        return *made.release();
    }
    return *held;
}

void COriginColumnStore::Clear() {
    for (auto& blockSlot : m_blocks) {
        std::unique_ptr<Block> block(blockSlot.exchange(nullptr, std::memory_order_acq_rel));
        if (!block) continue;
        for (int i = 0; i < block->zoneCount; ++i)
            delete block->origins[static_cast<std::size_t>(i)].load(std::memory_order_relaxed);
    }
    m_columnCount.store(0, std::memory_order_relaxed);
    m_byteCount.store(0, std::memory_order_relaxed);
}
