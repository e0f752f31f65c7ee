// Each model of the sample model file in turn gets 5 added to, then taken from,
// the coefficients of its terms (of a multinomial logit, one alternative's: an
// equal shift of all cancels), and the sample region is run with it. A model
// the models list marks unused leaves every output byte as it was; any other
// changes some, unless it acts only on what the sample region lacks.

#include "bench/RunHarness.h"

#include "household/COutputFileSet.h"
#include "platform/NumberText.h"
#include "support/TestDatabase.h"
#include "tools/ModelFileLists.h"
#include "tools/SampleRegionGenerator.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Models that act, but not on the sample region, and why.
const std::map<std::string, std::string> kActingElsewhere = {
    {"Joint Tour Vehicle", "its terms read 0 unless a joint activity of three or more lies over 15 miles from "
                           "home; no two zones of the sample region lie 8 miles apart"}};

// One ctest case per range of models, so that ctest runs them side by side.
constexpr int kRanges = 8;
constexpr int kModelsPerRange = 16;

std::vector<pugi::xml_node> Models(const pugi::xml_document& file) {
    const auto elements = file.child("Configuration").children("ModelConfig");
    return {elements.begin(), elements.end()};
}

void Shift(pugi::xml_node model, double delta) {
    pugi::xml_node terms = model.child("Variables");
    for (pugi::xml_node alternative : model.child("Alternatives").children("Alternative"))
        if (alternative.child("Variables").child("Variable")) {
            terms = alternative.child("Variables");
            break;
        }
    for (pugi::xml_node term : terms.children("Variable"))
        term.attribute("value").set_value(NumberText::Fixed(term.attribute("value").as_double() + delta).c_str());
}

// The sample region and the sample model file are read once per test program;
// every run starts from the file as read, with at most one model shifted.
class ModelShiftTest : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        s_db = TestDatabase::Create("SQLite");
        CDatabase writer;
        writer.OpenEx(s_db->Connect(), false);
        SampleRegionGenerator(SampleRegionGenerator::Options{}).Write(writer);
        fs::create_directories(Folder());
        fs::current_path(Folder());  // the trace file goes here
        const char* source = std::getenv("TOLVAR_SOURCE_DIR");
        ASSERT_TRUE(s_sample.load_file((std::string(source ? source : ".") + "/sample/tolvar-sample.tvm").c_str()));
        s_unshifted = Output(s_sample);
        ASSERT_FALSE(s_unshifted.empty());
    }
    static void TearDownTestSuite() {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(Folder());
        s_db.reset();
    }
    static fs::path Folder() {
        return fs::temp_directory_path() / ("tolvar-model-shift-" + NumberText::Integer(getpid()));
    }

    // The output files of a run with the model file, in one text: one household
    // loop, which writes the lines the ten write, in the ten files of thread 1.
    static std::string Output(const pugi::xml_document& file) {
        RunHarnessOptions options;
        options.connect = s_db->Connect();
        options.model = (Folder() / "models.tvm").string();
        options.out = (Folder() / "out").string();
        file.save_file(options.model.c_str());
        fs::remove_all(options.out);
        EXPECT_TRUE(RunHarness::RunSingleLoop(options).Succeeded());
        std::string text;
        for (const auto name : COutputFileSet::DefaultOutputNames()) {
            std::ifstream in(Folder() / "out" / (std::string(name) + "1"), std::ios::binary);
            text.append(std::istreambuf_iterator<char>(in), {});
        }
        return text;
    }
    static bool Changes(int model, double delta) {
        pugi::xml_document shifted;
        shifted.reset(s_sample);
        Shift(Models(shifted).at(model), delta);
        return Output(shifted) != s_unshifted;
    }

    static inline std::unique_ptr<TestDatabase> s_db;
    static inline pugi::xml_document s_sample;
    static inline std::string s_unshifted;
};

TEST_P(ModelShiftTest, AModelChangesTheOutputExactlyWhenTheListSaysItActs) {
    const auto models = Models(s_sample);
    ASSERT_EQ((models.size() + kModelsPerRange - 1) / kModelsPerRange, kRanges);  // each model in one range
    const int end = std::min<int>((GetParam() + 1) * kModelsPerRange, static_cast<int>(models.size()));
    for (int i = GetParam() * kModelsPerRange; i < end; ++i) {
        const std::string name = models[i].attribute("id").value();
        const bool unused = model_file_lists::IsUnusedInRuns(name);
        const auto elsewhere = kActingElsewhere.find(name);
        EXPECT_FALSE(unused && elsewhere != kActingElsewhere.end()) << name << " is marked unused";
        const bool acts = !unused && elsewhere == kActingElsewhere.end();
        EXPECT_EQ(Changes(i, 5.0) || Changes(i, -5.0), acts)
            << "model " << i + 1 << " \"" << name << "\" is "
            << (unused ? "marked unused" : acts ? "marked as acting" : "listed: " + elsewhere->second);
    }
}

INSTANTIATE_TEST_SUITE_P(Sample, ModelShiftTest, ::testing::Range(0, kRanges));

}  // namespace
