#include "data/CLOSData.h"

std::vector<std::string> CLOSData::s_columnNames;

std::vector<std::string>& CLOSData::ColumnNameArray() const { return s_columnNames; }
