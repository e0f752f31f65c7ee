#include "models/COrdProbitMM.h"

#include "models/ModelConfigXml.h"
#include "modelsystem/CEditorRegistry.h"
#include "platform/NumberText.h"

#include <cstddef>
#include <memory>
#include <ostream>
#include <pugixml.hpp>

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

namespace {

const char* const kTypeText = "class COrdProbitMM * __ptr64";

}  // namespace

bool COrdProbitMM::AreValidThresholds(const std::vector<double>& thresholds, int categoryCount) {
    const std::size_t allowed = categoryCount > 1 ? static_cast<std::size_t>(categoryCount) - 1 : 0;
    if (thresholds.size() > allowed) return false;
    for (std::size_t i = 1; i < thresholds.size(); ++i)
        if (!(thresholds[i - 1] < thresholds[i])) return false;
    return true;
}

std::unique_ptr<CModelModule::ParsedParameters> COrdProbitMM::ParseXml(const pugi::xml_node& element,
                                                                       std::string& error) const {
    Parameters read;
    if (!ModelConfigXml::ReadVariables(element, read.terms, error)) return nullptr;
    if (!ModelConfigXml::ReadThresholds(element, read.thresholds, error)) return nullptr;
    if (!AreValidThresholds(read.thresholds, m_nCategoryCount)) {
        error = "the thresholds of an ordered probit of " + NumberText::Integer(m_nCategoryCount) +
                " categories must be ascending and at most " +
                NumberText::Integer(m_nCategoryCount > 1 ? m_nCategoryCount - 1 : 0) + " (the element has " +
                NumberText::Integer(static_cast<long long>(read.thresholds.size())) + ")";
        return nullptr;
    }
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void COrdProbitMM::WriteXml(std::ostream& out) const {
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    ModelConfigXml::WriteVariables(out, m_terms, "unavailable", "\n\n");
    ModelConfigXml::WriteThresholds(out, m_thresholds);
    ModelConfigXml::WriteEndTag(out);
}

void COrdProbitMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_terms = read->parameters.terms;
    m_thresholds = read->parameters.thresholds;
}
