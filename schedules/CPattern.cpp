#include "schedules/CPattern.h"

#include "data/CPersonObject.h"
#include "schedules/CTour.h"

CPattern::CPattern(CPersonObject* person) : m_pPerson(person) {}

// The tour vector's owners destroy every tour it holds (empty slots hold
// nothing), and each tour its stops.
CPattern::~CPattern() = default;

CTour* CPattern::GetTourByNumber(int k) const
{
    return GetTourAt(k - 1);
}

CTour* CPattern::GetTourAt(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_tours.size()))
        return nullptr;
    return m_tours[static_cast<std::size_t>(i)].get();
}

bool CPattern::HasOwnActivities(const CPersonObject& person)
{
    constexpr int kFirstActivityFlag = 2;
    constexpr int kLastActivityFlag = 11;
    for (int flag = kFirstActivityFlag; flag <= kLastActivityFlag; ++flag) {
        if (person.GetFlag(flag))
            return true;
    }
    return false;
}
