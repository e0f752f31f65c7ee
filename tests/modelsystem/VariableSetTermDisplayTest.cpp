// The display text of a model's terms, as the editors' term lists show it:
// the table columns registered by the data classes, the model system's
// computed-variable registry, and term indices outside the set.

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CZoneData.h"
#include "models/CVariableSet.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class VariableSetTermDisplay : public ::testing::Test {
protected:
    // The column names are class-wide: keep what was registered and put it back.
    void SetUp() override {
        CHouseholdObject(nullptr).GetColumnNames(m_savedHouseholds);
        CPersonObject(nullptr).GetColumnNames(m_savedPersons);
        CZoneData().GetColumnNames(m_savedZones);
        CHouseholdObject(nullptr).SetColumnNames({"hid", "hhsize", "vehicles", "homezone"});
        CPersonObject(nullptr).SetColumnNames({"hid", "pid", "employed"});
        CZoneData().SetColumnNames({"zone", "shopdist", "totemp"});
    }
    void TearDown() override {
        CHouseholdObject(nullptr).SetColumnNames(m_savedHouseholds);
        CPersonObject(nullptr).SetColumnNames(m_savedPersons);
        CZoneData().SetColumnNames(m_savedZones);
    }

    std::string Show(int id, double coefficient) {
        CVariableSet terms;
        terms.Add(id, coefficient);
        std::string out = "previous text";
        const std::string& shown = terms.FormatTerm(out, 0, &m_models.m_variableNames);
        EXPECT_EQ(&shown, &out);
        return out;
    }

    CModelSystem m_models;
    std::vector<std::string> m_savedHouseholds;
    std::vector<std::string> m_savedPersons;
    std::vector<std::string> m_savedZones;
};

TEST_F(VariableSetTermDisplay, TableColumnsComeFromTheDataClasses) {
    EXPECT_EQ(Show(3, 0.75), "0.75 * homezone");
    EXPECT_EQ(Show(10002, -1.0), "-1. * employed");
    EXPECT_EQ(Show(20002, 2.5), "2.5 * totemp");

    // A table registered later shows its new names.
    CZoneData().SetColumnNames({"taz", "area"});
    EXPECT_EQ(Show(20001, 1.0), "1. * area");
}

TEST_F(VariableSetTermDisplay, ColumnBeyondItsTableShowsTheWholeId) {
    EXPECT_EQ(Show(10003, 1.0), "1. * 10003");
    EXPECT_EQ(Show(4, 1.0), "1. * 4");
    EXPECT_EQ(Show(20003, 1.0), "1. * 20003");
}

TEST_F(VariableSetTermDisplay, ComputedVariablesFromTheSystemsRegistry) {
    EXPECT_EQ(Show(30012, -0.5), "-0.5 * 30012 worker");
    EXPECT_EQ(Show(30226, 0.25), "0.25 * 30217 one home-to-work comute stop");
    EXPECT_EQ(Show(30217, 0.25), "0.25 * ");
    EXPECT_EQ(Show(30505, 2.0), "2. * 30505 Number of children going to school");
    EXPECT_EQ(Show(39999, 1.0), "1. * 39999");
}

TEST_F(VariableSetTermDisplay, SourcesWithoutNamesShowTheId) {
    EXPECT_EQ(Show(40001, 1.0), "1. * 40001");
    EXPECT_EQ(Show(70000, 3.0), "3. * 70000");

    CVariableSet terms;
    terms.Add(30012, 1.0);
    std::string out;
    EXPECT_EQ(terms.FormatTerm(out, 0, nullptr), "1. * 30012");
}

TEST_F(VariableSetTermDisplay, ChoosesTheTermByIndex) {
    CVariableSet terms;
    terms.Add(30000, 1.5);
    terms.Add(1, -0.02);
    terms.Add(30012, 2.0);
    std::string out;
    EXPECT_EQ(terms.FormatTerm(out, 0, &m_models.m_variableNames), "1.5 * 30000 constant(one)");
    EXPECT_EQ(terms.FormatTerm(out, 1, &m_models.m_variableNames), "-2.e-002 * hhsize");
    EXPECT_EQ(terms.FormatTerm(out, 2, &m_models.m_variableNames), "2. * 30012 worker");
}

TEST_F(VariableSetTermDisplay, TermIndexOutsideTheSetIsRefused) {
    CVariableSet terms;
    std::string out = "kept";
    EXPECT_THROW(terms.FormatTerm(out, 0, &m_models.m_variableNames), std::out_of_range);
    terms.Add(30000, 1.0);
    EXPECT_THROW(terms.FormatTerm(out, 1, &m_models.m_variableNames), std::out_of_range);
    EXPECT_THROW(terms.FormatTerm(out, -1, &m_models.m_variableNames), std::out_of_range);
    // A count larger than the terms actually held.
    terms.m_nCount = 3;
    EXPECT_THROW(terms.FormatTerm(out, 2, &m_models.m_variableNames), std::out_of_range);
    EXPECT_EQ(out, "kept");
}

}  // namespace
