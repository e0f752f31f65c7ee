#include "models/ComputedVariableTable.h"

#include <array>
#include <stdexcept>
#include <string>

#include "models/computed/CommuteVariables.h"
#include "models/computed/HouseholdVariables.h"
#include "models/computed/PersonVariables.h"
#include "models/computed/StopVariables.h"
#include "models/computed/TourVariables.h"
#include "models/computed/WorkSchoolVariables.h"
#include "models/computed/Variables340.h"

namespace {

using Lookup = std::array<const ComputedVariableDefinition*, kComputedVariableIndexCount>;

Lookup BuildLookup() {
    Lookup lookup{};
    for (ComputedVariableRows rows : ComputedVariableGroups()) {
        for (const ComputedVariableDefinition& row : rows) {
            // A row outside the index range or a second row for an index is a
            // fault of the tables themselves, found by the table's tests.
            if (row.index < 0 || row.index >= kComputedVariableIndexCount || row.compute == nullptr)
                throw std::logic_error("computed variable row " + std::to_string(row.index) + " is not valid");
            if (lookup[static_cast<std::size_t>(row.index)] != nullptr)
                throw std::logic_error("computed variable " + std::to_string(row.index) + " is defined twice");
            lookup[static_cast<std::size_t>(row.index)] = &row;
        }
    }
    return lookup;
}

}  // namespace

std::vector<ComputedVariableRows> ComputedVariableGroups() {
    return {
        HouseholdVariableRows(),
        PersonVariableRows(),
        WorkSchoolVariableRows(),
        CommuteVariableRows(),
        TourVariableRows(),
        StopVariableRows(),
        HouseholdPersonVariable340Rows(),
        JointActivityVariable340Rows(),
        ScheduleVariable340Rows(),
        CommuteZoneVariable340Rows(),
    };
}

const ComputedVariableDefinition* FindComputedVariableDefinition(int index) {
    // Built once, on first use; initialisation of a function-local static is
    // thread-safe.
    static const Lookup lookup = BuildLookup();
    if (index < 0 || index >= kComputedVariableIndexCount) return nullptr;
    return lookup[static_cast<std::size_t>(index)];
}
