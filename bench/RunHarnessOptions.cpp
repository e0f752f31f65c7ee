#include "bench/RunHarnessOptions.h"

#include "platform/NumberText.h"

#include <cmath>

bool RunHarnessOptions::Fail(const std::string& message) {
    m_error = message;
    return false;
}

bool RunHarnessOptions::Parse(const std::vector<std::string>& arguments) {
    m_error.clear();
    m_help = false;
    bool haveConnect = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        std::string value;
        bool hasValue = false;
        // Both "--option value" and "--option=value".
        if (const auto eq = option.find('='); option.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = option.substr(eq + 1);
            option = option.substr(0, eq);
            hasValue = true;
        }
        if (option == "--help" || option == "-h") {
            if (hasValue) return Fail("--help takes no value");
            m_help = true;
            continue;
        }
        if (option == "--timers") {
            if (hasValue) return Fail("--timers takes no value");
            timers = true;
            continue;
        }
        if (option != "--connect" && option != "--model" && option != "--out" && option != "--sample-rate" &&
            option != "--decisions" && option != "--loops" && option != "--los-memory")
            return Fail("unknown argument \"" + arguments[i] + "\"");
        if (!hasValue) {
            if (i + 1 >= arguments.size()) return Fail(option + " needs a value");
            value = arguments[++i];
        }
        if (option == "--connect") {
            if (value.empty()) return Fail("--connect needs a non-empty ODBC connect string");
            connect = value;
            haveConnect = true;
        } else if (option == "--model") {
            if (value.empty()) return Fail("--model needs a file name");
            model = value;
        } else if (option == "--out") {
            if (value.empty()) return Fail("--out needs a folder");
            out = value;
        } else if (option == "--loops") {
            if (value != "1" && value != "10") return Fail("--loops takes 1 or 10, not \"" + value + "\"");
            singleLoop = value == "1";
        } else if (option == "--los-memory") {
            long long megabytes = 0;
            if (!NumberText::Parse(value, megabytes) || megabytes < 0 || megabytes > (1LL << 40))
                return Fail("--los-memory takes a whole number of megabytes (0: no bound), not \"" + value + "\"");
            losMemory = megabytes == 0 ? COriginColumnStore::kUnbounded : static_cast<std::size_t>(megabytes) << 20;
        } else if (option == "--decisions") {
            if (value != "on" && value != "off") return Fail("--decisions takes on or off, not \"" + value + "\"");
            decisions = value == "on";
        } else {
            double rate = 0.0;
            if (!NumberText::Parse(value, rate) || !std::isfinite(rate))
                return Fail("--sample-rate \"" + value + "\" is not a number");
            if (rate < 0.0 || rate > 1.0)
                return Fail("--sample-rate " + value + " is outside 0 to 1 (1 simulates every household)");
            sampleRate = rate;
        }
    }
    if (m_help) return true;
    if (!haveConnect) return Fail("--connect is required");
    return true;
}

std::string RunHarnessOptions::Usage(const std::string& program) {
    return "Usage: " + program +
            " --connect \"ODBC connect string\" [--model FILE] [--out FOLDER] [--sample-rate RATE] [--timers]\n"
           "       [--decisions on|off] [--loops 1|10] [--los-memory MB]\n"
           "\n"
           "Runs the ten household loops of a simulation run without a window and prints\n"
           "the households processed, the wall time and the households per second.\n"
           "\n"
           "  --connect      ODBC connect string of the input database, for example\n"
           "                 \"Driver=SQLite3;Database=/tmp/region.db;\"\n"
           "  --model        model-parameter file (XML) loaded into the ten model systems\n"
           "  --out          folder of the output files (default: the working directory);\n"
           "                 each thread writes Adults.out1 ... Vehicles.out10 there\n"
           "  --sample-rate  fraction of the households simulated, 0 to 1 (default 1)\n"
           "  --decisions    off: load every household and write its person lines without\n"
           "                 the household decisions (the benchmark's load-and-write pass)\n"
           "  --loops        10 (default): the ten household loops on their threads;\n"
           "                 1: one loop over every household, writing the files of thread 1\n"
           "  --los-memory   memory budget of the level-of-service columns held for the\n"
           "                 run, in megabytes (default 512; 0: no bound)\n"
           "  --timers       after the run, the store of level-of-service columns (columns\n"
           "                 read, dropped, read again, hit rate, peak size) and the section\n"
           "                 timer's report: calls and milliseconds of each timed section\n"
           "                 (the lookups), all threads\n"
           "  --help         this text\n"
           "\n"
           "The trace file debug1.txt is written to the working directory.\n";
}
