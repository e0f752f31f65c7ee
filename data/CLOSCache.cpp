#include "data/CLOSCache.h"

#include "data/CInputDataManager.h"
#include "data/CRecordLine.h"
#include "data/CTimedSection.h"
#include "platform/CRecordset.h"
#include "platform/DbError.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace {

// Timed sections of the lookups.
const CSectionTimer::SectionId kReadCacheSection = CSectionTimer::Section("readcache");
const CSectionTimer::SectionId kCachedLOSSection = CSectionTimer::Section("getloscache-d");
const CSectionTimer::SectionId kCachedAllDestinationsSection = CSectionTimer::Section("getloscache-i");

constexpr const char* kZone2ZoneTable = "zone2zone";
// zone2zone column that marks two zones as adjacent (1.0).
constexpr int kAdjacentColumn = 2;
// Columns 0 and 1 of every cached table are the origin and destination zones.
constexpr int kFirstStoredColumn = 2;

// An empty table: what a lookup reads when the directory names no table.
const CLOSCache::OriginRows& NoRows() {
    static const CLOSCache::OriginRows empty;
    return empty;
}

}  // namespace

// ---------------------------------------------------------------------------
// OriginRows

const double* CLOSCache::OriginRows::Find(int destination) const {
    size_t row;
    if (!m_slots.empty()) {
        const long long offset = static_cast<long long>(destination) - m_nFirstZone;
        if (offset < 0 || offset >= static_cast<long long>(m_slots.size())) return nullptr;
        const int slot = m_slots[static_cast<size_t>(offset)];
        if (slot < 0) return nullptr;
        row = static_cast<size_t>(slot);
    } else {
        const auto it = std::lower_bound(m_zones.begin(), m_zones.end(), destination);
        if (it == m_zones.end() || *it != destination) return nullptr;
        row = static_cast<size_t>(it - m_zones.begin());
    }
    return m_values.data() + row * static_cast<size_t>(m_nColumns);
}

void CLOSCache::OriginRows::CheckColumn(int column) const {
    if (column < 0 || column >= m_nColumns + kFirstStoredColumn)
        throw std::invalid_argument("column " + NumberText::Integer(column) +
                                    " does not exist in the level-of-service or zone-to-zone table");
}

double CLOSCache::OriginRows::Value(int origin, int destination, int column) const {
    CheckColumn(column);
    const double* row = Find(destination);
    if (row == nullptr) return 0.0;
    if (column == 0) return static_cast<double>(origin);
    if (column == 1) return static_cast<double>(destination);
    return row[column - kFirstStoredColumn];
}

void CLOSCache::OriginRows::Assign(int columns, const std::vector<int>& destinations,
                                   const std::vector<double>& values) {
    m_nColumns = std::max(columns, 0);
    const size_t width = static_cast<size_t>(m_nColumns);

    // Arrival order within equal destinations is kept, so the last of each run
    // is the later row.
    std::vector<size_t> order(destinations.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return destinations[a] < destinations[b]; });

    m_zones.clear();
    m_values.clear();
    m_zones.reserve(order.size());
    m_values.reserve(order.size() * width);
    for (size_t i = 0; i < order.size(); ++i) {
        const size_t source = order[i];
        if (i + 1 < order.size() && destinations[order[i + 1]] == destinations[source]) continue;
        m_zones.push_back(destinations[source]);
        m_values.insert(m_values.end(), values.begin() + static_cast<std::ptrdiff_t>(source * width),
                        values.begin() + static_cast<std::ptrdiff_t>((source + 1) * width));
    }

    // Zone numbers are usually dense: index them directly when the span is
    // not much larger than the number of destinations.
    m_slots.clear();
    m_nFirstZone = 0;
    if (m_zones.empty()) return;
    const long long span = static_cast<long long>(m_zones.back()) - m_zones.front() + 1;
    if (span <= 4 * static_cast<long long>(m_zones.size()) + 1024) {
        m_nFirstZone = m_zones.front();
        m_slots.assign(static_cast<size_t>(span), -1);
        for (size_t r = 0; r < m_zones.size(); ++r)
            m_slots[static_cast<size_t>(static_cast<long long>(m_zones[r]) - m_nFirstZone)] = static_cast<int>(r);
    }
}

// ---------------------------------------------------------------------------
// CLOSCache

CLOSCache::CLOSCache(CInputDataManager* manager) : m_pManager(manager) {}

CLOSCache::~CLOSCache() = default;

int CLOSCache::ZoneNumber(double value) { return CRecordLine::TruncateToInt(value); }

void CLOSCache::SortByValueThenZone(std::vector<std::pair<double, int>>& pairs) {
    std::sort(pairs.begin(), pairs.end(), [](const std::pair<double, int>& a, const std::pair<double, int>& b) {
        const bool aNan = std::isnan(a.first);
        const bool bNan = std::isnan(b.first);
        if (aNan != bNan) return bNan;
        if (!aNan && a.first != b.first) return a.first < b.first;
        return a.second < b.second;
    });
}

void CLOSCache::ReadCache(int zone) {
    CTimedSection timing(kReadCacheSection);
    m_nOriginZone = zone;
    m_tables.clear();
    m_periods.clear();
    m_sorted.clear();
    m_pZone2Zone = nullptr;

    // A table that the directory names for several periods is read once.
    for (const auto& [endTime, name] : m_pManager->GetLOSDirectory()) {
        auto& rows = m_tables[name];
        if (!rows) {
            rows = std::make_unique<OriginRows>();
            LoadOriginRows(name, zone, *rows);
        }
        m_periods.emplace_back(endTime, rows.get());
    }
    // zone2zone rows of the origin. Should the directory name zone2zone as a
    // period's table, its rows are already held: reading them again would
    // give the same rows, and replacing them would leave that period pointing
    // at freed rows.
    auto& zone2Zone = m_tables[kZone2ZoneTable];
    if (!zone2Zone) {
        zone2Zone = std::make_unique<OriginRows>();
        LoadOriginRows(kZone2ZoneTable, zone, *zone2Zone);
    }
    m_pZone2Zone = zone2Zone.get();
}

void CLOSCache::LoadOriginRows(const std::string& table, int zone, OriginRows& rows) {
    CRecordset recordset(m_pManager->GetDatabase());
    recordset.Open("SELECT * FROM " + table + " WHERE orig_zon = " + NumberText::Integer(zone));
    const int n = std::max(recordset.GetODBCFieldCount() - kFirstStoredColumn, 0);
    const int destinationColumn = recordset.FindField("dest_zon");
    if (destinationColumn < 0) throw DbError("The table " + table + " needs the column dest_zon.");

    std::vector<int> destinations;
    std::vector<double> values;
    while (!recordset.IsEOF()) {
        const int destination = ZoneNumber(recordset.GetDouble(destinationColumn));
        destinations.push_back(destination);
        for (int j = 0; j < n; ++j)
            values.push_back(m_pManager->ReadValue(recordset, j + kFirstStoredColumn, table, [&] {
                return CInputDataManager::PairText(zone, destination);
            }));
        recordset.MoveNext();
    }
    rows.Assign(n, destinations, values);
}

const CLOSCache::OriginRows* CLOSCache::FindLOSRows(double time) const {
    if (m_periods.empty()) return nullptr;
    for (const auto& [endTime, rows] : m_periods)
        if (static_cast<double>(endTime) > time) return rows;
    // Past the last end time: the last period's table.
    return m_periods.back().second;
}

const CLOSCache::OriginRows& CLOSCache::Zone2ZoneRows() const {
    return m_pZone2Zone != nullptr ? *m_pZone2Zone : NoRows();
}

void CLOSCache::GetLOSValues(std::vector<double>& values, int column, double time,
                             const std::vector<int>& destinations) {
    CTimedSection timing(kCachedLOSSection);
    values.clear();
    const OriginRows* rows = FindLOSRows(time);
    if (rows == nullptr) {
        values.assign(destinations.size(), 0.0);
        return;
    }
    if (!destinations.empty()) rows->CheckColumn(column);
    values.reserve(destinations.size());
    for (int destination : destinations) {
        values.push_back(rows->Value(m_nOriginZone, destination, column));
        if (rows->Find(destination) == nullptr)
            m_pManager->CountMissingPair(m_pManager->GetLOSTableForLookup(time), m_nOriginZone, destination);
    }
}

void CLOSCache::GetLOSAllDestinations(std::vector<int>& destinations, std::vector<double>& values, int column,
                                      double time) {
    CTimedSection timing(kCachedAllDestinationsSection);
    destinations.clear();
    values.clear();
    const std::vector<std::pair<double, int>>* sorted = GetSortedDestinations(column, time);
    if (sorted == nullptr) return;
    destinations.reserve(sorted->size());
    values.reserve(sorted->size());
    for (const auto& [value, destination] : *sorted) {
        destinations.push_back(destination);
        values.push_back(value);
    }
}

const std::vector<std::pair<double, int>>* CLOSCache::GetSortedDestinations(int column, double time) {
    const OriginRows* rows = FindLOSRows(time);
    if (rows == nullptr) return nullptr;
    rows->CheckColumn(column);
    if (rows->GetDestinationCount() == 0) return nullptr;

    auto [it, inserted] = m_sorted.try_emplace({rows, column});
    std::vector<std::pair<double, int>>& sorted = it->second;
    if (inserted) {
        sorted.reserve(rows->GetDestinations().size());
        for (int destination : rows->GetDestinations())
            sorted.emplace_back(rows->Value(m_nOriginZone, destination, column), destination);
        SortByValueThenZone(sorted);
    }
    return &sorted;
}

void CLOSCache::GetZone2ZoneValues(std::vector<double>& values, int column, const std::vector<int>& destinations) {
    values.clear();
    const OriginRows& rows = Zone2ZoneRows();
    if (!destinations.empty()) rows.CheckColumn(column);
    values.reserve(destinations.size());
    for (int destination : destinations) {
        double value = 0.0;
        GetZone2ZoneValue(value, column, destination);
        values.push_back(value);
    }
}

void CLOSCache::GetZone2ZoneValue(double& value, int column, int destination) {
    const OriginRows& rows = Zone2ZoneRows();
    value = rows.Value(m_nOriginZone, destination, column);
    if (rows.Find(destination) == nullptr) m_pManager->CountMissingPair(kZone2ZoneTable, m_nOriginZone, destination);
}

void CLOSCache::GetAdjacentZones(int zone, std::vector<int>& destinations) {
    destinations.clear();
    const OriginRows& rows = Zone2ZoneRows();
    if (rows.GetColumnCount() <= kAdjacentColumn - kFirstStoredColumn) return;
    for (int destination : rows.GetDestinations()) {
        const double* row = rows.Find(destination);
        if (row[kAdjacentColumn - kFirstStoredColumn] == 1.0) destinations.push_back(destination);
    }
}

const double* CLOSCache::GetLOSRow(double time, int destination, int& columnCount) const {
    columnCount = 0;
    const OriginRows* rows = FindLOSRows(time);
    if (rows == nullptr) return nullptr;
    const double* row = rows->Find(destination);
    if (row != nullptr) columnCount = rows->GetColumnCount();
    return row;
}
