#include "models/CVariableEvaluator.h"

#include <vector>

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "models/CComputedVariables.h"
#include "models/CVariableSet.h"
#include "schedules/CNWPattern.h"
#include "schedules/CPattern.h"
#include "schedules/CWPattern.h"

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
    if (person != nullptr && pattern != nullptr) {
        // A worker's (or student's) day is a worker pattern, anyone else's a
        // non-worker pattern; a pattern of the other kind is not taken as either.
        if (person->GetFlag(0))
            frame.workerPattern = dynamic_cast<CWPattern*>(pattern);
        else
            frame.nonWorkerPattern = dynamic_cast<CNWPattern*>(pattern);
    }
    return frame;
}

bool CVariableEvaluator::Evaluate(int variableId, const Frame& frame, double& value) {
    if (variableId < 0) return false;
    const int source = CVariableSet::SourceOf(variableId);
    const int index = CVariableSet::IndexOf(variableId);
    switch (source) {
    case CVariableSet::kHouseholdSource:
        value = frame.household != nullptr ? RowValue(frame.household->GetValues(), index) : 0.0;
        return true;
    case CVariableSet::kPersonSource:
        value = frame.person != nullptr ? RowValue(frame.person->GetValues(), index) : 0.0;
        return true;
    case CVariableSet::kHomeZoneSource:
        value = frame.household != nullptr ? ZoneValue(frame.manager, index, frame.homeZone) : 0.0;
        return true;
    case CVariableSet::kComputedSource:
        return CComputedVariables::Evaluate(index, frame, value);
    case CVariableSet::kActivityZoneSource:
        value = frame.person != nullptr ? ZoneValue(frame.manager, index, frame.person->GetActivityZone()) : 0.0;
        return true;
    default:
        return false;
    }
}

void CVariableEvaluator::ComputeValues(CVariableSet& terms, CInputDataManager* manager, CHouseholdObject* household,
                                       CPersonObject* person, CPattern* pattern, CTour* tour, CStop* stop,
                                       CModelSystem* owner) {
    const std::size_t count = terms.m_variableIds.size();
    terms.m_values.resize(count, 0.0);
    const Frame frame = MakeFrame(manager, household, person, pattern, tour, stop, owner);
    for (std::size_t i = 0; i < count; ++i) {
        double value = 0.0;
        if (Evaluate(terms.m_variableIds[i], frame, value)) terms.m_values[i] = value;
    }
}
