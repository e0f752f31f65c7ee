#include "household/CCurrentPersonScope.h"

#include "household/CHouseholdCoordinator.h"

CCurrentPersonScope::CCurrentPersonScope(CHouseholdCoordinator* simulator, CPersonObject* person)
    : m_pSimulator(simulator)
{
    if (m_pSimulator == nullptr)
        return;
    m_pPrevious = m_pSimulator->GetCurrentPerson();
    m_pSimulator->SetCurrentPerson(person);
}

CCurrentPersonScope::~CCurrentPersonScope()
{
    if (m_pSimulator != nullptr)
        m_pSimulator->SetCurrentPerson(m_pPrevious);
}
