#include "data/COriginColumnStore.h"

#include <algorithm>
#include <utility>

namespace {

// The epoch of a reader out of the store: no column it found is kept for it.
constexpr std::uint64_t kOffline = std::numeric_limits<std::uint64_t>::max();

// How the bytes of a column are counted (COriginColumn::m_storeState): held
// by the store, dropped (waiting to be freed), and its order by value counted.
constexpr unsigned kStored = 1;
constexpr unsigned kDropped = 2;
constexpr unsigned kOrderCounted = 4;

// What a column held by the store counts: its bytes, and its order's once counted.
std::size_t CountedBytes(const COriginColumn& column, unsigned state) {
    return column.ByteCount() + ((state & kOrderCounted) != 0 ? column.OrderBytes() : 0);
}

// The room kept free below the budget for the columns read while dropped
// ones wait to be freed: a share of the budget, and at least a few columns
// (but no more than half the budget).
constexpr std::size_t kSlackShare = 16;
constexpr std::size_t kSlackColumns = 8;

void RaisePeak(std::atomic<std::size_t>& peak, std::size_t now) {
    std::size_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

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

// The waiting list of a reader that left while another reader could still
// hold some of its columns.
struct COriginColumnStore::Orphans {
    std::vector<ReaderSlot::Waiting> waiting;
    Orphans* next = nullptr;
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
    TakeOrphans(reader);
    FreeWhatNoReaderHolds(reader);
}

void COriginColumnStore::Leave(int reader) {
    m_readers[reader].epoch.store(kOffline, std::memory_order_seq_cst);
    TakeOrphans(reader);
    FreeWhatNoReaderHolds(reader);
    while (!m_readers[reader].waiting.empty()) {
        HandOver(reader);
        // A reader still in the store takes them when it next announces or
        // leaves; with none, the last may have left before they were handed
        // over, and they are freed here.
        if (AnyReaderOnline()) return;
        TakeOrphans(reader);
        FreeWhatNoReaderHolds(reader);
    }
}

void COriginColumnStore::Release(int reader) {
    Leave(reader);
    m_readers[reader].taken.store(false, std::memory_order_release);
}

bool COriginColumnStore::AnyReaderOnline() const {
    for (int i = 0; i < kReaderSlots; ++i)
        if (m_readers[i].taken.load(std::memory_order_acquire) &&
            m_readers[i].epoch.load(std::memory_order_seq_cst) != kOffline)
            return true;
    return false;
}

void COriginColumnStore::HandOver(int reader) {
    auto orphans = std::make_unique<Orphans>();
    orphans->waiting.swap(m_readers[reader].waiting);
    orphans->next = m_orphans.load(std::memory_order_relaxed);
    while (!m_orphans.compare_exchange_weak(orphans->next, orphans.get(), std::memory_order_seq_cst)) {
    }
    orphans.release();
}

void COriginColumnStore::TakeOrphans(int reader) {
    if (m_orphans.load(std::memory_order_relaxed) == nullptr) return;
    std::vector<ReaderSlot::Waiting>& waiting = m_readers[reader].waiting;
    for (Orphans* orphans = m_orphans.exchange(nullptr, std::memory_order_seq_cst); orphans != nullptr;) {
        waiting.insert(waiting.end(), orphans->waiting.begin(), orphans->waiting.end());
        delete std::exchange(orphans, orphans->next);
    }
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
        // Every reader that could have counted its order has announced since.
        m_waitingBytes.fetch_sub(CountedBytes(*it->column, it->column->m_storeState.load(std::memory_order_acquire)),
                                 std::memory_order_relaxed);
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
    NotePeaks();
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

const COriginColumn* COriginColumnStore::Publish(int reader, int table, int column, int position,
                                                 std::unique_ptr<COriginColumn>& made, bool asked) {
    Block& block = MakeBlock(table, column, Layout()->ZoneCount());
    ReaderSlot& slot = m_readers[reader];
    Increment(slot.reads);
    if (block.dropped[static_cast<std::size_t>(position)].load(std::memory_order_relaxed)) Increment(slot.rereads);
    std::atomic<const COriginColumn*>& origin = block.origins[static_cast<std::size_t>(position)];
    const COriginColumn* held = origin.load(std::memory_order_acquire);
    if (held != nullptr) return held;
    const std::size_t bytes = made->ByteCount();
    if (!Reserve(bytes)) return nullptr;
    // Counted before it is published: a drop right after it takes back what
    // is counted, never more.
    m_columnCount.fetch_add(1, std::memory_order_relaxed);
    made->m_storeState.store(kStored, std::memory_order_relaxed);
    if (asked) made->MarkUsed();
    if (!origin.compare_exchange_strong(held, made.get(), std::memory_order_acq_rel, std::memory_order_acquire)) {
        made->m_storeState.store(0, std::memory_order_relaxed);
        m_columnCount.fetch_sub(1, std::memory_order_relaxed);
        m_heldBytes.fetch_sub(bytes, std::memory_order_relaxed);
        return held;
    }
    const COriginColumn* kept = made.release();
    MakeRoom(reader);
    return kept;
}

bool COriginColumnStore::HasRoom() const {
    const std::size_t column = ColumnBytes();
    const std::size_t held = m_heldBytes.load(std::memory_order_relaxed);
    const std::size_t used = held + m_waitingBytes.load(std::memory_order_relaxed);
    return held + column <= HeldLimit() && used <= m_nBudget && m_nBudget - used >= column;
}

std::size_t COriginColumnStore::ColumnBytes() const {
    const COriginLayout* layout = Layout();
    const std::size_t zones = static_cast<std::size_t>(layout != nullptr ? layout->ZoneCount() : 0);
    return sizeof(COriginColumn) + sizeof(double) * zones;
}

std::size_t COriginColumnStore::HeldLimit() const {
    if (m_nBudget == kUnbounded) return kUnbounded;
    const std::size_t slack =
        std::min(m_nBudget / 2, std::max(m_nBudget / kSlackShare, kSlackColumns * ColumnBytes()));
    return m_nBudget - slack;
}

bool COriginColumnStore::Reserve(std::size_t bytes) {
    const std::size_t held = m_heldBytes.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    const std::size_t used = held + m_waitingBytes.load(std::memory_order_relaxed);
    if (used > m_nBudget || used < held) {
        m_heldBytes.fetch_sub(bytes, std::memory_order_relaxed);
        return false;
    }
    NotePeaks();
    return true;
}

void COriginColumnStore::MoveToWaiting(std::size_t bytes) {
    // Added to the waiting bytes first, so that neither count goes below what it holds.
    m_waitingBytes.fetch_add(bytes, std::memory_order_relaxed);
    m_heldBytes.fetch_sub(bytes, std::memory_order_relaxed);
    NotePeaks();
}

void COriginColumnStore::NotePeaks() {
    const std::size_t held = m_heldBytes.load(std::memory_order_relaxed);
    const std::size_t waiting = m_waitingBytes.load(std::memory_order_relaxed);
    RaisePeak(m_peakHeldBytes, held);
    RaisePeak(m_peakWaitingBytes, waiting);
    RaisePeak(m_peakBytes, m_slotBytes.load(std::memory_order_relaxed) + held + waiting);
}

bool COriginColumnStore::KeepOrder(const COriginColumn& column) {
    unsigned state = column.m_storeState.load(std::memory_order_acquire);
    if ((state & kStored) == 0 || (state & kOrderCounted) != 0) return true;
    const std::size_t bytes = column.OrderBytes();
    if (!Reserve(bytes)) return false;
    // Counted as held; as waiting when the column was dropped meanwhile. The
    // flag and the drop's flag are set on one word, so that exactly one of
    // the two moves the order's bytes.
    do {
        if ((state & kOrderCounted) != 0) {  // another reader counted it first
            m_heldBytes.fetch_sub(bytes, std::memory_order_relaxed);
            return true;
        }
    } while (!column.m_storeState.compare_exchange_weak(state, state | kOrderCounted, std::memory_order_acq_rel,
                                                        std::memory_order_acquire));
    if ((state & kDropped) != 0) MoveToWaiting(bytes);
    return true;
}

void COriginColumnStore::MakeRoom(int reader) {
    // What is dropped waits to be freed until every reader has announced; the
    // columns read meanwhile fill the slack between the held limit and the
    // budget. When the waiting columns already take the slack, frees lag
    // behind (a reader is busy): dropping more would not make room, and the
    // columns held are kept.
    const std::size_t keep = HeldLimit();
    if (m_heldBytes.load(std::memory_order_relaxed) <= keep ||
        m_waitingBytes.load(std::memory_order_relaxed) >= m_nBudget - keep)
        return;
    const int zones = Layout()->ZoneCount();
    const int blocks = m_blockCount.load(std::memory_order_acquire);
    if (zones <= 0 || blocks <= 0) return;
    // Two turns of the hand: the first clears the marks of use.
    const std::uint64_t turn = static_cast<std::uint64_t>(blocks) * static_cast<std::uint64_t>(zones);
    ReaderSlot& slot = m_readers[reader];
    for (std::uint64_t step = 0; step < 2 * turn && m_heldBytes.load(std::memory_order_relaxed) > keep &&
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
        const unsigned state = column->m_storeState.fetch_or(kDropped, std::memory_order_acq_rel);
        MoveToWaiting(CountedBytes(*column, state));
        m_columnCount.fetch_sub(1, std::memory_order_relaxed);
        Increment(slot.drops);
        slot.waiting.push_back({column, m_epoch.fetch_add(1, std::memory_order_seq_cst)});
    }
}

bool COriginColumnStore::TakeRepeats(int table, int position) {
    const COriginLayout* layout = Layout();
    if (layout == nullptr || !Holds(table, 0) || position < 0 || position >= layout->ZoneCount()) return false;
    std::atomic<std::atomic<std::uint64_t>*>& entry = m_repeatsTaken[TableSlot(table)];
    std::atomic<std::uint64_t>* bits = entry.load(std::memory_order_acquire);
    if (bits == nullptr) {
        const std::size_t words = static_cast<std::size_t>(layout->ZoneCount()) / 64 + 1;
        auto made = std::make_unique<std::atomic<std::uint64_t>[]>(words);
        for (std::size_t i = 0; i < words; ++i) made[i].store(0, std::memory_order_relaxed);
        if (entry.compare_exchange_strong(bits, made.get(), std::memory_order_acq_rel, std::memory_order_acquire))
            bits = made.release();
    }
    const std::uint64_t bit = std::uint64_t{1} << (position % 64);
    return (bits[position / 64].fetch_or(bit, std::memory_order_relaxed) & bit) == 0;
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
    figures.heldBytes = m_heldBytes.load(std::memory_order_relaxed);
    figures.waitingBytes = m_waitingBytes.load(std::memory_order_relaxed);
    figures.bytes = m_slotBytes.load(std::memory_order_relaxed) + figures.heldBytes + figures.waitingBytes;
    figures.peakBytes = m_peakBytes.load(std::memory_order_relaxed);
    figures.peakHeldBytes = m_peakHeldBytes.load(std::memory_order_relaxed);
    figures.peakWaitingBytes = m_peakWaitingBytes.load(std::memory_order_relaxed);
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
    TakeOrphans(0);  // every list a leaving reader handed over, freed with slot 0's below
    for (auto& entry : m_repeatsTaken) delete[] entry.exchange(nullptr, std::memory_order_acq_rel);
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
    for (auto* peak : {&m_peakBytes, &m_peakHeldBytes, &m_peakWaitingBytes}) peak->store(0, std::memory_order_relaxed);
}
