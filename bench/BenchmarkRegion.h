#pragma once
// The input database of a benchmark: a sample region of the given size,
// written into a temporary SQLite file on first use and removed when the
// program ends, so that every benchmark measures the same data.

#include <memory>
#include <string>

class BenchmarkRegion {
public:
    // The region of that size (seed 1), made once per program.
    static const BenchmarkRegion& Get(int zones, int households);

    // The connect string of the database the environment names in
    // TOLVAR_BENCH_CONNECT, or else of Get(zones, households).
    static std::string ConnectOrGenerate(int zones, int households);

    ~BenchmarkRegion();
    BenchmarkRegion(const BenchmarkRegion&) = delete;
    BenchmarkRegion& operator=(const BenchmarkRegion&) = delete;

    const std::string& Connect() const { return m_connect; }

private:
    BenchmarkRegion(int zones, int households);
    std::string m_file;
    std::string m_connect;
};
