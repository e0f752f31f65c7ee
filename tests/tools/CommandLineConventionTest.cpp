// Every small program answers --help (exit statuses, status 0) and an unknown
// option ("PROGRAM: unknown argument" and the usage on standard error, status 2).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

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

// " --x" and " -h" lack the value; "=--x" and " -5" reach the program's own check (in /proc no folder can be made).
TEST(CommandLineConvention, AValueIsNeverTheNextOption) {
    const struct { const char *folder, *name, *before, *option, *check; int status; } rows[] = {
        {"bench", "tolvar-run", "", "--sample-rate", "--sample-rate ", 2},
        {"tools", "tolvar-sample-region", "", "--zones", "--zones takes ", 2},
        {"tools", "tolvar-check-output", "--connect c --out o", "--sample-rate", "--sample-rate takes ", 2},
        {"app", "tolvar-screenshots", "--connect c --model m", "--out", "error: the folder \"", 1}};
    const auto build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    for (const auto& [folder, name, before, option, check, exitStatus] : rows) {
        const std::filesystem::path path = build / folder / name;
        if (!std::filesystem::exists(path)) continue;  // the window's programs need Qt
        for (const std::string value : {" --x", " -h", "=--x", " -5"}) {
            const auto [text, status] = RunCommand("cd /proc && " + path.string() + " " + before + " " + option +
                                                   value + " 2>&1 >/dev/null");
            const bool missing = value == " --x" || value == " -h";
            EXPECT_EQ(status, missing ? 2 : exitStatus) << name << value;
            const std::string said = missing ? option + std::string(" needs a value\nUsage: ") + name : check;
            EXPECT_EQ(text.rfind(name + std::string(": ") + said, 0), 0u) << text;
            if (!missing) { EXPECT_NE(text.find(value.substr(1)), std::string::npos) << text; }
        }
    }
}

}  // namespace
