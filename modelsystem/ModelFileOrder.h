#pragma once
// The order in which the model-parameter file and the text form list the
// models, by model name. Both lists hold every model the matching reader
// accepts, so that a file saved and loaded again keeps all parameters.

#include <array>
#include <string_view>

namespace ModelFileOrder {

// ModelConfig elements of a saved model-parameter file: the 103 models of the
// classic file in their classic order, then the 24 models that a file may also
// carry (MDCEV models, fraction split, vehicle models, durations).
extern const std::array<std::string_view, 127> kXmlModels;

// Records of the text form: the 101 models of the classic text file in their
// order, then the 11 duration models its reader also accepts. The reader
// accepts exactly these names, letter case included.
extern const std::array<std::string_view, 112> kTextModels;

}  // namespace ModelFileOrder
