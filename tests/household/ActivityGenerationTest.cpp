// Household activity generation: the non-work budget is spent whole on the
// alternatives of the highest drawn values, the NOGO file traces the
// exchanges of the duration sort, and the chosen alternatives become flags,
// durations and joint records that keep their limits.

#include "household/HouseholdRows.h"
#include "support/RecordingMessageSink.h"
#include "support/TestDatabase.h"

#include "data/CPersonObject.h"
#include "household/CActivityGenerator.h"
#include "household/COutputFileSet.h"
#include "models/CBLogitMM.h"
#include "models/CMdcevMM.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CWPattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Entry = CActivityGenerator::Entry;
using HouseholdRows::Person;

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A NOGO file of the test's own (tests run in parallel).
std::string ScratchNogoPath() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->name()) + ".NOGO.out";
    std::replace(name.begin(), name.end(), '/', '-');
    return (std::filesystem::temp_directory_path() / name).string();
}

class ActivityGeneration : public ::testing::TestWithParam<std::string> {
protected:
    ActivityGeneration() : nogo(ScratchNogoPath()) {
        std::vector<std::string> names(COutputFileSet::kStreamCount);
        names[COutputFileSet::NameIndexOfStream(COutputFileSet::kNogo)] = nogo;
        streams.Open(names);
        system.m_pFRACTIONSPLIT->m_terms.Add(37014, -50.0);  // half the free time goes to activities
        for (int id = 35001; id <= 35008; ++id) system.m_pMDCEV->m_terms.Add(id, -1.0);  // type constants
        system.m_pMDCEV->m_satiationValues = {4, 4, 4, 4, 4, 4, 4, 4, 4, 0, 0, 0, 0};
        CActivityGenerator::RearmWarnings();
    }
    ~ActivityGeneration() override {
        streams.Close();
        std::filesystem::remove(nogo);
    }
    void Load(const std::vector<double>& ages) {
        std::vector<std::vector<double>> persons;
        for (size_t i = 0; i < ages.size(); ++i) persons.push_back(Person(70, static_cast<int>(i) + 1, 0, ages[i], 0));
        for (auto& p : persons) p[2] = 1.0;  // employed
        db = TestDatabase::Create(GetParam());
        household = HouseholdRows::Load(*db, {70, 1, 2, 5, 0, 3, 0, 60}, persons);
    }
    double Budget() const {
        std::vector<double> c(24, 0.0);
        c[37014 - 37001] = -50.0;
        return CActivityGenerator::NonWorkBudget(CActivityGenerator::SummariseHousehold(*household, nullptr), c);
    }

    std::string nogo;
    COutputFileSet streams;
    CModelSystem system;
    CActivityGenerator generator{system};
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<CHouseholdObject> household;
};

TEST_P(ActivityGeneration, TheBudgetGoesWholeToTheBestValuesAndRecordsKeepTheirLimits) {
    Load({40, 38, 17, 12});
    int jointRecords = 0;
    for (int id = 1; id <= 30; ++id) {
        household->SetValue(0, id);
        household->m_jointActivities.clear();
        generator.Generate(*household, nullptr, streams);

        // The held entries are the best values, a prefix of the value order.
        std::vector<Entry> byValue = generator.LastEntries();
        std::stable_sort(byValue.begin(), byValue.end(), [](auto& a, auto& b) { return a.value > b.value; });
        const std::vector<Entry>& chosen = generator.LastChosen();
        ASSERT_FALSE(chosen.empty());
        double total = 0.0;
        for (size_t k = 0; k < chosen.size(); ++k) {
            EXPECT_TRUE(std::any_of(byValue.begin(), byValue.begin() + chosen.size(),
                                    [&](const Entry& e) { return e.code == chosen[k].code; }));
            EXPECT_GE(chosen[k].duration, 0.0);
            if (k > 0) EXPECT_GE(chosen[k - 1].duration, chosen[k].duration);
            total += chosen[k].duration;
        }
        EXPECT_NEAR(total, Budget(), 1e-6 * Budget());

        std::vector<int> perPerson(4, 0);
        for (size_t r = 0; r < household->m_jointActivities.size(); ++r) {
            const CJointActivityRecord& record = household->m_jointActivities[r];
            EXPECT_EQ(record.m_nId, static_cast<int>(r) + 1);
            EXPECT_GE(record.GetParticipantCount(), 2);
            EXPECT_GT(record.m_dDuration, 15.0);
            EXPECT_EQ(record.m_dStartTime, 0.0);
            EXPECT_EQ(record.m_dEndTime, 0.0);
            for (int p = 1; p <= 4; ++p) perPerson[p - 1] += record.IsParticipant(p) ? 1 : 0;
        }
        for (int count : perPerson) EXPECT_LE(count, 2);
        jointRecords += static_cast<int>(household->m_jointActivities.size());
    }
    EXPECT_GT(jointRecords, 0);
}

TEST_P(ActivityGeneration, NogoTracesEachExchangeOfTheDurationSort) {
    Load({40});
    std::vector<Entry> chosen(4);
    const double durations[4] = {10.0, 30.0, 20.0, 20.0};
    for (int i = 0; i < 4; ++i) chosen[i].duration = durations[i];
    CActivityGenerator::SortChosenByDuration(chosen, 4294967297.0, streams);  // written as 1
    CActivityGenerator::SortChosenByDuration(chosen, 9.0, streams);           // already in order
    streams.Close();
    EXPECT_EQ(Lines(nogo), (std::vector<std::string>{"1,30", "1,20", "1,20"}));
}

TEST_P(ActivityGeneration, NothingIsGeneratedWithoutBudgetOrAlternatives) {
    Load({4, 3});  // two children under 6: no alternative at all
    generator.Generate(*household, nullptr, streams);
    EXPECT_TRUE(generator.LastChosen().empty());
    // Free time below zero: no budget.
    system.m_pFRACTIONSPLIT->m_terms.Clear();
    system.m_pFRACTIONSPLIT->m_terms.Add(37012, 1.0);
    Load({40});
    household->GetPerson(1)->SetFlag(0, true);
    household->GetPerson(1)->CreatePattern();
    household->GetPerson(1)->GetWPattern()->SetWorkStart(0.0);
    household->GetPerson(1)->GetWPattern()->SetWorkDuration(1500.0);
    generator.Generate(*household, nullptr, streams);
    streams.Close();
    EXPECT_TRUE(Lines(nogo).empty());
    for (int flag = 2; flag < CPersonObject::kFlagCount; ++flag) EXPECT_FALSE(household->GetPerson(1)->GetFlag(flag));
}

TEST_P(ActivityGeneration, OverflowingValuesAndBadSatiationAreContained) {
    RecordingMessageSink messages;
    Load({40, 38});
    system.m_pFRACTIONSPLIT->m_terms.Add(37001, 800.0);  // exp overflows: the shifted share is 1
    system.m_pMDCEV->m_terms.Add(35002, 800.0);          // type 0 values overflow
    system.m_pMDCEV->m_satiationValues.resize(9);        // group values missing: 0.0
    for (int id = 1; id <= 2; ++id) {
        household->SetValue(0, id);
        generator.Generate(*household, nullptr, streams);
        double total = 0.0;
        for (const Entry& e : generator.LastChosen()) total += e.duration;
        EXPECT_NEAR(total, 2 * 1440.0, 1e-6);
        EXPECT_EQ(generator.LastChosen().front().alternative.type, 0);
    }
    EXPECT_EQ(messages.Texts().size(), 1u);

    // A large household: entries whose satiation value is not positive are left out.
    Load({40, 38, 30, 20, 18, 17});
    system.m_pMDCEV2->m_satiationValues = {-1, 50, 50, 0, 50, 50, 50, 50, 50};
    generator.Generate(*household, nullptr, streams);
    ASSERT_FALSE(generator.LastEntries().empty());
    for (const Entry& e : generator.LastEntries()) {
        EXPECT_NE(e.alternative.type, 0);
        EXPECT_NE(e.alternative.type, 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Db, ActivityGeneration, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
