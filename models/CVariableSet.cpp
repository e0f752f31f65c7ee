#include "models/CVariableSet.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CZoneData.h"
#include "models/CVariableEvaluator.h"
#include "modelsystem/CComputedVariableRegistry.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

CVariableSet& CVariableSet::operator=(const CVariableSet& other) {
    if (this == &other) {
        // Assigning a set to itself keeps its terms; like every assignment it
        // leaves no computed values behind.
        m_values.clear();
        return *this;
    }
    // Copy no more terms than the source actually holds, whatever its count says.
    const std::size_t terms = std::min({static_cast<std::size_t>(std::max(other.m_nCount, 0)),
                                        other.m_variableIds.size(), other.m_coefficients.size()});
    m_nCount = static_cast<int>(terms);
    m_coefficients.clear();
    m_variableIds.clear();
    m_values.clear();
    for (std::size_t i = 0; i < terms; ++i) {
        m_coefficients.push_back(other.m_coefficients[i]);
        m_variableIds.push_back(other.m_variableIds[i]);
    }
    return *this;
}

void CVariableSet::Add(int id, double coefficient) {
    m_variableIds.push_back(id);
    m_coefficients.push_back(coefficient);
    m_nCount += 1;
}

void CVariableSet::RemoveAt(int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= m_variableIds.size() ||
        static_cast<std::size_t>(i) >= m_coefficients.size())
        return;
    m_variableIds.erase(m_variableIds.begin() + i);
    m_coefficients.erase(m_coefficients.begin() + i);
    m_nCount -= 1;
}

void CVariableSet::Clear() {
    m_nCount = 0;
    m_variableIds.clear();
    m_coefficients.clear();
    m_values.clear();
}

double CVariableSet::Utility() const {
    double v = 0.0;
    for (std::size_t i = 0; i < m_variableIds.size(); ++i) {
        const double coefficient = i < m_coefficients.size() ? m_coefficients[i] : 0.0;
        const double value = i < m_values.size() ? m_values[i] : 0.0;
        v = v + coefficient * value;
    }
    return v;
}

void CVariableSet::ComputeValues(CInputDataManager* manager, CHouseholdObject* household, CPersonObject* person,
                                 CPattern* pattern, CTour* tour, CStop* stop, CModelSystem* owner) {
    CVariableEvaluator::ComputeValues(*this, manager, household, person, pattern, tour, stop, owner);
}

std::string& CVariableSet::FormatTerm(std::string& out, int i, const std::vector<std::string>* descriptions) const {
    if (i < 0 || i >= m_nCount || static_cast<std::size_t>(i) >= m_variableIds.size() ||
        static_cast<std::size_t>(i) >= m_coefficients.size())
        throw std::out_of_range("term " + NumberText::Integer(i) + " outside the " + NumberText::Integer(m_nCount) +
                                " terms of the set");
    // The column names are class-wide and guarded by their lock; take a copy
    // of each table's names.
    std::vector<std::string> householdColumns;
    std::vector<std::string> personColumns;
    std::vector<std::string> zoneColumns;
    CHouseholdObject(nullptr).GetColumnNames(householdColumns);
    CPersonObject(nullptr).GetColumnNames(personColumns);
    CZoneData().GetColumnNames(zoneColumns);

    STermNameLists lists;
    lists.householdColumns = &householdColumns;
    lists.personColumns = &personColumns;
    lists.zoneColumns = &zoneColumns;
    lists.computedVariables = descriptions;
    const std::size_t term = static_cast<std::size_t>(i);
    out = CComputedVariableRegistry::FormatTerm(m_variableIds[term], m_coefficients[term], lists);
    return out;
}
