#pragma once
// Number text of the model editors' fields. A field shows the shortest text
// that reads back to exactly the value it shows, so that a dialog opened and
// closed with OK hands back every value unchanged. A value the models would
// draw with must be finite: the readers here refuse infinities, NaN and
// numbers beyond the range of their type.

#include <string>
#include <string_view>

namespace EditorNumberText {

// The coefficient typed for a new term, read as the editors always have: the
// longest numeric prefix after leading blanks ("0.5x" gives 0.5), 0.0 for text
// without one. False, with `value` untouched, when that prefix is not a finite
// double ("inf", "nan", "1e999"): such a term would spoil every utility.
bool ReadCoefficient(std::string_view text, double& value);

// A whole field (blanks around it allowed) holding one finite number. False,
// with `value` untouched, for anything else.
bool ParseFinite(std::string_view text, double& value);
bool ParseFinite(std::string_view text, float& value);

// Shortest text that reads back to exactly the same value of its type.
std::string Shortest(double value);
std::string Shortest(float value);

}  // namespace EditorNumberText
