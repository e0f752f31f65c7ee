#include "editors/EditorNumberText.h"

#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace EditorNumberText {

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const char* blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// from_chars takes no leading '+'; atof does.
std::string_view DropPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+' && (text.size() == 1 || text[1] != '-')) text.remove_prefix(1);
    return text;
}

template <class T>
bool ParseWhole(std::string_view text, T& value) {
    text = DropPlus(TrimBlanks(text));
    if (text.empty()) return false;
    T parsed{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    if (!std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

bool ReadCoefficient(std::string_view text, double& value) {
    text = DropPlus(TrimBlanks(text));
    double parsed = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec == std::errc::invalid_argument) {
        value = 0.0;  // no numeric prefix at all
        return true;
    }
    // Out of range (overflow or underflow) or an infinity or NaN spelt out.
    if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool ParseFinite(std::string_view text, double& value) { return ParseWhole(text, value); }

bool ParseFinite(std::string_view text, float& value) { return ParseWhole(text, value); }

std::string Shortest(double value) { return NumberText::Shortest(value); }

std::string Shortest(float value) {
    if (!std::isfinite(value)) return NumberText::Shortest(static_cast<double>(value));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace EditorNumberText
