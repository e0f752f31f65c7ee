#include "data/CZoneData.h"

std::vector<std::string> CZoneData::s_columnNames;

std::vector<std::string>& CZoneData::ColumnNameArray() const { return s_columnNames; }
