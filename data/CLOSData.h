#pragma once
// Column names of the level-of-service tables (one table per period of the day,
// named in `losdir`; all share the columns of the first period's table).

#include "data/CDataObject.h"

class CLOSData final : public CDataObject {
public:
    CLOSData() = default;

protected:
    std::vector<std::string>& ColumnNameArray() const override;

private:
    static std::vector<std::string> s_columnNames;
};
