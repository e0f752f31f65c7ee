#pragma once
// Column names of the `VehicleMake` table: the makes offered per vehicle type
// and age group.

#include "data/CDataObject.h"

class CVehMData final : public CDataObject {
public:
    CVehMData() = default;

protected:
    std::vector<std::string>& ColumnNameArray() const override;

private:
    static std::vector<std::string> s_columnNames;
};
