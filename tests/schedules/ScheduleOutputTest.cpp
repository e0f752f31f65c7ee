// The schedule lines a person's pattern writes after the person's own line:
// workers, child-students and non-workers lines, the at-home activity record,
// and the tour, stop and stop-activity lines, in their files and in order.
// The household comes from a scratch input database, so the person, household
// and zone-to-zone values are read the way a worker thread reads them.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "household/CHouseholdWithoutChildren.h"
#include "household/CJointActivityRecord.h"
#include "household/COutputFileSet.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "platform/NumberText.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CStop.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerTour.h"
#include "support/TestDatabase.h"

namespace {

namespace fs = std::filesystem;

constexpr int kHouseholdId = 4711;
constexpr int kHomeZone = 30;
// Person numbers of the test household.
constexpr int kWorker = 1;          // adult, 40
constexpr int kSchoolChild = 2;     // child, 10
constexpr int kNonWorker = 3;       // adult, 35
constexpr int kYoungChild = 4;      // child, 8

// Fields joined by tabs, ending in a newline: one expected output line.
std::string Line(std::initializer_list<std::string> fields)
{
    std::string text;
    for (const auto& field : fields) {
        if (!text.empty())
            text += '\t';
        text += field;
    }
    return text + "\n";
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (true) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return fields;
}

std::string PersonColumns()
{
    std::string columns =
        "hid DOUBLE PRECISION, pnum DOUBLE PRECISION, employed DOUBLE PRECISION, student DOUBLE PRECISION, "
        "p4 DOUBLE PRECISION, workzone DOUBLE PRECISION, schoolzone DOUBLE PRECISION, female DOUBLE PRECISION, "
        "age DOUBLE PRECISION, parent DOUBLE PRECISION";
    for (int c = 10; c <= 52; ++c)
        columns += ", p" + NumberText::Integer(c) + " DOUBLE PRECISION";
    return columns;
}

std::string PersonRow(int pnum, double age)
{
    std::string row = NumberText::Integer(kHouseholdId) + ", " + NumberText::Integer(pnum) + ", 0, 0, 0, 20, 0, 0, " +
                      NumberText::Shortest(age) + ", 0";
    for (int c = 10; c <= 52; ++c)
        row += ", 0";
    return "(" + row + ")";
}

// The six input tables with one household of four persons at home in zone 30.
void CreateInputTables(TestDatabase& db)
{
    db.Execute(
        "CREATE TABLE households (hid DOUBLE PRECISION, h1 DOUBLE PRECISION, vehicles DOUBLE PRECISION, "
        "zone_id DOUBLE PRECISION, h4 DOUBLE PRECISION, hhtype DOUBLE PRECISION, h6 DOUBLE PRECISION, "
        "income DOUBLE PRECISION, h8 DOUBLE PRECISION, npersons DOUBLE PRECISION)");
    db.Execute("INSERT INTO households VALUES (" + NumberText::Integer(kHouseholdId) + ", 0, 1, " +
               NumberText::Integer(kHomeZone) + ", 0, 7, 0, 50, 0, 4)");
    db.Execute("CREATE TABLE persons (" + PersonColumns() + ")");
    db.Execute("INSERT INTO persons VALUES " + PersonRow(kWorker, 40) + ", " + PersonRow(kSchoolChild, 10) + ", " +
               PersonRow(kNonWorker, 35) + ", " + PersonRow(kYoungChild, 8));
    db.Execute("CREATE TABLE zones (zid DOUBLE PRECISION, area DOUBLE PRECISION)");
    db.Execute("INSERT INTO zones VALUES (20, 1.5), (30, 2.5)");
    db.Execute(
        "CREATE TABLE zone2zone (orig_zon DOUBLE PRECISION, dest_zon DOUBLE PRECISION, adjacent DOUBLE PRECISION, "
        "distance DOUBLE PRECISION)");
    db.Execute("INSERT INTO zone2zone VALUES (30, 20, 1, 12.345678), (30, 30, 1, 0.25), (20, 30, 1, 7.5)");
    db.Execute("CREATE TABLE losdir (end_t DOUBLE PRECISION, tbname VARCHAR(64))");
    db.Execute("INSERT INTO losdir VALUES (1440, 'los_day')");
    db.Execute(
        "CREATE TABLE los_day (orig_zon DOUBLE PRECISION, dest_zon DOUBLE PRECISION, c2 DOUBLE PRECISION, "
        "adjacent DOUBLE PRECISION, c4 DOUBLE PRECISION, autotime DOUBLE PRECISION)");
    db.Execute("INSERT INTO los_day VALUES (30, 20, 0, 1, 0, 12.5)");
    db.Execute(
        "CREATE TABLE VehicleMake (type DOUBLE PRECISION, age DOUBLE PRECISION, maketype DOUBLE PRECISION, "
        "share DOUBLE PRECISION)");
    db.Execute("INSERT INTO VehicleMake VALUES (1, 2, 1, 1.0)");
}

// A household simulator whose school episodes carry the children named.
class EpisodeSimulator : public CHouseholdWithoutChildren {
public:
    EpisodeSimulator(CModelSystem* models, std::set<int> dropOff, std::set<int> pickUp)
        : CHouseholdWithoutChildren(models), m_dropOff(std::move(dropOff)), m_pickUp(std::move(pickUp))
    {
    }
    void AllocateEscortEpisodes() override {}
    bool IsInDropOffEpisode(const CPersonObject* person) override { return Has(m_dropOff, person); }
    bool IsInPickUpEpisode(const CPersonObject* person) override { return Has(m_pickUp, person); }

private:
    static bool Has(const std::set<int>& children, const CPersonObject* person)
    {
        return children.count(static_cast<int>(person->GetPersonNumber())) > 0;
    }
    std::set<int> m_dropOff;
    std::set<int> m_pickUp;
};

class ScheduleOutputTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        m_db = TestDatabase::Create(GetParam());
        CreateInputTables(*m_db);
        m_connection.OpenEx(m_db->Connect());
        ASSERT_TRUE(m_manager.LoadTables(&m_connection));
        m_models.SetDataManager(&m_manager);
        m_manager.LoadHouseholdIdPage(0, 1);
        m_household = m_manager.LoadNextHousehold();
        ASSERT_NE(m_household, nullptr);
        ASSERT_EQ(m_household->GetPersonCount(), 4);

        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->name());
        for (char& c : name)
            if (c == '/')
                c = '_';
        m_dir = fs::temp_directory_path() / "tolvar-tests" / ("sched_" + std::to_string(getpid()) + "_" + name);
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        OpenStreams();
    }

    // Opens (again) the ten files of thread 0, emptied.
    void OpenStreams()
    {
        std::vector<std::string> names;
        for (auto file : COutputFileSet::DefaultOutputNames())
            names.push_back((m_dir / file).string());
        m_streams.Open(COutputFileSet::NamesForThread(names, 0));
        ASSERT_TRUE(m_streams.IsOutputEnabled());
    }

    void TearDown() override
    {
        m_models.m_pHousehold = nullptr;
        m_streams.Close();
        fs::remove_all(m_dir);
    }

    CPersonObject* Person(int number) { return m_household->GetPerson(number); }

    // Closes the files and reads what each stream received.
    void CloseAndRead()
    {
        ASSERT_TRUE(m_streams.Close());
        for (int k = 0; k < COutputFileSet::kStreamCount; ++k) {
            std::ifstream in(m_streams.GetPath(k), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            m_written[static_cast<std::size_t>(k)] = text.str();
        }
    }
    const std::string& Written(int stream) const { return m_written[static_cast<std::size_t>(stream)]; }

    std::unique_ptr<TestDatabase> m_db;
    CDatabase m_connection;
    CInputDataManager m_manager;
    CModelSystem m_models;
    CHouseholdObject* m_household = nullptr;
    fs::path m_dir;
    COutputFileSet m_streams;
    std::array<std::string, COutputFileSet::kStreamCount> m_written;
};

// ---------------------------------------------------------------------------
// Worker and child-student patterns

TEST_P(ScheduleOutputTest, WorkerWithOnlyCommutesWritesEveryLineInItsFile)
{
    CWPattern pattern(&m_manager, Person(kWorker));
    pattern.CreateCommuteTours();
    pattern.SetWorkStart(487.5);
    pattern.SetWorkDuration(525.0);

    // Home to work: leaves at 462.8 after the stay at home, drives alone.
    CTour* toWork = pattern.GetTourAt(CWPattern::kHomeToWorkSlot);
    toWork->SetPreTourTime(462.8);
    toWork->SetMode(0);
    toWork->SetStopCount(1);
    toWork->CreateStops();
    CStop* atWork = toWork->GetStopByNumber(1);
    atWork->SetActivityType(13);
    atWork->SetDepartureTime(462.8);
    atWork->SetTravelTime(24.7);
    atWork->SetActivityDuration(525.0);
    atWork->SetZone(20);
    atWork->SetOriginZone(30);
    atWork->SetOriginActivityType(18);

    // Work to home by transit; its duration was set by a model.
    CTour* toHome = pattern.GetTourAt(CWPattern::kWorkToHomeSlot);
    toHome->SetPreTourTime(0.0);
    toHome->SetMode(3);
    toHome->SetDuration(31.6);
    toHome->AppendStop(12, -1.0, 1012.5, 30.2, 20, 30, 17);

    pattern.WriteOutput(kHouseholdId, kWorker, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kWorkers), Line({"4711", "1", "487.5", "1012.5", "0", "0", "0"}));
    EXPECT_EQ(Written(COutputFileSet::kChildStudents), "");
    EXPECT_EQ(Written(COutputFileSet::kNonWorkers), "");

    // Home-to-work commute first; its duration was never set (-1); a driver
    // without a vehicle of their own writes 0 as the vehicle; transit -1.
    EXPECT_EQ(Written(COutputFileSet::kTours),
              Line({"4711", "1", "1", "462", "0", "-1", "1", "0", "0", "0"}) +
                  Line({"4711", "1", "0", "0", "3", "31", "1", "0", "0", "-1"}));

    // The closing stop lasts the rest of the day: floor(1440 - 1012.5 - 30.2) = 397.
    EXPECT_EQ(Written(COutputFileSet::kStops),
              Line({"4711", "1", "1", "1", "13", "462", "24", "525", "20", "30", "12.3457", "18"}) +
                  Line({"4711", "1", "0", "1", "12", "1012", "30", "397", "30", "20", "7.5", "17"}));

    // At-home record first, then one activity line per stop, arriving at the
    // whole minutes of departure plus trip (462 + 24, 1012 + 30).
    EXPECT_EQ(Written(COutputFileSet::kActivity), Line({"4711", "1", "18", "0", "462", "30"}) +
                                                      Line({"4711", "1", "13", "486", "525", "20"}) +
                                                      Line({"4711", "1", "12", "1042", "397", "30"}));
}

TEST_P(ScheduleOutputTest, WorkerToursFollowTheOrderOfTheDay)
{
    CWPattern pattern(&m_manager, Person(kWorker));
    pattern.CreateCommuteTours();
    pattern.SetWorkStart(540.0);
    pattern.SetWorkDuration(480.0);
    pattern.SetBeforeWorkTourCount(2);
    pattern.SetWorkBasedTourCount(1);
    pattern.SetAfterWorkTourCount(1);
    pattern.CreateBeforeWorkTours();
    pattern.CreateWorkBasedTours();
    pattern.CreateAfterWorkTours();
    pattern.GetTourAt(2)->SetPreTourTime(300.9);
    pattern.GetTourAt(1)->SetPreTourTime(20.0);

    pattern.WriteOutput(kHouseholdId, kWorker, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kWorkers), Line({"4711", "1", "540", "1020", "2", "1", "1"}));
    std::vector<std::string> positions;
    for (const auto& line : SplitLines(Written(COutputFileSet::kTours)))
        positions.push_back(Fields(line).at(2));
    EXPECT_EQ(positions, (std::vector<std::string>{"2", "3", "1", "5", "0", "8"}));
    // The home stay before the first before-work tour, not before the commute.
    EXPECT_EQ(Written(COutputFileSet::kActivity), Line({"4711", "1", "18", "0", "300", "30"}));
}

TEST_P(ScheduleOutputTest, APeriodCountAboveThreeWritesOnlyThatPeriodsSlots)
{
    CWPattern pattern(&m_manager, Person(kWorker));
    pattern.CreateCommuteTours();
    pattern.SetBeforeWorkTourCount(4);
    pattern.SetWorkBasedTourCount(1);
    pattern.CreateBeforeWorkTours();
    pattern.CreateWorkBasedTours();

    pattern.WriteOutput(kHouseholdId, kWorker, m_streams);
    CloseAndRead();

    std::vector<std::string> positions;
    for (const auto& line : SplitLines(Written(COutputFileSet::kTours)))
        positions.push_back(Fields(line).at(2));
    // The work-based tour in slot 5 is written once, as a work-based tour.
    EXPECT_EQ(positions, (std::vector<std::string>{"2", "3", "4", "1", "5", "0"}));
}

TEST_P(ScheduleOutputTest, ChildStudentLineCarriesTheSchoolEpisodeFlagsInOrder)
{
    EpisodeSimulator simulator(&m_models, {}, {kSchoolChild});
    m_models.m_pHousehold = &simulator;

    CWPattern pattern(&m_manager, Person(kSchoolChild));
    pattern.CreateCommuteTours();
    pattern.SetWorkStart(450.0);
    pattern.SetWorkDuration(412.25);
    pattern.GetTourAt(CWPattern::kHomeToWorkSlot)->SetPreTourTime(430.0);

    pattern.WriteOutput(kHouseholdId, kSchoolChild, m_streams);
    CloseAndRead();

    // Not in the drop-off episode, in the pick-up episode.
    EXPECT_EQ(Written(COutputFileSet::kChildStudents), Line({"4711", "2", "450", "862.25", "0", "1"}));
    EXPECT_EQ(Written(COutputFileSet::kWorkers), "");
    EXPECT_EQ(Written(COutputFileSet::kActivity), Line({"4711", "2", "18", "0", "430", "30"}));
    EXPECT_EQ(SplitLines(Written(COutputFileSet::kTours)).size(), 2u);
}

TEST_P(ScheduleOutputTest, ChildStudentInTheDropOffEpisode)
{
    EpisodeSimulator simulator(&m_models, {kSchoolChild}, {});
    m_models.m_pHousehold = &simulator;

    CWPattern pattern(&m_manager, Person(kSchoolChild));
    pattern.CreateCommuteTours();
    pattern.SetWorkStart(450.0);
    pattern.SetWorkDuration(400.0);

    pattern.WriteOutput(kHouseholdId, kSchoolChild, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kChildStudents), Line({"4711", "2", "450", "850", "1", "0"}));
}

TEST_P(ScheduleOutputTest, ChildStudentWithoutACurrentSimulatorRidesInNoEpisode)
{
    ASSERT_EQ(m_models.m_pHousehold, nullptr);
    CWPattern pattern(&m_manager, Person(kSchoolChild));
    pattern.CreateCommuteTours();
    pattern.SetWorkStart(450.0);
    pattern.SetWorkDuration(400.0);

    pattern.WriteOutput(kHouseholdId, kSchoolChild, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kChildStudents), Line({"4711", "2", "450", "850", "0", "0"}));
}

// ---------------------------------------------------------------------------
// Non-worker patterns

TEST_P(ScheduleOutputTest, NonWorkerAdultWithoutToursSpendsTheDayAtHome)
{
    CNWPattern pattern(&m_manager, Person(kNonWorker));

    pattern.WriteOutput(kHouseholdId, kNonWorker, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kNonWorkers), Line({"4711", "3", "0"}));
    EXPECT_EQ(Written(COutputFileSet::kActivity), Line({"4711", "3", "18", "0", "1440", "30"}));
    EXPECT_EQ(Written(COutputFileSet::kTours), "");
    EXPECT_EQ(Written(COutputFileSet::kStops), "");
    EXPECT_EQ(Written(COutputFileSet::kWorkers), "");
}

TEST_P(ScheduleOutputTest, NonWorkerChildGetsNoNonWorkersLineButItsToursAndActivities)
{
    CNWPattern pattern(&m_manager, Person(kYoungChild));
    pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
    pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
    // Window starts out of order: the later tour in the vector starts earlier.
    CTour* first = pattern.GetNthTour(1);
    first->SetWindowStart(600.0);
    first->SetPreTourTime(30.7);
    first->SetMode(1);
    CTour* second = pattern.GetNthTour(2);
    second->SetWindowStart(200.0);
    second->SetPreTourTime(15.9);
    second->SetMode(2);
    second->AppendStop(14, -1.0, 215.9, 10.0, 20, 30, 16);

    pattern.WriteOutput(kHouseholdId, kYoungChild, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kNonWorkers), "");
    // 1440 > 600 gives int(630.7) = 630; then 630 > 200 gives int(215.9) = 215.
    // The stop departs at floor(215.9) = 215, arrives 225 and stays
    // floor(1440 - 215.9 - 10) = 1214.
    EXPECT_EQ(Written(COutputFileSet::kActivity),
              Line({"4711", "4", "18", "0", "215", "30"}) + Line({"4711", "4", "14", "225", "1214", "30"}));
    EXPECT_EQ(Written(COutputFileSet::kTours),
              Line({"4711", "4", "1", "30", "1", "-1", "-1", "0", "0", "-1"}) +
                  Line({"4711", "4", "2", "15", "2", "-1", "1", "0", "0", "-1"}));
}

TEST_P(ScheduleOutputTest, NonWorkerHomeStayKeepsAnEarlierValueAgainstALaterWindow)
{
    CNWPattern pattern(&m_manager, Person(kNonWorker));
    pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
    pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
    pattern.GetNthTour(1)->SetWindowStart(0.0);
    pattern.GetNthTour(1)->SetPreTourTime(300.2);
    pattern.GetNthTour(2)->SetWindowStart(400.0);
    pattern.GetNthTour(2)->SetPreTourTime(60.0);

    pattern.WriteOutput(kHouseholdId, kNonWorker, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kNonWorkers), Line({"4711", "3", "2"}));
    EXPECT_EQ(Written(COutputFileSet::kActivity), Line({"4711", "3", "18", "0", "300", "30"}));
}

TEST_P(ScheduleOutputTest, HouseholdIdIsWrittenAsAnUnsigned32BitNumber)
{
    // An id above the int range reaches the pattern as its 32-bit pattern.
    const auto id = static_cast<int>(static_cast<std::uint32_t>(3000000001u));
    CNWPattern pattern(&m_manager, Person(kNonWorker));

    pattern.WriteOutput(id, kNonWorker, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kNonWorkers), Line({"3000000001", "3", "0"}));
    EXPECT_EQ(Written(COutputFileSet::kActivity), Line({"3000000001", "3", "18", "0", "1440", "30"}));
}

// ---------------------------------------------------------------------------
// Tour lines

TEST_P(ScheduleOutputTest, TourLineFloorsItsTimesAndWritesOnlyCountedStops)
{
    CNWPattern pattern(&m_manager, Person(kNonWorker));
    pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
    CTour* tour = pattern.GetNthTour(1);
    tour->SetPreTourTime(45.9);
    tour->SetMode(2);
    tour->SetJointTravelCode(3);
    tour->AppendStop(0, 30.0, 45.9, 5.5, 30, 20, 18);
    tour->AppendStop(9, 20.0, 81.0, 6.0, 20, 30, 0);
    tour->AppendStop(12, 10.0, 107.0, 7.0, 30, 30, 9);
    tour->SetStopCount(2);  // the third stop is beyond the count
    tour->SetDuration(130.99);

    pattern.WriteOutput(kHouseholdId, kNonWorker, m_streams);
    CloseAndRead();

    EXPECT_EQ(Written(COutputFileSet::kTours), Line({"4711", "3", "1", "45", "2", "130", "2", "0", "3", "-1"}));
    EXPECT_EQ(SplitLines(Written(COutputFileSet::kStops)).size(), 2u);
    // At-home record plus the two counted stops.
    EXPECT_EQ(SplitLines(Written(COutputFileSet::kActivity)).size(), 3u);
}

TEST_P(ScheduleOutputTest, TourDurationIsReadAsItStandsEvenWithStops)
{
    CNWPattern pattern(&m_manager, Person(kNonWorker));
    pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
    CTour* tour = pattern.GetNthTour(1);
    tour->SetPreTourTime(0.0);
    tour->SetMode(3);
    tour->AppendStop(0, 30.0, 480.0, 15.0, 30, 20, 18);
    tour->AppendStop(12, -1.0, 525.0, 15.0, 20, 30, 0);

    pattern.WriteOutput(kHouseholdId, kNonWorker, m_streams);
    CloseAndRead();

    // The duration was never computed, so the field still holds -1.
    EXPECT_EQ(Fields(SplitLines(Written(COutputFileSet::kTours)).at(0)).at(5), "-1");
}

// Vehicle or escort id (last field) and mode (fifth field) of one tour line.
struct TourIds {
    std::string mode;
    std::string id;
};

std::vector<TourIds> ModesAndIds(const std::string& tours)
{
    std::vector<TourIds> result;
    for (const auto& line : SplitLines(tours)) {
        const auto fields = Fields(line);
        result.push_back({fields.at(4), fields.at(9)});
    }
    return result;
}

TEST_P(ScheduleOutputTest, VehicleOrEscortIdFollowsTheTourMode)
{
    for (int vehicle : {-1, 2}) {
        SCOPED_TRACE("person's vehicle " + std::to_string(vehicle));
        OpenStreams();
        Person(kNonWorker)->m_nVehicle = vehicle;
        CNWPattern pattern(&m_manager, Person(kNonWorker));
        for (int mode : {0, 1, 2, 3, 4, 7}) {
            pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
            CTour* tour = pattern.GetNthTour(pattern.GetTourCount());
            tour->SetMode(mode);
            tour->SetEscortOrVehicleId(5);  // read on escort tours only
        }
        pattern.WriteOutput(kHouseholdId, kNonWorker, m_streams);
        CloseAndRead();

        const std::string own = vehicle == -1 ? "0" : "2";
        const auto ids = ModesAndIds(Written(COutputFileSet::kTours));
        ASSERT_EQ(ids.size(), 6u);
        EXPECT_EQ(ids[0].id, own);   // drive alone
        EXPECT_EQ(ids[1].id, "-1");  // passenger
        EXPECT_EQ(ids[2].id, "-1");  // walk/bike
        EXPECT_EQ(ids[3].id, "-1");  // transit
        EXPECT_EQ(ids[4].id, "5");   // escort tour: its own id
        EXPECT_EQ(ids[5].id, own);   // drive with passenger
        EXPECT_EQ(ids[4].mode, "4");
    }
}

TEST_P(ScheduleOutputTest, JointToursTakeTheVehicleOfTheirJointActivity)
{
    auto record = [](int vehicle) {
        CJointActivityRecord joint({true, false, true, true}, 1, 60.0);
        joint.m_nVehicle = vehicle;
        return joint;
    };
    m_household->m_jointActivities = {record(1), record(0), record(-2), record(-1)};
    Person(kNonWorker)->m_nVehicle = 1;
    Person(kYoungChild)->m_nVehicle = -1;

    // (joint-record index, mode) of each tour of the non-worker.
    const std::vector<std::pair<int, int>> tours = {{1, 3}, {2, 2}, {3, 0}, {4, 0}, {9, 0}};
    CNWPattern pattern(&m_manager, Person(kNonWorker));
    for (const auto& [index, mode] : tours) {
        pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
        CTour* tour = pattern.GetNthTour(pattern.GetTourCount());
        tour->SetJointRecordIndex(index);
        tour->SetMode(mode);
    }
    // A child without a vehicle on the joint activity that has none either.
    CNWPattern childPattern(&m_manager, Person(kYoungChild));
    childPattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &childPattern));
    childPattern.GetNthTour(1)->SetJointRecordIndex(4);
    childPattern.GetNthTour(1)->SetMode(1);

    pattern.WriteOutput(kHouseholdId, kNonWorker, m_streams);
    childPattern.WriteOutput(kHouseholdId, kYoungChild, m_streams);
    CloseAndRead();

    const auto ids = ModesAndIds(Written(COutputFileSet::kTours));
    ASSERT_EQ(ids.size(), 6u);
    // The person's own vehicle: the transit tour becomes a drive-with-passenger tour.
    EXPECT_EQ(ids[0].mode, "7");
    EXPECT_EQ(ids[0].id, "1");
    EXPECT_EQ(pattern.GetNthTour(1)->GetMode(), 7);
    // Another vehicle: the mode stays, the id is that vehicle.
    EXPECT_EQ(ids[1].mode, "2");
    EXPECT_EQ(ids[1].id, "0");
    // -2 keeps the id the mode gave (the person's vehicle on a driving tour).
    EXPECT_EQ(ids[2].mode, "0");
    EXPECT_EQ(ids[2].id, "1");
    // No vehicle for the joint activity replaces the driver's own.
    EXPECT_EQ(ids[3].mode, "0");
    EXPECT_EQ(ids[3].id, "-1");
    // An index naming no record leaves the tour as the mode settles it.
    EXPECT_EQ(ids[4].mode, "0");
    EXPECT_EQ(ids[4].id, "1");
    EXPECT_EQ(Fields(SplitLines(Written(COutputFileSet::kTours)).at(4)).at(7), "9");
    // -1 on both sides is no shared vehicle: the passenger stays a passenger.
    EXPECT_EQ(ids[5].mode, "1");
    EXPECT_EQ(ids[5].id, "-1");
}

TEST_P(ScheduleOutputTest, APatternWithoutAPersonWritesNothing)
{
    CNWPattern nonWorker(&m_manager, nullptr);
    CWPattern worker(&m_manager, nullptr);
    worker.CreateCommuteTours();

    nonWorker.WriteOutput(kHouseholdId, 1, m_streams);
    worker.WriteOutput(kHouseholdId, 1, m_streams);
    CloseAndRead();

    for (int k = 0; k < COutputFileSet::kStreamCount; ++k)
        EXPECT_EQ(Written(k), "") << "stream " << k;
}

// ---------------------------------------------------------------------------
// Stop lines

TEST_P(ScheduleOutputTest, StopLineGivesTheLegDistanceInSixSignificantDigits)
{
    // Once read from the database, once with the home zone's rows cached.
    for (bool cached : {false, true}) {
        SCOPED_TRACE(cached ? "cached origin" : "database");
        if (cached) {
            m_manager.SetOriginZone(kHomeZone);
            OpenStreams();
        }
        CNWPattern pattern(&m_manager, Person(kNonWorker));
        pattern.AddTour(std::make_unique<CNWorkerTour>(&m_manager, &pattern));
        CTour* tour = pattern.GetNthTour(1);
        tour->SetPreTourTime(600.0);
        tour->SetMode(0);
        tour->AppendStop(3, 45.0, 600.0, 14.0, 30, 20, 18);  // 12.345678
        tour->AppendStop(12, -1.0, 659.0, 16.0, 20, 30, 3);  // 7.5
        tour->AppendStop(12, 0.0, 700.0, 1.0, 30, 99, 12);   // no such pair

        pattern.WriteOutput(kHouseholdId, kNonWorker, m_streams);
        CloseAndRead();

        EXPECT_EQ(Written(COutputFileSet::kStops),
                  Line({"4711", "3", "1", "1", "3", "600", "14", "45", "20", "30", "12.3457", "18"}) +
                      Line({"4711", "3", "1", "2", "12", "659", "16", "765", "30", "20", "7.5", "3"}) +
                      Line({"4711", "3", "1", "3", "12", "700", "1", "0", "99", "30", "0", "12"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Db, ScheduleOutputTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
