#include "data/CZonePlaces.h"

#include <algorithm>

CZonePlaces::CZonePlaces(std::vector<int> zones) : m_zones(std::move(zones)) {
    if (m_zones.empty()) return;
    const long long span = static_cast<long long>(m_zones.back()) - m_zones.front() + 1;
    if (span > 4 * static_cast<long long>(m_zones.size()) + 1024) return;
    m_nFirstZone = m_zones.front();
    m_places.assign(static_cast<size_t>(span), -1);
    for (size_t i = 0; i < m_zones.size(); ++i)
        m_places[static_cast<size_t>(static_cast<long long>(m_zones[i]) - m_nFirstZone)] = static_cast<int>(i);
}

int CZonePlaces::Place(int zone) const {
    if (!m_places.empty()) {
        const long long offset = static_cast<long long>(zone) - m_nFirstZone;
        if (offset < 0 || offset >= static_cast<long long>(m_places.size())) return -1;
        return m_places[static_cast<size_t>(offset)];
    }
    const auto it = std::lower_bound(m_zones.begin(), m_zones.end(), zone);
    return it != m_zones.end() && *it == zone ? static_cast<int>(it - m_zones.begin()) : -1;
}
