#pragma once
// Locale-independent number text. The window framework sets the process locale
// from the environment, so the core never formats or parses numbers with
// printf, streams or strtod: always with these.

#include <string>
#include <string_view>

namespace NumberText {

// Fixed notation with the given number of decimals, as printf "%.*f" in the C locale.
std::string Fixed(double value, int decimals = 6);
// General notation, as printf "%.*g" in the C locale (precision 6 = "%g").
std::string General(double value, int precision = 6);
// Shortest text that reads back to exactly the same double.
std::string Shortest(double value);
// Decimal integer.
std::string Integer(long long value);

// Parses a whole number text (leading and trailing blanks allowed, a leading '+'
// accepted). False, with value untouched, when the text is not a number.
bool Parse(std::string_view text, double& value);
bool Parse(std::string_view text, long long& value);
// Parses like Parse but gives 0.0 for text that is not a number (as atof).
double ToDouble(std::string_view text);

}  // namespace NumberText
