#include "data/CRecordLine.h"

#include "household/COutputFileSet.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"

#include <cmath>
#include <limits>

CRecordLine& CRecordLine::Int(long long value) {
    if (!m_text.empty()) m_text.push_back('\t');
    m_text += NumberText::Integer(value);
    return *this;
}

CRecordLine& CRecordLine::Double(double value) {
    if (!m_text.empty()) m_text.push_back('\t');
    m_text += NumberText::General(value, 6);
    return *this;
}

bool CRecordLine::WriteTo(COutputFileSet& streams, int stream) const {
    const bool failedBefore = streams.HasWriteError(stream);
    if (streams.WriteLine(stream, m_text)) return true;
    if (!failedBefore && streams.HasWriteError(stream))
        MessageSink::Post("Writing to the output file " + streams.GetPath(stream) + " failed.", MessageIcon::Error);
    return false;
}

std::uint32_t CRecordLine::OutputHouseholdId(double column0) {
    if (std::isnan(column0)) return 0;
    const double value = std::trunc(column0);
    constexpr double kTwo63 = 9223372036854775808.0;
    constexpr double kTwo64 = 18446744073709551616.0;
    std::uint64_t id;
    if (value >= kTwo64)
        id = std::numeric_limits<std::uint64_t>::max();
    else if (value >= kTwo63)
        id = static_cast<std::uint64_t>(value);
    else if (value < -kTwo63)
        id = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::min());
    else
        id = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
    return static_cast<std::uint32_t>(id);
}

int CRecordLine::TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (truncated >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(truncated);
}
