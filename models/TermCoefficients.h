#pragma once
// Coefficients of a model read by variable ID rather than by position: a model
// whose terms only hold coefficients (no variable is evaluated) is read into
// vectors indexed by ID - first ID. The terms may stand in any order; a term
// listed twice under one ID adds its coefficients, as it would in a linear
// utility; an ID without a term reads 0.0. Which IDs were absent is handed to
// the caller, who decides how often to report them.

#include <string>
#include <vector>

class CVariableSet;

// Fills `out` with `count` coefficients: out[j] is the sum of the coefficients
// of the terms whose variable ID is firstId + j, 0.0 when there is none. When
// `missing` is given, the IDs without a term are appended to it in ascending
// order. Reuses the capacity of `out`.
void GatherTermCoefficients(const CVariableSet& terms, int firstId, int count, std::vector<double>& out,
                            std::vector<int>* missing = nullptr);

// The warning text for the absent IDs of a model: "Model <name> lacks the
// terms <id>, <id>, ...; their coefficients are taken as 0.0." with runs of
// consecutive IDs written as "first-last".
std::string MissingTermsText(const std::string& modelName, const std::vector<int>& ids);
