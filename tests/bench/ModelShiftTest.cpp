// The terms of each model of the sample model file shifted by +5, then by -5, against the sample region's output.

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
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Acts only on joint activities of three or more over 15 miles from home; no two sample zones lie 8 miles apart.
const std::string kActingElsewhere = "Joint Tour Vehicle";
constexpr int kRanges = 8;  // ctest cases, run side by side: case r shifts the models r, r + 8, ...

// The sample region and model file are read once per test program; a run shifts at most one model.
struct ModelShiftTest : ::testing::TestWithParam<int> {
    static void SetUpTestSuite() {
        s_db = TestDatabase::Create("SQLite");
        CDatabase writer;
        writer.OpenEx(s_db->Connect(), false);
        SampleRegionGenerator(SampleRegionGenerator::Options{}).Write(writer);
        fs::create_directory(s_dir);
        fs::current_path(s_dir);  // the runs write their files and the trace file here
        const char* source = std::getenv("TOLVAR_SOURCE_DIR");
        ASSERT_TRUE(s_sample.load_file((std::string(source ? source : ".") + "/sample/tolvar-sample.tvm").c_str()));
        s_unshifted = Output(s_sample);
    }
    static void TearDownTestSuite() {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(s_dir);
    }
    // The ten files a single household loop writes with the model file, in one text.
    static std::string Output(const pugi::xml_document& file) {
        file.save_file("models.tvm");
        std::string out, err, text;
        EXPECT_EQ(RunHarness::Main({"--connect", s_db->Connect(), "--model", "models.tvm", "--loops", "1"}, out, err), 0)
            << err;
        for (const auto name : COutputFileSet::DefaultOutputNames()) {
            std::ifstream in(std::string(name) + "1", std::ios::binary);
            text.append(std::istreambuf_iterator<char>(in), {});
        }
        return text;
    }
    // Of a multinomial logit, one alternative's terms: an equal shift of all would cancel.
    static bool Changes(size_t model, double delta) {
        pugi::xml_document shifted;
        shifted.reset(s_sample);
        const pugi::xml_node node = shifted.select_nodes("Configuration/ModelConfig")[model].node();
        const pugi::xml_node alternative = node.select_node("Alternatives/Alternative/Variables[Variable]").node();
        for (pugi::xml_node term : (alternative ? alternative : node.child("Variables")).children("Variable"))
            term.attribute("value").set_value(NumberText::Fixed(term.attribute("value").as_double() + delta).c_str());
        return Output(shifted) != s_unshifted;
    }

    static inline std::unique_ptr<TestDatabase> s_db;
    static inline const fs::path s_dir = fs::temp_directory_path() / ("tolvar-shift-" + NumberText::Integer(getpid()));
    static inline pugi::xml_document s_sample;
    static inline std::string s_unshifted;
};

TEST_P(ModelShiftTest, AModelChangesTheOutputExactlyWhenTheListSaysItActs) {
    const pugi::xpath_node_set models = s_sample.select_nodes("Configuration/ModelConfig");
    for (size_t i = GetParam(); i < models.size(); i += kRanges) {
        const std::string name = models[i].node().attribute("id").value();
        const bool unused = model_file_lists::IsUnusedInRuns(name), elsewhere = name == kActingElsewhere;
        EXPECT_FALSE(unused && elsewhere) << name << " is marked unused";
        EXPECT_EQ(Changes(i, 5.0) || Changes(i, -5.0), !unused && !elsewhere)
            << name << (unused ? " is marked unused" : elsewhere ? " acts only elsewhere" : " is marked as acting");
    }
}

INSTANTIATE_TEST_SUITE_P(Sample, ModelShiftTest, ::testing::Range(0, kRanges));

}  // namespace
