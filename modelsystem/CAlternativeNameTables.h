#pragma once
// The fixed alternatives of the multinomial-logit models and the category
// counts of the ordered-probit models of one model system. The alternative IDs
// are the codes the simulation stores for school modes, adult and tour modes
// and stop activity types; each multinomial-logit model copies one of the four
// tables when it is constructed, and each ordered-probit model takes one entry
// of the category table. The model system fills them once, before it creates
// its models, and never changes them afterwards.

#include <array>
#include <map>
#include <string>

class CAlternativeNameTables {
public:
    // Number of ordered-probit models, hence of category counts.
    static constexpr int kOrdProbitModelCount = 14;

    // Empty tables and zero counts; Fill gives them their contents.
    CAlternativeNameTables() = default;

    // Clears and refills every table, in the order school modes, adult modes
    // (then their count), tour modes (then their count), activity types (then
    // their count), category counts. Calling it again gives the same contents.
    void Fill();

    // Alternative ID -> display name, ascending by ID.
    std::map<int, std::string> m_schoolModeNames;    // children's modes to and from school
    std::map<int, std::string> m_adultModeNames;     // work-to-home commute modes
    std::map<int, std::string> m_tourModeNames;      // tour modes (same entries, separate table)
    std::map<int, std::string> m_activityTypeNames;  // activity types of a stop

    // Sizes of three tables, handed to every household simulator.
    int m_nAdultModes = 0;
    int m_nTourModes = 0;
    int m_nActivityTypes = 0;

    // Number of categories of each ordered-probit model, by catalogue entry
    // ("Number of Tours Before Work" first, "Number of Stops After Pickup or
    // Dropoff" last).
    std::array<int, kOrdProbitModelCount> m_ordProbitCategories{};
};
