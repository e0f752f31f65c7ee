// Make and primary driver on a household of a generated region, on both
// databases: a type and group without make rows, more vehicles than adults,
// short make rows, and the fleet size written back to the household.

#include "support/TestDatabase.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/CVariableSet.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "models/CBLogitMM.h"
#include "platform/CDatabase.h"
#include "support/RecordingMessageSink.h"
#include "tools/SampleRegionGenerator.h"
#include "vehicles/CHouseholdVehicles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

class VehicleMakeAndDriverTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        db = TestDatabase::Create(GetParam());
        SampleRegionGenerator::Options options;
        options.zones = 9;
        options.households = 12;
        options.seed = 3;
        {
            CDatabase writer;
            writer.OpenEx(db->Connect(), false);
            SampleRegionGenerator(options).Write(writer);
        }
        connection.OpenEx(db->Connect());
        ASSERT_TRUE(manager.LoadTables(&connection));
        models.SetDataManager(&manager);
        models.m_pDatabase = &connection;
        const char* source = std::getenv("TOLVAR_SOURCE_DIR");
        const auto file = std::filesystem::path(source ? source : "..") / "sample" / "tolvar-sample.tvm";
        ASSERT_TRUE(CModelParameterFile().LoadXml(file.string(), models));
        manager.LoadHouseholdIdPage(0, 12);
        // The first household with at least two members older than 15.
        while ((household = manager.LoadNextHousehold()) != nullptr && Adults() < 2) {}
        ASSERT_NE(household, nullptr);
    }
    void TearDown() override {
        manager.CloseHouseholdRecordset();
        connection.Close();
    }

    int Adults() const {
        int n = 0;
        for (const auto& p : household->GetPersons()) n += p->GetValue(8) > 15.0 ? 1 : 0;
        return n;
    }

    std::unique_ptr<TestDatabase> db;
    CDatabase connection;
    CInputDataManager manager;
    CModelSystem models;
    CHouseholdObject* household = nullptr;
};

}  // namespace

TEST_P(VehicleMakeAndDriverTest, EmptyKeyMoreVehiclesThanAdultsAndTheFleetSize) {
    const int adults = Adults();
    household->m_vehicles = {CVehicleRecord(9, 9)};  // key 99: no make rows
    for (int k = 0; k <= adults; ++k) household->m_vehicles.emplace_back(k + 1, 2);
    CHouseholdVehicles::ForThisThread().AssignMakesAndDrivers(*household, &manager, models);

    const auto& vehicles = household->m_vehicles;
    EXPECT_EQ(vehicles[0].m_make, -1);
    std::set<int> drivers;
    for (std::size_t k = 0; k < vehicles.size(); ++k) {
        if (k > 0) {
            const auto* rows = manager.GetVehicleMakeRows(vehicles[k].m_type * 10 + vehicles[k].m_group);
            ASSERT_NE(rows, nullptr);
            EXPECT_GE(vehicles[k].m_make, 0);
            EXPECT_LT(vehicles[k].m_make, static_cast<int>(rows->size()));
        }
        if (static_cast<int>(k) >= adults) {
            EXPECT_EQ(vehicles[k].m_primaryDriver, -1) << k;
            continue;
        }
        // The vehicle without make rows still gets a driver.
        const CPersonObject* driver = household->GetPerson(vehicles[k].m_primaryDriver);
        ASSERT_NE(driver, nullptr) << k;
        EXPECT_GT(driver->GetValue(8), 15.0);
        EXPECT_EQ(driver->m_nVehicle, static_cast<int>(k));
        EXPECT_TRUE(drivers.insert(vehicles[k].m_primaryDriver).second);
    }

    // The fleet size goes to column 2 and, per adult, to column 14; without a
    // declared adult count the adults held count, and a larger declared
    // person count does not reach past the members held.
    household->SetValue(1, 0.0);
    household->SetValue(9, household->GetPersonCount() + 5.0);
    CHouseholdVehicles::StoreFleetSize(*household);
    EXPECT_EQ(household->GetValue(2), static_cast<double>(vehicles.size()));
    for (const auto& p : household->GetPersons()) {
        if (p->GetValue(8) >= 16.0) {
            EXPECT_DOUBLE_EQ(p->GetValue(14), static_cast<double>(vehicles.size()) / adults);
        }
    }
}

TEST_P(VehicleMakeAndDriverTest, ShortRowsAndZeroDivisorsReadZero) {
    CVariableSet terms;
    for (int id : {60013, 30709, 30707, 30708, 60040}) terms.Add(id, 1.0);
    // Column 12 is 0 in the first row; the second row stops after column 13,
    // the third after column 14.
    std::vector<std::vector<double>> rows(3, std::vector<double>(14, 2.0));
    rows[0][12] = 0.0;
    rows[2].push_back(1.0);
    CLocationMM::Matrix matrix;
    CVehicleMakeAndDriver::EvaluateVehicleMakeAlternatives({0, 1, 2, 7}, terms, matrix, &rows);
    const CLocationMM::Matrix expected = {{2.0, 2.0, 2.0, 0.0},  // column 13; candidate 7 has no row
                                          {0.0, 1.0, 1.0, 0.0},  // 13 / 12
                                          {0.0, 0.0, 1.0, 0.0},  // needs column 14
                                          {0.0, 1.0, 1.0, 0.0},  // needs column 7
                                          {0.0, 0.0, 0.0, 0.0}}; // column 40: beyond every row
    EXPECT_EQ(matrix, expected);

    CVariableSet driverTerms;
    driverTerms.Add(30741, 1.0);
    driverTerms.Add(30783, 1.0);
    CVehicleMakeAndDriver::EvaluatePrimaryDriverAlternatives({1, 2}, driverTerms, matrix, *household, nullptr);
    EXPECT_EQ(matrix, CLocationMM::Matrix(2, std::vector<double>(2, 0.0)));
}

TEST_P(VehicleMakeAndDriverTest, AbsentCoefficientsAreReportedOncePerSimulator) {
    RecordingMessageSink messages;
    const auto remove = [](CVariableSet& terms, int id) {
        for (int i = 0; i < terms.m_nCount; ++i)
            if (terms.m_variableIds[i] == id) terms.RemoveAt(i);
    };
    remove(models.m_pVehicleMDCEV->m_terms, 38050);
    remove(models.m_pLogSumPrimaryDriver->m_terms, 90033);
    CVehicleFleetSimulator fleet;
    fleet.Prepare(*household, &manager, models);
    const std::array<double, 54> first = fleet.BaselineUtilities();
    fleet.Prepare(*household, &manager, models);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_NE(messages.Texts()[0].find("vehicleMDCEV lacks the terms 38050;"), std::string::npos);
    EXPECT_NE(messages.Texts()[0].find("LogSum Primary Driver lacks the terms 90033;"), std::string::npos);
    // Absent, the scale reads 1.0 and the coefficient 0.0.
    models.m_pVehicleMDCEV->m_terms.Add(38050, 0.0);
    models.m_pLogSumPrimaryDriver->m_terms.Add(90033, 1.0);
    fleet.Prepare(*household, &manager, models);
    EXPECT_EQ(fleet.BaselineUtilities(), first);
}

INSTANTIATE_TEST_SUITE_P(Db, VehicleMakeAndDriverTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);
