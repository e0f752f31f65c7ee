// The generated lists of docs/model-file.md and input-data.md are those the code gives; with
// TOLVAR_WRITE_DOCS=1 the test writes them into the document instead.

#include "tools/InputColumnLists.h"
#include "tools/ModelFileLists.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

TEST(ModelFileLists, TheDocumentHoldsTheListsOfTheCode) {
    const char* source = std::getenv("TOLVAR_SOURCE_DIR");
    if (source == nullptr) GTEST_SKIP() << "TOLVAR_SOURCE_DIR is not set";
    const bool write = std::getenv("TOLVAR_WRITE_DOCS") != nullptr;
    using namespace model_file_lists;
    using namespace input_column_lists;
    for (const auto& [name, list, table] : {std::tuple{"model-file.md", kComputedVariables, ComputedVariablesTable()},
                                            std::tuple{"model-file.md", kModels, ModelsTable()},
                                            std::tuple{"input-data.md", kInputColumns, InputColumnsTable()}}) {
        const std::string path = std::string(source) + "/docs/" + name;
        std::ostringstream document;
        document << std::ifstream(path, std::ios::binary).rdbuf();
        std::string text = document.str();
        if (write) text = WithList(text, list, table);
        EXPECT_EQ(ListIn(text, list), table) << list << " differs from the code; run with TOLVAR_WRITE_DOCS=1";
        if (write) std::ofstream(path, std::ios::binary) << text;
    }
}

}  // namespace
