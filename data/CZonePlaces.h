#pragma once
// The places of zone ids in an ascending list of them: the origin zones of the
// store of level-of-service columns, the destinations of a cached table.
// Zone numbers are usually dense, so a place is found by the zone number
// directly unless the ids spread over much more than their count.

#include <vector>

class CZonePlaces {
public:
    CZonePlaces() = default;
    // zones: ascending, each once.
    explicit CZonePlaces(std::vector<int> zones);

    const std::vector<int>& Zones() const { return m_zones; }
    int Count() const { return static_cast<int>(m_zones.size()); }
    // The place of a zone in the list; -1 for an id that is not in it.
    int Place(int zone) const;

private:
    std::vector<int> m_zones;
    // zone - m_nFirstZone -> place (-1 none); empty when the ids are sparse.
    int m_nFirstZone = 0;
    std::vector<int> m_places;
};
