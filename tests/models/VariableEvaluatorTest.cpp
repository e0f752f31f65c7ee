// The explanatory-variable evaluator and the per-level evaluation of models:
// which level objects and which manager an evaluation sees, what each source
// reads, what an ID without a definition leaves, and broken back-links.

#include "ModelTestWorld.h"
#include "support/RecordingMessageSink.h"

#include "models/CRegressMM.h"
#include "models/CVariableEvaluator.h"
#include "models/CVariableSet.h"
#include "modelsystem/CModelSystem.h"
#include "schedules/CNWPattern.h"
#include "schedules/CNWorkerTour.h"
#include "schedules/CTour.h"
#include "schedules/CWPattern.h"
#include "schedules/CWorkerStop.h"
#include "schedules/CWorkerTour.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

CVariableSet TermsOf(const std::vector<int>& ids) {
    CVariableSet terms;
    for (int id : ids) terms.Add(id, 1.0);
    return terms;
}

class VariableEvaluatorTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { world = std::make_unique<ModelTestWorld>(GetParam()); }

    std::vector<double> Evaluate(const std::vector<int>& ids, CPersonObject* person) {
        CVariableSet terms = TermsOf(ids);
        CVariableEvaluator::ComputeValues(terms, &world->managerA, world->household.get(), person,
                                          person ? person->GetPattern() : nullptr, nullptr, nullptr, &models);
        return terms.m_values;
    }

    std::unique_ptr<ModelTestWorld> world;
    CModelSystem models;
};

TEST_P(VariableEvaluatorTest, SourcesReadTheirRowsAndZones) {
    // 3: household column 3 (home zone); 4: household column 4; 10010: person
    // column 10; 20001 / 20002: zones columns 1 / 2 of home zone 7; 40001:
    // zones column 1 of the person's activity zone.
    const std::vector<double> worker = Evaluate({3, 4, 10010, 20001, 20002, 40001}, world->worker());
    EXPECT_EQ(worker, (std::vector<double>{7.0, 3.25, 1.5, 11.0, 12.5, 21.0}));

    // The student who is not employed works in the larger of columns 6 and 52: zone 9.
    const std::vector<double> student = Evaluate({10010, 40001, 40002}, world->student());
    EXPECT_EQ(student, (std::vector<double>{2.75, 31.0, 32.5}));
}

TEST_P(VariableEvaluatorTest, ZoneColumnZeroIsNotServed) {
    // Column 0 of the zones table is the zone id, which the zone lookup does not serve.
    EXPECT_EQ(Evaluate({20000, 40000}, world->worker()), (std::vector<double>{0.0, 0.0}));
}

TEST_P(VariableEvaluatorTest, IdsWithoutDefinitionAreWrittenAsZero) {
    // 50000: source 5; 30921 and 39999: computed indices beyond 920; 30007: a
    // computed index of the range that no definition covers; -7: a negative ID.
    CVariableSet terms = TermsOf({50000, 30921, 39999, 10010, 60001, 30007, -7});
    CVariableEvaluator::ComputeValues(terms, &world->managerA, world->household.get(), world->worker(), nullptr,
                                      nullptr, nullptr, &models);
    EXPECT_EQ(terms.m_values, (std::vector<double>{0.0, 0.0, 0.0, 1.5, 0.0, 0.0, 0.0}));

    // Values left from an earlier evaluation never survive: every term is written.
    terms.m_values = {5.0, 6.0, 7.0, 8.0, 9.0, 10.0, 11.0};
    CVariableEvaluator::ComputeValues(terms, &world->managerA, world->household.get(), world->worker(), nullptr,
                                      nullptr, nullptr, &models);
    EXPECT_EQ(terms.m_values, (std::vector<double>{0.0, 0.0, 0.0, 1.5, 0.0, 0.0, 0.0}));
}

TEST_P(VariableEvaluatorTest, ValueVectorFollowsTheTerms) {
    CVariableSet terms = TermsOf({10010, 10010});
    terms.m_values = {1.0, 2.0, 3.0, 4.0};  // longer than the terms: cut back
    CVariableEvaluator::ComputeValues(terms, &world->managerA, world->household.get(), world->worker(), nullptr,
                                      nullptr, nullptr, &models);
    EXPECT_EQ(terms.m_values, (std::vector<double>{1.5, 1.5}));

    CVariableSet empty;
    CVariableEvaluator::ComputeValues(empty, &world->managerA, world->household.get(), world->worker(), nullptr,
                                      nullptr, nullptr, &models);
    EXPECT_TRUE(empty.m_values.empty());
}

TEST_P(VariableEvaluatorTest, EvaluatingForAnotherPersonOverwrites) {
    CVariableSet terms = TermsOf({10001, 10008});
    CVariableEvaluator::ComputeValues(terms, &world->managerA, world->household.get(), world->worker(), nullptr,
                                      nullptr, nullptr, &models);
    EXPECT_EQ(terms.m_values, (std::vector<double>{1.0, 40.0}));
    CVariableEvaluator::ComputeValues(terms, &world->managerA, world->household.get(), world->student(), nullptr,
                                      nullptr, nullptr, &models);
    EXPECT_EQ(terms.m_values, (std::vector<double>{2.0, 12.0}));
}

TEST_P(VariableEvaluatorTest, MissingLevelObjectsGiveZero) {
    // A household-level evaluation has no person: person and activity-zone
    // variables read 0.0 instead of failing.
    CVariableSet terms = TermsOf({10008, 40001, 3});
    CVariableEvaluator::ComputeValues(terms, &world->managerA, world->household.get(), nullptr, nullptr, nullptr,
                                      nullptr, &models);
    EXPECT_EQ(terms.m_values, (std::vector<double>{0.0, 0.0, 7.0}));

    CVariableSet zones = TermsOf({20001});
    CVariableEvaluator::ComputeValues(zones, nullptr, world->household.get(), nullptr, nullptr, nullptr, nullptr,
                                      &models);
    EXPECT_EQ(zones.m_values, (std::vector<double>{0.0}));
}

TEST_P(VariableEvaluatorTest, FrameTakesTheHomeZoneFromTheHousehold) {
    auto frame = CVariableEvaluator::MakeFrame(&world->managerA, world->household.get(), world->worker(),
                                               world->workerPattern(), nullptr, nullptr, &models);
    EXPECT_EQ(frame.homeZone, 7);
    EXPECT_EQ(frame.pattern, world->workerPattern());

    frame = CVariableEvaluator::MakeFrame(&world->managerA, nullptr, nullptr, nullptr, nullptr, nullptr, &models);
    EXPECT_EQ(frame.homeZone, 0);
}

// Per-level evaluation through the back-links.

TEST_P(VariableEvaluatorTest, StopLevelFollowsBackLinksAndUsesTheStopsManager) {
    RecordingMessageSink sink;
    CRegressMM model(&models, "Stop model");
    model.m_terms.Add(20001, 1.0);
    model.m_terms.Add(10010, 1.0);

    model.Predict(world->workerStop());
    EXPECT_EQ(model.m_context.m_pStop, world->workerStop());
    EXPECT_EQ(model.m_context.m_pTour, world->workerCommute());
    EXPECT_EQ(model.m_context.m_pPattern, world->workerPattern());
    EXPECT_EQ(model.m_context.m_pPerson, world->worker());
    EXPECT_EQ(model.m_context.m_pHousehold, world->household.get());
    EXPECT_EQ(model.m_context.m_pManager, &world->managerA);
    EXPECT_EQ(model.m_terms.m_values, (std::vector<double>{11.0, 1.5}));

    // A stop that carries manager B reads the zones through B although its
    // household belongs to A.
    CWorkerStop stopB(&world->managerB, world->workerCommute());
    model.Predict(&stopB);
    EXPECT_EQ(model.m_context.m_pManager, &world->managerB);
    EXPECT_EQ(model.m_terms.m_values, (std::vector<double>{99.0, 1.5}));
    EXPECT_TRUE(sink.Texts().empty());
}

TEST_P(VariableEvaluatorTest, UpperLevelsLeaveLowerObjectsNull) {
    CRegressMM model(&models, "Level model");
    model.m_terms.Add(10008, 1.0);

    model.Predict(world->studentTour());
    EXPECT_EQ(model.m_context.m_pStop, nullptr);
    EXPECT_EQ(model.m_context.m_pTour, world->studentTour());
    EXPECT_EQ(model.m_context.m_pPattern, world->studentPattern());
    EXPECT_EQ(model.m_context.m_pPerson, world->student());
    EXPECT_EQ(model.m_context.m_pManager, &world->managerA);

    model.Predict(world->studentPattern());
    EXPECT_EQ(model.m_context.m_pTour, nullptr);
    EXPECT_EQ(model.m_context.m_pPattern, world->studentPattern());
    EXPECT_EQ(model.m_context.m_pPerson, world->student());

    model.Predict(world->worker());
    EXPECT_EQ(model.m_context.m_pTour, nullptr);
    EXPECT_EQ(model.m_context.m_pPattern, world->workerPattern());
    EXPECT_EQ(model.m_context.m_pPerson, world->worker());
    EXPECT_EQ(model.m_terms.m_values, (std::vector<double>{40.0}));

    model.Predict(world->household.get());
    EXPECT_EQ(model.m_context.m_pStop, nullptr);
    EXPECT_EQ(model.m_context.m_pTour, nullptr);
    EXPECT_EQ(model.m_context.m_pPattern, nullptr);
    EXPECT_EQ(model.m_context.m_pPerson, nullptr);
    EXPECT_EQ(model.m_context.m_pHousehold, world->household.get());
    EXPECT_EQ(model.m_context.m_pManager, &world->managerA);
    EXPECT_EQ(model.m_terms.m_values, (std::vector<double>{0.0}));
}

TEST_P(VariableEvaluatorTest, ForeignPatternIsReportedOncePerEvaluation) {
    RecordingMessageSink sink;
    CRegressMM model(&models, "Foreign pattern");
    model.m_terms.Add(10008, 1.0);

    // A pattern of the worker that is not the worker's own day.
    CNWPattern stray(&world->managerA, world->worker());
    CNWorkerTour tour(&world->managerA, &stray);
    model.Predict(&tour);
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"OOps"}));
    // The evaluation goes on with the tour's own pattern.
    EXPECT_EQ(model.m_context.m_pPattern, &stray);
    EXPECT_EQ(model.m_terms.m_values, (std::vector<double>{40.0}));

    model.Predict(&stray);
    EXPECT_EQ(sink.Texts().size(), 2u);

    // The person level takes the person's own pattern: never reported.
    model.Predict(world->worker());
    model.Predict(world->household.get());
    model.Predict(world->workerCommute());
    EXPECT_EQ(sink.Texts().size(), 2u);
}

TEST_P(VariableEvaluatorTest, BrokenBackLinksThrowLogicError) {
    CRegressMM model(&models, "Broken links");
    model.m_terms.Add(10008, 1.0);

    CWorkerStop orphanStop(&world->managerA, nullptr);
    EXPECT_THROW(model.Predict(&orphanStop), std::logic_error);

    CWorkerTour orphanTour(&world->managerA, nullptr);
    CWorkerStop stopOfOrphan(&world->managerA, &orphanTour);
    EXPECT_THROW(model.Predict(&orphanTour), std::logic_error);
    EXPECT_THROW(model.Predict(&stopOfOrphan), std::logic_error);

    CNWPattern orphanPattern(&world->managerA, nullptr);
    EXPECT_THROW(model.Predict(&orphanPattern), std::logic_error);

    CPersonObject homeless(&world->managerA);
    EXPECT_THROW(model.Predict(&homeless), std::logic_error);
    CNWPattern homelessPattern(&world->managerA, &homeless);
    EXPECT_THROW(model.Predict(&homelessPattern), std::logic_error);

    EXPECT_THROW(model.Predict(static_cast<CHouseholdObject*>(nullptr)), std::logic_error);
    EXPECT_THROW(model.Predict(static_cast<CStop*>(nullptr)), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(Db, VariableEvaluatorTest, ::testing::ValuesIn(TestDatabase::Kinds()),
                         TestDatabase::KindName);

}  // namespace
