// Vehicles.out of a household loop run with the sample model file, on both
// databases: every household's lines are numbered 0 to n - 1 in order, carry
// a vehicle type 1-9 and group 1-6 with no pair twice, a make of the pair's
// rows, and primary drivers that are distinct adults until the adults run
// out, -1 from then on. The lines do not depend on the thread that ran them.

#include "LoopTestRegion.h"

#include "modelsystem/CModelParameterFile.h"
#include "platform/NumberText.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using LoopFiles::Lines;

constexpr int kZones = 9;
constexpr int kHouseholds = 30;

std::filesystem::path SampleModelFile() {
    const char* source = std::getenv("TOLVAR_SOURCE_DIR");
    return std::filesystem::path(source ? source : "..") / "sample" / "tolvar-sample.tvm";
}

std::vector<long long> Fields(const std::string& line) {
    std::vector<long long> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) {
        double value = 0.0;
        EXPECT_TRUE(NumberText::Parse(field, value)) << line;
        fields.push_back(static_cast<long long>(value));
    }
    return fields;
}

class VehicleLinesTest : public ::testing::TestWithParam<std::string> {
protected:
    // The Vehicles.out lines of a run of all households on one thread.
    std::vector<std::string> Run(LoopTestRegion& region, int threadIndex) {
        const std::filesystem::path out = region.Folder() / ("out" + NumberText::Integer(threadIndex));
        std::filesystem::create_directories(out);
        SingleLoop loop(region.Connect(), threadIndex);
        loop.SetShare(0, kHouseholds);
        loop.SetOutputFolder(out);
        EXPECT_TRUE(CModelParameterFile().LoadXml(SampleModelFile().string(), loop.models));
        loop.Run();
        return Lines(out / ("Vehicles.out" + NumberText::Integer(threadIndex + 1)));
    }

    RecordingMessageSink messages;
};

}  // namespace

TEST_P(VehicleLinesTest, LinesAreWellFormedAndIndependentOfTheThread) {
    LoopTestRegion region(GetParam(), kZones, kHouseholds);
    const std::vector<std::string> lines = Run(region, 0);
    ASSERT_FALSE(lines.empty());

    std::map<long long, std::vector<std::vector<long long>>> byHousehold;
    for (const std::string& line : lines) {
        const std::vector<long long> f = Fields(line);
        ASSERT_EQ(f.size(), 7u) << line;
        byHousehold[f[0]].push_back(f);
    }
    for (const auto& [id, vehicles] : byHousehold) {
        std::set<std::string> adults;
        for (const std::string& key : region.PersonKeys(id, true)) adults.insert(key);
        std::set<long long> pairs, drivers;
        bool noDriverYet = false;
        for (std::size_t k = 0; k < vehicles.size(); ++k) {
            const std::vector<long long>& v = vehicles[k];
            EXPECT_EQ(v[1], static_cast<long long>(k)) << id;
            EXPECT_TRUE(v[2] >= 1 && v[2] <= 9 && v[3] >= 1 && v[3] <= 6) << id;
            EXPECT_TRUE(pairs.insert(10 * v[2] + v[3]).second) << "pair twice in " << id;
            EXPECT_GE(v[4], 0) << "every key of the region has make rows";  // sample region: 2 to 5 per key
            EXPECT_LT(v[4], 5);
            if (v[5] == -1) {
                noDriverYet = true;
                continue;
            }
            EXPECT_FALSE(noDriverYet) << "a driver after a vehicle without one in " << id;
            EXPECT_TRUE(drivers.insert(v[5]).second) << "driver twice in " << id;
            EXPECT_EQ(adults.count(NumberText::Integer(id) + "\t" + NumberText::Integer(v[5])), 1u) << id;
        }
        // A vehicle goes without a driver only when every adult drives another.
        if (noDriverYet) {
            EXPECT_EQ(drivers.size(), adults.size()) << id;
        }
    }
    EXPECT_EQ(Run(region, 6), lines);
}

INSTANTIATE_TEST_SUITE_P(Db, VehicleLinesTest, ::testing::ValuesIn(TestDatabase::Kinds()), TestDatabase::KindName);
