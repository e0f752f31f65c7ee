// The per-thread model system: its state after construction, the run settings
// and links the application and the household loop set, and the models it owns.

#include "data/CInputDataManager.h"
#include "household/SingleNoChildrenHH.h"
#include "models/CRandomStreams.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ModelSystemTest, NewSystemHasDefaultsAndRegistry) {
    CModelSystem models;
    EXPECT_EQ(models.m_sampleRate, 1.0);
    EXPECT_EQ(models.m_pDatabase, nullptr);
    EXPECT_EQ(models.m_pHousehold, nullptr);
    EXPECT_EQ(models.m_pHouseholdObject, nullptr);
    EXPECT_EQ(models.m_pProgressDlg, nullptr);
    EXPECT_EQ(models.m_pDataManager, nullptr);
    // Set before anything reads them: 0 rather than whatever memory held.
    EXPECT_EQ(models.m_nThreadIndex, 0);
    EXPECT_EQ(models.m_nHouseholdCount, 0);
    EXPECT_EQ(models.m_nFirstHousehold, 0);
    // Counted from the name tables when the models are created.
    EXPECT_EQ(models.m_nAdultModes, 5);
    EXPECT_EQ(models.m_nTourModes, 5);
    EXPECT_EQ(models.m_nActivityTypes, 10);
    for (const std::string& path : models.m_outputFileNames) EXPECT_TRUE(path.empty());

    ASSERT_EQ(models.m_variableNames.size(), 1000u);
    EXPECT_EQ(models.m_variableNames[0].rfind("30000 ", 0), 0u);
    EXPECT_EQ(models.m_tableNames,
              (std::vector<std::string>{"Households", "Persons", "Zones", "VehicleMake", "Other"}));
}

TEST(ModelSystemTest, OutputFilesKeepChildStudentsBeforeWorkers) {
    CModelSystem models;
    models.SetOutputFiles("A1", "C1", "W1", "CS1", "NW1", "T1", "S1", "ACT1", "NOGO1", "V1");
    EXPECT_EQ(models.m_outputFileNames[CModelSystem::kAdultsFile], "A1");
    EXPECT_EQ(models.m_outputFileNames[CModelSystem::kChildrenFile], "C1");
    EXPECT_EQ(models.m_outputFileNames[2], "CS1");
    EXPECT_EQ(models.m_outputFileNames[3], "W1");
    EXPECT_EQ(models.m_outputFileNames[4], "NW1");
    EXPECT_EQ(models.m_outputFileNames[9], "V1");
}

TEST(ModelSystemTest, RunSettings) {
    CModelSystem models;
    models.SetSampleRate(0.25);
    EXPECT_EQ(models.m_sampleRate, 0.25);
    models.SetProgressDialog(nullptr, 6);
    EXPECT_EQ(models.m_nThreadIndex, 6);
}

TEST(ModelSystemTest, DataManagerIsLinkedBothWays) {
    CModelSystem models;
    CInputDataManager manager;
    models.SetDataManager(&manager);
    EXPECT_EQ(models.m_pDataManager, &manager);
    EXPECT_EQ(manager.GetModelSystem(), &models);
}

TEST(ModelSystemTest, PassSettingsToHouseholdHandsCountsAndManager) {
    CModelSystem models;
    CInputDataManager manager;
    models.SetDataManager(&manager);
    models.PassSettingsToHousehold();  // no simulator yet: nothing happens

    SingleNoChildrenHH simulator(&models);
    models.m_pHousehold = &simulator;
    models.PassSettingsToHousehold();
    EXPECT_EQ(simulator.GetAdultModeCount(), 5);
    EXPECT_EQ(simulator.GetTourModeCount(), 5);
    EXPECT_EQ(simulator.GetActivityTypeCount(), 10);
    EXPECT_EQ(simulator.GetDataManager(), &manager);
    models.m_pHousehold = nullptr;
}

TEST(ModelSystemTest, ReseedSelectsTheSystemsOwnStream) {
    CModelSystem models;
    models.m_nThreadIndex = 3;
    CRandomStreams::ReseedStream(2, 77);
    models.ReseedStream(10100);  // past the table: reduced again
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(3), 10100 - 10001);
    EXPECT_FALSE(CRandomStreams::StreamLoaded(3));
    EXPECT_EQ(CRandomStreams::StreamSeedIndex(2), 77);
}

TEST(ModelSystemTest, CreatedModelsAreOwnedAndKnowTheirSystem) {
    CModelSystem models;
    const size_t before = models.GetModels().size();
    CRegressMM* model = models.CreateModel<CRegressMM>("Household Annual Mileage");
    ASSERT_EQ(models.GetModels().size(), before + 1);
    EXPECT_EQ(models.GetModels().back().get(), model);
    EXPECT_EQ(model->GetOwner(), &models);
    EXPECT_EQ(model->GetName(), "Household Annual Mileage");
}

}  // namespace
