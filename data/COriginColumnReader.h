#pragma once
// A worker thread's way to the level-of-service and zone-to-zone columns of
// origin zones: finds a column in the run's store of origin columns, or reads
// it on the thread's connection, together with the other columns of the
// same table asked for so far in the run (one query), and publishes what the
// store is to hold. The home-zone cache fills from it, and the lookups from
// other origins answer from it. Owned by the thread's input-data manager.
//
// A thread whose zones or tables differ from the store's layout (the input
// changed between the threads' starts) does not use the store: it reads what
// it needs and keeps it only until its next read.

#include "data/COriginColumn.h"
#include "data/COriginColumnStore.h"
#include "data/COriginLayout.h"

#include <memory>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

class CInputDataManager;

class COriginColumnReader {
public:
    explicit COriginColumnReader(CInputDataManager& manager);
    ~COriginColumnReader();
    COriginColumnReader(const COriginColumnReader&) = delete;
    COriginColumnReader& operator=(const COriginColumnReader&) = delete;

    // The store shared by the threads of a run, or null for one of the
    // reader's own. A shared store must outlive the reader's use of it, which
    // ends with Leave or the next SetStore.
    void SetStore(COriginColumnStore* shared);
    COriginColumnStore& Store();
    // The input was loaded afresh: the layout is taken again when next needed,
    // and the reader's own store forgets what it held.
    void Reset();
    // The zones and tables of the thread's input, taken on first use.
    const COriginLayout& Layout();

    using Asker = COriginColumnStore::Asker;
    // Column `column` of a table (its key in the layout) from origin. A column
    // the store holds is taken from it; otherwise it is read with the table's
    // other columns that the same asker asked for so far in the run, and those
    // asked for by lookups from other origins are published. `whole`: the
    // caller needs (nearly) every destination, and the column is read whatever
    // the store can take (what it cannot hold is kept until the next read);
    // otherwise null when the store neither holds the column nor has room for
    // it. A column outside the table raises std::invalid_argument; database
    // errors pass to the caller. Valid until the next read or announcement.
    // A column asked for whole counts the origin's repeated destinations of
    // the table, once per run (CInputDataManager::CountRepeatedPair).
    const COriginColumn* Column(Asker asker, int table, int column, int origin, bool whole);
    // The destinations the table holds for origin, ascending, each once; the
    // repeated ones are counted as above.
    std::vector<int> Destinations(int table, int origin);
    // Whether a column may keep its order by value once made (the store's
    // budget has room for it, COriginColumnStore::KeepOrder).
    bool KeepOrder(const COriginColumn& column) { return Store().KeepOrder(column); }
    // The columns of a table the asker asked for so far in the run, ascending.
    std::vector<int> AskedColumns(Asker asker, int table);

    // The thread holds no column it was given (its household is done).
    void Announce();
    // The thread reads no more columns for now (its run is over).
    void Leave();

private:
    bool UsesStore();
    void Ask(Asker asker, int table, int column);
    bool IsAsked(Asker asker, int table, int column);
    const COriginColumn* FromLastRead(int table, int column, int origin) const;
    const COriginColumn* FindOrRead(Asker asker, int table, int column, int origin, bool whole);
    // Counts the repeated destinations of a table from origin, unless some
    // thread of the run counted them before.
    void CountRepeats(int table, int origin, const std::vector<int>& repeated);
    // Reads the column with the asker's other columns of its table that the
    // store does not hold for the origin.
    void Read(Asker asker, int table, int column, int origin, int position, bool holdable, bool whole);
    void ForgetLastRead();

    CInputDataManager& m_manager;
    COriginColumnStore* m_pShared = nullptr;
    std::unique_ptr<COriginColumnStore> m_pOwn;
    std::unique_ptr<COriginLayout> m_pLayout;
    int m_nReader = -1;
    bool m_bOnline = false;
    enum class Use { Unknown, Store, Alone };
    Use m_use = Use::Unknown;
    // Asked columns of a thread that does not use the store.
    std::set<std::tuple<Asker, int, int>> m_askedAlone;
    // (table, origin) whose repeats a thread that does not use the store counted.
    std::set<std::pair<int, int>> m_repeatsAlone;
    // The columns of the last read, held by the store or else here.
    struct LastRead {
        int table = COriginLayout::kNoTable;
        int origin = 0;
        std::vector<std::pair<int, const COriginColumn*>> columns;
        std::vector<std::unique_ptr<COriginColumn>> unheld;
    };
    LastRead m_last;
};
