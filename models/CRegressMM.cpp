#include "models/CRegressMM.h"

#include "models/ModelConfigXml.h"
#include "models/ModelTextRecord.h"
#include "modelsystem/CEditorRegistry.h"

#include <cmath>
#include <istream>
#include <memory>
#include <ostream>
#include <pugixml.hpp>

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

namespace {

const char* const kTypeText = "class CRegressMM * __ptr64";
const char* const kNegativeVariance = "the variance of a regression must not be below 0";

}  // namespace

std::unique_ptr<CModelModule::ParsedParameters> CRegressMM::ParseText(std::istream& in, std::string& error) const {
    Parameters read;
    if (!ModelTextRecord::ReadReal(in, read.variance, "variance", error)) return nullptr;
    if (!ModelTextRecord::ReadTerms(in, read.terms, error)) return nullptr;
    if (!ModelTextRecord::ReadRestOfLine(in, error)) return nullptr;
    if (!IsValidVariance(read.variance)) {
        error = kNegativeVariance;
        return nullptr;
    }
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CRegressMM::WriteText(std::ostream& out) const {
    ModelTextRecord::WriteHeader(out, kTypeText, m_name);
    out << ModelTextRecord::Real(m_dVariance) << '\n';
    ModelTextRecord::WriteTerms(out, m_terms);
}

std::unique_ptr<CModelModule::ParsedParameters> CRegressMM::ParseXml(const pugi::xml_node& element,
                                                                     std::string& error) const {
    Parameters read;
    if (!ModelConfigXml::ReadVariables(element, read.terms, error)) return nullptr;
    if (!ModelConfigXml::ReadVariance(element, read.variance, error)) return nullptr;
    if (!IsValidVariance(read.variance)) {
        error = kNegativeVariance;
        return nullptr;
    }
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CRegressMM::WriteXml(std::ostream& out) const {
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    ModelConfigXml::WriteVariance(out, ModelConfigXml::Real(m_dVariance), "\n\n");
    ModelConfigXml::WriteVariables(out, m_terms, "temp", "\n\n");
    ModelConfigXml::WriteEndTag(out);
}

void CRegressMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_terms = read->parameters.terms;
    m_dVariance = read->parameters.variance;
}
