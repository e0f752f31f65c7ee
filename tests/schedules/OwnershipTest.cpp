// Ownership and destruction: a pattern destroys its tours, a tour its stops,
// always through the base classes.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerStop.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerStop.h"
#include "schedules/CWorkerTour.h"

namespace {

static_assert(std::has_virtual_destructor_v<CPattern>);
static_assert(std::has_virtual_destructor_v<CTour>);
static_assert(std::has_virtual_destructor_v<CStop>);
static_assert(std::is_abstract_v<CPattern>);
static_assert(std::is_abstract_v<CTour>);
static_assert(std::is_abstract_v<CStop>);
static_assert(!std::is_copy_constructible_v<CPattern>);
static_assert(!std::is_copy_constructible_v<CTour>);
static_assert(!std::is_copy_constructible_v<CStop>);

// Records the order in which the objects below are destroyed.
std::vector<std::string_view> g_destroyed;

// Subclasses of the real classes that log their destruction. They are only
// ever destroyed through base-class owners, so the log shows that every
// destructor in the chain runs.
class LoggedStop : public CNWorkerStop {
public:
    LoggedStop(CTour* tour, const char* name) : CNWorkerStop(nullptr, tour), m_name(name) {}
    ~LoggedStop() override { g_destroyed.push_back(m_name); }

private:
    const char* m_name;
};

class LoggedTour : public CNWorkerTour {
public:
    LoggedTour(CPattern* pattern, const char* name) : CNWorkerTour(nullptr, pattern), m_name(name) {}
    ~LoggedTour() override { g_destroyed.push_back(m_name); }
    void AddLoggedStop(const char* name)
    {
        m_stops.push_back(std::make_unique<LoggedStop>(this, name));
        m_nStopCount = static_cast<int>(m_stops.size());
    }

private:
    const char* m_name;
};

class LoggedWorkerTour : public CWorkerTour {
public:
    LoggedWorkerTour(CPattern* pattern, const char* name) : CWorkerTour(nullptr, pattern), m_name(name) {}
    ~LoggedWorkerTour() override { g_destroyed.push_back(m_name); }

private:
    const char* m_name;
};

class OwnershipTest : public ::testing::Test {
protected:
    void SetUp() override { g_destroyed.clear(); }
};

TEST_F(OwnershipTest, DeletingAPatternThroughItsBaseDestroysToursAndStops)
{
    std::unique_ptr<CPattern> pattern = std::make_unique<CNWPattern>(nullptr, nullptr);
    auto* nonWorker = static_cast<CNWPattern*>(pattern.get());
    auto tour = std::make_unique<LoggedTour>(pattern.get(), "tour 1");
    tour->AddLoggedStop("stop 1.1");
    tour->AddLoggedStop("stop 1.2");
    nonWorker->AddTour(std::move(tour));
    nonWorker->AddTour(std::make_unique<LoggedTour>(pattern.get(), "tour 2"));

    pattern.reset();

    // Every object is destroyed exactly once, each stop by its tour.
    ASSERT_EQ(g_destroyed.size(), 4u);
    auto indexOf = [](std::string_view name) {
        return std::find(g_destroyed.begin(), g_destroyed.end(), name) - g_destroyed.begin();
    };
    for (std::string_view name : {"tour 1", "stop 1.1", "stop 1.2", "tour 2"})
        EXPECT_EQ(std::count(g_destroyed.begin(), g_destroyed.end(), name), 1) << name;
    EXPECT_LT(indexOf("tour 1"), indexOf("stop 1.1"));
    EXPECT_LT(indexOf("tour 1"), indexOf("stop 1.2"));
}

TEST_F(OwnershipTest, WorkerPatternSkipsEmptySlots)
{
    std::unique_ptr<CPattern> pattern = std::make_unique<CWPattern>(nullptr, nullptr);
    auto* worker = static_cast<CWPattern*>(pattern.get());
    worker->CreateCommuteTours();
    worker->AddAfterWorkTour(std::make_unique<LoggedWorkerTour>(pattern.get(), "after work"));
    pattern.reset();
    ASSERT_EQ(g_destroyed.size(), 1u);
    EXPECT_EQ(g_destroyed[0], "after work");
}

TEST_F(OwnershipTest, ReplacedAfterWorkTourIsDestroyedAtOnce)
{
    CWPattern pattern(nullptr, nullptr);
    pattern.AddAfterWorkTour(std::make_unique<LoggedWorkerTour>(&pattern, "first"));
    pattern.AddAfterWorkTour(std::make_unique<LoggedWorkerTour>(&pattern, "second"));
    pattern.AddAfterWorkTour(std::make_unique<LoggedWorkerTour>(&pattern, "third"));
    EXPECT_TRUE(g_destroyed.empty());

    pattern.AddAfterWorkTour(std::make_unique<LoggedWorkerTour>(&pattern, "fourth"));
    ASSERT_EQ(g_destroyed.size(), 1u);
    EXPECT_EQ(g_destroyed[0], "first");
}

TEST_F(OwnershipTest, RecreatedPeriodToursReplaceTheOldOnes)
{
    CWPattern pattern(nullptr, nullptr);
    pattern.AddAfterWorkTour(std::make_unique<LoggedWorkerTour>(&pattern, "placed"));
    pattern.SetAfterWorkTourCount(1);
    pattern.CreateAfterWorkTours();
    ASSERT_EQ(g_destroyed.size(), 1u);
    EXPECT_EQ(g_destroyed[0], "placed");
    ASSERT_NE(pattern.GetTourAt(8), nullptr);
    EXPECT_EQ(pattern.GetTourAt(8)->GetPosition(), 8);
}

TEST_F(OwnershipTest, TrimmingAndRecreatingDestroyTheRemovedStops)
{
    LoggedTour tour(nullptr, "tour");
    tour.AddLoggedStop("a");
    tour.AddLoggedStop("b");
    tour.AddLoggedStop("c");
    tour.SetStopCount(1);
    tour.TrimStops();
    ASSERT_EQ(g_destroyed.size(), 2u);
    EXPECT_EQ(g_destroyed[0], "c");
    EXPECT_EQ(g_destroyed[1], "b");

    tour.SetStopCount(2);
    tour.CreateStops();  // a non-worker tour replaces what it held
    ASSERT_EQ(g_destroyed.size(), 3u);
    EXPECT_EQ(g_destroyed[2], "a");
    EXPECT_EQ(tour.GetStops().size(), 2u);
}

TEST_F(OwnershipTest, StopsCreatedByToursAreOfTheTourClassesKind)
{
    CWPattern worker(nullptr, nullptr);
    worker.CreateCommuteTours();
    worker.SetWorkToHomeStopCount(2);
    worker.CreateWorkToHomeStops();
    worker.GetTourAt(0)->AppendStop(12, 0.0, 1000.0, 10.0, 1, 2, 0);
    for (const auto& stop : worker.GetTourAt(0)->GetStops())
        EXPECT_NE(dynamic_cast<CWorkerStop*>(stop.get()), nullptr);

    CNWorkerTour tour(nullptr, nullptr);
    tour.SetStopCount(1);
    tour.CreateStops();
    tour.AppendStop(12, 0.0, 1000.0, 10.0, 1, 2, 0);
    for (const auto& stop : tour.GetStops())
        EXPECT_NE(dynamic_cast<CNWorkerStop*>(stop.get()), nullptr);
}

}  // namespace
