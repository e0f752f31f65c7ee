// The model-edit command table: every command reaches a model of its class in
// a model system, and an edit leaves all model systems with equal parameters.

#include "app/ModelEditCommands.h"
#include "app/ModelEditTarget.h"

#include "models/CBLogitMM.h"
#include "models/CRegressMM.h"
#include "modelsystem/CEditorRegistry.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace ModelEditCommands;

std::string XmlOf(const CModelModule& model) {
    std::ostringstream out;
    model.WriteXml(out);
    return out.str();
}

TEST(ModelEditCommandsTest, EveryCommandResolvesToAModelOfItsClass) {
    CModelSystem models;
    std::set<int> ids;
    std::map<std::pair<ETourList, int>, int> idsPerTourElement;
    int singles = 0;
    for (const SModelEditCommand& command : All()) {
        SCOPED_TRACE(command.id);
        EXPECT_TRUE(ids.insert(command.id).second) << "duplicate ID";
        EXPECT_EQ(Find(command.id), &command);
        CModelModule* model = nullptr;
        ASSERT_NO_THROW(model = &Resolve(models, command));
        EXPECT_EQ(model->m_name, command.modelName);
        EXPECT_EQ(model->GetOwner(), &models);
        if (command.tourList == ETourList::kNone) {
            EXPECT_EQ(command.tour, 0);
            ++singles;
        } else {
            EXPECT_GE(command.tour, 1);
            EXPECT_LE(command.tour, 4);
            ++idsPerTourElement[{command.tourList, command.tour}];
        }
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(kCommandCount));
    EXPECT_EQ(singles, 134);
    // Eight lists, four tours each, every element reached by two IDs.
    EXPECT_EQ(idsPerTourElement.size(), 32u);
    for (const auto& [element, count] : idsPerTourElement) EXPECT_EQ(count, 2);
    EXPECT_EQ(Find(57665), nullptr);  // Exit is not a model-edit command
}

TEST(ModelEditCommandsTest, ClassMismatchIsRefused) {
    CModelSystem models;
    SModelEditCommand wrong = *Find(32951);  // "Household Annual Mileage", a regression
    wrong.modelClass = EModelClass::kBLogit;
    EXPECT_THROW(Resolve(models, wrong), std::logic_error);
    wrong = *Find(32951);
    wrong.modelName = "No Such Model";
    EXPECT_THROW(Resolve(models, wrong), std::out_of_range);
}

class ModelEditPropagationTest : public ::testing::Test {
protected:
    void SetUp() override {
        CEditorRegistry::Clear();
        for (auto& models : owned) models = std::make_unique<CModelSystem>();
        for (std::size_t i = 0; i < owned.size(); ++i) systems[i] = owned[i].get();
    }
    void TearDown() override { CEditorRegistry::Clear(); }

    // The command's model rendered in every system.
    std::vector<std::string> XmlInEverySystem(const SModelEditCommand& command) {
        std::vector<std::string> texts;
        for (CModelSystem* models : systems) texts.push_back(XmlOf(Resolve(*models, command)));
        return texts;
    }

    std::array<std::unique_ptr<CModelSystem>, 10> owned;
    std::array<CModelSystem*, 10> systems{};
};

TEST_F(ModelEditPropagationTest, ConfirmedEditOfTourElementReachesEverySystemOnly) {
    bool confirm = true;
    CEditorRegistry::Install<CRegressMM>([&](const CRegressMM&, CRegressMM::Parameters& edited) {
        edited.terms.Add(10008, 0.75);
        edited.variance = 2.5;
        return confirm;
    });
    const SModelEditCommand& tour2 = *Find(32913);  // "Home Stay Duration before Tour 2"
    const std::string before = XmlOf(Resolve(*systems[0], tour2));
    const std::string tour1Before = XmlOf(systems[0]->HomeStayDurationBeforeTour(1));

    EditAndPropagate(tour2, systems);
    const std::vector<std::string> after = XmlInEverySystem(tour2);
    EXPECT_NE(after[0], before);
    for (const std::string& text : after) EXPECT_EQ(text, after[0]);
    EXPECT_EQ(systems[9]->HomeStayDurationBeforeTour(2).m_dVariance, 2.5);
    // The other tours' models are not touched.
    for (CModelSystem* models : systems) EXPECT_EQ(XmlOf(models->HomeStayDurationBeforeTour(1)), tour1Before);

    // A cancelled edit leaves the systems equal as well.
    confirm = false;
    systems[4]->HomeStayDurationBeforeTour(2).m_dVariance = 9.0;  // a system out of step is brought back
    EditAndPropagate(*Find(223), systems);
    for (const std::string& text : XmlInEverySystem(tour2)) EXPECT_EQ(text, after[0]);
}

TEST_F(ModelEditPropagationTest, ThrowingEditorLeavesEverySystemAsItWas) {
    CEditorRegistry::Install<CBLogitMM>([](const CBLogitMM&, CBLogitMM::Parameters& edited) -> bool {
        edited.terms.Add(10001, 1.0);
        throw std::runtime_error("editor failed");
    });
    const SModelEditCommand& command = *Find(32796);  // "Decision to go to Work"
    const std::vector<std::string> before = XmlInEverySystem(command);
    EXPECT_THROW(EditAndPropagate(command, systems), std::runtime_error);
    EXPECT_EQ(XmlInEverySystem(command), before);
}

}  // namespace
