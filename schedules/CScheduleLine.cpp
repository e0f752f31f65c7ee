#include "schedules/CScheduleLine.h"

#include <cmath>

#include "household/COutputFileSet.h"
#include "platform/NumberText.h"

CScheduleLine::CScheduleLine(int householdId, int personNumber)
{
    m_text.reserve(96);
    m_text += NumberText::Integer(static_cast<long long>(static_cast<std::uint32_t>(householdId)));
    Int(personNumber);
}

void CScheduleLine::Separate()
{
    m_text.push_back('\t');
}

CScheduleLine& CScheduleLine::Int(long long value)
{
    Separate();
    m_text += NumberText::Integer(value);
    return *this;
}

CScheduleLine& CScheduleLine::Double(double value)
{
    Separate();
    m_text += NumberText::General(value, 6);
    return *this;
}

CScheduleLine& CScheduleLine::Floored(double value)
{
    return Double(std::floor(value));
}

CScheduleLine& CScheduleLine::Flag(bool value)
{
    return Int(value ? 1 : 0);
}

bool CScheduleLine::WriteTo(COutputFileSet& streams, int stream) const
{
    return streams.WriteLine(stream, m_text);
}

CScheduleLine CScheduleLine::AtHome(int householdId, int personNumber, int timeAtHome, int homeZone)
{
    // Activity code of the day's record of the time spent at home.
    constexpr int kAtHomeActivity = 18;
    CScheduleLine line(householdId, personNumber);
    line.Int(kAtHomeActivity).Int(0).Int(timeAtHome).Int(homeZone);
    return line;
}
