#include "data/CLOSCache.h"

#include "data/CInputDataManager.h"
#include "data/COriginColumn.h"
#include "data/COriginColumnReader.h"
#include "data/CRecordLine.h"
#include "data/CTimedSection.h"
#include "platform/NumberText.h"

#include <algorithm>
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

}  // namespace

// ---------------------------------------------------------------------------
// OriginRows

void CLOSCache::OriginRows::CheckColumn(int column) const {
    if (column < 0 || column >= m_nColumns + kFirstStoredColumn)
        throw std::invalid_argument("column " + NumberText::Integer(column) +
                                    " does not exist in the level-of-service or zone-to-zone table");
}

bool CLOSCache::OriginRows::Holds(int column) const {
    return column < kFirstStoredColumn || m_held[static_cast<size_t>(column)];
}

double CLOSCache::OriginRows::Value(int origin, int destination, int column) const {
    CheckColumn(column);
    const int row = Row(destination);
    if (row < 0) return 0.0;
    if (column == 0) return static_cast<double>(origin);
    if (column == 1) return static_cast<double>(destination);
    return m_columns[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

void CLOSCache::OriginRows::Start(int key, int columns) {
    m_nKey = key;
    m_nColumns = std::max(columns, 0);
    m_bDestinationsKnown = false;
    m_bAllZones = false;
    m_zones = CZonePlaces();
    m_columns.assign(static_cast<size_t>(m_nColumns + kFirstStoredColumn), {});
    m_held.assign(static_cast<size_t>(m_nColumns + kFirstStoredColumn), false);
}

void CLOSCache::OriginRows::SetDestinations(std::vector<int> destinations) {
    m_zones = CZonePlaces(std::move(destinations));
    m_bDestinationsKnown = true;
}

void CLOSCache::OriginRows::TakeColumn(int column, const COriginColumn& values, const COriginLayout& layout) {
    if (!m_bDestinationsKnown) {
        std::vector<int> destinations;
        values.Destinations(layout, destinations);
        SetDestinations(std::move(destinations));
        m_bAllZones = values.IsDense();
    }
    std::vector<double>& taken = m_columns[static_cast<size_t>(column)];
    if (m_bAllZones && values.IsDense()) {
        taken = values.ValuesByDestination();
    } else {
        const std::vector<int>& zones = m_zones.Zones();
        taken.resize(zones.size());
        for (size_t r = 0; r < zones.size(); ++r) taken[r] = values.Value(zones[r], layout.Position(zones[r]));
    }
    m_held[static_cast<size_t>(column)] = true;
}

// ---------------------------------------------------------------------------
// CLOSCache

CLOSCache::CLOSCache(CInputDataManager* manager) : m_pManager(manager) {}

CLOSCache::~CLOSCache() = default;

int CLOSCache::ZoneNumber(double value) { return CRecordLine::TruncateToInt(value); }

void CLOSCache::ReadCache(int zone) {
    CTimedSection timing(kReadCacheSection);
    m_nOriginZone = zone;
    m_tables.clear();
    m_periods.clear();
    m_sorted.clear();
    m_pZone2Zone = nullptr;

    const COriginLayout& layout = m_pManager->GetColumnReader().Layout();
    // A table that the directory names for several periods is taken once.
    for (const auto& [endTime, name] : m_pManager->GetLOSDirectory()) {
        auto& rows = m_tables[name];
        if (!rows) {
            rows = std::make_unique<OriginRows>();
            Fill(*rows, layout.TableKey(name));
        }
        m_periods.emplace_back(endTime, rows.get());
    }
    // Should the directory name zone2zone as a period's table, its rows are
    // already held and serve as zone2zone too.
    auto& zone2Zone = m_tables[kZone2ZoneTable];
    if (!zone2Zone) {
        zone2Zone = std::make_unique<OriginRows>();
        Fill(*zone2Zone, COriginLayout::kZone2Zone);
    }
    m_pZone2Zone = zone2Zone.get();
}

void CLOSCache::Fill(OriginRows& rows, int key) {
    COriginColumnReader& reader = m_pManager->GetColumnReader();
    const COriginLayout& layout = reader.Layout();
    rows.Start(key, layout.ColumnCount(key) - kFirstStoredColumn);
    bool taken = false;
    for (int column : reader.AskedColumns(COriginColumnStore::Asker::HomeZone, key)) {
        if (column < kFirstStoredColumn || column >= layout.ColumnCount(key)) continue;
        rows.TakeColumn(column, *reader.Column(COriginColumnStore::Asker::HomeZone, key, column, m_nOriginZone, true),
                        layout);
        taken = true;
    }
    if (!taken) rows.SetDestinations(reader.Destinations(key, m_nOriginZone));
}

CLOSCache::OriginRows& CLOSCache::Fetch(OriginRows& rows, int column) {
    rows.CheckColumn(column);
    if (rows.Holds(column)) return rows;
    COriginColumnReader& reader = m_pManager->GetColumnReader();
    rows.TakeColumn(column,
                    *reader.Column(COriginColumnStore::Asker::HomeZone, rows.GetKey(), column, m_nOriginZone, true),
                    reader.Layout());
    return rows;
}

CLOSCache::OriginRows* CLOSCache::FindLOSRows(double time) const {
    if (m_periods.empty()) return nullptr;
    for (const auto& [endTime, rows] : m_periods)
        if (static_cast<double>(endTime) > time) return rows;
    // Past the last end time: the last period's table.
    return m_periods.back().second;
}

CLOSCache::OriginRows& CLOSCache::Zone2ZoneRows() const {
    if (m_pZone2Zone == nullptr) throw std::logic_error("the level-of-service cache was not filled");
    return *m_pZone2Zone;
}

void CLOSCache::GetLOSValues(std::vector<double>& values, int column, double time,
                             const std::vector<int>& destinations) {
    CTimedSection timing(kCachedLOSSection);
    values.clear();
    OriginRows* rows = FindLOSRows(time);
    if (rows == nullptr) {
        values.assign(destinations.size(), 0.0);
        return;
    }
    if (destinations.empty()) return;
    Fetch(*rows, column);
    values.reserve(destinations.size());
    for (int destination : destinations) {
        values.push_back(rows->Value(m_nOriginZone, destination, column));
        if (rows->Row(destination) < 0)
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
    OriginRows* rows = FindLOSRows(time);
    if (rows == nullptr) return nullptr;
    Fetch(*rows, column);
    if (rows->GetDestinationCount() == 0) return nullptr;

    auto [it, inserted] = m_sorted.try_emplace({rows, column});
    std::vector<std::pair<double, int>>& sorted = it->second;
    if (inserted) {
        sorted.reserve(rows->GetDestinations().size());
        for (int destination : rows->GetDestinations())
            sorted.emplace_back(rows->Value(m_nOriginZone, destination, column), destination);
        COriginColumn::SortByValueThenZone(sorted);
    }
    return &sorted;
}

void CLOSCache::GetZone2ZoneValues(std::vector<double>& values, int column, const std::vector<int>& destinations) {
    values.clear();
    if (destinations.empty()) return;
    Fetch(Zone2ZoneRows(), column);
    values.reserve(destinations.size());
    for (int destination : destinations) {
        double value = 0.0;
        GetZone2ZoneValue(value, column, destination);
        values.push_back(value);
    }
}

void CLOSCache::GetZone2ZoneValue(double& value, int column, int destination) {
    const OriginRows& rows = Fetch(Zone2ZoneRows(), column);
    value = rows.Value(m_nOriginZone, destination, column);
    if (rows.Row(destination) < 0) m_pManager->CountMissingPair(kZone2ZoneTable, m_nOriginZone, destination);
}

void CLOSCache::GetAdjacentZones(int zone, std::vector<int>& destinations) {
    destinations.clear();
    OriginRows& rows = Zone2ZoneRows();
    if (rows.GetColumnCount() <= kAdjacentColumn - kFirstStoredColumn) return;
    Fetch(rows, kAdjacentColumn);
    for (int destination : rows.GetDestinations())
        if (rows.Value(zone, destination, kAdjacentColumn) == 1.0) destinations.push_back(destination);
}

bool CLOSCache::GetLOSRow(double time, int destination, const std::vector<int>& columns, double* row) {
    OriginRows* rows = FindLOSRows(time);
    if (rows == nullptr || rows->Row(destination) < 0) return false;
    for (int column : columns) row[column] = Fetch(*rows, column).Value(m_nOriginZone, destination, column);
    return true;
}
