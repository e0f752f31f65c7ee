#pragma once
// Fixed tables of the output checker: the name of each rule, the kinds of the
// fields of each output file, and the person flag each stop activity needs.

#include <string_view>

namespace output_check {

// Kinds of the fields of a line, one letter per field: 'U' a household id
// (unsigned integer), 'I' an integer, 'B' a flag (0 or 1), 'D' a double in
// general notation with six significant digits, 'F' a floored double (a whole
// number in that notation). Empty for a file whose lines are not checked.
std::string_view FieldKinds(int stream);

// Text of a rule of COutputChecker::Rule, by its value.
const char* RuleText(int rule);

// The field of an adult's person line that carries the flag a stop of
// activity type 0-9 needs; -1 for another type.
int AdultFlagFieldOfActivity(int activityType);

}  // namespace output_check
