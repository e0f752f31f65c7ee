#include "models/CBLogitMM.h"

#include "models/ModelConfigXml.h"
#include "models/ModelTextRecord.h"
#include "modelsystem/CEditorRegistry.h"

#include <cmath>
#include <istream>
#include <memory>
#include <ostream>
#include <pugixml.hpp>

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

namespace {

const char* const kTypeText = "class CBLogitMM * __ptr64";

}  // namespace

std::unique_ptr<CModelModule::ParsedParameters> CBLogitMM::ParseText(std::istream& in, std::string& error) const {
    Parameters read;
    if (!ModelTextRecord::ReadTerms(in, read.terms, error)) return nullptr;
    if (!ModelTextRecord::ReadRestOfLine(in, error)) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CBLogitMM::WriteText(std::ostream& out) const {
    ModelTextRecord::WriteHeader(out, kTypeText, m_name);
    ModelTextRecord::WriteTerms(out, m_terms);
}

std::unique_ptr<CModelModule::ParsedParameters> CBLogitMM::ParseXml(const pugi::xml_node& element,
                                                                    std::string& error) const {
    Parameters read;
    if (!ModelConfigXml::ReadVariables(element, read.terms, error)) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CBLogitMM::WriteXml(std::ostream& out) const {
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    ModelConfigXml::WriteVariables(out, m_terms, "unavailable", "\n\n");
    ModelConfigXml::WriteEndTag(out);
}

void CBLogitMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_terms = read->parameters.terms;
}
