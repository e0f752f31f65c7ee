#pragma once
// The one command-line convention of the project's small programs (the
// headless run, the region generator, the output checker, the run summary, the
// picture and screenshot programs, the sample model file writer):
//
// - "--help" (or "-h") prints a short description, the usage, the options and
//   the exit statuses to standard output, and the program exits 0;
// - an unknown option, a missing value or a stray argument prints
//   "PROGRAM: what is wrong" and the usage to standard error, exit status 2;
// - a failure prints "PROGRAM: error: what failed" to standard error,
//   normally with exit status 1.
//
// Options are "--name value" or "--name=value"; a switch takes no value. A
// separate value may not begin with "--" nor be "-h": "--out --timers" lacks
// the value of --out, and "--out=--timers" names a folder "--timers". The
// parser only splits the arguments: each program checks the values itself,
// in the order they were given, and says what is wrong through WrongText.

#include <span>
#include <string>
#include <string_view>
#include <vector>

class CCommandLine {
public:
    struct SOption {
        std::string_view name;   // "--connect"
        std::string_view value;  // what the value stands for ("STRING"); empty for a switch
        std::string_view help;   // its meaning; "\n" starts another line of it
    };
    struct SExitStatus {
        int code;
        std::string_view meaning;
    };
    struct SProgram {
        std::string_view name;         // the program's own name, whatever path started it
        std::string_view synopsis;     // the usage after the name
        std::string_view description;  // what the program does, a few lines
        std::span<const SOption> options;
        int maxOperands = 0;           // arguments that are not options, at most
        std::string_view notes;        // printed after the options (may be empty)
        // 0 and 1 as the program uses them; status 2, a wrong command line, is
        // added by the convention.
        std::span<const SExitStatus> exitStatuses;
    };
    // One option as given, in command-line order.
    struct SGiven {
        std::string name;
        std::string value;
    };
    enum class EParse { kRun, kHelp, kWrong };

    static constexpr int kWrongCommandLine = 2;

    explicit CCommandLine(const SProgram& program);

    // Splits the arguments that follow the program name. kWrong leaves the
    // reason in Error().
    EParse Parse(const std::vector<std::string>& arguments);
    // The same for a parser class of a program's own: false for a wrong
    // command line, the reason in `error`; true otherwise, `help` telling
    // whether --help was asked for.
    bool Parse(const std::vector<std::string>& arguments, bool& help, std::string& error);

    const std::vector<SGiven>& Given() const { return m_given; }
    const std::vector<std::string>& Operands() const { return m_operands; }
    bool Has(std::string_view name) const;
    // The value given last for the option; the fallback when it was not given.
    std::string Value(std::string_view name, const std::string& fallback = {}) const;
    const std::string& Error() const { return m_error; }

    const SProgram& Program() const { return m_program; }
    // "Usage: PROGRAM SYNOPSIS" and the pointer to --help.
    std::string Usage() const;
    // Description, usage, options, notes and exit statuses.
    std::string Help() const;
    // "PROGRAM: what" and the usage: the text of a wrong command line.
    std::string WrongText(const std::string& what) const;
    // "PROGRAM: error: what": the line of a failure.
    std::string FailureText(const std::string& what) const;

    // For main(): print the help to standard output and give 0; print a wrong
    // command line (the parser's own reason when `what` is empty) to standard
    // error and give 2; print a failure to standard error and give `status`.
    int ShowHelp() const;
    int Wrong(const std::string& what = {}) const;
    int Fail(const std::string& what, int status = 1) const;

    // The arguments that follow the program name in argv.
    static std::vector<std::string> Arguments(int argc, char** argv);
    // Runs Parse on argv and answers --help and a wrong command line: returns
    // true when the program should go on with its work, else false with the
    // exit status in `status`.
    bool ParseMain(int argc, char** argv, int& status);

private:
    // "Usage: PROGRAM SYNOPSIS", the synopsis's lines under each other.
    std::string UsageLine() const;
    const SOption* Find(std::string_view name) const;
    EParse Wrongly(std::string what);

    SProgram m_program;
    std::vector<SGiven> m_given;
    std::vector<std::string> m_operands;
    std::string m_error;
};
