#include "schedules/CScheduleLine.h"

#include <cmath>
#include <limits>

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

int CScheduleLine::CutToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (truncated >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(truncated);
}
