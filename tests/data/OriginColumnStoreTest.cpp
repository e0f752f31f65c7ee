// The store of origin columns shared by the worker threads: whatever the
// order in which threads publish, every thread answers from one copy per key,
// and a column dropped to keep to the budget is freed only once no thread can
// read it (this file is also built with the address sanitizer).

#include "data/COriginColumnStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace {

const COriginLayout& Zones(int count) {
    static std::vector<std::unique_ptr<COriginLayout>> layouts(100);
    auto& layout = layouts[static_cast<size_t>(count)];
    if (!layout) {
        std::vector<int> zones;
        for (int zone = 1; zone <= count; ++zone) zones.push_back(zone * 3);
        layout = std::make_unique<COriginLayout>(zones, std::vector<std::string>{"los_am"},
                                                 std::vector<std::string>(8, "c"), std::vector<std::string>(8, "c"));
    }
    return *layout;
}

// A column of every zone, its values made from the key.
std::unique_ptr<COriginColumn> DenseColumn(int zones, int table, int column, int origin) {
    std::vector<std::pair<double, int>> rows;
    for (int place = zones - 1; place >= 0; --place)
        rows.emplace_back(table * 1e6 + column * 1e3 + origin + place, place * 3 + 3);
    return COriginColumn::FromRows(std::move(rows), Zones(zones));
}

std::vector<std::pair<double, int>> ByValue(const COriginColumn& column, const COriginLayout& layout) {
    std::vector<std::pair<double, int>> rows;
    column.ForEachByValue(layout, true, [&](double value, int zone) { rows.emplace_back(value, zone); });
    return rows;
}

// A key's column: found, else published, or kept in own without room; with read, read by value and checked.
const COriginColumn* FindOrPublish(COriginColumnStore& store, int reader, int table, int column, int origin,
                                   std::vector<std::unique_ptr<COriginColumn>>& own, bool read = false) {
    const COriginColumn* found = store.Find(reader, table, column, origin);
    if (found == nullptr) {
        auto made = DenseColumn(store.Layout()->ZoneCount(), table, column, origin);
        found = store.Publish(reader, table, column, origin, made, true);
        if (found == nullptr) found = own.emplace_back(std::move(made)).get();
    }
    int wrong = 0;
    if (read)
        found->ForEachByValue(*store.Layout(), store.KeepOrder(*found), [&](double value, int zone) {
            wrong += value != table * 1e6 + column * 1e3 + origin + zone / 3 - 1;
        });
    EXPECT_EQ(wrong, 0) << "table " << table << ", column " << column << ", origin " << origin;
    return found;
}

}  // namespace

TEST(OriginColumnStoreTest, ColumnsKeepTheLaterRowOfADestinationAndTheValueOrder) {
    const COriginLayout& layout = Zones(3);  // zones 3, 6, 9
    // A repeated destination: held as read, the later row answering alone.
    const auto asRead = COriginColumn::FromRows({{2.0, 6}, {4.0, 3}, {5.0, 6}, {1.0, 9}}, layout);
    EXPECT_FALSE(asRead->IsDense());
    EXPECT_TRUE(asRead->HasRepeatedDestination());
    EXPECT_EQ(asRead->Value(6, 1), 5.0);
    EXPECT_EQ(asRead->Value(3, 0), 4.0);
    EXPECT_EQ(asRead->Find(8, -1), nullptr);
    EXPECT_EQ(ByValue(*asRead, layout), (std::vector<std::pair<double, int>>{{1.0, 9}, {2.0, 6}, {4.0, 3}, {5.0, 6}}));
    // Every zone once: one value per zone; ties by zone, values that are not numbers last.
    const auto dense = COriginColumn::FromRows({{NAN, 9}, {2.0, 6}, {2.0, 3}}, layout);
    EXPECT_TRUE(dense->IsDense());
    EXPECT_EQ(dense->Value(6, 1), 2.0);
    EXPECT_EQ(dense->Find(7, -1), nullptr);
    const auto sorted = ByValue(*dense, layout);
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0], std::make_pair(2.0, 3));
    EXPECT_EQ(sorted[1], std::make_pair(2.0, 6));
    EXPECT_TRUE(std::isnan(sorted[2].first));
    // A destination that is no zone, or a zone without a row: held as read.
    EXPECT_FALSE(COriginColumn::FromRows({{1.0, 3}, {1.0, 6}, {1.0, 10}}, layout)->IsDense());
    EXPECT_FALSE(COriginColumn::FromRows({{1.0, 3}, {1.0, 6}}, layout)->IsDense());
}

TEST(OriginColumnStoreTest, RacingThreadsShareTheFirstPublishedColumn) {
    constexpr int kZones = 50;
    constexpr int kThreads = 10;
    COriginColumnStore store(COriginColumnStore::kUnbounded);
    ASSERT_TRUE(store.Adopt(Zones(kZones)));
    EXPECT_FALSE(store.Adopt(Zones(kZones - 1)));
    std::vector<std::vector<const COriginColumn*>> kept(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            const int reader = store.Join();
            store.Announce(reader);
            for (int table : {COriginLayout::kZone2Zone, 0, 3})
                for (int zone = 0; zone < kZones; ++zone) {
                    const auto* found = store.Find(reader, table, 5, zone);
                    auto made = DenseColumn(kZones, table, 5, zone);
                    if (found == nullptr) found = store.Publish(reader, table, 5, zone, made, true);
                    kept[t].push_back(found);
                }
            store.Leave(reader);
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(store.ColumnCount(), 3u * kZones);
    EXPECT_EQ(store.GetFigures().drops, 0);
    for (int t = 1; t < kThreads; ++t) EXPECT_EQ(kept[t], kept[0]);
    EXPECT_EQ(store.Peek(0, 5, 7)->Value(6, 1), 5007.0 + 1);
    EXPECT_EQ(store.Peek(0, 6, 0), nullptr);
    EXPECT_FALSE(COriginColumnStore::Holds(COriginColumnStore::kTableSlots - 1, 5));
    EXPECT_TRUE(COriginColumnStore::Holds(COriginLayout::kZone2Zone, 5));
    using Asker = COriginColumnStore::Asker;
    EXPECT_EQ(store.AskedColumns(Asker::OtherOrigin, 0), std::vector<int>{});
    store.Ask(Asker::OtherOrigin, 0, 5);
    store.Ask(Asker::OtherOrigin, 0, 130);
    store.Ask(Asker::HomeZone, 0, 7);
    EXPECT_EQ(store.AskedColumns(Asker::OtherOrigin, 0), (std::vector<int>{5, 130}));
    EXPECT_EQ(store.AskedColumns(Asker::HomeZone, 0), std::vector<int>{7});
    store.Clear();
    EXPECT_EQ(store.ColumnCount(), 0u);
    EXPECT_EQ(store.Layout(), nullptr);
}

// Ten threads find, publish and read columns under a budget of a few columns:
// columns are dropped all the time, and every value read must still be the
// one published (a freed column would be caught by the address sanitizer).
TEST(OriginColumnStoreTest, ColumnsDroppedWhileOthersReadAreFreedOnlyWhenNoReaderHoldsThem) {
    constexpr int kZones = 64;
    constexpr int kThreads = 10;
    const std::size_t columnBytes = DenseColumn(kZones, 0, 0, 0)->ByteCount();
    COriginColumnStore store(8 * columnBytes);
    ASSERT_TRUE(store.Adopt(Zones(kZones)));
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            const int reader = store.Join();
            std::vector<const COriginColumn*> held;
            for (int household = 0; household < 200; ++household) {
                store.Announce(reader);  // nothing found before is held now
                held.clear();
                std::vector<std::unique_ptr<COriginColumn>> own;  // what the budget had no room for
                for (int step = 0; step < 12; ++step) {
                    const int table = step % 2;
                    const int column = (t + step / 2) % 2;
                    const int origin = (household + step * 5) % 8;
                    const COriginColumn* found = FindOrPublish(store, reader, table, column, origin, own);
                    held.push_back(found);
                    // Read every column this household was given, dropped or not.
                    for (const COriginColumn* column2 : held) {
                        double first = 0.0;
                        column2->ForEachByValue(Zones(kZones), store.KeepOrder(*column2), [&](double value, int zone) {
                            if (zone == 3) first = value;
                        });
                        if (first != column2->Value(3, 0)) ++wrong[t];
                    }
                    if (found->Value(6, 1) != table * 1e6 + column * 1e3 + origin + 1) ++wrong[t];
                }
            }
            store.Leave(reader);
        });
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
    const COriginColumnStore::Figures figures = store.GetFigures();
    EXPECT_GT(figures.drops, 0);
    EXPECT_GT(figures.rereads, 0);
    EXPECT_LE(figures.columns, 8u + kThreads);
    EXPECT_GT(figures.HitRate(), 0.0);
    EXPECT_LT(figures.HitRate(), 1.0);
}

// What is dropped waits while one reader stays in its household; the store stops taking columns rather than grow.
TEST(OriginColumnStoreTest, AReaderThatStaysInsideAHouseholdKeepsTheStoreWithinItsBudget) {
    const std::size_t columnBytes = DenseColumn(64, 0, 0, 0)->ByteCount();
    COriginColumnStore store(6 * columnBytes);
    ASSERT_TRUE(store.Adopt(Zones(64)));
    const int idle = store.Join(), busy = store.Join();
    store.Announce(idle);
    std::vector<std::unique_ptr<COriginColumn>> idleOwn;
    const COriginColumn* kept = FindOrPublish(store, idle, 0, 0, 0, idleOwn, true);
    std::size_t most = 0;
    for (int household = 0; household < 4000; ++household) {
        store.Announce(busy);
        std::vector<std::unique_ptr<COriginColumn>> own;
        for (int step = 0; step < 3; ++step) {
            FindOrPublish(store, busy, step % 2, household % 3, (household * 7 + step) % 64, own, true);
            const COriginColumnStore::Figures figures = store.GetFigures();
            most = std::max(most, figures.heldBytes + figures.waitingBytes);
        }
    }
    EXPECT_LE(most, 7 * columnBytes);  // the budget and the column of one reader
    EXPECT_EQ(kept->Value(6, 1), 1.0);
    store.Leave(busy);  // what it dropped waits for the idle reader, and goes when that one announces
    EXPECT_GT(store.GetFigures().waitingBytes, 0u);
    store.Announce(idle);
    EXPECT_EQ(store.GetFigures().waitingBytes, 0u);
}

// The counts are unsigned: one that went below zero would show far above the budget. At the end they are exact.
TEST(OriginColumnStoreTest, CountsStayExactWhenEightThreadsRaceForABudgetOfOneColumn) {
    constexpr int kThreads = 8;
    const auto sample = DenseColumn(16, 0, 0, 0);
    const std::size_t budget = sample->ByteCount() + sample->OrderBytes();
    COriginColumnStore store(budget);
    ASSERT_TRUE(store.Adopt(Zones(16)));
    std::atomic<int> outside{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            const int reader = store.Join();
            for (int household = 0; household < 400; ++household) {
                store.Announce(reader);
                std::vector<std::unique_ptr<COriginColumn>> own;
                for (int step = 0; step < 4; ++step) {
                    const int key = (t * 5 + household + step) % 64;
                    FindOrPublish(store, reader, key / 32, key / 16 % 2, key % 16, own, step % 2 == 0);
                    const auto figures = store.GetFigures();  // reservations that race count for a moment
                    outside += figures.heldBytes + figures.waitingBytes > budget * (kThreads + 1) ||
                               figures.columns > kThreads + 1;
                }
            }
            store.Release(reader);
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(outside.load(), 0);
    std::size_t held = 0, columns = 0;
    for (int key = 0; key < 64; ++key)
        if (const COriginColumn* column = store.Peek(key / 32, key / 16 % 2, key % 16)) {
            held += column->ByteCount() + (column->LacksOrder() ? 0 : column->OrderBytes());
            ++columns;
        }
    const COriginColumnStore::Figures figures = store.GetFigures();
    EXPECT_GT(figures.drops, 0);
    EXPECT_EQ(figures.waitingBytes, 0u);
    EXPECT_EQ(figures.heldBytes, held);
    EXPECT_EQ(figures.columns, columns);
}
