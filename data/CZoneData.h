#pragma once
// Column names of the `zones` table: the attributes of each zone.

#include "data/CDataObject.h"

class CZoneData final : public CDataObject {
public:
    CZoneData() = default;

protected:
    std::vector<std::string>& ColumnNameArray() const override;

private:
    static std::vector<std::string> s_columnNames;
};
