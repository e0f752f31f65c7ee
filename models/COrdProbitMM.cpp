#include "models/COrdProbitMM.h"

#include "modelsystem/CEditorRegistry.h"

#include <cstddef>

COrdProbitMM::COrdProbitMM(CModelSystem* owner, const std::string& name, int categoryCount) {
    m_pOwner = owner;
    m_name = name;
    m_nCategoryCount = categoryCount;
}

void COrdProbitMM::Edit() {
    Parameters edited{m_terms, m_thresholds};
    if (!CEditorRegistry::Run(*this, edited)) return;
    m_terms = edited.terms;
    m_thresholds = edited.thresholds;
}

int COrdProbitMM::Choose(CTour* tour) {
    EvaluateTerms(m_terms, tour);
    return Draw();
}

int COrdProbitMM::Choose(CPattern* pattern) {
    EvaluateTerms(m_terms, pattern);
    return Draw();
}

int COrdProbitMM::Draw() {
    const double v = m_terms.Utility();
    const double y = v + DrawStandardNormal();
    const std::size_t n = m_thresholds.size();
    for (std::size_t i = 0; i < n; ++i)
        if (m_thresholds[i] >= y) return static_cast<int>(i) + 1;
    return static_cast<int>(n) + 1;
}

void COrdProbitMM::CopyParameters(const COrdProbitMM& other) {
    m_terms = other.m_terms;
    m_thresholds = other.m_thresholds;
}
