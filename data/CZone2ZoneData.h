#pragma once
// Column names of the zone-to-zone table (`zone2zone`): adjacency, distance and
// the other period-independent values between two zones.

#include "data/CDataObject.h"

class CZone2ZoneData final : public CDataObject {
public:
    CZone2ZoneData() = default;

protected:
    std::vector<std::string>& ColumnNameArray() const override;

private:
    static std::vector<std::string> s_columnNames;
};
