#include "models/CModelModule.h"

#include "models/CRandomStreams.h"
#include "models/CVariableEvaluator.h"
#include "models/CVariableSet.h"
#include "modelsystem/CModelSystem.h"
#include "platform/MessageSink.h"

#include <stdexcept>

int CModelModule::GetThreadIndex() const {
    if (m_pOwner == nullptr) throw std::logic_error("model \"" + m_name + "\" has no model system");
    return m_pOwner->m_nThreadIndex;
}

double CModelModule::DrawUniform() { return CRandomStreams::DrawUniform(GetThreadIndex()); }

double CModelModule::DrawStandardNormal() { return CRandomStreams::DrawStandardNormal(GetThreadIndex()); }

void CModelModule::SetContext(CStop* stop) {
    m_context.SetFromStop(stop);
    CheckContextPattern();
}

void CModelModule::SetContext(CTour* tour) {
    m_context.SetFromTour(tour);
    CheckContextPattern();
}

void CModelModule::SetContext(CPattern* pattern) {
    m_context.SetFromPattern(pattern);
    CheckContextPattern();
}

// The person level takes the person's own pattern and the household level has
// none: nothing to check.
void CModelModule::SetContext(CPersonObject* person) { m_context.SetFromPerson(person); }

void CModelModule::SetContext(CHouseholdObject* household) { m_context.SetFromHousehold(household); }

void CModelModule::CheckContextPattern() const {
    // Posted to the message sink: a worker thread never opens a window.
    if (!m_context.PatternBelongsToPerson()) MessageSink::Post("OOps", MessageIcon::Warning);
}

void CModelModule::ComputeFromContext(CVariableSet& terms) {
    CVariableEvaluator::ComputeValues(terms, m_context.m_pManager, m_context.m_pHousehold, m_context.m_pPerson,
                                      m_context.m_pPattern, m_context.m_pTour, m_context.m_pStop, m_pOwner);
}

std::unique_ptr<CModelModule::ParsedParameters> CModelModule::ParseText(std::istream&, std::string&) const {
    return std::make_unique<ParsedParameters>();
}

std::unique_ptr<CModelModule::ParsedParameters> CModelModule::ParseXml(const pugi::xml_node&, std::string&) const {
    return std::make_unique<ParsedParameters>();
}

bool CModelModule::ReadText(std::istream& in) {
    std::string error;
    const std::unique_ptr<ParsedParameters> parsed = ParseText(in, error);
    if (!parsed) {
        ReportRejected(error + "; the model was not changed.");
        return false;
    }
    ApplyParameters(*parsed);
    return true;
}

bool CModelModule::ReadXml(const pugi::xml_node& element) {
    std::string error;
    const std::unique_ptr<ParsedParameters> parsed = ParseXml(element, error);
    if (!parsed) {
        ReportRejected(error + "; the model was not changed.");
        return false;
    }
    ApplyParameters(*parsed);
    return true;
}

void CModelModule::ReportRejected(const std::string& reason) const {
    MessageSink::Post("Model \"" + m_name + "\": " + reason, MessageIcon::Error);
}
