#pragma once
// The computed variables that each model's editor offers under the variable
// source "Other". Each list holds registry indices (variable ID - 30000) in the
// order the editor shows them; several models share one list, for example the
// four models of a per-tour vector. A model that appears in no list offers no
// computed variables. The lists only guide the editors: the model-parameter
// file and the evaluation accept any variable ID.

#include <span>

struct SAdmissibleVariableList {
    std::span<const char* const> models;  // names of the models that share the list
    std::span<const int> indices;         // registry indices, in editor order
};

// Every list of the catalogue, each naming its models exactly as the catalogue
// spells them.
std::span<const SAdmissibleVariableList> AdmissibleVariableLists();
