#include "models/CComputedVariables.h"

#include "models/ComputedVariableTable.h"

bool CComputedVariables::Evaluate(int index, const CVariableEvaluator::Frame& frame, double& value) {
    if (index < 0 || index > kLastIndex) return false;
    // An index of the computed range without a definition answers 0.0.
    const ComputedVariableDefinition* definition = FindComputedVariableDefinition(index);
    value = (definition != nullptr && definition->compute != nullptr) ? definition->compute(frame) : 0.0;
    return true;
}
