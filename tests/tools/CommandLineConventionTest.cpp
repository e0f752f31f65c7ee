// Every small program of the project keeps the one command-line convention:
// --help on standard output with the exit statuses and status 0; an unknown
// option named on standard error with the usage and status 2.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

// Runs a shell command; its standard output and exit status.
std::pair<std::string, int> RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {out, -1};
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pclose(pipe);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(CommandLineConvention, EveryProgramAnswersHelpAndAnUnknownOption) {
    // The build folder: this test program stands in its tests/ folder.
    const std::filesystem::path binary = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    for (const std::string program : {"bench/tolvar-run", "tools/tolvar-sample-region", "tools/tolvar-check-output",
                                      "tools/tolvar-run-summary", "tools/make-sample-model-file",
                                      "app/tolvar-screenshots", "app/tolvar-make-pictures"}) {
        const std::filesystem::path path = binary / program;
        if (!std::filesystem::exists(path)) continue;  // the window's programs need Qt
        const std::string name = path.filename().string();

        const auto [help, helpStatus] = RunCommand(path.string() + " --help 2>/dev/null");
        EXPECT_EQ(helpStatus, 0) << name;
        EXPECT_NE(help.find("Usage: " + name + " "), std::string::npos) << help;
        EXPECT_NE(help.find("Exit status:\n  0  "), std::string::npos) << help;
        EXPECT_NE(help.find("\n  2  a wrong command line"), std::string::npos) << help;

        const auto [wrong, wrongStatus] = RunCommand(path.string() + " --bogus 2>&1 >/dev/null");
        EXPECT_EQ(wrongStatus, 2) << name;
        EXPECT_EQ(wrong.rfind(name + ": unknown argument \"--bogus\"\nUsage: " + name + " ", 0), 0u) << wrong;
    }
}

}  // namespace
