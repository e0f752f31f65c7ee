// The store of origin columns shared by the worker threads: whatever the
// order in which threads publish, every thread answers from one copy per key.

#include "data/COriginColumnStore.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

std::unique_ptr<COriginColumnStore::OriginColumn> Column(int origin) {
    return COriginColumnStore::OriginColumn::FromRows({{2.0, 7}, {1.0 * origin, 3}, {5.0, 7}, {1.0, 9}});
}

}  // namespace

TEST(OriginColumnStoreTest, ColumnsKeepTheLaterRowOfADestinationAndTheValueOrder) {
    const auto column = Column(4);
    EXPECT_EQ(column->Value(7), 5.0);
    EXPECT_EQ(column->Value(3), 4.0);
    EXPECT_EQ(column->Value(8), 0.0);
    const std::vector<std::pair<double, int>> byValue{{1.0, 9}, {2.0, 7}, {4.0, 3}, {5.0, 7}};
    EXPECT_EQ(column->byValue, byValue);
}

TEST(OriginColumnStoreTest, RacingThreadsShareTheFirstPublishedColumn) {
    constexpr int kZones = 50;
    constexpr int kThreads = 10;
    COriginColumnStore store;
    std::vector<std::vector<const COriginColumnStore::OriginColumn*>> kept(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int table : {COriginColumnStore::kZone2Zone, 0, 3})
                for (int zone = 0; zone < kZones; ++zone) {
                    const auto* found = store.Find(table, 5, zone);
                    kept[t].push_back(found ? found : &store.Publish(table, 5, zone, kZones, Column(zone)));
                }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(store.ColumnCount(), 3u * kZones);
    for (int t = 1; t < kThreads; ++t) EXPECT_EQ(kept[t], kept[0]);
    for (int zone = 0; zone < kZones; ++zone) EXPECT_EQ(store.Find(0, 5, zone)->Value(3), 1.0 * zone);
    EXPECT_EQ(store.Find(0, 6, 0), nullptr);
    EXPECT_FALSE(COriginColumnStore::Holds(0, 5, kZones, kZones));
    EXPECT_FALSE(COriginColumnStore::Holds(COriginColumnStore::kTableSlots - 1, 5, 0, kZones));
    EXPECT_TRUE(COriginColumnStore::Holds(COriginColumnStore::kZone2Zone, 5, 0, kZones));
    store.Clear();
    EXPECT_EQ(store.ColumnCount(), 0u);
    EXPECT_EQ(store.Find(0, 5, 0), nullptr);
}
