// The recipes of docs/input-data.md run as the page writes them: the sample
// region, exported to CSV files with a header line, is loaded and run by the
// commands of the recipe's shell blocks, and every output file equals the one a
// run of the generated region writes.

#include "platform/CDatabase.h"
#include "platform/CRecordset.h"
#include "platform/NumberText.h"
#include "support/TestDatabase.h"
#include "tools/SampleRegionSchema.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

class InputDataRecipeTest : public ::testing::TestWithParam<std::string> {};

TEST_P(InputDataRecipeTest, TheRecipeLoadsTheRegionFromCsvFilesAndItsRunWritesTheSameFiles) {
    if (std::getenv("TOLVAR_SOURCE_DIR") == nullptr) GTEST_SKIP() << "TOLVAR_SOURCE_DIR is not set";
    const fs::path source = std::getenv("TOLVAR_SOURCE_DIR");
    const auto target = TestDatabase::Reserve(GetParam());
    struct Folder : fs::path {
        ~Folder() { fs::remove_all(*this); }
    } folder{{fs::temp_directory_path() / ("tolvar-recipe-" + NumberText::Integer(getpid()) + GetParam())}};
    fs::create_directories(folder / "csv");
    fs::create_directory_symlink(fs::read_symlink("/proc/self/exe").parent_path().parent_path(), folder / "build");
    fs::create_symlink(source / "sample/tolvar-sample.tvm", folder / "my-models.tvm");

    // The sample region generated, each of its tables written to a CSV file and
    // the region run; then the recipe's blocks, the test's values following the
    // first (the variables); then every output file of the two runs compared.
    std::string script = "set -e -o pipefail\ncd " + folder.string() + R"(
build/tools/tolvar-sample-region --zones 25 --households 200 --seed 1 --sqlite region.db
for t in households persons zones zone2zone losdir VehicleMake $(sqlite3 region.db "SELECT tbname FROM losdir"); do
  sqlite3 -header -csv region.db "SELECT * FROM $t" > csv/$t.csv
done
build/bench/tolvar-run --connect "Driver=SQLite3;Database=$PWD/region.db;" --model my-models.tvm --out reference
)";
    std::string values = "export CSV=" + (folder / "csv").string() + "\n";
    const std::map<std::string, std::string> names{
        {"Database", "DB"}, {"Server", "HOST"}, {"Port", "PORT"}, {"Uid", "DBUSER"}, {"Pwd", "PGPASSWORD"}};
    static const std::regex entry("(\\w+)=([^;]*)"), block("```(\\w*)\\n([\\s\\S]*?)```");
    const std::string& connect = target->Connect();
    for (std::sregex_iterator it(connect.begin(), connect.end(), entry), end; it != end; ++it)
        if (names.count((*it)[1])) values += "export " + names.at((*it)[1]) + "='" + (*it)[2].str() + "'\n";
    const std::string page = ReadFile(source / "docs/input-data.md");
    const size_t begin = page.find("\n## A " + GetParam() + " recipe\n");
    ASSERT_NE(begin, std::string::npos);
    const std::string section = page.substr(begin, page.find("\n## ", begin + 1) - begin);
    for (std::sregex_iterator it(section.begin(), section.end(), block), end; it != end; ++it, values.clear()) {
        EXPECT_EQ((*it)[1], "sh") << "a block of the recipe that the test cannot run";
        script += (*it)[2].str() + values;
    }
    std::ofstream(folder / "recipe.sh") << script << "diff -r reference run\n";
    const std::string log = (folder / "log").string();
    ASSERT_EQ(std::system(("bash " + folder.string() + "/recipe.sh > " + log + " 2>&1").c_str()), 0) << ReadFile(log);
    EXPECT_EQ(ReadFile(log).find("warning"), std::string::npos) << ReadFile(log);

    // Indexed: households twice, persons, zone2zone and each level-of-service table once.
    std::multiset<std::string> expected{"households", "households", "persons", "zone2zone"}, indexed;
    for (const auto& period : SampleRegionSchema::kPeriods) expected.insert(std::string(period.table));
    CDatabase reader;
    reader.OpenEx(connect);
    CRecordset indexes(&reader);
    indexes.Open(target->IsPostgreSQL() ? "SELECT tablename FROM pg_indexes WHERE schemaname = 'public'"
                                        : "SELECT tbl_name FROM sqlite_master WHERE type = 'index'");
    for (; !indexes.IsEOF(); indexes.MoveNext()) indexed.insert(indexes.GetText(0));
    EXPECT_EQ(indexed, expected);
}

INSTANTIATE_TEST_SUITE_P(Db, InputDataRecipeTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);

}  // namespace
