#include "household/CEpisodeRecord.h"

#include <algorithm>

CEpisodeRecord::CEpisodeRecord(CPersonObject* child, double time, int zone)
    : m_childTours{nullptr}, m_children{child}, m_time(time), m_zone(zone) {}

void CEpisodeRecord::AddChild(CPersonObject* child) {
    m_children.push_back(child);
    m_childTours.push_back(nullptr);
}

bool CEpisodeRecord::HasChild(const CPersonObject* person) const {
    return person != nullptr && std::find(m_children.begin(), m_children.end(), person) != m_children.end();
}
