#pragma once
// The two lists of docs/model-file.md that the code's own tables give, as
// Markdown: the computed variables (the registry's texts, and whether the
// evaluator computes a value for them) and the models a model-parameter file
// can carry (each model's name and class as a saved file writes them, with
// the decision it is evaluated for and what its result means). A test keeps
// the document equal to them.

#include <string>
#include <string_view>

namespace model_file_lists {

// Markers that enclose a generated list in the document.
std::string BeginMarker(std::string_view list);
std::string EndMarker(std::string_view list);

inline constexpr std::string_view kComputedVariables = "computed-variables";
inline constexpr std::string_view kModels = "models";

// The Markdown table of each list, without its markers.
std::string ComputedVariablesTable();
std::string ModelsTable();

// Whether the models list says of the named model that a run never uses it
// (its terms may change without any output changing). Throws
// std::logic_error for a name the list lacks.
bool IsUnusedInRuns(const std::string& name);

// The document with the text between the markers of `list` replaced; the
// document unchanged when it lacks the markers.
std::string WithList(const std::string& document, std::string_view list, const std::string& table);
// The text between the markers of `list`; empty when they are missing.
std::string ListIn(const std::string& document, std::string_view list);

}  // namespace model_file_lists
