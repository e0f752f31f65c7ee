#include "data/CVehMData.h"

std::vector<std::string> CVehMData::s_columnNames;

std::vector<std::string>& CVehMData::ColumnNameArray() const { return s_columnNames; }
