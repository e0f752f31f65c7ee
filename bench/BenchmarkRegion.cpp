#include "bench/BenchmarkRegion.h"

#include "platform/CDatabase.h"
#include "platform/NumberText.h"
#include "tools/SampleRegionGenerator.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <unistd.h>
#include <utility>

const BenchmarkRegion& BenchmarkRegion::Get(int zones, int households) {
    static std::mutex mutex;
    static std::map<std::pair<int, int>, std::unique_ptr<BenchmarkRegion>> regions;
    std::lock_guard<std::mutex> lock(mutex);
    auto& region = regions[{zones, households}];
    if (!region) region.reset(new BenchmarkRegion(zones, households));
    return *region;
}

std::string BenchmarkRegion::ConnectOrGenerate(int zones, int households) {
    if (const char* connect = std::getenv("TOLVAR_BENCH_CONNECT"); connect && *connect) return connect;
    return Get(zones, households).Connect();
}

BenchmarkRegion::BenchmarkRegion(int zones, int households) {
    const auto folder = std::filesystem::temp_directory_path();
    m_file = (folder / ("tolvar-bench-" + NumberText::Integer(getpid()) + "-" + NumberText::Integer(zones) + "-" +
                        NumberText::Integer(households) + ".db"))
                 .string();
    std::filesystem::remove(m_file);
    m_connect = "Driver=SQLite3;Database=" + m_file + ";";

    SampleRegionGenerator::Options options;
    options.zones = zones;
    options.households = households;
    options.seed = 1;
    CDatabase writer;
    writer.OpenEx(m_connect, false);
    SampleRegionGenerator(options).Write(writer);
    writer.Close();
}

BenchmarkRegion::~BenchmarkRegion() {
    std::error_code ignored;
    std::filesystem::remove(m_file, ignored);
}
