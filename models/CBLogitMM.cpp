#include "models/CBLogitMM.h"

#include "modelsystem/CEditorRegistry.h"

#include <cmath>

CBLogitMM::CBLogitMM(CModelSystem* owner, const std::string& name) {
    m_pOwner = owner;
    m_name = name;
}

void CBLogitMM::Edit() {
    Parameters edited{m_terms};
    if (!CEditorRegistry::Run(*this, edited)) return;
    m_terms = edited.terms;
}

bool CBLogitMM::Choose(CPattern* pattern) {
    EvaluateTerms(m_terms, pattern);
    return Draw();
}

bool CBLogitMM::Choose(CPersonObject* person) {
    EvaluateTerms(m_terms, person);
    return Draw();
}

bool CBLogitMM::Choose(CHouseholdObject* household) {
    EvaluateTerms(m_terms, household);
    return Draw();
}

bool CBLogitMM::Draw() {
    const double v = m_terms.Utility();
    const double u1 = DrawUniform();
    const double p = 1.0 / (std::exp(-v) + 1.0);
    return p > u1;
}

void CBLogitMM::CopyParameters(const CBLogitMM& other) { m_terms = other.m_terms; }
