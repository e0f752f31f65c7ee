#include "data/CZone2ZoneData.h"

std::vector<std::string> CZone2ZoneData::s_columnNames;

std::vector<std::string>& CZone2ZoneData::ColumnNameArray() const { return s_columnNames; }
