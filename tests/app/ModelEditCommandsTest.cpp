// The model-edit command table: every command reaches a model of its class in
// a model system (the edits across the ten systems are tested on the
// application object).

#include "app/ModelEditCommands.h"
#include "app/ModelEditTarget.h"

#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <utility>

namespace {

using namespace ModelEditCommands;

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
    EXPECT_EQ(ids.size(), 198u);
    EXPECT_EQ(singles, 134);
    // Eight lists, four tours each, every element reached by two IDs.
    EXPECT_EQ(idsPerTourElement.size(), 32u);
    for (const auto& [element, count] : idsPerTourElement) EXPECT_EQ(count, 2);
    EXPECT_EQ(Find(57665), nullptr);  // Exit is not a model-edit command

    // A row naming the wrong class or no model is refused, not cast.
    SModelEditCommand wrong = *Find(32951);  // "Household Annual Mileage", a regression
    wrong.modelClass = EModelClass::kBLogit;
    EXPECT_THROW(Resolve(models, wrong), std::logic_error);
    wrong.modelClass = Find(32951)->modelClass;
    wrong.modelName = "No Such Model";
    EXPECT_THROW(Resolve(models, wrong), std::out_of_range);
}

}  // namespace
