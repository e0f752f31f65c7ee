#include "data/CLookupMemo.h"

#include <algorithm>

#include "data/CLOSCache.h"

double CLookupMemo::OriginColumn::Value(int destination) const
{
    const auto it = std::lower_bound(byZone.begin(), byZone.end(), destination,
                                     [](const std::pair<int, double>& entry, int zone) { return entry.first < zone; });
    return it != byZone.end() && it->first == destination ? it->second : 0.0;
}

int CLookupMemo::TableIndex(const std::string& table)
{
    const auto it = std::find(m_tables.begin(), m_tables.end(), table);
    if (it != m_tables.end())
        return static_cast<int>(it - m_tables.begin());
    m_tables.push_back(table);
    return static_cast<int>(m_tables.size()) - 1;
}

std::size_t CLookupMemo::ValueKeyHash::operator()(const ValueKey& key) const
{
    std::uint64_t h = static_cast<std::uint32_t>(key.origin);
    h = h * 1000003u ^ static_cast<std::uint32_t>(key.destination);
    h = h * 1000003u ^ static_cast<std::uint32_t>(key.column);
    h = h * 1000003u ^ static_cast<std::uint32_t>(key.table);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

const double* CLookupMemo::FindValue(int table, int column, int origin, int destination) const
{
    const auto it = m_values.find(ValueKey{table, column, origin, destination});
    return it == m_values.end() ? nullptr : &it->second;
}

void CLookupMemo::StoreValue(int table, int column, int origin, int destination, double value)
{
    if (m_values.size() >= kPairCapacity)
        m_values.clear();
    m_values[ValueKey{table, column, origin, destination}] = value;
}

const CLookupMemo::OriginColumn* CLookupMemo::FindColumn(int table, int column, int origin) const
{
    const auto it = m_columns.find(ColumnKey{table, column, origin});
    return it == m_columns.end() ? nullptr : &it->second;
}

const CLookupMemo::OriginColumn& CLookupMemo::StoreColumn(int table, int column, int origin,
                                                          std::vector<std::pair<double, int>> rows)
{
    if (m_columns.size() >= kOriginCapacity)
        m_columns.clear();
    OriginColumn entry;
    // By destination: a later row of the same destination replaces the earlier.
    entry.byZone.reserve(rows.size());
    for (const auto& [value, zone] : rows)
        entry.byZone.emplace_back(zone, value);
    std::stable_sort(entry.byZone.begin(), entry.byZone.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<int, double>> unique;
    unique.reserve(entry.byZone.size());
    for (const auto& row : entry.byZone) {
        if (!unique.empty() && unique.back().first == row.first)
            unique.back().second = row.second;
        else
            unique.push_back(row);
    }
    entry.byZone = std::move(unique);
    CLOSCache::SortByValueThenZone(rows);
    entry.byValue = std::move(rows);
    return m_columns[ColumnKey{table, column, origin}] = std::move(entry);
}

void CLookupMemo::Clear()
{
    m_tables.clear();
    m_values.clear();
    m_columns.clear();
}
