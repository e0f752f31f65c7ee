// The recipes of docs/input-data.md, run as written on the sample region exported to CSV files with headers.

#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "support/TestDatabase.h"
#include "tools/SampleRegionSchema.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) { return {std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}}; }

class InputDataRecipeTest : public ::testing::TestWithParam<std::string> {};

TEST_P(InputDataRecipeTest, TheRecipeLoadsTheRegionFromCsvFilesAndItsRunWritesTheSameFiles) {
    if (std::getenv("TOLVAR_SOURCE_DIR") == nullptr) GTEST_SKIP() << "TOLVAR_SOURCE_DIR is not set";
    const fs::path source = std::getenv("TOLVAR_SOURCE_DIR");
    const auto target = TestDatabase::Create(GetParam(), false);  // created by the recipe
    const fs::path folder = fs::temp_directory_path() / ("tolvar-recipe-" + NumberText::Integer(getpid()) + GetParam());
    fs::create_directories(folder / "csv");
    fs::create_directory_symlink(fs::read_symlink("/proc/self/exe").parent_path().parent_path(), folder / "build");
    fs::create_symlink(source / "sample/tolvar-sample.tvm", folder / "my-models.tvm");
    // The region generated, exported and run; the recipe's blocks, the first followed by the test's values.
    std::string script = "set -e -o pipefail\ncd " + folder.string() + R"(
build/tools/tolvar-sample-region --zones 25 --households 200 --seed 1 --sqlite region.db
for t in households persons zones zone2zone losdir VehicleMake $(sqlite3 region.db "SELECT tbname FROM losdir"); do
  sqlite3 -header -csv region.db "SELECT * FROM $t" > csv/$t.csv
done
build/bench/tolvar-run --connect "Driver=SQLite3;Database=$PWD/region.db;" --model my-models.tvm --out reference
)";
    std::string values = std::regex_replace(target->Connect(), std::regex("(\\w+)=([^;]*);?"), "$1='$2'\n") +
                         "export DB=$Database HOST=$Server PORT=$Port DBUSER=$Uid PGPASSWORD=$Pwd CSV=$PWD/csv\n";
    static const std::regex block("```sh\\n([\\s\\S]*?)```");
    const std::string page = ReadFile(source / "docs/input-data.md");
    const size_t begin = page.find("\n## A " + GetParam() + " recipe\n");
    ASSERT_NE(begin, std::string::npos);
    const std::string section = page.substr(begin, page.find("\n## ", begin + 1) - begin);
    for (std::sregex_iterator it(section.begin(), section.end(), block), end; it != end; ++it, values.clear())
        script += (*it)[1].str() + values;
    std::ofstream(folder / "recipe.sh") << script << "diff -r reference run\n";
    const std::string log = (folder / "log").string();
    ASSERT_EQ(std::system(("bash " + folder.string() + "/recipe.sh > " + log + " 2>&1").c_str()), 0) << ReadFile(log);
    EXPECT_EQ(ReadFile(log).find("warning"), std::string::npos) << ReadFile(log);
    // Indexed: households twice, persons, zone2zone and each level-of-service table once.
    std::multiset<std::string> expected{"households", "households", "persons", "zone2zone"}, indexed;
    for (const auto& period : SampleRegionSchema::kPeriods) expected.insert(std::string(period.table));
    CDatabase reader;
    reader.OpenEx(target->Connect());
    CRecordset indexes(&reader);
    indexes.Open(target->IsPostgreSQL() ? "SELECT tablename FROM pg_indexes WHERE schemaname = 'public'"
                                        : "SELECT tbl_name FROM sqlite_master WHERE type = 'index'");
    for (; !indexes.IsEOF(); indexes.MoveNext()) indexed.insert(indexes.GetText(0));
    EXPECT_EQ(indexed, expected);
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Db, InputDataRecipeTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
