#include "models/CRegressMM.h"

#include "modelsystem/CEditorRegistry.h"

#include <cmath>

CRegressMM::CRegressMM(CModelSystem* owner, const std::string& name) {
    m_pOwner = owner;
    m_name = name;
}

void CRegressMM::Edit() {
    Parameters edited{m_terms, m_dVariance};
    if (!CEditorRegistry::Run(*this, edited)) return;
    if (!SetVariance(edited.variance)) return;
    m_terms = edited.terms;
}

double CRegressMM::Predict(CStop* stop) {
    EvaluateTerms(m_terms, stop);
    return Draw();
}

double CRegressMM::Predict(CTour* tour) {
    EvaluateTerms(m_terms, tour);
    return Draw();
}

double CRegressMM::Predict(CPattern* pattern) {
    EvaluateTerms(m_terms, pattern);
    return Draw();
}

double CRegressMM::Predict(CPersonObject* person) {
    EvaluateTerms(m_terms, person);
    return Draw();
}

double CRegressMM::Predict(CHouseholdObject* household) {
    EvaluateTerms(m_terms, household);
    return Draw();
}

double CRegressMM::Draw() {
    const double v = m_terms.Utility();
    const double z = DrawStandardNormal();
    return z * std::sqrt(m_dVariance) + v;
}

void CRegressMM::CopyParameters(const CRegressMM& other) {
    m_terms = other.m_terms;
    m_dVariance = other.m_dVariance;
}

bool CRegressMM::IsValidVariance(double variance) { return std::isfinite(variance) && variance >= 0.0; }

bool CRegressMM::SetVariance(double variance) {
    if (!IsValidVariance(variance)) {
        ReportRejected("the variance of a regression must be a number not below 0; the model was not changed.");
        return false;
    }
    m_dVariance = variance;
    return true;
}
