// The generated lists of docs/model-file.md are those the code gives. With
// TOLVAR_WRITE_DOCS=1 in the environment the test writes them into the
// document instead of failing.

#include "tools/ModelFileLists.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

TEST(ModelFileLists, TheDocumentHoldsTheListsOfTheCode) {
    const char* source = std::getenv("TOLVAR_SOURCE_DIR");
    if (source == nullptr) GTEST_SKIP() << "TOLVAR_SOURCE_DIR is not set";
    const std::string path = std::string(source) + "/docs/model-file.md";
    std::ostringstream read;
    read << std::ifstream(path, std::ios::binary).rdbuf();
    std::string document = read.str();

    using namespace model_file_lists;
    const std::pair<std::string_view, std::string> lists[] = {{kComputedVariables, ComputedVariablesTable()},
                                                               {kModels, ModelsTable()}};
    const char* write = std::getenv("TOLVAR_WRITE_DOCS");
    for (const auto& [list, table] : lists) {
        if (write != nullptr && std::string(write) == "1") document = WithList(document, list, table);
        EXPECT_EQ(ListIn(document, list), table) << "the list \"" << list << "\" of " << path
                                                 << " differs; run this test with TOLVAR_WRITE_DOCS=1";
    }
    if (write != nullptr && std::string(write) == "1") std::ofstream(path, std::ios::binary) << document;
}

}  // namespace
