#include "data/COriginLayout.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <stdexcept>
#include <strings.h>

namespace {

constexpr const char* kZone2ZoneTable = "zone2zone";

bool IsZone2Zone(const std::string& table) { return strcasecmp(table.c_str(), kZone2ZoneTable) == 0; }

}  // namespace

namespace {

std::vector<int> AscendingOnce(std::vector<int> zones) {
    std::sort(zones.begin(), zones.end());
    zones.erase(std::unique(zones.begin(), zones.end()), zones.end());
    return zones;
}

}  // namespace

COriginLayout::COriginLayout(std::vector<int> zones, std::vector<std::string> tables,
                             std::vector<std::string> losColumns, std::vector<std::string> zone2ZoneColumns)
    : m_zones(AscendingOnce(std::move(zones))),
      m_tables(std::move(tables)),
      m_losColumns(std::move(losColumns)),
      m_zone2ZoneColumns(std::move(zone2ZoneColumns)) {}

int COriginLayout::TableKey(const std::string& table) const {
    if (IsZone2Zone(table)) return kZone2Zone;
    const auto it = std::find(m_tables.begin(), m_tables.end(), table);
    return it == m_tables.end() ? kNoTable : static_cast<int>(it - m_tables.begin());
}

const std::string& COriginLayout::TableName(int key) const {
    static const std::string zone2Zone = kZone2ZoneTable;
    return key == kZone2Zone ? zone2Zone : m_tables.at(static_cast<size_t>(key));
}

const std::vector<std::string>& COriginLayout::Columns(int key) const {
    return key == kZone2Zone ? m_zone2ZoneColumns : m_losColumns;
}

const std::string& COriginLayout::ColumnName(int key, int column) const {
    const std::vector<std::string>& names = Columns(key);
    if (column < 0 || column >= static_cast<int>(names.size()))
        throw std::invalid_argument("column position " + NumberText::Integer(column) + " outside the table's " +
                                    NumberText::Integer(static_cast<long long>(names.size())) + " columns");
    return names[static_cast<size_t>(column)];
}

bool COriginLayout::operator==(const COriginLayout& other) const {
    return Zones() == other.Zones() && m_tables == other.m_tables && m_losColumns == other.m_losColumns &&
           m_zone2ZoneColumns == other.m_zone2ZoneColumns;
}
