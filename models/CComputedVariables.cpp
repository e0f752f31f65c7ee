#include "models/CComputedVariables.h"

#include "models/ComputedVariableTable.h"

double CComputedVariables::Evaluate(int index, const CVariableEvaluator::Frame& frame) {
    // The lookup answers null outside 0 to 920 and for an index without a definition.
    const ComputedVariableDefinition* definition = FindComputedVariableDefinition(index);
    return (definition != nullptr && definition->compute != nullptr) ? definition->compute(frame) : 0.0;
}
