#include "modelsystem/CAlternativeNameTables.h"

#include <cstddef>

namespace {

struct NamedAlternative {
    int id;
    const char* name;
};

constexpr NamedAlternative kSchoolModes[] = {
    {2, "Walk or Bike"},
    {4, "Driven by Parent"},
    {5, "Driven by Other"},
    {6, "School Bus"},
};

// The adult commute modes and the tour modes have the same entries.
constexpr NamedAlternative kModes[] = {
    {0, "Drive Alone"},
    {1, "Passenger"},
    {2, "Walk/Bike"},
    {3, "Transit"},
    {7, "Drive With Passenger"},
};

constexpr NamedAlternative kActivityTypes[] = {
    {0, "Shopping"},
    {1, "Social or recreational"},
    {2, "Other activity"},
    {3, "Eat out activity"},
    {4, "Serving others"},
    {5, "Entertainment Activity"},
    {6, "Active Recreational Activity"},
    {7, "Visit Activity"},
    {8, "Work related activity"},
    {9, "Maintenance Activity"},
};

// Entries 0 to 4: the worker's tour counts and the commute stop counts;
// 5 to 12: the tour stop counts and the non-worker's tour count; 13: the stops
// after a pick-up or drop-off.
constexpr std::array<int, CAlternativeNameTables::kOrdProbitModelCount> kCategoryCounts = {
    3, 3, 3, 3, 3, 5, 5, 5, 5, 5, 5, 5, 5, 4};

template <std::size_t N>
void Refill(std::map<int, std::string>& table, const NamedAlternative (&entries)[N]) {
    table.clear();
    for (const NamedAlternative& entry : entries) table.emplace(entry.id, entry.name);
}

}  // namespace

void CAlternativeNameTables::Fill() {
    Refill(m_schoolModeNames, kSchoolModes);
    Refill(m_adultModeNames, kModes);
    m_nAdultModes = static_cast<int>(m_adultModeNames.size());
    Refill(m_tourModeNames, kModes);
    m_nTourModes = static_cast<int>(m_tourModeNames.size());
    Refill(m_activityTypeNames, kActivityTypes);
    m_nActivityTypes = static_cast<int>(m_activityTypeNames.size());
    m_ordProbitCategories = kCategoryCounts;
}
