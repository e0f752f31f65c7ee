// Variable sets: term editing, copy and assignment semantics, the utility sum
// and the decoding of variable IDs.

#include "models/CVariableSet.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CVariableSet ThreeTerms() {
    CVariableSet set;
    set.Add(30000, 1.5);
    set.Add(10008, -0.25);
    set.Add(20003, 2.0);
    set.m_values = {1.0, 40.0, 3.0};
    return set;
}

}  // namespace

TEST(VariableSetTerms, NewSetIsEmptyAndGivesZeroUtility) {
    CVariableSet set;
    EXPECT_EQ(set.m_nCount, 0);
    EXPECT_TRUE(set.m_variableIds.empty());
    EXPECT_TRUE(set.m_values.empty());
    EXPECT_TRUE(set.m_coefficients.empty());
    EXPECT_EQ(set.Utility(), 0.0);
}

TEST(VariableSetTerms, AddAppendsIdAndCoefficientWithoutTouchingValues) {
    CVariableSet set;
    set.m_values = {7.0};
    set.Add(30000, 1.5);
    EXPECT_EQ(set.m_nCount, 1);
    EXPECT_EQ(set.m_variableIds, std::vector<int>({30000}));
    EXPECT_EQ(set.m_coefficients, std::vector<double>({1.5}));
    EXPECT_EQ(set.m_values, std::vector<double>({7.0}));

    set.Add(30000, -2.0);  // duplicates are terms of their own
    EXPECT_EQ(set.m_nCount, 2);
    EXPECT_EQ(set.m_variableIds, std::vector<int>({30000, 30000}));
    EXPECT_EQ(set.m_coefficients, std::vector<double>({1.5, -2.0}));
}

TEST(VariableSetTerms, RemoveAtErasesOneTermAndShiftsTheRest) {
    CVariableSet one;
    one.Add(30000, 1.5);
    one.RemoveAt(0);
    EXPECT_EQ(one.m_nCount, 0);
    EXPECT_TRUE(one.m_variableIds.empty());
    EXPECT_TRUE(one.m_coefficients.empty());

    CVariableSet set = ThreeTerms();
    set.RemoveAt(1);
    EXPECT_EQ(set.m_nCount, 2);
    EXPECT_EQ(set.m_variableIds, std::vector<int>({30000, 20003}));
    EXPECT_EQ(set.m_coefficients, std::vector<double>({1.5, 2.0}));
    EXPECT_EQ(set.m_values, std::vector<double>({1.0, 40.0, 3.0}));  // scratch left alone
}

TEST(VariableSetTerms, RemoveAtOutsideTheTermsChangesNothing) {
    CVariableSet set = ThreeTerms();
    set.RemoveAt(-1);
    set.RemoveAt(3);
    EXPECT_EQ(set.m_nCount, 3);
    EXPECT_EQ(set.m_variableIds, std::vector<int>({30000, 10008, 20003}));
    EXPECT_EQ(set.m_coefficients, std::vector<double>({1.5, -0.25, 2.0}));

    CVariableSet empty;
    empty.RemoveAt(0);
    EXPECT_EQ(empty.m_nCount, 0);
}

TEST(VariableSetTerms, ClearEmptiesEverything) {
    CVariableSet set = ThreeTerms();
    set.Clear();
    EXPECT_EQ(set.m_nCount, 0);
    EXPECT_TRUE(set.m_variableIds.empty());
    EXPECT_TRUE(set.m_values.empty());
    EXPECT_TRUE(set.m_coefficients.empty());
}

TEST(VariableSetCopy, CopyConstructionKeepsTheValues) {
    const CVariableSet source = ThreeTerms();
    const CVariableSet copy(source);
    EXPECT_EQ(copy.m_nCount, 3);
    EXPECT_EQ(copy.m_variableIds, source.m_variableIds);
    EXPECT_EQ(copy.m_coefficients, source.m_coefficients);
    EXPECT_EQ(copy.m_values, source.m_values);
}

TEST(VariableSetCopy, AssignmentCopiesTermsAndEmptiesValues) {
    const CVariableSet source = ThreeTerms();
    CVariableSet target;
    target.Add(99, 9.0);
    target.m_values = {5.0, 6.0};
    target = source;
    EXPECT_EQ(target.m_nCount, 3);
    EXPECT_EQ(target.m_variableIds, std::vector<int>({30000, 10008, 20003}));
    EXPECT_EQ(target.m_coefficients, std::vector<double>({1.5, -0.25, 2.0}));
    EXPECT_TRUE(target.m_values.empty());
    // The source is unchanged.
    EXPECT_EQ(source.m_values, std::vector<double>({1.0, 40.0, 3.0}));
}

TEST(VariableSetCopy, MovingBehavesLikeCopying) {
    CVariableSet source = ThreeTerms();
    CVariableSet target;
    target = std::move(source);
    EXPECT_EQ(target.m_nCount, 3);
    EXPECT_TRUE(target.m_values.empty());
}

TEST(VariableSetCopy, SelfAssignmentKeepsTheTerms) {
    CVariableSet set = ThreeTerms();
    CVariableSet& alias = set;
    set = alias;
    EXPECT_EQ(set.m_nCount, 3);
    EXPECT_EQ(set.m_variableIds, std::vector<int>({30000, 10008, 20003}));
    EXPECT_EQ(set.m_coefficients, std::vector<double>({1.5, -0.25, 2.0}));
    EXPECT_TRUE(set.m_values.empty());
}

TEST(VariableSetCopy, AssignmentCopiesNoMoreTermsThanTheSourceHolds) {
    CVariableSet broken = ThreeTerms();
    broken.m_nCount = 7;  // a count that disagrees with the vectors
    broken.m_coefficients.pop_back();
    CVariableSet target;
    target = broken;
    EXPECT_EQ(target.m_nCount, 2);
    EXPECT_EQ(target.m_variableIds, std::vector<int>({30000, 10008}));
    EXPECT_EQ(target.m_coefficients, std::vector<double>({1.5, -0.25}));

    broken.m_nCount = -4;
    target = broken;
    EXPECT_EQ(target.m_nCount, 0);
    EXPECT_TRUE(target.m_variableIds.empty());
}

TEST(VariableSetUtility, SumsCoefficientTimesValueInTermOrder) {
    const CVariableSet set = ThreeTerms();
    EXPECT_EQ(set.Utility(), 1.5 * 1.0 + -0.25 * 40.0 + 2.0 * 3.0);

    // Order matters in floating point: (1e16 + 1) - 1e16 is 0 when added left to right.
    CVariableSet ordered;
    ordered.Add(30000, 1e16);
    ordered.Add(30000, 1.0);
    ordered.Add(30000, -1e16);
    ordered.m_values = {1.0, 1.0, 1.0};
    EXPECT_EQ(ordered.Utility(), 0.0);
}

TEST(VariableSetUtility, RepeatedIdContributesTheSumOfItsCoefficients) {
    CVariableSet set;
    set.Add(10008, 0.1);
    set.Add(10008, 0.2);
    const double age = 42.0;  // person column 8
    set.m_values = {age, age};
    EXPECT_DOUBLE_EQ(set.Utility(), 0.3 * age);
}

TEST(VariableSetUtility, MissingValuesReadAsZero) {
    CVariableSet set = ThreeTerms();
    set.m_values = {2.0};
    EXPECT_EQ(set.Utility(), 3.0);
    set.m_values.clear();
    EXPECT_EQ(set.Utility(), 0.0);
}

TEST(VariableIds, SourceAndIndexByIntegerDivision) {
    EXPECT_EQ(CVariableSet::SourceOf(30000), 3);
    EXPECT_EQ(CVariableSet::IndexOf(30000), 0);
    EXPECT_EQ(CVariableSet::SourceOf(12345), 1);
    EXPECT_EQ(CVariableSet::IndexOf(12345), 2345);
    EXPECT_EQ(CVariableSet::SourceOf(9999), 0);
    EXPECT_EQ(CVariableSet::IndexOf(9999), 9999);
    EXPECT_EQ(CVariableSet::SourceOf(50000), 5);
    EXPECT_EQ(CVariableSet::MakeId(CVariableSet::kActivityZoneSource, 17), 40017);
    EXPECT_EQ(CVariableSet::SourceOf(-5), -1);
    EXPECT_EQ(CVariableSet::IndexOf(-5), -1);
}
