// The alternative-name tables and the ordered-probit category counts: their
// entries, the counts derived from them, refilling, and the alternatives a
// multinomial-logit model takes from them.

#include "modelsystem/CAlternativeNameTables.h"

#include "models/CMNLogitMM.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<int> Ids(const std::map<int, std::string>& table) {
    std::vector<int> ids;
    for (const auto& [id, name] : table) ids.push_back(id);
    return ids;
}

}  // namespace

TEST(AlternativeNameTables, EmptyUntilFilled) {
    CAlternativeNameTables tables;
    EXPECT_TRUE(tables.m_schoolModeNames.empty());
    EXPECT_TRUE(tables.m_activityTypeNames.empty());
    EXPECT_EQ(tables.m_nAdultModes, 0);
    EXPECT_EQ(tables.m_ordProbitCategories[0], 0);
}

TEST(AlternativeNameTables, SchoolModesAreTheFourSchoolModeCodes) {
    CAlternativeNameTables tables;
    tables.Fill();
    const std::map<int, std::string> expected = {
        {2, "Walk or Bike"}, {4, "Driven by Parent"}, {5, "Driven by Other"}, {6, "School Bus"}};
    EXPECT_EQ(tables.m_schoolModeNames, expected);
}

TEST(AlternativeNameTables, AdultAndTourModesAreEqualButSeparateTables) {
    CAlternativeNameTables tables;
    tables.Fill();
    const std::map<int, std::string> expected = {
        {0, "Drive Alone"}, {1, "Passenger"}, {2, "Walk/Bike"}, {3, "Transit"}, {7, "Drive With Passenger"}};
    EXPECT_EQ(tables.m_adultModeNames, expected);
    EXPECT_EQ(tables.m_tourModeNames, expected);
    EXPECT_NE(&tables.m_adultModeNames, &tables.m_tourModeNames);
    // Mode IDs are not contiguous.
    for (const int missing : {4, 5, 6}) EXPECT_EQ(tables.m_tourModeNames.count(missing), 0u);
    EXPECT_EQ(tables.m_nAdultModes, 5);
    EXPECT_EQ(tables.m_nTourModes, 5);
}

TEST(AlternativeNameTables, ActivityTypesAreTheTenActivityCodes) {
    CAlternativeNameTables tables;
    tables.Fill();
    EXPECT_EQ(Ids(tables.m_activityTypeNames), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(tables.m_activityTypeNames.at(0), "Shopping");
    EXPECT_EQ(tables.m_activityTypeNames.at(1), "Social or recreational");
    EXPECT_EQ(tables.m_activityTypeNames.at(2), "Other activity");
    EXPECT_EQ(tables.m_activityTypeNames.at(3), "Eat out activity");
    EXPECT_EQ(tables.m_activityTypeNames.at(4), "Serving others");
    EXPECT_EQ(tables.m_activityTypeNames.at(5), "Entertainment Activity");
    EXPECT_EQ(tables.m_activityTypeNames.at(6), "Active Recreational Activity");
    EXPECT_EQ(tables.m_activityTypeNames.at(7), "Visit Activity");
    EXPECT_EQ(tables.m_activityTypeNames.at(8), "Work related activity");
    EXPECT_EQ(tables.m_activityTypeNames.at(9), "Maintenance Activity");
    EXPECT_EQ(tables.m_nActivityTypes, 10);
}

TEST(AlternativeNameTables, CategoryCountsByOrderedProbitModel) {
    CAlternativeNameTables tables;
    tables.Fill();
    // Worker tour counts and commute stop counts 3, tour stop counts and the
    // non-worker's tour count 5, stops after a pick-up or drop-off 4.
    const std::array<int, 14> expected = {3, 3, 3, 3, 3, 5, 5, 5, 5, 5, 5, 5, 5, 4};
    EXPECT_EQ(tables.m_ordProbitCategories, expected);
}

TEST(AlternativeNameTables, RefillingReplacesChangedContents) {
    CAlternativeNameTables tables;
    tables.Fill();
    tables.m_tourModeNames[4] = "extra";
    tables.m_schoolModeNames.erase(6);
    tables.m_ordProbitCategories[13] = 9;
    tables.m_nTourModes = 6;
    tables.Fill();
    EXPECT_EQ(tables.m_tourModeNames.size(), 5u);
    EXPECT_EQ(tables.m_tourModeNames.count(4), 0u);
    EXPECT_EQ(tables.m_schoolModeNames.count(6), 1u);
    EXPECT_EQ(tables.m_ordProbitCategories[13], 4);
    EXPECT_EQ(tables.m_nTourModes, 5);
}

TEST(AlternativeNameTables, AMultinomialLogitTakesItsAlternativesFromItsTable) {
    CAlternativeNameTables tables;
    tables.Fill();
    CMNLogitMM schoolMode(nullptr, "Mode to school for children", &tables.m_schoolModeNames);
    CMNLogitMM activity(nullptr, "Tour 1 Stop Activity Type", &tables.m_activityTypeNames);
    EXPECT_EQ(schoolMode.m_nAlternatives, 4);
    EXPECT_EQ(schoolMode.m_alternativeNames, tables.m_schoolModeNames);
    EXPECT_EQ(activity.m_nAlternatives, 10);
    EXPECT_EQ(activity.m_alternativeNames.at(9), "Maintenance Activity");
    // A single open school mode is the draw without any random number.
    schoolMode.SetUnavailable({2, 4, 5});
    EXPECT_EQ(schoolMode.Draw(), 6);
}
