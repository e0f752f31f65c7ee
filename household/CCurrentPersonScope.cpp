#include "household/CCurrentPersonScope.h"

#include "household/CHouseholdCoordinator.h"

CCurrentPersonScope::CCurrentPersonScope(CHouseholdCoordinator& simulator, CPersonObject* person)
    : m_simulator(simulator), m_pPrevious(simulator.GetCurrentPerson()) {
    m_simulator.SetCurrentPerson(person);
}

CCurrentPersonScope::~CCurrentPersonScope() { m_simulator.SetCurrentPerson(m_pPrevious); }
