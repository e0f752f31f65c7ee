#include "data/CLookupMemo.h"

std::size_t CLookupMemo::ValueKeyHash::operator()(const ValueKey& key) const
{
    std::uint64_t h = static_cast<std::uint32_t>(key.origin);
    h = h * 1000003u ^ static_cast<std::uint32_t>(key.destination);
    h = h * 1000003u ^ static_cast<std::uint32_t>(key.column);
    h = h * 1000003u ^ static_cast<std::uint32_t>(key.table);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

const double* CLookupMemo::FindValue(int table, int column, int origin, int destination) const
{
    const auto it = m_values.find(ValueKey{table, column, origin, destination});
    return it == m_values.end() ? nullptr : &it->second;
}

void CLookupMemo::StoreValue(int table, int column, int origin, int destination, double value)
{
    if (m_values.size() >= kPairCapacity)
        m_values.clear();
    m_values[ValueKey{table, column, origin, destination}] = value;
}

void CLookupMemo::Clear()
{
    m_values.clear();
}
