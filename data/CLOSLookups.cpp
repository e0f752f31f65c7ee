#include "data/CLOSLookups.h"

#include "data/CCommuteLOSRecord.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/CTimedSection.h"
#include "platform/CRecordset.h"
#include "platform/DbError.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Timed sections of the lookups.
const CSectionTimer::SectionId kLOSQuerySection = CSectionTimer::Section("getlos-d");
const CSectionTimer::SectionId kAllDestinationsQuerySection = CSectionTimer::Section("getlos-i");
const CSectionTimer::SectionId kZone2ZoneQuerySection = CSectionTimer::Section("getz2z-d");
const CSectionTimer::SectionId kZone2ZoneListQuerySection = CSectionTimer::Section("getz2z-vd");
const CSectionTimer::SectionId kAdjacentQuerySection = CSectionTimer::Section("getadj-d");
// The memo of single values: a value found in it (hit), or read from the
// database into it (fill).
const CSectionTimer::SectionId kMemoValueHit = CSectionTimer::Section("losmemo-value-hit");
const CSectionTimer::SectionId kMemoValueFill = CSectionTimer::Section("losmemo-value-fill");

// Counts one memo hit (a section timed over nothing).
void CountHit(CSectionTimer::SectionId section) {
    CSectionTimer::Start(section);
    CSectionTimer::Stop(section);
}

}  // namespace

CLOSLookups::CLOSLookups(CInputDataManager& manager) : m_manager(manager) {}

COriginColumnReader& CLOSLookups::Columns() { return m_manager.GetColumnReader(); }

namespace {

// Runs a query of (value, dest_zon) rows and gives the value of each
// destination of the list in order; a later row of the same destination
// replaces an earlier one, a destination without a row reads 0.0 and is
// counted, and a value that is not a number reads 0.0 after its report
// (column is its position in the table). False when a destination had no row.
bool ReadValuesByDestination(CInputDataManager& manager, const std::string& table, int column,
                             const std::string& sql, const std::string& filter, int origin,
                             const std::vector<int>& destinations, std::vector<double>& values) {
    CRecordset rows(manager.GetDatabase());
    rows.m_strFilter = filter;
    rows.Open(sql);
    std::map<int, double> found;
    while (!rows.IsEOF()) {
        const int destination = CLOSCache::ZoneNumber(rows.GetDouble(1));
        found[destination] =
            manager.ReadValue(rows, 0, table, [&] { return CInputDataManager::PairText(origin, destination); }, column);
        rows.MoveNext();
    }
    values.reserve(destinations.size());
    bool all = true;
    for (int destination : destinations) {
        const auto it = found.find(destination);
        if (it != found.end()) {
            values.push_back(it->second);
            continue;
        }
        manager.CountMissingPair(table, origin, destination);
        values.push_back(0.0);
        all = false;
    }
    return all;
}

}  // namespace

bool CLOSLookups::ValuesFromColumn(int table, int column, int origin, const std::vector<int>& destinations,
                                   std::vector<double>& values) {
    if (!m_bMemo) return false;
    // A list the destination filter cannot name reads the whole column.
    const COriginColumn* held = Columns().Column(COriginColumnStore::Asker::OtherOrigin, table, column, origin,
                                                 destinations.size() > CInputDataManager::kMaxListedDestinations);
    if (held == nullptr) return false;
    values.reserve(destinations.size());
    for (int destination : destinations) values.push_back(HeldValue(*held, table, origin, destination));
    return true;
}

double CLOSLookups::HeldValue(const COriginColumn& held, int table, int origin, int destination) {
    const COriginLayout& layout = Columns().Layout();
    if (const double* value = held.Find(destination, layout.Position(destination))) return *value;
    m_manager.CountMissingPair(layout.TableName(table), origin, destination);
    return 0.0;
}

bool CLOSLookups::ValueFromMemo(int table, int column, int origin, int destination, double& value) {
    if (!m_bMemo) return false;
    const double* held = m_memo.FindValue(table, column, origin, destination);
    if (held == nullptr) return false;
    CountHit(kMemoValueHit);
    value = *held;
    return true;
}

void CLOSLookups::Remember(int table, int column, int origin, int destination, double value) {
    if (!m_bMemo) return;
    CountHit(kMemoValueFill);
    m_memo.StoreValue(table, column, origin, destination, value);
}

void CLOSLookups::GetLOS(std::vector<double>& values, int column, double time, int origin,
                         const std::vector<int>& destinations) {
    time = CInputDataManager::CapTime(time);
    values.clear();
    if (destinations.empty()) return;
    if (CLOSCache* cache = m_manager.GetCache(origin)) {
        cache->GetLOSValues(values, column, time, destinations);
        return;
    }
    const std::string table = m_manager.GetLOSTableForLookup(time);
    if (table.empty()) {
        values.assign(destinations.size(), 0.0);
        return;
    }
    const int key = m_bMemo ? Columns().Layout().TableKey(table) : 0;
    ValuesFromOtherOrigin(key, table, column, origin, destinations, values);
}

void CLOSLookups::ValuesFromOtherOrigin(int key, const std::string& table, int column, int origin,
                                        const std::vector<int>& destinations, std::vector<double>& values) {
    if (ValuesFromColumn(key, column, origin, destinations, values)) return;
    double value = 0.0;
    if (destinations.size() == 1 && ValueFromMemo(key, column, origin, destinations.front(), value)) {
        values.push_back(value);
        return;
    }
    bool found;
    {
        const bool zone2Zone = key == COriginLayout::kZone2Zone;
        CTimedSection timing(zone2Zone ? kZone2ZoneListQuerySection : kLOSQuerySection);
        const std::string name = zone2Zone ? m_manager.GetZone2ZoneNames().GetColumnName(column)
                                           : m_manager.GetLOSNames().GetColumnName(column);
        const char* rest = zone2Zone ? " , dest_zon FROM " : ", dest_zon FROM ";
        found = ReadValuesByDestination(m_manager, table, column, "SELECT " + name + rest + table,
                                        CInputDataManager::DestinationFilter(origin, destinations), origin,
                                        destinations, values);
    }
    // A pair without a row is asked again, so that every lookup of it is counted.
    if (destinations.size() == 1 && found) Remember(key, column, origin, destinations.front(), values.front());
}

void CLOSLookups::GetLOSAllDestinations(std::vector<int>& destinations, std::vector<double>& values,
                                        int column, double time, int origin) {
    time = CInputDataManager::CapTime(time);
    destinations.clear();
    values.clear();
    if (CLOSCache* cache = m_manager.GetCache(origin)) {
        cache->GetLOSAllDestinations(destinations, values, column, time);
        return;
    }
    const std::string table = m_manager.GetLOSTableForLookup(time);
    if (table.empty()) return;
    if (m_bMemo) {
        const COriginColumn& held = *Columns().Column(COriginColumnStore::Asker::OtherOrigin,
                                                       Columns().Layout().TableKey(table), column, origin, true);
        const bool keepOrder = !held.LacksOrder() || Columns().KeepOrder(held);
        held.ForEachByValue(Columns().Layout(), keepOrder, [&](double value, int destination) {
            destinations.push_back(destination);
            values.push_back(value);
        });
        return;
    }
    CTimedSection timing(kAllDestinationsQuerySection);
    CRecordset rows(m_manager.GetDatabase());
    rows.m_strFilter = "orig_zon = " + NumberText::Integer(origin);
    const std::string name = m_manager.GetLOSNames().GetColumnName(column);
    rows.m_strSort = name + " , dest_zon";
    rows.Open("SELECT dest_zon," + name + " FROM " + table);
    std::vector<std::pair<double, int>> pairs;
    while (!rows.IsEOF()) {
        const int destination = CLOSCache::ZoneNumber(rows.GetDouble(0));
        const auto pair = [&] { return CInputDataManager::PairText(origin, destination); };
        pairs.emplace_back(m_manager.ReadValue(rows, 1, table, pair, column), destination);
        rows.MoveNext();
    }
    // The databases place empty values differently in the sort; the order
    // must not depend on the database, nor differ from the cached order.
    COriginColumn::SortByValueThenZone(pairs);
    destinations.reserve(pairs.size());
    values.reserve(pairs.size());
    for (const auto& [value, destination] : pairs) {
        destinations.push_back(destination);
        values.push_back(value);
    }
}

void CLOSLookups::GetZone2Zone(double& value, int column, int origin, int destination) {
    value = 0.0;
    if (CLOSCache* cache = m_manager.GetCache(origin)) {
        cache->GetZone2ZoneValue(value, column, destination);
        return;
    }
    const int key = COriginLayout::kZone2Zone;
    try {
        // A column with repeated destinations keeps their later rows; this
        // query reads the first.
        const COriginColumn* held =
            m_bMemo ? Columns().Column(COriginColumnStore::Asker::OtherOrigin, key, column, origin, false) : nullptr;
        if (held != nullptr && !held->HasRepeatedDestination()) {
            value = HeldValue(*held, key, origin, destination);
            return;
        }
    } catch (const DbError&) {
        // the query below reports it
    }
    if (ValueFromMemo(CLookupMemo::kZone2ZoneFirstRow, column, origin, destination, value)) return;
    CTimedSection timing(kZone2ZoneQuerySection);
    const std::string name = m_manager.GetZone2ZoneNames().GetColumnName(column);
    try {
        CRecordset rows(m_manager.GetDatabase());
        rows.m_strFilter =
            "orig_zon = " + NumberText::Integer(origin) + " AND dest_zon = " + NumberText::Integer(destination);
        rows.Open("SELECT " + name + " FROM zone2zone");
        if (rows.IsEOF()) {
            m_manager.CountMissingPair("zone2zone", origin, destination);
            return;
        }
        const auto pair = [&] { return CInputDataManager::PairText(origin, destination); };
        value = m_manager.ReadValue(rows, 0, "zone2zone", pair, column);
        Remember(CLookupMemo::kZone2ZoneFirstRow, column, origin, destination, value);
    } catch (const DbError& error) {
        MessageSink::Post(error.Message(), MessageIcon::Error);
        MessageSink::Post("State:" + error.SqlState() + ",Native:" + NumberText::Integer(error.NativeCode()),
                          MessageIcon::Error);
        value = 0.0;
    }
}

void CLOSLookups::GetZone2ZoneForDestinations(std::vector<double>& values, int column, int origin,
                                              const std::vector<int>& destinations) {
    values.clear();
    if (destinations.empty()) return;
    if (CLOSCache* cache = m_manager.GetCache(origin)) {
        cache->GetZone2ZoneValues(values, column, destinations);
        return;
    }
    ValuesFromOtherOrigin(COriginLayout::kZone2Zone, "zone2zone", column, origin, destinations, values);
}

void CLOSLookups::GetAdjacentZones(int origin, std::vector<int>& destinations) {
    destinations.clear();
    if (CLOSCache* cache = m_manager.GetCache(origin)) {
        cache->GetAdjacentZones(origin, destinations);
        return;
    }
    CTimedSection timing(kAdjacentQuerySection);
    CRecordset rows(m_manager.GetDatabase());
    rows.m_strFilter = "orig_zon = " + NumberText::Integer(origin) + " AND ( adjacent = 1 ) ";
    rows.Open("SELECT dest_zon FROM zone2zone");
    while (!rows.IsEOF()) {
        destinations.push_back(CLOSCache::ZoneNumber(rows.GetDouble(0)));
        rows.MoveNext();
    }
    // Ascending, each zone once, as the cache gives them: the database's own
    // order is arbitrary.
    std::sort(destinations.begin(), destinations.end());
    destinations.erase(std::unique(destinations.begin(), destinations.end()), destinations.end());
}

void CLOSLookups::ReadCommuteRow(double time, int from, int to, double (&columns)[14],
                                 const std::vector<int>* cachedColumns) {
    std::fill(std::begin(columns), std::end(columns), 0.0);
    if (CLOSCache* cache = cachedColumns != nullptr ? m_manager.GetCache(from) : nullptr) {
        if (!cache->GetLOSRow(time, to, *cachedColumns, columns))
            m_manager.CountMissingPair(m_manager.GetLOSTableForLookup(time), from, to);
        return;
    }
    const std::string table = m_manager.GetLOSTableForLookup(time);
    if (table.empty()) return;
    CRecordset rows(m_manager.GetDatabase());
    rows.m_strFilter = "orig_zon = " + NumberText::Integer(from) + " AND dest_zon = " + NumberText::Integer(to);
    rows.Open("SELECT * FROM " + table);
    if (rows.IsEOF()) {
        m_manager.CountMissingPair(table, from, to);
        return;
    }
    const int count = std::min(rows.GetODBCFieldCount(), 14);
    const auto pair = [&] { return CInputDataManager::PairText(from, to); };
    for (int c = 0; c < count; ++c) columns[c] = m_manager.ReadValue(rows, c, table, pair);
}

namespace {

// A 0/1 column: true when the value cut to an int is 1.
bool IsOne(double value) { return std::trunc(value) == 1.0; }

}  // namespace

void CLOSLookups::GetLOSRecord(CPersonObject* person, int homeZone, int activityZone, double outboundTime,
                               double returnTime) {
    if (person == nullptr) return;
    auto record = std::make_unique<CCommuteLOSRecord>();
    double back[14];
    double out[14];
    // The outbound row comes from the home zone's cache when it is cached
    // (the columns the record reads of it); the return row from the database.
    static const std::vector<int> kOutboundColumns{3, 4, 5, 7, 8, 11};
    try {
        ReadCommuteRow(CInputDataManager::CapTime(returnTime), activityZone, homeZone, back, nullptr);
        ReadCommuteRow(CInputDataManager::CapTime(outboundTime), homeZone, activityZone, out, &kOutboundColumns);
    } catch (const DbError& error) {
        MessageSink::Post(error.Message(), MessageIcon::Warning);
        return;
    }
    record->m_fReturnAutoTime = static_cast<float>(back[5]);
    record->m_fReturnColumn6 = static_cast<float>(back[6]);
    record->m_fReturnAutoCost = static_cast<float>(back[11]);
    record->m_fReturnColumn12 = static_cast<float>(back[12]);
    record->m_fReturnColumn6Copy = static_cast<float>(back[6]);
    record->m_fReturnColumn13 = static_cast<float>(back[13]);
    record->m_bReturnColumn7 = IsOne(back[7]);
    record->m_fReturnTransitTime = static_cast<float>(back[8]);
    record->m_fReturnColumn9 = static_cast<float>(back[9]);
    record->m_fReturnTransitCost = static_cast<float>(back[10]);
    record->m_fReturnColumn4 = static_cast<float>(back[4]);

    record->m_fOutboundAutoTime = static_cast<float>(out[5]);
    record->m_bOutboundColumn7 = IsOne(out[7]);
    record->m_fOutboundTransitTime = static_cast<float>(out[8]);
    record->m_fOutboundAutoCost = static_cast<float>(out[11]);
    record->m_fOutboundColumn4 = static_cast<float>(out[4]);
    record->m_fOutboundAdjacent = static_cast<float>(out[3]);

    double distance = 0.0;
    GetZone2Zone(distance, 3, activityZone, homeZone);
    record->m_fDistance = static_cast<float>(distance);

    person->SetCommuteRecord(std::move(record));
}
