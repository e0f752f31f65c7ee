// Loading and saving the XML model-parameter file: matching elements to the
// catalogue's models, what is reported, the all-or-nothing load, and the
// save that writes every model the load reads.

#include "ModelParameterComparison.h"
#include "support/RecordingMessageSink.h"

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ModelParameterTesting;

std::string Configuration(const std::string& elements) { return "<Configuration>\n" + elements + "</Configuration>\n"; }

std::string Logit(const std::string& id, const std::string& variable, const std::string& value) {
    return "<ModelConfig id=\"" + id + "\" optional-type=\"class CBLogitMM * __ptr64\">\n<Variables>\n<Variable ID=\"" +
           variable + "\" value=\"" + value + "\" />\n</Variables>\n</ModelConfig>\n";
}

std::string Logit(const std::string& id, int variable, const std::string& value) {
    return Logit(id, std::to_string(variable), value);
}

bool AnyTextContains(const RecordingMessageSink& sink, const std::string& part) {
    for (const std::string& text : sink.Texts())
        if (text.find(part) != std::string::npos) return true;
    return false;
}

class ModelParameterFileTest : public ::testing::Test {
protected:
    bool Load(const std::string& text) {
        WriteFile(m_folder.Path("models.tvm"), text);
        return m_file.LoadXml(m_folder.Path("models.tvm").string(), m_system);
    }
    CBLogitMM& WorkDecision() { return ModelNamed<CBLogitMM>(m_system, "Decision to go to Work"); }

    ScratchFolder m_folder;
    CModelSystem m_system;
    CModelParameterFile m_file;
    RecordingMessageSink m_sink;
};

TEST_F(ModelParameterFileTest, IdsMatchWithoutRegardToCase) {
    ASSERT_TRUE(Load(Configuration(Logit("decision TO GO to work", 30000, "1.250000"))));
    ASSERT_EQ(WorkDecision().m_terms.m_nCount, 1);
    EXPECT_EQ(WorkDecision().m_terms.m_variableIds[0], 30000);
    EXPECT_EQ(WorkDecision().m_terms.m_coefficients[0], 1.25);
    EXPECT_EQ(m_file.GetLastLoad().matched, 1);
    EXPECT_TRUE(m_file.GetLastLoad().unknownIds.empty());
    // Every other model the file can carry is named, once, as missing; the
    // walk-mode models, which no file carries, are not.
    ASSERT_EQ(m_sink.Texts().size(), 1u);
    const std::string missing = m_sink.Texts()[0];
    EXPECT_NE(missing.find("has no element for 126 models"), std::string::npos) << missing;
    EXPECT_NE(missing.find("\"vehicleMDCEV\""), std::string::npos);
    EXPECT_EQ(missing.find("\"Decision to go to Work\""), std::string::npos);
    EXPECT_EQ(missing.find("Walk mode"), std::string::npos);
}

TEST_F(ModelParameterFileTest, UnknownIdsAreSkippedAndReportedOnce) {
    const std::string text = Configuration(Logit(" Decision to go to Work", 30000, "1.0") +
                                           Logit("Decision to go to Work", 30001, "2.0") +
                                           Logit("Worker Stop Loction (Walk mode)", 30000, "1.0") +
                                           Logit("Mode for Tour 5", 30000, "1.0") +
                                           Logit("Tour 5 Stop Activity Type", 30000, "1.0") +
                                           Logit(" Decision to go to Work", 30000, "1.0") +
                                           "<ModelConfig><Variables /></ModelConfig>\n");
    ASSERT_TRUE(Load(text));
    EXPECT_EQ(WorkDecision().m_terms.m_variableIds, std::vector<int>{30001});
    const CModelParameterFile::LoadReport& report = m_file.GetLastLoad();
    EXPECT_EQ(report.elements, 7);
    EXPECT_EQ(report.matched, 1);
    EXPECT_EQ(report.unknownIds, (std::vector<std::string>{" Decision to go to Work", "Mode for Tour 5",
                                                           "Tour 5 Stop Activity Type", ""}));
    // A walk-mode location model is a model the file does not carry, not an unknown one.
    EXPECT_EQ(report.walkModelIds, (std::vector<std::string>{"Worker Stop Loction (Walk mode)"}));
    ASSERT_EQ(m_sink.Texts().size(), 3u);  // and the models the file lacks
    const std::string walk = m_sink.Texts()[0];
    EXPECT_NE(walk.find("walk-mode location models"), std::string::npos) << walk;
    EXPECT_NE(walk.find("\"Worker Stop Loction (Walk mode)\""), std::string::npos) << walk;
    const std::string message = m_sink.Texts()[1];
    EXPECT_NE(message.find("\"Mode for Tour 5\""), std::string::npos) << message;
    EXPECT_EQ(message.find("Walk mode"), std::string::npos) << message;
    EXPECT_NE(message.find("without id"), std::string::npos) << message;
    EXPECT_EQ(m_sink.Messages()[1].icon, MessageIcon::Warning);
}

TEST_F(ModelParameterFileTest, AFileMatchingNoModelLoadsButIsReported) {
    ASSERT_TRUE(Load("<Configuration></Configuration>"));
    EXPECT_EQ(m_file.GetLastLoad().elements, 0);
    EXPECT_TRUE(AnyTextContains(m_sink, "matched no model"));
    EXPECT_EQ(m_sink.Texts().size(), 1u) << "one warning, not a list of every model as well";

    m_sink.Clear();
    ASSERT_TRUE(Load(Configuration(Logit("Unknown model", 30000, "1.0"))));
    EXPECT_TRUE(AnyTextContains(m_sink, "matched no model"));
    EXPECT_TRUE(AnyTextContains(m_sink, "\"Unknown model\""));
    EXPECT_EQ(WorkDecision().m_terms.m_nCount, 0);
}

TEST_F(ModelParameterFileTest, ElementsAreFoundBelowAnyConfigurationElementOnly) {
    ASSERT_TRUE(Load("<Root>" + Logit("Decision to go to Work", 30000, "1.0") + "</Root>"));
    EXPECT_EQ(m_file.GetLastLoad().elements, 0);
    EXPECT_EQ(WorkDecision().m_terms.m_nCount, 0);

    ASSERT_TRUE(Load("<Root><Deeper>" + Configuration(Logit("Decision to go to Work", 30000, "1.0")) +
                     "</Deeper></Root>"));
    EXPECT_EQ(WorkDecision().m_terms.m_nCount, 1);
}

TEST_F(ModelParameterFileTest, TheLastOfSeveralElementsDecides) {
    ASSERT_TRUE(Load(Configuration(Logit("Decision to go to Work", 30000, "1.0") +
                                   Logit("DECISION TO GO TO WORK", 30005, "-2.0"))));
    EXPECT_EQ(WorkDecision().m_terms.m_variableIds, std::vector<int>{30005});
    EXPECT_EQ(WorkDecision().m_terms.m_coefficients, std::vector<double>{-2.0});
}

TEST_F(ModelParameterFileTest, AnUnreadableFileFailsWithoutChangingAnything) {
    WorkDecision().m_terms.Add(30000, 0.5);
    EXPECT_FALSE(m_file.LoadXml(m_folder.Path("missing.tvm").string(), m_system));
    EXPECT_FALSE(Load("<Configuration>" + Logit("Decision to go to Work", 30001, "1.0")));  // not closed
    EXPECT_EQ(WorkDecision().m_terms.m_variableIds, std::vector<int>{30000});
}

TEST_F(ModelParameterFileTest, MalformedXmlIsReportedWithTheParsersDescriptionAndOffset) {
    const std::string sound = "<Configuration>" + Logit("Decision to go to Work", 30001, "1.0");
    EXPECT_FALSE(Load(sound + "<ModelConfig id=\"x\" <"));
    const std::string& error = m_file.GetLastLoad().error;
    const std::string offset = " at byte offset ";
    ASSERT_NE(error.find(offset), std::string::npos) << error;
    EXPECT_GE(std::stoul(error.substr(error.find(offset) + offset.size())), sound.size()) << error;
    EXPECT_EQ(error.rfind("it is not well-formed XML: ", 0), 0u) << error;
    ASSERT_EQ(m_sink.Texts().size(), 1u);
    EXPECT_NE(m_sink.Texts()[0].find(error), std::string::npos);

    EXPECT_FALSE(m_file.LoadXml(m_folder.Path("missing.tvm").string(), m_system));
    EXPECT_EQ(m_file.GetLastLoad().error.rfind("it cannot be read: ", 0), 0u) << m_file.GetLastLoad().error;
    EXPECT_EQ(WorkDecision().m_terms.m_nCount, 0);
}

TEST_F(ModelParameterFileTest, ReadsEveryFieldOfEachClass) {
    const std::string text = Configuration(
        "<ModelConfig id=\"BW Home Stay\"><Variance>12.5</Variance><Variables>"
        "<Variable ID=\"30000\" value=\"1\" /><Variable ID=\"10008\" value=\"-0.25\" />"
        "<Variable ID=\"20003\" value=\"0.0000001\" /></Variables></ModelConfig>"
        "<ModelConfig id=\"Work Duration\"><Variance>0.1</Variance><Variables /><Intervals>"
        "<Interval start=\"60\" param=\"0.1\" /><Interval start=\"120\" param=\"0.2\" />"
        "<Interval start=\"240\" param=\"0.3\" /><Interval start=\"480\" param=\"0.4\" /></Intervals></ModelConfig>"
        "<ModelConfig id=\"Number of Tours NW\"><Variables /><Thresholds><Threshold value=\"-1\" />"
        "<Threshold value=\"0.5\" /></Thresholds></ModelConfig>"
        "<ModelConfig id=\"MDCEV2\"><Thresholds><Threshold value=\"2\" /><Threshold value=\"-3\" />"
        "</Thresholds></ModelConfig>"
        "<ModelConfig id=\"Vehicle Make\"><Variance>0.1</Variance><Variables>"
        "<Variable ID=\"20001\" value=\"-0.5\" /></Variables></ModelConfig>"
        "<ModelConfig id=\"Mode for Tour 2\"><Alternatives baseID=\"2\">"
        "<Alternative ID=\"3\"><Variables><Variable ID=\"30000\" value=\"-1\" /></Variables></Alternative>"
        "<Alternative ID=\"1\"><Variables /></Alternative>"
        "<Alternative ID=\"2\"></Alternative></Alternatives></ModelConfig>");
    ASSERT_TRUE(Load(text));

    const auto& regression = ModelNamed<CRegressMM>(m_system, "BW Home Stay");
    EXPECT_EQ(regression.m_dVariance, 12.5);
    EXPECT_EQ(regression.m_terms.m_nCount, 3);
    EXPECT_EQ(regression.m_terms.m_variableIds, (std::vector<int>{30000, 10008, 20003}));
    EXPECT_EQ(regression.m_terms.m_coefficients, (std::vector<double>{1.0, -0.25, 0.0000001}));

    const auto& hazard = ModelNamed<CHazardMM>(m_system, "Work Duration");
    EXPECT_EQ(hazard.m_nIntervalCount, 5);
    EXPECT_EQ(hazard.m_intervalStarts, (std::vector<double>{60, 120, 240, 480}));
    EXPECT_EQ(hazard.m_intervalParameters, (std::vector<double>{0.1, 0.2, 0.3, 0.4}));
    EXPECT_EQ(hazard.m_fVariance, 0.1f);
    EXPECT_EQ(hazard.m_terms.m_nCount, 0);

    const auto& probit = ModelNamed<COrdProbitMM>(m_system, "Number of Tours NW");
    EXPECT_EQ(probit.m_thresholds, (std::vector<double>{-1.0, 0.5}));
    EXPECT_EQ(probit.m_nCategoryCount, 5);

    EXPECT_EQ(ModelNamed<CMdcevMM>(m_system, "MDCEV2").m_satiationValues, (std::vector<double>{2.0, -3.0}));
    EXPECT_EQ(ModelNamed<CLocationMM>(m_system, "Vehicle Make").m_fVariance, 0.1f);

    const auto& logit = ModelNamed<CMNLogitMM>(m_system, "Mode for Tour 2");
    EXPECT_EQ(logit.m_nBaseAlternative, 2);
    EXPECT_EQ(logit.m_nAlternatives, 3);
    ASSERT_EQ(logit.m_utilityFunctions.size(), 3u);
    EXPECT_EQ(logit.m_utilityFunctions.at(3).m_variableIds, std::vector<int>{30000});
    EXPECT_EQ(logit.m_utilityFunctions.at(2).m_nCount, 0);
    // Names and availability stay as the catalogue made them: the tour modes.
    EXPECT_EQ(logit.m_alternativeNames.size(), 5u);
    EXPECT_EQ(logit.m_availability.size(), 5u);
    // The modes the file left without a utility (0 and 7) are reported.
    EXPECT_TRUE(AnyTextContains(m_sink, "Mode for Tour 2"));
}

TEST_F(ModelParameterFileTest, AnElementReplacesWhatTheModelHad) {
    WorkDecision().m_terms.Add(30000, 0.5);
    WorkDecision().m_terms.Add(30001, 0.5);
    ASSERT_TRUE(Load(Configuration("<ModelConfig id=\"Decision to go to Work\"></ModelConfig>")));
    EXPECT_EQ(WorkDecision().m_terms.m_nCount, 0);
    EXPECT_TRUE(WorkDecision().m_terms.m_variableIds.empty());
}

// Each element that is not sound makes the whole load fail: the message names
// the element, and no model changes, not even those of sound elements before it.
struct BadElement {
    const char* label;
    std::string element;
    const char* reason;  // a part of the message
};

class BadElementTest : public ModelParameterFileTest, public ::testing::WithParamInterface<BadElement> {};

TEST_P(BadElementTest, FailsNamingTheElementAndChangesNothing) {
    const BadElement& bad = GetParam();
    ASSERT_FALSE(Load(Configuration(Logit("Decision to go to Work", 30007, "1.0") + bad.element)));
    EXPECT_EQ(WorkDecision().m_terms.m_nCount, 0) << "a sound element before the bad one was applied";
    ASSERT_EQ(m_sink.Texts().size(), 1u);
    const std::string message = m_sink.Texts()[0];
    EXPECT_NE(message.find("element 2"), std::string::npos) << message;
    EXPECT_NE(message.find(bad.reason), std::string::npos) << message;
    EXPECT_EQ(m_sink.Messages()[0].icon, MessageIcon::Error);
}

const std::string kRegressionStart = "<ModelConfig id=\"BW Home Stay\">";
const std::string kHazardStart = "<ModelConfig id=\"Work Duration\">";
const std::string kTwoIntervals = "<Intervals><Interval start=\"60\" param=\"0.1\" /></Intervals>";

INSTANTIATE_TEST_SUITE_P(
    Elements, BadElementTest,
    ::testing::Values(
        BadElement{"IdWithTrailingLetters", Logit("Decision to go to School", "12abc", "1.0"),
                   "12abc"},
        BadElement{"EmptyValue", Logit("Decision to go to School", 30000, ""), "value"},
        BadElement{"CommaDecimal", Logit("Decision to go to School", 30000, "1,5"), "1,5"},
        BadElement{"ValueNotANumber", Logit("Decision to go to School", 30000, "nan"), "nan"},
        BadElement{"ValueInfinite", Logit("Decision to go to School", 30000, "inf"), "inf"},
        BadElement{"IdOutOfRange", Logit("Decision to go to School", "3000000000", "1"),
                   "3000000000"},
        BadElement{"VariableWithoutId",
                   "<ModelConfig id=\"Decision to go to School\"><Variables><Variable value=\"1\" /></Variables>"
                   "</ModelConfig>",
                   "no ID"},
        BadElement{"VarianceWithTrailingWord",
                   kRegressionStart + "<Variance>2.5 minutes</Variance></ModelConfig>", "2.5 minutes"},
        BadElement{"VarianceMissing", kRegressionStart + "<Variables /></ModelConfig>", "no Variance"},
        BadElement{"RegressionVarianceNegative", kRegressionStart + "<Variance>-1</Variance></ModelConfig>",
                   "below 0"},
        BadElement{"HazardWithoutIntervals", kHazardStart + "<Variance>1</Variance></ModelConfig>", "interval"},
        BadElement{"HazardVarianceZero", kHazardStart + "<Variance>0</Variance>" + kTwoIntervals + "</ModelConfig>",
                   "above 0"},
        BadElement{"HazardIntervalWithoutParam",
                   kHazardStart + "<Variance>1</Variance><Intervals><Interval start=\"60\" /></Intervals></ModelConfig>",
                   "param"},
        BadElement{"ThresholdsNotAscending",
                   "<ModelConfig id=\"Number of Tours NW\"><Thresholds><Threshold value=\"1\" />"
                   "<Threshold value=\"0.5\" /></Thresholds></ModelConfig>",
                   "ascending"},
        BadElement{"MoreThresholdsThanCategories",
                   "<ModelConfig id=\"WH Number of Stops\"><Thresholds><Threshold value=\"1\" />"
                   "<Threshold value=\"2\" /><Threshold value=\"3\" /></Thresholds></ModelConfig>",
                   "at most 2"},
        BadElement{"DuplicateAlternative",
                   "<ModelConfig id=\"BW Tour Mode\"><Alternatives baseID=\"0\"><Alternative ID=\"1\" />"
                   "<Alternative ID=\"1\" /></Alternatives></ModelConfig>",
                   "alternative 1"},
        BadElement{"AlternativesWithoutBase",
                   "<ModelConfig id=\"BW Tour Mode\"><Alternatives><Alternative ID=\"1\" /></Alternatives>"
                   "</ModelConfig>",
                   "baseID"},
        BadElement{"LocationVarianceTooLarge",
                   "<ModelConfig id=\"Vehicle Make\"><Variance>1e300</Variance></ModelConfig>", "too large"}),
    [](const ::testing::TestParamInfo<BadElement>& info) { return std::string(info.param.label); });

TEST_F(ModelParameterFileTest, LoadsIntoTenSystemsOnlyWhenAllAreSound) {
    std::vector<std::unique_ptr<CModelSystem>> systems;
    std::vector<CModelSystem*> pointers;
    for (int i = 0; i < 10; ++i) {
        systems.push_back(std::make_unique<CModelSystem>());
        pointers.push_back(systems.back().get());
    }
    WriteFile(m_folder.Path("ten.tvm"), Configuration(Logit("Decision to go to Work", 30003, "0.75") +
                                                      Logit("Nobody", 30000, "1")));
    ASSERT_TRUE(m_file.LoadXml(m_folder.Path("ten.tvm").string(), pointers));
    for (const CModelSystem* system : pointers)
        EXPECT_EQ(ModelNamed<CBLogitMM>(*system, "Decision to go to Work").m_terms.m_coefficients,
                  std::vector<double>{0.75});
    EXPECT_EQ(m_sink.Texts().size(), 2u) << "the unknown id and the missing models are reported once, not once "
                                            "per system";

    WriteFile(m_folder.Path("bad.tvm"), Configuration(Logit("Decision to go to Work", 30004, "1") +
                                                      Logit("Decision to go to School", 30000, "x")));
    EXPECT_FALSE(m_file.LoadXml(m_folder.Path("bad.tvm").string(), pointers));
    for (const CModelSystem* system : pointers)
        EXPECT_EQ(ModelNamed<CBLogitMM>(*system, "Decision to go to Work").m_terms.m_variableIds,
                  std::vector<int>{30003});
}

TEST_F(ModelParameterFileTest, SingleModelReadKeepsTheModelOnABadElement) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<ModelConfig><Variance>-2</Variance><Variables>"
                                     "<Variable ID=\"30000\" value=\"1\" /></Variables></ModelConfig>"));
    CRegressMM& model = ModelNamed<CRegressMM>(m_system, "BW Home Stay");
    model.m_dVariance = 3.0;
    EXPECT_FALSE(model.ReadXml(document.first_child()));
    EXPECT_EQ(model.m_dVariance, 3.0);
    EXPECT_EQ(model.m_terms.m_nCount, 0);
    EXPECT_TRUE(AnyTextContains(m_sink, "BW Home Stay"));
}

// ---- Saving

TEST_F(ModelParameterFileTest, SaveWritesEveryModelTheLoadReads) {
    FillAllModels(m_system, 1);
    const std::string path = m_folder.Path("saved.tvm").string();
    ASSERT_TRUE(m_file.SaveXml(path, m_system));
    const std::string text = ReadFile(path);
    EXPECT_EQ(text.rfind("<Configuration>\n<ModelConfig id=\"Decision to go to Work\"", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 17), "</Configuration>\n");

    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(path.c_str()));
    std::vector<std::string> ids;
    for (const pugi::xpath_node& node : document.select_nodes("//Configuration/ModelConfig"))
        ids.push_back(node.node().attribute("id").value());
    std::vector<std::string> named;
    for (const auto& model : m_system.GetModels())
        if (!model->m_name.empty()) named.push_back(model->m_name);
    EXPECT_EQ(ids.size(), named.size());
    EXPECT_EQ(ids.size(), 127u);
    for (const std::string& name : named)
        EXPECT_NE(std::find(ids.begin(), ids.end(), name), ids.end()) << name << " is not saved";
    // The usual order: "Household Annual Mileage" closes the classic part.
    EXPECT_EQ(ids[15], "Separate travel or joint travel");
    EXPECT_EQ(ids[102], "Household Annual Mileage");
    EXPECT_EQ(ids[103], "MDCEV");
}

TEST_F(ModelParameterFileTest, SaveAndLoadGiveEqualModelsForEveryClass) {
    FillAllModels(m_system, 3);
    const std::string path = m_folder.Path("round.tvm").string();
    ASSERT_TRUE(m_file.SaveXml(path, m_system));

    CModelSystem reloaded;
    ASSERT_TRUE(m_file.LoadXml(path, reloaded));
    EXPECT_EQ(m_file.GetLastLoad().matched, 127);
    EXPECT_TRUE(SameParameters(m_system, reloaded));
    EXPECT_TRUE(m_sink.Texts().empty()) << m_sink.Texts()[0];

    // Saving what was loaded gives the same file again.
    const std::string again = m_folder.Path("again.tvm").string();
    ASSERT_TRUE(m_file.SaveXml(again, reloaded));
    EXPECT_EQ(ReadFile(path), ReadFile(again));
}

// Models never given parameters are saved too; the hazard models, which
// cannot hold empty parameters, are left out and keep their state on reload.
TEST_F(ModelParameterFileTest, AFreshModelSystemSavesAndLoadsBack) {
    const std::string path = m_folder.Path("fresh.tvm").string();
    ASSERT_TRUE(m_file.SaveXml(path, m_system));
    CModelSystem reloaded;
    FillAllModels(reloaded, 5);
    ASSERT_TRUE(m_file.LoadXml(path, reloaded));
    EXPECT_EQ(m_file.GetLastLoad().matched, 124);
    for (const auto& model : reloaded.GetModels()) {
        if (model->m_name.empty()) continue;
        const bool hazard = dynamic_cast<const CHazardMM*>(model.get()) != nullptr;
        EXPECT_EQ(static_cast<bool>(SameParameters(*model, ModelNamed(m_system, model->m_name))), !hazard)
            << model->m_name;
    }
}

// The model system's own load and save of both forms go through the same file
// level: a round trip keeps every parameter, and a bad file changes nothing.
TEST_F(ModelParameterFileTest, ModelSystemLoadsAndSavesItsOwnFiles) {
    FillAllModels(m_system, 2);
    const std::string xml = m_folder.Path("system.tvm").string();
    const std::string text = m_folder.Path("system.txt").string();
    ASSERT_TRUE(m_system.SaveXml(xml));
    ASSERT_TRUE(m_system.SaveText(text));

    CModelSystem fromXml;
    ASSERT_TRUE(fromXml.LoadXml(xml));
    EXPECT_TRUE(SameParameters(m_system, fromXml));
    CModelSystem fromText;
    ASSERT_TRUE(fromText.LoadText(text));
    EXPECT_TRUE(SameParameters(ModelNamed(m_system, "Work Duration"), ModelNamed(fromText, "Work Duration")));

    WriteFile(m_folder.Path("bad.tvm"), Configuration(Logit("Decision to go to Work", 30000, "1,5")));
    EXPECT_FALSE(fromXml.LoadXml(m_folder.Path("bad.tvm").string()));
    EXPECT_TRUE(SameParameters(m_system, fromXml));
    EXPECT_FALSE(fromText.LoadText(m_folder.Path("missing.txt").string()));
}

TEST_F(ModelParameterFileTest, SmallCoefficientsSurviveTheFile) {
    CBLogitMM& model = WorkDecision();
    model.m_terms.Add(30000, -0.0000001);
    model.m_terms.Add(30001, 0.123456789);
    model.m_terms.Add(30002, 2.5e-12);
    const std::string path = m_folder.Path("small.tvm").string();
    ASSERT_TRUE(m_file.SaveXml(path, m_system));
    EXPECT_NE(ReadFile(path).find("value=\"-0.0000001\""), std::string::npos);
    CModelSystem reloaded;
    ASSERT_TRUE(m_file.LoadXml(path, reloaded)) << m_sink.Texts().at(0);
    EXPECT_EQ(ModelNamed<CBLogitMM>(reloaded, "Decision to go to Work").m_terms.m_coefficients,
              (std::vector<double>{-0.0000001, 0.123456789, 2.5e-12}));
}

TEST_F(ModelParameterFileTest, SaveToAMissingFolderFailsAndWritesNothing) {
    const std::filesystem::path path = m_folder.Path("no such folder") / "models.tvm";
    EXPECT_FALSE(m_file.SaveXml(path.string(), m_system));
    EXPECT_FALSE(std::filesystem::exists(path.parent_path()));
}

TEST_F(ModelParameterFileTest, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    // A folder stands where the file should go: the final rename fails.
    const std::filesystem::path target = m_folder.Path("occupied.tvm");
    std::filesystem::create_directory(target);
    WriteFile(target / "keep.txt", "kept");
    EXPECT_FALSE(m_file.SaveXml(target.string(), m_system));
    EXPECT_EQ(ReadFile(target / "keep.txt"), "kept");
    EXPECT_FALSE(std::filesystem::exists(target.string() + ".saving"));

    // Replacing an existing file leaves only the new content behind.
    const std::filesystem::path file = m_folder.Path("models.tvm");
    WriteFile(file, "old content");
    ASSERT_TRUE(m_file.SaveXml(file.string(), m_system));
    EXPECT_EQ(ReadFile(file).rfind("<Configuration>\n", 0), 0u);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Root()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"models.tvm", "occupied.tvm"}));
}

TEST_F(ModelParameterFileTest, FilesInTheClassicFormatLoadUnchanged) {
    const std::string text =
        "<Configuration>\n"
        "<ModelConfig id=\"BW Home Stay\" optional-type=\"class CRegressMM * __ptr64\">\n\n"
        "<Variance>2.500000</Variance>\n\n"
        "<Variables>\n"
        "<Variable ID=\"30000\" value=\"1.500000\" optional-description=\"temp\" />\n"
        "<Variable ID=\"10008\" value=\"-0.250000\" optional-description=\"temp\" />\n"
        "</Variables>\n\n"
        "</ModelConfig>\n"
        "</Configuration>\n";
    ASSERT_TRUE(Load(text));
    std::ostringstream out;
    ModelNamed(m_system, "BW Home Stay").WriteXml(out);
    EXPECT_EQ("<Configuration>\n" + out.str() + "</Configuration>\n", text);
}

}  // namespace
