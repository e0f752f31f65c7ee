#include "models/CMNLogitMM.h"

#include "models/CEvaluationContext.h"
#include "models/CVariableEvaluator.h"
#include "models/ModelConfigXml.h"
#include "models/ModelTextRecord.h"
#include "modelsystem/CEditorRegistry.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <cmath>
#include <cstddef>
#include <istream>
#include <memory>
#include <ostream>
#include <pugixml.hpp>
#include <string>

CMNLogitMM::CMNLogitMM(CModelSystem* owner, const std::string& name,
                       const std::map<int, std::string>* alternativeNames) {
    m_pOwner = owner;
    m_name = name;
    m_nBaseAlternative = 0;
    if (alternativeNames != nullptr) {
        m_nAlternatives = static_cast<int>(alternativeNames->size());
        for (const auto& [id, text] : *alternativeNames) {
            m_alternativeNames.emplace(id, text);
            m_availability.emplace(id, true);
            m_utilityFunctions.emplace(id, CVariableSet());
        }
    }
    m_expUtilities.reserve(m_availability.size());
}

void CMNLogitMM::Edit() {
    Parameters edited{m_nBaseAlternative, m_utilityFunctions};
    if (!CEditorRegistry::Run(*this, edited)) return;
    m_nBaseAlternative = edited.baseAlternative;
    m_utilityFunctions = edited.utilities;
}

namespace {

void EvaluateAll(std::map<int, CVariableSet>& utilities, const CEvaluationContext& context, CModelSystem* owner) {
    for (auto& [id, terms] : utilities)
        CVariableEvaluator::ComputeValues(terms, context.m_pManager, context.m_pHousehold, context.m_pPerson,
                                          context.m_pPattern, context.m_pTour, context.m_pStop, owner);
}

}  // namespace

void CMNLogitMM::ComputeValues(CStop* stop) {
    CEvaluationContext context;
    context.SetFromStop(stop);
    EvaluateAll(m_utilityFunctions, context, m_pOwner);
}

void CMNLogitMM::ComputeValues(CTour* tour) {
    CEvaluationContext context;
    context.SetFromTour(tour);
    EvaluateAll(m_utilityFunctions, context, m_pOwner);
}

void CMNLogitMM::ComputeValues(CPattern* pattern) {
    CEvaluationContext context;
    context.SetFromPattern(pattern);
    EvaluateAll(m_utilityFunctions, context, m_pOwner);
}

void CMNLogitMM::SetUnavailable(const std::vector<int>& closedIds) {
    for (auto& [id, open] : m_availability) open = true;
    for (const int id : closedIds) {
        // Only alternatives of the model can be closed; anything else would
        // otherwise turn up as an extra (open) alternative in later draws.
        const auto found = m_availability.find(id);
        if (found != m_availability.end()) found->second = false;
    }
}

double CMNLogitMM::UtilityOf(int id) const {
    const auto found = m_utilityFunctions.find(id);
    return found == m_utilityFunctions.end() ? 0.0 : found->second.Utility();
}

int CMNLogitMM::Draw() {
    int openCount = 0;
    int lastOpen = -1;
    for (const auto& [id, open] : m_availability) {
        if (!open) continue;
        ++openCount;
        lastOpen = id;
    }
    if (openCount == 0) return -1;
    if (openCount == 1) return lastOpen;

    m_expUtilities.clear();
    double total = 0.0;
    for (const auto& [id, open] : m_availability) {
        if (!open) continue;
        const double weight = std::exp(UtilityOf(id));
        m_expUtilities.push_back(weight);
        total += weight;
    }

    const double u = DrawUniform();
    double running = 0.0;
    std::size_t k = 0;
    for (const auto& [id, open] : m_availability) {
        if (!open) continue;
        running += m_expUtilities[k++] / total;
        if (u <= running) return id;
    }
    // The sum fell short of U (rounding, or a utility whose exp overflowed).
    return lastOpen;
}

std::vector<int> CMNLogitMM::AlternativesWithoutUtility() const {
    std::vector<int> missing;
    for (const auto& [id, open] : m_availability)
        if (m_utilityFunctions.find(id) == m_utilityFunctions.end()) missing.push_back(id);
    return missing;
}

bool CMNLogitMM::CheckUtilityFunctions() const {
    const std::vector<int> missing = AlternativesWithoutUtility();
    if (missing.empty()) return true;
    std::string list;
    for (const int id : missing) {
        if (!list.empty()) list += ", ";
        list += NumberText::Integer(id);
    }
    MessageSink::Post("Model \"" + m_name + "\": no utility function for alternative " + list +
                          "; its utility is taken as 0.",
                      MessageIcon::Warning);
    return false;
}

void CMNLogitMM::CopyParameters(const CMNLogitMM& other) {
    if (&other == this) return;
    m_utilityFunctions = other.m_utilityFunctions;
    m_nBaseAlternative = other.m_nBaseAlternative;
}

namespace {

const char* const kTypeText = "class CMNLogitMM * __ptr64";

std::string DuplicateAlternative(int id) {
    return "alternative " + NumberText::Integer(id) + " is given more than once";
}

}  // namespace

std::unique_ptr<CModelModule::ParsedParameters> CMNLogitMM::ParseText(std::istream& in, std::string& error) const {
    Parameters read;
    int count = 0;
    if (!ModelTextRecord::ReadCount(in, count, "alternative count", error)) return nullptr;
    if (!ModelTextRecord::ReadInt(in, read.baseAlternative, "base alternative ID", error)) return nullptr;
    for (int i = 0; i < count; ++i) {
        int id = 0;
        if (!ModelTextRecord::ReadInt(in, id, "alternative ID", error)) return nullptr;
        CVariableSet terms;
        if (!ModelTextRecord::ReadTerms(in, terms, error)) return nullptr;
        if (!read.utilities.emplace(id, std::move(terms)).second) {
            error = DuplicateAlternative(id);
            return nullptr;
        }
    }
    if (!ModelTextRecord::ReadRestOfLine(in, error)) return nullptr;
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

// The count written is that of the blocks that follow, so that the record
// always reads back.
void CMNLogitMM::WriteText(std::ostream& out) const {
    ModelTextRecord::WriteHeader(out, kTypeText, m_name);
    out << NumberText::Integer(static_cast<long long>(m_utilityFunctions.size())) << '\n'
        << NumberText::Integer(m_nBaseAlternative) << '\n';
    for (const auto& [id, terms] : m_utilityFunctions) {
        out << NumberText::Integer(id) << ' ';
        ModelTextRecord::WriteTerms(out, terms);
    }
}

std::unique_ptr<CModelModule::ParsedParameters> CMNLogitMM::ParseXml(const pugi::xml_node& element,
                                                                     std::string& error) const {
    Parameters read;
    const pugi::xpath_node base = element.select_node("Alternatives/@baseID");
    if (!base) {
        error = "the element has no Alternatives with a baseID";
        return nullptr;
    }
    if (!ModelConfigXml::ParseInt(base.attribute().value(), read.baseAlternative)) {
        error = std::string("the baseID of the Alternatives is not a whole number: \"") + base.attribute().value() +
                "\"";
        return nullptr;
    }
    pugi::xpath_node_set alternatives = element.select_nodes("Alternatives/Alternative");
    alternatives.sort();
    for (const pugi::xpath_node& selected : alternatives) {
        int id = 0;
        if (!ModelConfigXml::ReadIntAttribute(selected.node(), "ID", id, error)) return nullptr;
        CVariableSet terms;
        if (!ModelConfigXml::ReadVariables(selected.node(), terms, error)) return nullptr;
        if (!read.utilities.emplace(id, std::move(terms)).second) {
            error = DuplicateAlternative(id);
            return nullptr;
        }
    }
    return std::make_unique<ParsedAs<Parameters>>(std::move(read));
}

void CMNLogitMM::WriteXml(std::ostream& out) const {
    ModelConfigXml::WriteStartTag(out, m_name, kTypeText);
    out << "<Alternatives baseID=\"" << NumberText::Integer(m_nBaseAlternative) << "\">\n\n";
    for (const auto& [id, terms] : m_utilityFunctions) {
        out << "<Alternative ID=\"" << NumberText::Integer(id) << "\">\n";
        ModelConfigXml::WriteVariables(out, terms, "unavailable", "\n");
        out << "</Alternative>\n\n";
    }
    out << "</Alternatives>\n";
    ModelConfigXml::WriteEndTag(out);
}

// Names and availability stay as constructed: the file carries utilities only.
void CMNLogitMM::ApplyParameters(const ParsedParameters& parsed) {
    const auto* read = dynamic_cast<const ParsedAs<Parameters>*>(&parsed);
    if (read == nullptr) return;
    m_nBaseAlternative = read->parameters.baseAlternative;
    m_utilityFunctions = read->parameters.utilities;
    m_nAlternatives = static_cast<int>(m_utilityFunctions.size());
}
