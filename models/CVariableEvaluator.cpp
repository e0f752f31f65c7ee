#include "models/CVariableEvaluator.h"

#include <vector>

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/CComputedVariables.h"
#include "models/CVariableSet.h"

#include <cstddef>

namespace {

// A column outside the row (a variable ID the input tables do not have) reads 0.0.
double RowValue(const std::vector<double>& row, int column) {
    return column >= 0 && static_cast<size_t>(column) < row.size() ? row[static_cast<size_t>(column)] : 0.0;
}

double ZoneValue(const CInputDataManager* manager, int column, int zone) {
    if (manager == nullptr) return 0.0;
    double value = 0.0;
    manager->GetZoneValue(value, column, zone);
    return value;
}

}  // namespace

CVariableEvaluator::Frame CVariableEvaluator::MakeFrame(CInputDataManager* manager, CHouseholdObject* household,
                                                        CPersonObject* person, CPattern* pattern, CTour* tour,
                                                        CStop* stop, CModelSystem* owner) {
    Frame frame;
    frame.manager = manager;
    frame.household = household;
    frame.person = person;
    frame.pattern = pattern;
    frame.tour = tour;
    frame.stop = stop;
    frame.owner = owner;
    frame.homeZone = household != nullptr ? household->GetHomeZone() : 0;
    return frame;
}

double CVariableEvaluator::Evaluate(int variableId, const Frame& frame) {
    if (variableId < 0) return 0.0;
    const int index = CVariableSet::IndexOf(variableId);
    switch (CVariableSet::SourceOf(variableId)) {
    case CVariableSet::kHouseholdSource:
        return frame.household != nullptr ? RowValue(frame.household->GetValues(), index) : 0.0;
    case CVariableSet::kPersonSource:
        return frame.person != nullptr ? RowValue(frame.person->GetValues(), index) : 0.0;
    case CVariableSet::kHomeZoneSource:
        return frame.household != nullptr ? ZoneValue(frame.manager, index, frame.homeZone) : 0.0;
    case CVariableSet::kComputedSource:
        return CComputedVariables::Evaluate(index, frame);
    case CVariableSet::kActivityZoneSource:
        return frame.person != nullptr ? ZoneValue(frame.manager, index, frame.person->GetActivityZone()) : 0.0;
    default:
        return 0.0;
    }
}

void CVariableEvaluator::ComputeValues(CVariableSet& terms, CInputDataManager* manager, CHouseholdObject* household,
                                       CPersonObject* person, CPattern* pattern, CTour* tour, CStop* stop,
                                       CModelSystem* owner) {
    const std::size_t count = terms.m_variableIds.size();
    terms.m_values.resize(count);
    const Frame frame = MakeFrame(manager, household, person, pattern, tour, stop, owner);
    // Every term is written, also one without a definition (0.0): a value left
    // from another decision maker never enters a utility.
    for (std::size_t i = 0; i < count; ++i) terms.m_values[i] = Evaluate(terms.m_variableIds[i], frame);
}
