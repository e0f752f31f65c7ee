// Column-name registry of the input tables: one class-wide array per table,
// replaced as a whole, read by position with a checked index.

#include "data/CLOSData.h"
#include "data/CVehMData.h"
#include "data/CZone2ZoneData.h"
#include "data/CZoneData.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

TEST(DataObject, NamesAreSharedByAllObjectsOfAClassButNotAcrossClasses) {
    CZoneData first;
    first.SetColumnNames({"zid", "area", "jobs"});
    CZoneData second;
    EXPECT_EQ(second.GetColumnName(2), "jobs");
    EXPECT_EQ(second.GetColumnCount(), 3);

    CZone2ZoneData other;
    other.SetColumnNames({"orig_zon", "dest_zon"});
    EXPECT_EQ(first.GetColumnCount(), 3);
    EXPECT_EQ(CZone2ZoneData().GetColumnName(1), "dest_zon");
}

TEST(DataObject, ColumnNameOutsideTheTableIsAnInvalidArgument) {
    CLOSData names;
    names.SetColumnNames({"orig_zon", "dest_zon", "autotime"});
    EXPECT_EQ(names.GetColumnName(0), "orig_zon");
    EXPECT_THROW(names.GetColumnName(3), std::invalid_argument);
    EXPECT_THROW(names.GetColumnName(-1), std::invalid_argument);
}

TEST(DataObject, GetColumnNamesReplacesTheCallersList) {
    CVehMData names;
    names.SetColumnNames({"type", "age"});
    std::vector<std::string> copy{"left", "over", "entries"};
    names.GetColumnNames(copy);
    EXPECT_EQ(copy, (std::vector<std::string>{"type", "age"}));
}

TEST(DataObject, AddColumnNameAppendsAndSetColumnNamesStartsAgain) {
    CVehMData names;
    names.SetColumnNames({});
    names.AddColumnName("type");
    names.AddColumnName("age");
    EXPECT_EQ(names.GetColumnCount(), 2);
    names.SetColumnNames({"type", "age", "maketype"});
    EXPECT_EQ(names.GetColumnCount(), 3);
}

TEST(DataObject, ConcurrentReplacementsLeaveEachColumnOnce) {
    const std::vector<std::string> columns{"zid", "area", "jobs", "density"};
    std::vector<std::thread> threads;
    for (int t = 0; t < 10; ++t)
        threads.emplace_back([&columns] {
            CZoneData names;
            for (int i = 0; i < 200; ++i) {
                names.SetColumnNames(columns);
                std::vector<std::string> seen;
                names.GetColumnNames(seen);
                EXPECT_EQ(seen, columns);
            }
        });
    for (auto& thread : threads) thread.join();
}
