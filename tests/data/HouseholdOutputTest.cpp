// The household's own output records: Adults.out and Children.out lines per
// member (with the current household simulator's escort answers), the
// member's schedule lines handed to its pattern, and the Vehicles.out lines.
// Expected lines are composed here from the record layouts, field by field.

#include "InputTables.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "household/COutputFileSet.h"
#include "household/SingleNoChildrenHH.h"
#include "modelsystem/CModelSystem.h"
#include "platform/CDatabase.h"
#include "schedules/CPattern.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string Line(std::initializer_list<std::string> fields) {
    std::string text;
    for (const auto& field : fields) text += (text.empty() ? "" : "\t") + field;
    return text + "\n";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first two fields of each line: household id and person number.
std::vector<std::string> Keys(const std::string& text) {
    std::vector<std::string> keys;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const auto first = line.find('\t');
        const auto second = line.find('\t', first + 1);
        keys.push_back(line.substr(0, second));
    }
    return keys;
}

// Escort answers by person number: drop-off for member 1, pick-up for member
// 3, joint discretionary for member 1.
class EscortingSimulator : public SingleNoChildrenHH {
public:
    using SingleNoChildrenHH::SingleNoChildrenHH;
    bool IsDropOffAdult(const CPersonObject* person) override { return Number(person) == 1; }
    bool IsPickUpAdult(const CPersonObject* person) override { return Number(person) == 3; }
    bool IsJointDiscretionaryAdult(const CPersonObject* person) override { return Number(person) == 1; }

private:
    static int Number(const CPersonObject* person) { return static_cast<int>(person->GetValue(1)); }
};

class HouseholdOutputTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        InputTables::Create(*db);
        // Household 123456 in zone 5 comes first in zone order. Members in
        // list order: 1 employed adult, 3 adult not employed, 2 child of 15.9.
        db->Execute("INSERT INTO households VALUES (123456, 0, 3, 5, 0, 2, 0, 0, 0, 3)");
        db->Execute("INSERT INTO persons VALUES " + InputTables::PersonRow(123456, 1, 1, 0, 20, 1, 40) + ", " +
                    InputTables::PersonRow(123456, 3, 0, 0, 0, 0, 35) + ", " +
                    InputTables::PersonRow(123456, 2, 0, 1, 20, 0, 15.9));
        connection.OpenEx(db->Connect());
        ASSERT_TRUE(manager.CheckTables(&connection));
        manager.LoadHouseholdIdPage(0, 1);
        household = manager.LoadNextHousehold();
        ASSERT_NE(household, nullptr);
        ASSERT_EQ(household->GetPersonCount(), 3);
        worker = household->GetPerson(1);
        homemaker = household->GetPerson(2);
        child = household->GetPerson(3);

        models.SetDataManager(&manager);
        simulator.SetHousehold(household);
        models.m_pHousehold = &simulator;

        dir = fs::temp_directory_path() / ("tolvar_hhout_" + std::to_string(getpid()) + "_" + GetParam());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void Open() {
        std::vector<std::string> names;
        for (auto name : COutputFileSet::DefaultOutputNames()) names.push_back((dir / std::string(name)).string());
        streams.Open(names);
        ASSERT_TRUE(streams.IsOutputEnabled());
    }
    std::string Written(const char* name) {
        streams.Close();
        return ReadFile(dir / name);
    }

    // Flags: the worker works (0), has work-related activities (2), shops (3),
    // social (4), not business (5), eat out (6)... alternating from 7 on; the
    // homemaker has flag 2 set although not employed; the child goes to school.
    void SetFlags() {
        for (int k : {0, 2, 3, 4, 6, 8, 10}) worker->SetFlag(k, true);
        for (int k : {2, 5, 7, 9, 11}) homemaker->SetFlag(k, true);
        child->SetFlag(0, true);
        child->SetFlag(1, true);
    }

    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    RecordingMessageSink messages;
    CInputDataManager manager;
    CModelSystem models;
    EscortingSimulator simulator{&models};
    CHouseholdObject* household = nullptr;
    CPersonObject* worker = nullptr;
    CPersonObject* homemaker = nullptr;
    CPersonObject* child = nullptr;
    fs::path dir;
    COutputFileSet streams;
};

TEST_P(HouseholdOutputTest, PersonLinesInListOrderWithTheirFieldLayouts) {
    SetFlags();
    for (const auto& person : household->GetPersons()) person->CreatePattern();
    child->GetPattern()->SetAfterWorkToursPresent(true);
    child->GetPattern()->SetChildIndependentActivity(false);
    Open();
    EXPECT_TRUE(household->WriteOutput(streams));

    // Adults: id, number, flag 0, flag 2 (0 when not employed), drop-off,
    // pick-up, joint discretionary, flags 3, 5, 4, 6, 7, 8, 9, 10, 11.
    const std::string adults =
        Line({"123456", "1", "1", "1", "1", "0", "1", "1", "0", "1", "1", "0", "1", "0", "1", "0"}) +
        Line({"123456", "3", "0", "0", "0", "1", "0", "0", "1", "0", "0", "1", "0", "1", "0", "1"});
    EXPECT_EQ(Written("Adults.out"), adults);
    // Children: id, number, flag 0, the pattern's two flags.
    EXPECT_EQ(ReadFile(dir / "Children.out"), Line({"123456", "2", "1", "1", "0"}));
    // Each member's pattern wrote its at-home record after the member's line,
    // in list order, with the same id and number.
    EXPECT_EQ(Keys(ReadFile(dir / "activity.out")),
              (std::vector<std::string>{"123456\t1", "123456\t3", "123456\t2"}));
    EXPECT_EQ(Keys(ReadFile(dir / "workers.out")), (std::vector<std::string>{"123456\t1"}));
    EXPECT_EQ(Keys(ReadFile(dir / "nonworkers.out")), (std::vector<std::string>{"123456\t3"}));
    EXPECT_EQ(Keys(ReadFile(dir / "ChildStudents.out")), (std::vector<std::string>{"123456\t2"}));
    // No vehicle records, no vehicle lines.
    EXPECT_EQ(ReadFile(dir / "Vehicles.out"), "");
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_P(HouseholdOutputTest, VehicleLinesCarryIndexAndTheHouseholdMileage) {
    for (const auto& person : household->GetPersons()) person->CreatePattern();
    household->m_vehicles = {CVehicleRecord(1, 2), CVehicleRecord(4, 5), CVehicleRecord(9, 6)};
    household->m_vehicles[0].m_make = 3;
    household->m_vehicles[0].m_primaryDriver = 1;
    household->m_vehicles[2].m_make = 0;
    household->m_vehicles[2].m_primaryDriver = 3;
    household->m_dAnnualMileage = 12.5;
    Open();
    household->WriteOutput(streams);
    // The second vehicle has no make or driver yet: -1 as recorded.
    EXPECT_EQ(Written("Vehicles.out"), Line({"123456", "0", "1", "2", "3", "1", "12.5"}) +
                                           Line({"123456", "1", "4", "5", "-1", "-1", "12.5"}) +
                                           Line({"123456", "2", "9", "6", "0", "3", "12.5"}));
}

TEST_P(HouseholdOutputTest, MileageInTheDefaultNumberForm) {
    household->m_vehicles = {CVehicleRecord(2, 3)};
    const std::vector<std::pair<double, std::string>> cases{
        {64.0, "64"}, {12.345678, "12.3457"}, {0.0001, "0.0001"}, {0.00001, "1e-05"}, {1234567.0, "1.23457e+06"}};
    for (const auto& [mileage, text] : cases) {
        household->m_dAnnualMileage = mileage;
        Open();
        household->WriteOutput(streams);
        EXPECT_EQ(Written("Vehicles.out"), Line({"123456", "0", "2", "3", "-1", "-1", text}));
    }
}

TEST_P(HouseholdOutputTest, MissingPatternAndSimulatorWriteZerosAndNoScheduleLines) {
    SetFlags();
    worker->CreatePattern();  // the other two have no pattern
    models.m_pHousehold = nullptr;
    Open();
    household->WriteOutput(streams);
    EXPECT_EQ(Written("Adults.out"),
              Line({"123456", "1", "1", "1", "0", "0", "0", "1", "0", "1", "1", "0", "1", "0", "1", "0"}) +
                  Line({"123456", "3", "0", "0", "0", "0", "0", "0", "1", "0", "0", "1", "0", "1", "0", "1"}));
    EXPECT_EQ(ReadFile(dir / "Children.out"), Line({"123456", "2", "1", "0", "0"}));
    EXPECT_EQ(Keys(ReadFile(dir / "activity.out")), (std::vector<std::string>{"123456\t1"}));

    // A manager not linked to a model system has no simulator either.
    CInputDataManager unlinked;
    EXPECT_EQ(unlinked.GetModelSystem(), nullptr);
}

TEST_P(HouseholdOutputTest, HouseholdIdKeepsItsLow32Bits) {
    for (const auto& person : household->GetPersons()) person->CreatePattern();
    household->m_vehicles = {CVehicleRecord(1, 1)};
    for (const auto& [id, text] : std::vector<std::pair<double, std::string>>{
             {4294967295.0, "4294967295"}, {4294967296.0 + 7.0, "7"}, {2147483648.5, "2147483648"}}) {
        household->SetValue(0, id);
        for (const auto& person : household->GetPersons()) person->SetValue(0, id);
        Open();
        household->WriteOutput(streams);
        const std::string adults = Written("Adults.out");
        EXPECT_EQ(adults.substr(0, adults.find('\t')), text);
        const std::string vehicles = ReadFile(dir / "Vehicles.out");
        EXPECT_EQ(vehicles.substr(0, vehicles.find('\t')), text);
        // The pattern receives the same 32 bits and writes the same id.
        EXPECT_EQ(Keys(ReadFile(dir / "activity.out")).front(), text + "\t1");
    }
}

TEST(RecordLineTest, HouseholdIdConversion) {
    EXPECT_EQ(CRecordLine::OutputHouseholdId(123456.0), 123456u);
    EXPECT_EQ(CRecordLine::OutputHouseholdId(123456.9), 123456u);
    EXPECT_EQ(CRecordLine::OutputHouseholdId(4294967295.0), 4294967295u);
    EXPECT_EQ(CRecordLine::OutputHouseholdId(4294967296.0), 0u);
    EXPECT_EQ(CRecordLine::OutputHouseholdId(-1.0), 4294967295u);  // through the 64-bit integer
    EXPECT_EQ(CRecordLine::OutputHouseholdId(1e30), 4294967295u);  // held at the 64-bit end
    EXPECT_EQ(CRecordLine::OutputHouseholdId(std::nan("")), 0u);
    EXPECT_EQ(CRecordLine::TruncateToInt(2.9), 2);
    EXPECT_EQ(CRecordLine::TruncateToInt(-2.9), -2);
    EXPECT_EQ(CRecordLine::TruncateToInt(1e12), 2147483647);
    EXPECT_EQ(CRecordLine::TruncateToInt(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(CRecordLine::TruncateToInt(-0.9), 0);
    EXPECT_EQ(CRecordLine::TruncateToInt(std::nan("")), 0);
}

TEST_P(HouseholdOutputTest, AFailedWriteIsReportedOnce) {
    for (const auto& person : household->GetPersons()) person->CreatePattern();
    std::vector<std::string> names;
    for (auto name : COutputFileSet::DefaultOutputNames()) names.push_back((dir / std::string(name)).string());
    names[0] = "/dev/full";
    streams.Open(names);
    ASSERT_TRUE(streams.IsOpen(COutputFileSet::kAdults));
    bool allWritten = true;
    for (int i = 0; i < 20000 && allWritten; ++i) allWritten = household->WriteOutput(streams);
    EXPECT_FALSE(allWritten);
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(household->WriteOutput(streams));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("/dev/full"), std::string::npos);
    EXPECT_TRUE(streams.HasWriteError(COutputFileSet::kAdults));
}

INSTANTIATE_TEST_SUITE_P(Db, HouseholdOutputTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
