#pragma once
// The fixed descriptions of the computed variables (variable IDs 30000 and up)
// that the model editors list under the source "Other" and that term display
// shows after a coefficient. Display only: a variable's value never depends on
// these texts.

#include <span>
#include <string_view>

// One stored description: the variable ID whose registry slot receives the text,
// and the text as stored (normally the ID, one blank and the description).
struct SComputedVariableText {
    int id;
    std::string_view text;
};

// Every stored description, in ascending ID order, each ID once.
std::span<const SComputedVariableText> ComputedVariableTexts();
