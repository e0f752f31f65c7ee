#pragma once
// The headless run of tolvar-run: does what Data > Input, Models > Load,
// Data > Output and Simulation > Run do in the window, through the ten
// per-thread sets, and measures the run. The ten household loops start at once
// (the window staggers them by a second each, which a measurement must not
// count). Kept apart from main() so that tests and benchmarks can drive it.

#include "bench/RunHarnessOptions.h"
#include "data/COriginColumnStore.h"

#include <cstddef>
#include <string>
#include <vector>

class CModelSystem;

class RunHarness {
public:
    struct Result {
        std::string error;            // why the run did not take place (empty when it did)
        long householdsInDatabase = 0;  // the count Data > Input read
        int threads = 0;              // household loops run
        long processed = 0;           // households simulated (skipped ones not counted)
        int finishedThreads = 0;      // loops that reported their end
        int failedThreads = 0;        // of those, loops whose tables or households failed
        bool cancelled = false;
        double seconds = 0.0;         // wall time of the loops
        COriginColumnStore::Figures columns;  // what the store of origin columns did

        // The run took place and every loop finished without failing.
        bool Succeeded() const;
        double HouseholdsPerSecond() const;
    };

    // Ten household loops on ten threads, the households divided as Data > Input
    // divides them, each thread writing its ten files with its thread number
    // appended in the output folder (created when missing).
    static Result Run(const RunHarnessOptions& options);

    // One household loop, as thread 0, over every household of the database,
    // writing the files of thread 0 (Adults.out1, ...). The one-thread figure of
    // the benchmarks and a reference for the ten-thread output.
    static Result RunSingleLoop(const RunHarnessOptions& options);

    // "Households processed: ...", "Wall time: ... s", "Peak memory: ... MB"
    // (the process's resident set so far), "Households per second: ...", one
    // per line.
    static std::string Report(const Result& result);
    // The figures of the store of origin columns, one line.
    static std::string ColumnReport(const COriginColumnStore::Figures& figures);
    // The most resident memory the process has held, in bytes (0 unknown).
    static std::size_t PeakResidentBytes();

    // Reads the model-parameter file into every model system given, as
    // Models > Load does. False, with the reason, when it cannot.
    static bool LoadModelFile(const std::string& path, const std::vector<CModelSystem*>& systems,
                              std::string& error);

    // Exit status and output of the tolvar-run program for its arguments:
    // 0 after a successful run or --help, 1 when the run failed, 2 for a bad
    // command line.
    static int Main(const std::vector<std::string>& arguments, std::string& out, std::string& err);
};
