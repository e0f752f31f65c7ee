// Every small program answers --help (exit statuses, status 0) and an unknown
// option ("PROGRAM: unknown argument" and the usage on standard error, status 2);
// an option's value cannot be the next option.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::pair<std::string, int> RunCommand(const std::string& command) {
    std::string out(1 << 16, '\0');
    FILE* pipe = popen(command.c_str(), "r");
    out.resize(fread(out.data(), 1, out.size(), pipe));
    const int status = pclose(pipe);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(CommandLineConvention, EveryProgramAnswersHelpAndAnUnknownOption) {
    const auto build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    for (const char* program : {"bench/tolvar-run", "tools/tolvar-sample-region", "tools/tolvar-check-output",
                                "tools/tolvar-run-summary", "tools/make-sample-model-file", "app/tolvar-screenshots",
                                "app/tolvar-make-pictures"}) {
        const std::filesystem::path path = build / program;
        if (!std::filesystem::exists(path)) continue;  // the window's programs need Qt
        const std::string name = path.filename().string();
        const auto [help, helpStatus] = RunCommand(path.string() + " --help 2>/dev/null");
        EXPECT_EQ(helpStatus, 0) << name;
        EXPECT_NE(help.find("Usage: " + name + " "), std::string::npos) << help;
        EXPECT_NE(help.find("Exit status:\n  0  "), std::string::npos) << help;
        const auto [wrong, wrongStatus] = RunCommand(path.string() + " --bogus 2>&1 >/dev/null");
        EXPECT_EQ(wrongStatus, 2) << name;
        EXPECT_EQ(wrong.rfind(name + ": unknown argument \"--bogus\"\nUsage: " + name + " ", 0), 0u) << wrong;
    }
}

// " --x" and " -h" after an option that takes a value are a missing value;
// "=--x" and " -5" reach the program's own check of the value: its answer
// starts with `check` and exits with `status`.
TEST(CommandLineConvention, AValueIsNeverTheNextOption) {
    const struct { const char *program, *before, *option, *check; int status; } rows[] = {
        {"bench/tolvar-run", "--connect c", "--sample-rate", "tolvar-run: --sample-rate ", 2},
        {"tools/tolvar-sample-region", "--sqlite s.db", "--zones", "tolvar-sample-region: --zones takes ", 2},
        {"tools/tolvar-check-output", "--connect c --out o", "--sample-rate", "tolvar-check-output: --sample-rate ", 2},
        {"app/tolvar-screenshots", "--connect c --model m", "--out", "tolvar-screenshots: error: the folder \"", 1},
    };
    // The programs run where "--x" and "-5" are files: no folder of those names can be made.
    const auto folder = std::filesystem::temp_directory_path() / ("tolvar-values-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (const char* file : {"--x", "-5"}) std::ofstream(folder / file).put('\n');
    const auto build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    for (const auto& row : rows) {
        const std::filesystem::path path = build / row.program;
        if (!std::filesystem::exists(path)) continue;  // the window's programs need Qt
        const std::string name = path.filename().string();
        for (const std::string value : {" --x", " -h", "=--x", " -5"}) {
            const auto [text, status] = RunCommand("cd " + folder.string() + " && " + path.string() + " " +
                                                   row.before + " " + row.option + value + " 2>&1 >/dev/null");
            const bool missing = value == " --x" || value == " -h";
            EXPECT_EQ(status, missing ? 2 : row.status) << name << value;
            const std::string start = missing ? name + ": " + row.option + " needs a value\nUsage: " + name : row.check;
            EXPECT_EQ(text.rfind(start, 0), 0u) << text;
            if (!missing) { EXPECT_NE(text.find(value.substr(1)), std::string::npos) << text; }
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
