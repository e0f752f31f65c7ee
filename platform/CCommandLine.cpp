#include "platform/CCommandLine.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kShortHelpOption = "-h";
constexpr std::string_view kHelpText = "this text";
constexpr std::string_view kWrongMeaning = "a wrong command line (the reason and the usage on standard error)";

std::string OptionHead(std::string_view name, std::string_view value) {
    std::string head(name);
    if (!value.empty()) head += " " + std::string(value);
    return head;
}

constexpr size_t kWidth = 80;

// Lines of `text`, each after `indent` (the first after `first`), broken
// between words where a line would pass the width when `wrap` is set.
std::string Indented(std::string_view text, const std::string& first, const std::string& indent, bool wrap = true) {
    std::string out;
    std::string line = first;
    bool lineHasWord = false;
    size_t begin = 0;
    while (begin <= text.size()) {
        const size_t end = std::min(text.find_first_of(" \n", begin), text.size());
        const std::string_view word = text.substr(begin, end - begin);
        if (wrap && lineHasWord && line.size() + 1 + word.size() > kWidth) {
            out += line + "\n";
            line = indent;
            lineHasWord = false;
        }
        line += (lineHasWord ? " " : "") + std::string(word);
        lineHasWord = true;
        if (end == text.size() || text[end] == '\n') {
            out += line + "\n";
            line = indent;
            lineHasWord = false;
            if (end == text.size()) break;
        }
        begin = end + 1;
    }
    return out;
}

void Write(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

// An argument that cannot be the value of the option before it: another
// option, or "-h". "-5" can: the program checks it as a value.
bool IsNoValue(std::string_view argument) {
    return argument.starts_with("--") || argument == kShortHelpOption;
}

}  // namespace

CCommandLine::CCommandLine(const SProgram& program) : m_program(program) {}

const CCommandLine::SOption* CCommandLine::Find(std::string_view name) const {
    for (const SOption& option : m_program.options)
        if (option.name == name) return &option;
    return nullptr;
}

CCommandLine::EParse CCommandLine::Wrongly(std::string what) {
    m_error = std::move(what);
    return EParse::kWrong;
}

CCommandLine::EParse CCommandLine::Parse(const std::vector<std::string>& arguments) {
    m_given.clear();
    m_operands.clear();
    m_error.clear();
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == kHelpOption || argument == kShortHelpOption) return EParse::kHelp;
        const bool isOption = argument.size() > 1 && argument[0] == '-';
        if (!isOption) {
            if (static_cast<int>(m_operands.size()) >= m_program.maxOperands)
                return Wrongly("unknown argument \"" + argument + "\"");
            m_operands.push_back(argument);
            continue;
        }
        const size_t eq = argument.find('=');
        const std::string name = argument.substr(0, eq);
        const SOption* option = Find(name);
        if (option == nullptr) return Wrongly("unknown argument \"" + argument + "\"");
        if (option->value.empty()) {
            if (eq != std::string::npos) return Wrongly(name + " takes no value");
            m_given.push_back({name, {}});
        } else if (eq != std::string::npos) {
            m_given.push_back({name, argument.substr(eq + 1)});
        } else {
            if (i + 1 >= arguments.size() || IsNoValue(arguments[i + 1])) return Wrongly(name + " needs a value");
            m_given.push_back({name, arguments[++i]});
        }
    }
    return EParse::kRun;
}

bool CCommandLine::Parse(const std::vector<std::string>& arguments, bool& help, std::string& error) {
    const EParse parsed = Parse(arguments);
    help = parsed == EParse::kHelp;
    error = m_error;
    return parsed != EParse::kWrong;
}

bool CCommandLine::Has(std::string_view name) const {
    return std::any_of(m_given.begin(), m_given.end(), [&](const SGiven& given) { return given.name == name; });
}

std::string CCommandLine::Value(std::string_view name, const std::string& fallback) const {
    for (auto given = m_given.rbegin(); given != m_given.rend(); ++given)
        if (given->name == name) return given->value;
    return fallback;
}

std::string CCommandLine::UsageLine() const {
    const std::string name(m_program.name);
    return Indented(m_program.synopsis, "Usage: " + name + " ", std::string(name.size() + 8, ' '), false);
}

std::string CCommandLine::Usage() const {
    return UsageLine() + "Try \"" + std::string(m_program.name) + " --help\" for the options.\n";
}

std::string CCommandLine::Help() const {
    size_t width = kHelpOption.size();
    for (const SOption& option : m_program.options) width = std::max(width, OptionHead(option.name, option.value).size());
    const std::string indent(width + 4, ' ');
    auto optionText = [&](std::string_view name, std::string_view value, std::string_view help) {
        std::string head = "  " + OptionHead(name, value);
        head.resize(width + 4, ' ');
        return Indented(help, head, indent);
    };

    std::string text = Indented(m_program.description, "", "") + "\n" + UsageLine() + "\nOptions:\n";
    for (const SOption& option : m_program.options) text += optionText(option.name, option.value, option.help);
    text += optionText(kHelpOption, {}, kHelpText);
    if (!m_program.notes.empty()) text += "\n" + Indented(m_program.notes, "", "");
    text += "\nExit status:\n";
    for (const SExitStatus& status : m_program.exitStatuses)
        text += Indented(status.meaning, "  " + NumberText::Integer(status.code) + "  ", "     ");
    text += "  " + NumberText::Integer(kWrongCommandLine) + "  " + std::string(kWrongMeaning) + "\n";
    return text;
}

std::string CCommandLine::WrongText(const std::string& what) const {
    return std::string(m_program.name) + ": " + what + "\n" + Usage();
}

std::string CCommandLine::FailureText(const std::string& what) const {
    return std::string(m_program.name) + ": error: " + what + "\n";
}

int CCommandLine::ShowHelp() const {
    Write(stdout, Help());
    return 0;
}

int CCommandLine::Wrong(const std::string& what) const {
    Write(stderr, WrongText(what.empty() ? m_error : what));
    return kWrongCommandLine;
}

int CCommandLine::Fail(const std::string& what, int status) const {
    std::fflush(stdout);
    Write(stderr, FailureText(what));
    return status;
}

std::vector<std::string> CCommandLine::Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

bool CCommandLine::ParseMain(int argc, char** argv, int& status) {
    switch (Parse(Arguments(argc, argv))) {
        case EParse::kHelp:
            status = ShowHelp();
            return false;
        case EParse::kWrong:
            status = Wrong();
            return false;
        case EParse::kRun:
            break;
    }
    return true;
}
