#pragma once
// The level-of-service and zone-to-zone columns of one run held in memory,
// one for every (table, column, origin zone) that the lookups from origins
// other than a thread's home zone ask for; the home-zone caches copy from it
// the columns of their zone it holds. One store serves the ten worker threads
// of a run: a thread that misses reads the column on its own connection and
// publishes it; the first published copy stays and every thread answers from
// it. Finding and publishing take no lock.
//
// The columns held keep to a budget of bytes, together with the columns
// dropped but not yet freed. Columns not used since the clock hand last passed
// them are dropped before the budget is reached, to leave room for the
// columns read while the dropped ones wait (a column is read again when next
// asked). A dropped column is freed only when no thread can still read it:
// every thread that reads the store is a reader with a slot, and a reader
// announces the points at which it holds no column it found (its household
// is done); a column dropped before every reader has announced since, or
// left, is kept until then. Should the waiting columns fill the budget (a
// reader stays busy inside one household), nothing more is published until
// they are freed: threads read what they need for themselves.

#include "data/COriginColumn.h"
#include "data/COriginLayout.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

class COriginColumnStore {
public:
    // Keys the store can hold: level-of-service tables 0 to kTableSlots - 2,
    // zone2zone (COriginLayout::kZone2Zone), columns 0 to kColumnSlots - 1.
    static constexpr int kTableSlots = 64;
    static constexpr int kColumnSlots = 256;
    static constexpr int kReaderSlots = 64;
    static constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();
    // The budget of a run unless one is given (tolvar-run --los-memory): a
    // region of 2,000 zones then holds nearly every column it asks for and a
    // run stays near 620 MB; larger regions hold part of theirs.
    static constexpr std::size_t kDefaultBudget = std::size_t{512} << 20;

    // What the store did in a run.
    struct Figures {
        long long hits = 0;     // columns asked and found, without a query
        long long misses = 0;   // columns asked and read
        long long reads = 0;    // columns read from the database
        long long rereads = 0;  // of those, columns read again after they were dropped
        long long drops = 0;    // columns dropped to keep to the budget
        std::size_t columns = 0;    // columns held now
        std::size_t bytes = 0;      // bytes held now, dropped columns not yet freed included
        std::size_t peakBytes = 0;  // the most bytes held at once
        // The bytes of the columns held, and of those dropped and not yet freed
        // (each with its order by value): now, and the most at once.
        std::size_t heldBytes = 0;
        std::size_t waitingBytes = 0;
        std::size_t peakHeldBytes = 0;
        std::size_t peakWaitingBytes = 0;
        // Share of the columns asked that were found, 0 to 1.
        double HitRate() const;
    };

    explicit COriginColumnStore(std::size_t budget = kDefaultBudget);
    ~COriginColumnStore();
    COriginColumnStore(const COriginColumnStore&) = delete;
    COriginColumnStore& operator=(const COriginColumnStore&) = delete;

    // The layout of the run: the first one offered is kept. True when layout
    // equals it, so that its thread may use the store.
    bool Adopt(const COriginLayout& layout);
    // The kept layout; null before the first Adopt.
    const COriginLayout* Layout() const { return m_pLayout.load(std::memory_order_acquire); }

    static bool Holds(int table, int column);

    // ---- Readers ----
    // A slot for a reader, which starts out of the store; -1 when all are taken.
    int Join();
    // The reader holds no column it found before (and may find more).
    void Announce(int reader);
    // The reader holds no column and finds none until it announces again.
    void Leave(int reader);
    // Leaves and gives the slot back.
    void Release(int reader);

    // ---- Columns (the reader has announced) ----
    // The column held for a key, or null. position is the origin's place
    // among the layout's zones. Counted as a hit when found.
    const COriginColumn* Find(int reader, int table, int column, int position);
    // The same without counting or marking a use.
    const COriginColumn* Peek(int table, int column, int position) const;
    // Counts a column the reader found without the store (in its last read).
    void CountHit(int reader);
    // Publishes a column read for a held key and gives the one the store
    // keeps: made (taken from the caller), or the copy another thread
    // published first. Null when the budget has no room for it: made stays
    // the caller's. `asked` marks it used, as a column the reader asked for
    // (not one read along with it). The column stays readable by this reader
    // until it next announces, also when the budget drops it at once.
    const COriginColumn* Publish(int reader, int table, int column, int position,
                                 std::unique_ptr<COriginColumn>& made, bool asked);
    // Whether a column of every zone fits below the limit of the columns held
    // (the budget less the room for those waiting to be freed), and in the
    // budget beside those held and those waiting.
    bool HasRoom() const;
    // Whether a column may keep its order by value once made: always for a
    // column the store does not hold; for one it holds, when the budget has
    // room for the order, whose bytes then count with the column's until it
    // is freed.
    bool KeepOrder(const COriginColumn& column);
    // True for the first call of a run with a (table, origin position): the
    // caller counts the origin's repeated destinations of the table.
    bool TakeRepeats(int table, int position);

    // Who asked for a column: a home-zone cache, whose copies of its zone's
    // columns answer the lookups from the home zone, or a lookup from another
    // origin, which the store itself answers. Only the columns asked for by
    // the latter are held.
    enum class Asker { HomeZone, OtherOrigin };
    // The columns of a table asked for so far in the run, ascending.
    void Ask(Asker asker, int table, int column);
    bool IsAsked(Asker asker, int table, int column) const;
    std::vector<int> AskedColumns(Asker asker, int table) const;

    Figures GetFigures() const;
    std::size_t Budget() const { return m_nBudget; }
    std::size_t ColumnCount() const { return m_columnCount.load(std::memory_order_relaxed); }

    // Forgets every column and the layout; only while no thread uses the store.
    void Clear();

private:
    struct Block;
    struct ReaderSlot;
    struct Orphans;
    static std::size_t BlockIndex(int table, int column);
    Block* FindBlock(int table, int column) const;
    Block& MakeBlock(int table, int column, int zones);
    // Counts bytes as held when the budget has room for them.
    bool Reserve(std::size_t bytes);
    void MoveToWaiting(std::size_t bytes);
    void NotePeaks();
    // The bytes of a column of every zone.
    std::size_t ColumnBytes() const;
    // The most bytes held before columns are dropped: the budget less the
    // room for those dropped and not yet freed.
    std::size_t HeldLimit() const;
    // Drops columns, before the budget is spent, so that the columns read
    // while the dropped ones wait in the reader's list still find room.
    void MakeRoom(int reader);
    void FreeWhatNoReaderHolds(int reader);
    bool AnyReaderOnline() const;
    // The waiting lists of readers that left, for the next reader to free.
    void HandOver(int reader);
    void TakeOrphans(int reader);

    const std::size_t m_nBudget;
    std::atomic<const COriginLayout*> m_pLayout{nullptr};
    std::array<std::atomic<Block*>, static_cast<std::size_t>(kTableSlots) * kColumnSlots> m_blocks{};
    // Block indices in the order made, for the clock hand.
    std::array<std::atomic<int>, static_cast<std::size_t>(kTableSlots) * kColumnSlots> m_blockOrder{};
    std::atomic<int> m_blockCount{0};
    std::atomic<std::uint64_t> m_hand{0};
    std::atomic<std::uint64_t> m_epoch{1};
    std::unique_ptr<ReaderSlot[]> m_readers;
    std::atomic<Orphans*> m_orphans{nullptr};
    using ColumnBits = std::array<std::array<std::atomic<std::uint64_t>, kColumnSlots / 64>, kTableSlots>;
    std::array<ColumnBits, 2> m_asked{};
    // By table slot, one bit per origin position: repeats counted (TakeRepeats).
    std::array<std::atomic<std::atomic<std::uint64_t>*>, kTableSlots> m_repeatsTaken{};
    std::atomic<std::size_t> m_columnCount{0};
    // Bytes of the origin slots, of the columns held (the budget's share) and
    // of the columns dropped but not yet freed; the last two with orders.
    std::atomic<std::size_t> m_slotBytes{0};
    std::atomic<std::size_t> m_heldBytes{0};
    std::atomic<std::size_t> m_waitingBytes{0};
    std::atomic<std::size_t> m_peakBytes{0};
    std::atomic<std::size_t> m_peakHeldBytes{0};
    std::atomic<std::size_t> m_peakWaitingBytes{0};
};
