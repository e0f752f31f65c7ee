// tolvar-run: runs a whole simulation without a window, for benchmarks and
// end-to-end checks. See RunHarnessOptions for its command line.

#include "bench/CHarnessMessageSink.h"
#include "bench/RunHarness.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    CHarnessMessageSink sink(RunHarnessOptions::kProgram);
    MessageSink::Install(&sink);
    std::string out;
    std::string err;
    const int status = RunHarness::Main(CCommandLine::Arguments(argc, argv), out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    MessageSink::Install(nullptr);
    return status;
}
