#include "models/CEvaluationContext.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "schedules/CPattern.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"

#include <stdexcept>

namespace {

template <class T>
T* Required(T* link, const char* what) {
    if (link == nullptr) throw std::logic_error(std::string("model evaluation: ") + what);
    return link;
}

}  // namespace

void CEvaluationContext::SetFromStop(CStop* stop) {
    Reset();
    m_pStop = Required(stop, "no stop given");
    m_pTour = Required(stop->GetTour(), "stop without a tour");
    m_pPattern = Required(m_pTour->GetPattern(), "tour without a pattern");
    m_pPerson = Required(m_pPattern->GetPerson(), "pattern without a person");
    m_pHousehold = Required(m_pPerson->GetHousehold(), "person without a household");
    // The stop carries the thread's manager; the stop level uses it rather than
    // the household's.
    m_pManager = stop->GetDataManager();
}

void CEvaluationContext::SetFromTour(CTour* tour) {
    Reset();
    m_pTour = Required(tour, "no tour given");
    m_pPattern = Required(tour->GetPattern(), "tour without a pattern");
    m_pPerson = Required(m_pPattern->GetPerson(), "pattern without a person");
    m_pHousehold = Required(m_pPerson->GetHousehold(), "person without a household");
    m_pManager = m_pHousehold->GetDataManager();
}

void CEvaluationContext::SetFromPattern(CPattern* pattern) {
    Reset();
    m_pPattern = Required(pattern, "no pattern given");
    m_pPerson = Required(pattern->GetPerson(), "pattern without a person");
    m_pHousehold = Required(m_pPerson->GetHousehold(), "person without a household");
    m_pManager = m_pHousehold->GetDataManager();
}

void CEvaluationContext::SetFromPerson(CPersonObject* person) {
    Reset();
    m_pPerson = Required(person, "no person given");
    m_pPattern = person->GetPattern();
    m_pHousehold = Required(person->GetHousehold(), "person without a household");
    m_pManager = m_pHousehold->GetDataManager();
}

void CEvaluationContext::SetFromHousehold(CHouseholdObject* household) {
    Reset();
    m_pHousehold = Required(household, "no household given");
    m_pManager = household->GetDataManager();
}

bool CEvaluationContext::PatternBelongsToPerson() const {
    if (m_pPerson == nullptr) return true;
    return m_pPerson->GetPattern() == m_pPattern;
}
