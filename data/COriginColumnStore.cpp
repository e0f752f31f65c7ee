#include "data/COriginColumnStore.h"

#include <algorithm>

namespace {

// The epoch of a reader out of the store: no column it found is kept for it.
constexpr std::uint64_t kOffline = std::numeric_limits<std::uint64_t>::max();

// The place of a table's key among the store's table slots.
std::size_t TableSlot(int table) {
    return static_cast<std::size_t>(table == COriginLayout::kZone2Zone ? COriginColumnStore::kTableSlots - 1 : table);
}

// A count that only its reader's thread writes.
void Increment(std::atomic<long long>& count) {
    count.store(count.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

}  // namespace

// The slots of the origins of one (table, column), one per zone of the layout.
struct COriginColumnStore::Block {
    explicit Block(int zones)
        : zoneCount(zones),
          origins(std::make_unique<std::atomic<const COriginColumn*>[]>(static_cast<std::size_t>(zones))),
          dropped(std::make_unique<std::atomic<bool>[]>(static_cast<std::size_t>(zones))) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(zones); ++i) {
            origins[i].store(nullptr, std::memory_order_relaxed);
            dropped[i].store(false, std::memory_order_relaxed);
        }
    }
    std::size_t Bytes() const {
        return sizeof(Block) +
               static_cast<std::size_t>(zoneCount) * (sizeof(origins[0]) + sizeof(dropped[0]));
    }
    int zoneCount;
    std::unique_ptr<std::atomic<const COriginColumn*>[]> origins;
    // Set for an origin whose column was dropped, so that reading it again counts.
    std::unique_ptr<std::atomic<bool>[]> dropped;
};

// What the store keeps for one reader. Its thread alone writes the counts and
// the columns waiting to be freed; the others read its epoch.
struct alignas(64) COriginColumnStore::ReaderSlot {
    struct Waiting {
        const COriginColumn* column;
        std::uint64_t droppedAt;  // epoch of the drop
        std::size_t bytes;        // counted as waiting
    };
    std::atomic<bool> taken{false};
    // The store's epoch when the reader last announced; kOffline out of the store.
    std::atomic<std::uint64_t> epoch{kOffline};
    std::atomic<long long> hits{0};
    std::atomic<long long> misses{0};
    std::atomic<long long> reads{0};
    std::atomic<long long> rereads{0};
    std::atomic<long long> drops{0};
    std::vector<Waiting> waiting;
};

double COriginColumnStore::Figures::HitRate() const {
    const long long asked = hits + misses;
    return asked > 0 ? static_cast<double>(hits) / static_cast<double>(asked) : 0.0;
}

COriginColumnStore::COriginColumnStore(std::size_t budget)
    : m_nBudget(budget), m_readers(std::make_unique<ReaderSlot[]>(kReaderSlots)) {
    for (auto& index : m_blockOrder) index.store(-1, std::memory_order_relaxed);
}

COriginColumnStore::~COriginColumnStore() { Clear(); }

bool COriginColumnStore::Holds(int table, int column) {
    return table >= COriginLayout::kZone2Zone && table < kTableSlots - 1 && column >= 0 && column < kColumnSlots;
}

std::size_t COriginColumnStore::BlockIndex(int table, int column) {
    return TableSlot(table) * kColumnSlots + static_cast<std::size_t>(column);
}

bool COriginColumnStore::Adopt(const COriginLayout& layout) {
    const COriginLayout* kept = m_pLayout.load(std::memory_order_acquire);
    if (kept == nullptr) {
        auto offered = std::make_unique<COriginLayout>(layout);
        if (m_pLayout.compare_exchange_strong(kept, offered.get(), std::memory_order_acq_rel,
                                              std::memory_order_acquire)) {
            offered.release();
            return true;
        }
    }
    return *kept == layout;
}

// ---------------------------------------------------------------------------
// Readers

int COriginColumnStore::Join() {
    for (int i = 0; i < kReaderSlots; ++i) {
        bool taken = false;
        if (!m_readers[i].taken.compare_exchange_strong(taken, true, std::memory_order_acq_rel)) continue;
        m_readers[i].epoch.store(kOffline, std::memory_order_seq_cst);
        return i;
    }
    return -1;
}

void COriginColumnStore::Announce(int reader) {
    ReaderSlot& slot = m_readers[reader];
    slot.epoch.store(m_epoch.load(std::memory_order_seq_cst), std::memory_order_seq_cst);
    // No column is read before the announcement is seen by every dropper.
    std::atomic_thread_fence(std::memory_order_seq_cst);
    FreeWhatNoReaderHolds(reader);
}

void COriginColumnStore::Leave(int reader) {
    m_readers[reader].epoch.store(kOffline, std::memory_order_seq_cst);
    FreeWhatNoReaderHolds(reader);
}

void COriginColumnStore::Release(int reader) {
    Leave(reader);
    m_readers[reader].taken.store(false, std::memory_order_release);
}

void COriginColumnStore::FreeWhatNoReaderHolds(int reader) {
    std::vector<ReaderSlot::Waiting>& waiting = m_readers[reader].waiting;
    if (waiting.empty()) return;
    // A column dropped at epoch e can be held only by a reader that last
    // announced at e or before.
    std::uint64_t oldest = kOffline;
    for (int i = 0; i < kReaderSlots; ++i)
        if (m_readers[i].taken.load(std::memory_order_acquire))
            oldest = std::min(oldest, m_readers[i].epoch.load(std::memory_order_seq_cst));
    const auto kept = std::partition(waiting.begin(), waiting.end(),
                                     [&](const ReaderSlot::Waiting& w) { return w.droppedAt >= oldest; });
    for (auto it = kept; it != waiting.end(); ++it) {
        CountBytes(-static_cast<std::ptrdiff_t>(it->column->OrderByteCount()),
                   -static_cast<std::ptrdiff_t>(it->bytes));
        delete it->column;
    }
    waiting.erase(kept, waiting.end());
}

// ---------------------------------------------------------------------------
// Columns

COriginColumnStore::Block* COriginColumnStore::FindBlock(int table, int column) const {
    if (!Holds(table, column)) return nullptr;
    return m_blocks[BlockIndex(table, column)].load(std::memory_order_acquire);
}

COriginColumnStore::Block& COriginColumnStore::MakeBlock(int table, int column, int zones) {
    const std::size_t index = BlockIndex(table, column);
    Block* block = m_blocks[index].load(std::memory_order_acquire);
    if (block != nullptr) return *block;
    auto made = std::make_unique<Block>(zones);
    if (!m_blocks[index].compare_exchange_strong(block, made.get(), std::memory_order_acq_rel,
                                                 std::memory_order_acquire))
        return *block;
    const int ordinal = m_blockCount.fetch_add(1, std::memory_order_acq_rel);
    m_blockOrder[static_cast<std::size_t>(ordinal)].store(static_cast<int>(index), std::memory_order_release);
    m_slotBytes.fetch_add(made->Bytes(), std::memory_order_relaxed);
    return *made.release();
}

const COriginColumn* COriginColumnStore::Peek(int table, int column, int position) const {
    const Block* block = FindBlock(table, column);
    if (block == nullptr || position < 0 || position >= block->zoneCount) return nullptr;
    return block->origins[static_cast<std::size_t>(position)].load(std::memory_order_acquire);
}

const COriginColumn* COriginColumnStore::Find(int reader, int table, int column, int position) {
    const COriginColumn* found = Peek(table, column, position);
    ReaderSlot& slot = m_readers[reader];
    if (found == nullptr) {
        Increment(slot.misses);
        return nullptr;
    }
    found->MarkUsed();
    Increment(slot.hits);
    return found;
}

void COriginColumnStore::CountHit(int reader) { Increment(m_readers[reader].hits); }

const COriginColumn& COriginColumnStore::Publish(int reader, int table, int column, int position,
                                                 std::unique_ptr<COriginColumn> made, bool asked) {
    Block& block = MakeBlock(table, column, Layout()->ZoneCount());
    ReaderSlot& slot = m_readers[reader];
    Increment(slot.reads);
    if (block.dropped[static_cast<std::size_t>(position)].load(std::memory_order_relaxed)) Increment(slot.rereads);
    if (asked) made->MarkUsed();
    const COriginColumn* held = nullptr;
    if (!block.origins[static_cast<std::size_t>(position)].compare_exchange_strong(
            held, made.get(), std::memory_order_acq_rel, std::memory_order_acquire))
        return *held;
    m_columnCount.fetch_add(1, std::memory_order_relaxed);
    CountBytes(static_cast<std::ptrdiff_t>(made->ByteCount()), 0);
    const COriginColumn& kept = *made.release();
    if (m_heldBytes.load(std::memory_order_relaxed) > m_nBudget) Evict(reader);
    return kept;
}

bool COriginColumnStore::HasRoom() const {
    const COriginLayout* layout = Layout();
    const std::size_t zones = static_cast<std::size_t>(layout != nullptr ? layout->ZoneCount() : 0);
    const std::size_t column = sizeof(COriginColumn) + sizeof(double) * zones;
    const std::size_t held = m_heldBytes.load(std::memory_order_relaxed);
    return held <= m_nBudget && m_nBudget - held >= column;
}

void COriginColumnStore::AddBytes(std::size_t bytes) {
    if (bytes > 0) CountBytes(static_cast<std::ptrdiff_t>(bytes), 0);
}

void COriginColumnStore::CountBytes(std::ptrdiff_t held, std::ptrdiff_t waiting) {
    // Negative changes wrap around, as unsigned sums do, to the right total.
    const std::size_t heldChange = static_cast<std::size_t>(held);
    const std::size_t waitingChange = static_cast<std::size_t>(waiting);
    const std::size_t heldNow = m_heldBytes.fetch_add(heldChange, std::memory_order_relaxed) + heldChange;
    const std::size_t waitingNow = m_waitingBytes.fetch_add(waitingChange, std::memory_order_relaxed) + waitingChange;
    const std::size_t now = m_slotBytes.load(std::memory_order_relaxed) + heldNow + waitingNow;
    std::size_t peak = m_peakBytes.load(std::memory_order_relaxed);
    while (now > peak && !m_peakBytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

void COriginColumnStore::Evict(int reader) {
    const int zones = Layout()->ZoneCount();
    const int blocks = m_blockCount.load(std::memory_order_acquire);
    if (zones <= 0 || blocks <= 0) return;
    // Two turns of the hand: the first clears the marks of use.
    const std::uint64_t turn = static_cast<std::uint64_t>(blocks) * static_cast<std::uint64_t>(zones);
    ReaderSlot& slot = m_readers[reader];
    for (std::uint64_t step = 0; step < 2 * turn && m_heldBytes.load(std::memory_order_relaxed) > m_nBudget &&
                                 m_columnCount.load(std::memory_order_relaxed) > 0;
         ++step) {
        const std::uint64_t at = m_hand.fetch_add(1, std::memory_order_relaxed);
        const int index = m_blockOrder[static_cast<std::size_t>((at / static_cast<std::uint64_t>(zones)) %
                                                                static_cast<std::uint64_t>(blocks))]
                              .load(std::memory_order_acquire);
        if (index < 0) continue;
        Block* block = m_blocks[static_cast<std::size_t>(index)].load(std::memory_order_acquire);
        const std::size_t position = static_cast<std::size_t>(at % static_cast<std::uint64_t>(zones));
        const COriginColumn* column = block->origins[position].load(std::memory_order_acquire);
        if (column == nullptr || column->TakeUsedMark()) continue;
        if (!block->origins[position].compare_exchange_strong(column, nullptr, std::memory_order_seq_cst)) continue;
        block->dropped[position].store(true, std::memory_order_relaxed);
        m_columnCount.fetch_sub(1, std::memory_order_relaxed);
        const std::size_t bytes = column->ByteCount();
        CountBytes(-static_cast<std::ptrdiff_t>(bytes), static_cast<std::ptrdiff_t>(bytes));
        Increment(slot.drops);
        slot.waiting.push_back({column, m_epoch.fetch_add(1, std::memory_order_seq_cst), bytes});
    }
}

void COriginColumnStore::Ask(Asker asker, int table, int column) {
    if (!Holds(table, column) || IsAsked(asker, table, column)) return;
    m_asked[static_cast<std::size_t>(asker)][TableSlot(table)][static_cast<std::size_t>(column / 64)].fetch_or(
        std::uint64_t{1} << (column % 64), std::memory_order_relaxed);
}

bool COriginColumnStore::IsAsked(Asker asker, int table, int column) const {
    if (!Holds(table, column)) return false;
    const std::uint64_t bits = m_asked[static_cast<std::size_t>(asker)][TableSlot(table)]
                                      [static_cast<std::size_t>(column / 64)].load(std::memory_order_relaxed);
    return (bits >> (column % 64)) & 1;
}

std::vector<int> COriginColumnStore::AskedColumns(Asker asker, int table) const {
    std::vector<int> columns;
    for (int column = 0; column < kColumnSlots; ++column)
        if (IsAsked(asker, table, column)) columns.push_back(column);
    return columns;
}

COriginColumnStore::Figures COriginColumnStore::GetFigures() const {
    Figures figures;
    for (int i = 0; i < kReaderSlots; ++i) {
        const ReaderSlot& slot = m_readers[i];
        figures.hits += slot.hits.load(std::memory_order_relaxed);
        figures.misses += slot.misses.load(std::memory_order_relaxed);
        figures.reads += slot.reads.load(std::memory_order_relaxed);
        figures.rereads += slot.rereads.load(std::memory_order_relaxed);
        figures.drops += slot.drops.load(std::memory_order_relaxed);
    }
    figures.columns = m_columnCount.load(std::memory_order_relaxed);
    figures.bytes = m_slotBytes.load(std::memory_order_relaxed) + m_heldBytes.load(std::memory_order_relaxed) +
                    m_waitingBytes.load(std::memory_order_relaxed);
    figures.peakBytes = m_peakBytes.load(std::memory_order_relaxed);
    return figures;
}

void COriginColumnStore::Clear() {
    for (auto& entry : m_blocks) {
        std::unique_ptr<Block> block(entry.exchange(nullptr, std::memory_order_acq_rel));
        if (!block) continue;
        for (std::size_t i = 0; i < static_cast<std::size_t>(block->zoneCount); ++i)
            delete block->origins[i].load(std::memory_order_relaxed);
    }
    for (auto& index : m_blockOrder) index.store(-1, std::memory_order_relaxed);
    m_blockCount.store(0, std::memory_order_relaxed);
    for (int i = 0; i < kReaderSlots; ++i) {
        ReaderSlot& slot = m_readers[i];
        for (const auto& waiting : slot.waiting) delete waiting.column;
        slot.waiting.clear();
        for (auto* count : {&slot.hits, &slot.misses, &slot.reads, &slot.rereads, &slot.drops})
            count->store(0, std::memory_order_relaxed);
    }
    for (auto& asker : m_asked)
        for (auto& table : asker)
            for (auto& word : table) word.store(0, std::memory_order_relaxed);
    delete m_pLayout.exchange(nullptr, std::memory_order_acq_rel);
    m_columnCount.store(0, std::memory_order_relaxed);
    m_slotBytes.store(0, std::memory_order_relaxed);
    m_heldBytes.store(0, std::memory_order_relaxed);
    m_waitingBytes.store(0, std::memory_order_relaxed);
    m_peakBytes.store(0, std::memory_order_relaxed);
}
