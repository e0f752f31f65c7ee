#include "data/COriginColumnReader.h"

#include "data/CInputDataManager.h"
#include "data/CRecordLine.h"
#include "data/CTimedSection.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace {

const CSectionTimer::SectionId kReadSection = CSectionTimer::Section("losstore-read");

}  // namespace

COriginColumnReader::COriginColumnReader(CInputDataManager& manager) : m_manager(manager) {}

// A shared store may be gone by now: only the own one is left.
COriginColumnReader::~COriginColumnReader() = default;

COriginColumnStore& COriginColumnReader::Store() {
    if (m_pShared) return *m_pShared;
    if (!m_pOwn) m_pOwn = std::make_unique<COriginColumnStore>();
    return *m_pOwn;
}

void COriginColumnReader::SetStore(COriginColumnStore* shared) {
    Leave();
    if (m_nReader >= 0) Store().Release(m_nReader);
    m_nReader = -1;
    m_pShared = shared;
    m_use = Use::Unknown;
    m_askedAlone.clear();
    m_repeatsAlone.clear();
}

void COriginColumnReader::Reset() {
    Leave();
    m_pLayout.reset();
    m_use = Use::Unknown;
    m_askedAlone.clear();
    m_repeatsAlone.clear();
    if (!m_pShared && m_pOwn) m_pOwn->Clear();
}

const COriginLayout& COriginColumnReader::Layout() {
    if (m_pLayout) return *m_pLayout;
    std::vector<std::string> losColumns;
    std::vector<std::string> zone2ZoneColumns;
    m_manager.GetLOSNames().GetColumnNames(losColumns);
    m_manager.GetZone2ZoneNames().GetColumnNames(zone2ZoneColumns);
    m_pLayout = std::make_unique<COriginLayout>(m_manager.GetZoneIds(), m_manager.GetLOSTableNames(),
                                                std::move(losColumns), std::move(zone2ZoneColumns));
    return *m_pLayout;
}

bool COriginColumnReader::UsesStore() {
    if (m_use != Use::Unknown) return m_use == Use::Store;
    if (m_nReader < 0) m_nReader = Store().Join();
    m_use = m_nReader >= 0 && Store().Adopt(Layout()) ? Use::Store : Use::Alone;
    return m_use == Use::Store;
}

void COriginColumnReader::Ask(Asker asker, int table, int column) {
    if (UsesStore())
        Store().Ask(asker, table, column);
    else
        m_askedAlone.emplace(asker, table, column);
}

bool COriginColumnReader::IsAsked(Asker asker, int table, int column) {
    return UsesStore() ? Store().IsAsked(asker, table, column) : m_askedAlone.count({asker, table, column}) > 0;
}

std::vector<int> COriginColumnReader::AskedColumns(Asker asker, int table) {
    if (UsesStore()) return Store().AskedColumns(asker, table);
    std::vector<int> columns;
    for (auto it = m_askedAlone.lower_bound({asker, table, 0});
         it != m_askedAlone.end() && std::get<0>(*it) == asker && std::get<1>(*it) == table; ++it)
        columns.push_back(std::get<2>(*it));
    return columns;
}

void COriginColumnReader::Announce() {
    ForgetLastRead();
    if (m_bOnline) Store().Announce(m_nReader);
}

void COriginColumnReader::Leave() {
    ForgetLastRead();
    if (!m_bOnline) return;
    Store().Leave(m_nReader);
    m_bOnline = false;
}

void COriginColumnReader::ForgetLastRead() {
    m_last.table = COriginLayout::kNoTable;
    m_last.columns.clear();
    m_last.unheld.clear();
}

const COriginColumn* COriginColumnReader::FromLastRead(int table, int column, int origin) const {
    if (m_last.table != table || m_last.origin != origin) return nullptr;
    for (const auto& [read, held] : m_last.columns)
        if (read == column) return held;
    return nullptr;
}

const COriginColumn* COriginColumnReader::Column(Asker asker, int table, int column, int origin, bool whole) {
    const COriginColumn* found = FindOrRead(asker, table, column, origin, whole);
    // Only the columns asked for whole count: whether a few values come from
    // a column depends on the budget, what is asked for whole does not.
    if (found != nullptr && whole) CountRepeats(table, origin, found->RepeatedDestinations());
    return found;
}

void COriginColumnReader::CountRepeats(int table, int origin, const std::vector<int>& repeated) {
    if (repeated.empty()) return;
    const int position = Layout().Position(origin);
    if (position < 0) return;
    const bool first =
        UsesStore() ? Store().TakeRepeats(table, position) : m_repeatsAlone.emplace(table, origin).second;
    if (!first) return;
    for (int destination : repeated) m_manager.CountRepeatedPair(Layout().TableName(table), origin, destination);
}

const COriginColumn* COriginColumnReader::FindOrRead(Asker asker, int table, int column, int origin, bool whole) {
    const COriginLayout& layout = Layout();
    layout.ColumnName(table, column);  // refuses a column outside the table
    const int position = layout.Position(origin);
    const bool holdable = position >= 0 && COriginColumnStore::Holds(table, column) && UsesStore();
    if (holdable && !m_bOnline) {
        // From now on until the next announcement, nothing found or
        // published is freed under this thread.
        Store().Announce(m_nReader);
        m_bOnline = true;
    }
    if (const COriginColumn* read = FromLastRead(table, column, origin)) {
        if (holdable) Store().CountHit(m_nReader);
        return read;
    }
    if (!whole && !holdable) return nullptr;
    Ask(asker, table, column);
    // Only columns asked for from other origins are ever held.
    if (holdable && IsAsked(Asker::OtherOrigin, table, column)) {
        if (const COriginColumn* found = Store().Find(m_nReader, table, column, position)) return found;
        // With the budget spent, a few values are not worth a column that
        // would drop another: the memo or the database answers them alone.
        if (!whole && !Store().HasRoom()) return nullptr;
    }
    Read(asker, table, column, origin, position, holdable, whole);
    return FromLastRead(table, column, origin);
}

void COriginColumnReader::Read(Asker asker, int table, int column, int origin, int position, bool holdable,
                               bool whole) {
    const COriginLayout& layout = Layout();
    // The other columns asked for come along while the store has room for
    // them; a home-zone cache takes every column asked for from home.
    const bool room = holdable && Store().HasRoom();
    std::vector<int> columns{column};
    if (asker == Asker::HomeZone || room)
        for (int asked : AskedColumns(asker, table))
            if (asked != column && (!holdable || Store().Peek(table, asked, position) == nullptr))
                columns.push_back(asked);

    CTimedSection timing(kReadSection);
    const std::string& name = layout.TableName(table);
    std::string sql = "SELECT dest_zon";
    for (int c : columns) sql += ", " + layout.ColumnName(table, c);
    CRecordset rows(m_manager.GetDatabase());
    rows.m_strFilter = "orig_zon = " + NumberText::Integer(origin);
    rows.Open(sql + " FROM " + name);
    std::vector<std::vector<std::pair<double, int>>> read(columns.size());
    for (; !rows.IsEOF(); rows.MoveNext()) {
        const int destination = CRecordLine::TruncateToInt(rows.GetDouble(0));
        for (size_t i = 0; i < columns.size(); ++i)
            read[i].emplace_back(m_manager.ReadValue(rows, static_cast<int>(i) + 1, name,
                                                     [&] { return CInputDataManager::PairText(origin, destination); },
                                                     columns[i]),
                                 destination);
    }

    ForgetLastRead();
    m_last.table = table;
    m_last.origin = origin;
    for (size_t i = 0; i < columns.size(); ++i) {
        auto made = COriginColumn::FromRows(std::move(read[i]), layout);
        // Held: the column asked for from another origin, and, while there is
        // room, the others that lookups from other origins asked for. Only a
        // column asked for whole starts as used: one read for a few values
        // stays only if it is asked for again before the store needs room.
        const bool asked = asker == Asker::OtherOrigin && columns[i] == column;
        // What the budget has no room for is kept here.
        if (holdable && (asked || (room && IsAsked(Asker::OtherOrigin, table, columns[i])))) {
            if (const COriginColumn* held =
                    Store().Publish(m_nReader, table, columns[i], position, made, asked && whole)) {
                m_last.columns.emplace_back(columns[i], held);
                continue;
            }
        }
        m_last.columns.emplace_back(columns[i], made.get());
        m_last.unheld.push_back(std::move(made));
    }
}

std::vector<int> COriginColumnReader::Destinations(int table, int origin) {
    CTimedSection timing(kReadSection);
    CRecordset rows(m_manager.GetDatabase());
    rows.m_strFilter = "orig_zon = " + NumberText::Integer(origin);
    rows.Open("SELECT dest_zon FROM " + Layout().TableName(table));
    std::vector<int> destinations;
    for (; !rows.IsEOF(); rows.MoveNext()) destinations.push_back(CRecordLine::TruncateToInt(rows.GetDouble(0)));
    std::sort(destinations.begin(), destinations.end());
    std::vector<int> repeated;
    for (std::size_t i = 1; i < destinations.size(); ++i)
        if (destinations[i] == destinations[i - 1] && (repeated.empty() || repeated.back() != destinations[i]))
            repeated.push_back(destinations[i]);
    CountRepeats(table, origin, repeated);
    destinations.erase(std::unique(destinations.begin(), destinations.end()), destinations.end());
    return destinations;
}
