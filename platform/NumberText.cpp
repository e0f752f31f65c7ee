#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace NumberText {

namespace {

std::string Format(double value, std::chars_format format, int precision) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string Fixed(double value, int decimals) {
    return Format(value, std::chars_format::fixed, decimals < 0 ? 6 : decimals);
}

std::string General(double value, int precision) {
    return Format(value, std::chars_format::general, precision <= 0 ? 1 : precision);
}

std::string Shortest(double value) {
    if (std::isnan(value) || std::isinf(value)) return Format(value, std::chars_format::general, 6);
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Integer(long long value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool Parse(std::string_view text, double& value) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double parsed = 0.0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    value = parsed;
    return true;
}

bool Parse(std::string_view text, long long& value) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    long long parsed = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    value = parsed;
    return true;
}

double ToDouble(std::string_view text) {
    double value = 0.0;
    return Parse(text, value) ? value : 0.0;
}

}  // namespace NumberText
