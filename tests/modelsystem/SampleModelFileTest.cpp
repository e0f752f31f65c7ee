// The bundled sample model-parameter file: it loads into the ten model
// systems without a message, gives every model usable parameters, and is what
// the sample generator writes.

#include "ModelParameterComparison.h"
#include "support/RecordingMessageSink.h"

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "tools/SampleModelParameters.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace ModelParameterTesting;

// The sample file of the source tree: from TOLVAR_SOURCE_DIR when the test
// runner sets it, otherwise found above the working folder.
std::filesystem::path SampleFile() {
    const std::filesystem::path relative = std::filesystem::path("sample") / "tolvar-sample.tvm";
    if (const char* source = std::getenv("TOLVAR_SOURCE_DIR")) return std::filesystem::path(source) / relative;
    for (std::filesystem::path folder = std::filesystem::current_path(); !folder.empty();
         folder = folder.parent_path()) {
        if (std::filesystem::exists(folder / relative)) return folder / relative;
        if (folder == folder.parent_path()) break;
    }
    return relative;
}

std::set<int> IdsOf(const CVariableSet& terms) { return {terms.m_variableIds.begin(), terms.m_variableIds.end()}; }

class SampleModelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(SampleFile())) << SampleFile();
        for (int i = 0; i < 10; ++i) {
            m_systems.push_back(std::make_unique<CModelSystem>());
            m_pointers.push_back(m_systems.back().get());
        }
        ASSERT_TRUE(m_file.LoadXml(SampleFile().string(), m_pointers));
    }
    const CModelSystem& First() const { return *m_systems.front(); }

    RecordingMessageSink m_sink;
    CModelParameterFile m_file;
    std::vector<std::unique_ptr<CModelSystem>> m_systems;
    std::vector<CModelSystem*> m_pointers;
};

TEST_F(SampleModelFileTest, LoadsIntoTenEqualSystemsWithoutAMessage) {
    EXPECT_TRUE(m_sink.Texts().empty()) << m_sink.Texts().front();
    EXPECT_EQ(m_file.GetLastLoad().matched, 127);
    EXPECT_TRUE(m_file.GetLastLoad().unknownIds.empty());
    for (std::size_t i = 1; i < m_systems.size(); ++i) EXPECT_TRUE(SameParameters(First(), *m_systems[i])) << i;
}

TEST_F(SampleModelFileTest, EveryModelHasUsableParameters) {
    for (const auto& pointer : First().GetModels()) {
        const CModelModule& model = *pointer;
        if (model.m_name.empty()) continue;
        SCOPED_TRACE(model.m_name);
        if (const auto* m = dynamic_cast<const CRegressMM*>(&model)) {
            EXPECT_GT(m->m_terms.m_nCount, 0);
            EXPECT_GT(m->m_dVariance, 0.0);
        } else if (const auto* m = dynamic_cast<const CBLogitMM*>(&model)) {
            EXPECT_GT(m->m_terms.m_nCount, 0);
        } else if (const auto* m = dynamic_cast<const CLocationMM*>(&model)) {
            EXPECT_GT(m->m_terms.m_nCount, 0);
        } else if (const auto* m = dynamic_cast<const COrdProbitMM*>(&model)) {
            EXPECT_EQ(static_cast<int>(m->m_thresholds.size()), m->m_nCategoryCount - 1);
        } else if (const auto* m = dynamic_cast<const CHazardMM*>(&model)) {
            EXPECT_TRUE(m->HasUsableParameters());
        } else if (const auto* m = dynamic_cast<const CMNLogitMM*>(&model)) {
            EXPECT_TRUE(m->AlternativesWithoutUtility().empty());
            EXPECT_EQ(m->m_utilityFunctions.size(), m->m_alternativeNames.size());
        } else if (const auto* m = dynamic_cast<const CMdcevMM*>(&model)) {
            // "MDCEV" reads nine type values and four group-size shifts, "MDCEV2" nine values.
            EXPECT_EQ(m->m_satiationValues.size(), m->m_name == "MDCEV" ? 13u : 9u);
            EXPECT_GT(m->m_terms.m_nCount, 0);
        } else if (const auto* m = dynamic_cast<const CStartAndEndTimeMM*>(&model)) {
            EXPECT_GT(m->m_terms.m_nCount, 0);
        }
    }
}

TEST_F(SampleModelFileTest, CoefficientHoldersCarryEveryCodeTheirReadersUse) {
    const std::set<int> split = IdsOf(ModelNamed<CBLogitMM>(First(), "FRACTION_SPLIT").m_terms);
    for (int id = 37001; id <= 37024; ++id) EXPECT_EQ(split.count(id), 1u) << id;
    const std::set<int> vehicle = IdsOf(ModelNamed<CBLogitMM>(First(), "vehicleMDCEV").m_terms);
    for (int id = 38001; id <= 38096; ++id) EXPECT_EQ(vehicle.count(id), 1u) << id;

    const CVariableSet& driver = ModelNamed<CBLogitMM>(First(), "LogSum Primary Driver").m_terms;
    const std::set<int> driverIds = IdsOf(driver);
    for (int id = 90001; id <= 90034; ++id) EXPECT_EQ(driverIds.count(id), 1u) << id;
    // The three scale divisors.
    for (std::size_t i = 0; i < driver.m_variableIds.size(); ++i)
        if (driver.m_variableIds[i] >= 90032) {
            EXPECT_NE(driver.m_coefficients[i], 0.0) << driver.m_variableIds[i];
        }
}

// Every term names a variable that exists: a household, person or zone column
// of the sample region, a registered computed variable, or one of the codes
// that the choice sets, the vehicle models and the vehicle-make rows read.
TEST_F(SampleModelFileTest, TermsUseKnownVariables) {
    const auto known = [&](int id) {
        if ((id >= 35001 && id <= 35084) || (id >= 36001 && id <= 36053) || (id >= 37001 && id <= 37024) ||
            (id >= 38001 && id <= 38096) || (id >= 90001 && id <= 90034))
            return true;
        const int source = CVariableSet::SourceOf(id);
        const int index = CVariableSet::IndexOf(id);
        if (source == 0) return index <= 9;    // households: 10 columns
        if (source == 1) return index <= 58;   // persons: 59 columns
        if (source == 2) return index <= 44;   // zones: 45 columns
        if (source == 3)
            return index < static_cast<int>(First().m_variableNames.size()) &&
                   !First().m_variableNames[static_cast<std::size_t>(index)].empty();
        return source == 6 && index % 100 <= 31;  // vehicle-make row columns
    };
    const auto check = [&](const std::string& model, const CVariableSet& terms) {
        for (const int id : terms.m_variableIds) EXPECT_TRUE(known(id)) << model << ": " << id;
    };
    for (const auto& pointer : First().GetModels()) {
        const CModelModule& model = *pointer;
        if (const auto* m = dynamic_cast<const CRegressMM*>(&model)) check(model.m_name, m->m_terms);
        if (const auto* m = dynamic_cast<const CBLogitMM*>(&model)) check(model.m_name, m->m_terms);
        if (const auto* m = dynamic_cast<const CLocationMM*>(&model)) check(model.m_name, m->m_terms);
        if (const auto* m = dynamic_cast<const COrdProbitMM*>(&model)) check(model.m_name, m->m_terms);
        if (const auto* m = dynamic_cast<const CHazardMM*>(&model)) check(model.m_name, m->m_terms);
        if (const auto* m = dynamic_cast<const CMdcevMM*>(&model)) check(model.m_name, m->m_terms);
        if (const auto* m = dynamic_cast<const CStartAndEndTimeMM*>(&model)) check(model.m_name, m->m_terms);
        if (const auto* m = dynamic_cast<const CMNLogitMM*>(&model))
            for (const auto& [id, terms] : m->m_utilityFunctions) check(model.m_name, terms);
    }
}

TEST_F(SampleModelFileTest, IsWhatTheGeneratorWrites) {
    CModelSystem generated;
    SampleModelParameters::Fill(generated);
    EXPECT_TRUE(SameParameters(generated, First()));
    std::ostringstream text;
    m_file.WriteXml(text, generated);
    EXPECT_EQ(text.str(), ReadFile(SampleFile()))
        << "sample/tolvar-sample.tvm is out of date: run make-sample-model-file";
}

}  // namespace
