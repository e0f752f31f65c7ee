// The computed variables each catalogue model offers in its editor: list
// sizes and index ranges by model, the short lists in full, the models without
// a list, and that every offered index names a described registry entry.

#include "models/CLocationWalkMM.h"
#include "models/CMNLogitMM.h"
#include "modelsystem/AdmissibleVariableLists.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct ListShape {
    std::vector<std::string> models;
    std::size_t size;
    int smallest;
    int largest;
};

std::vector<std::string> ForTours(const std::string& prefix, const std::string& suffix) {
    std::vector<std::string> names;
    for (int k = 1; k <= 4; ++k) names.push_back(prefix + std::to_string(k) + suffix);
    return names;
}

const std::vector<ListShape>& Shapes() {
    static const std::vector<ListShape> shapes = {
        {{"Vehicle Make", "Decision to go to School", "Children's school Start time", "Children's school End time",
          "Household Annual Mileage"},
         1, 0, 0},
        {{"Decision to go to Work", "Adult's Decision to go to school", "Adult's school Start time",
          "Adult's School End time"},
         17, 0, 190},
        {{"Work-Start-End-Time"}, 46, 0, 338},
        {{"Mode to school for children"}, 35, 0, 327},
        {{"Mode from school for children"}, 37, 0, 328},
        {{"Allocation of drop off episode to parent"}, 37, 0, 357},
        {{"Allocation of pick up episode to parent"}, 35, 0, 357},
        {{"Decision of child to undertake independent discretionary activity"}, 26, 0, 203},
        {{"HH Shopping Activity Generation"}, 27, 0, 335},
        {{"Shopping Activity Allocation"}, 38, 0, 203},
        {{"Individual Other. Bus. Activity Generation"}, 39, 0, 203},
        {{"Individual Social Activity Generation"}, 41, 0, 203},
        {{"Individual Eat-out Activity Generation"}, 44, 0, 203},
        {{"Individual Serve-pax Activity Generation"}, 48, 0, 203},
        {{"WH commute mode"}, 63, 0, 341},
        {{"WH Number of Stops", "HW Number of Stops"}, 57, 0, 341},
        {{"Number of Tours After Work"}, 59, 0, 226},
        {{"Number of Tours Based at Work"}, 59, 0, 226},
        {{"Number of Tours Before Work"}, 60, 0, 226},
        {{"BW Tour Mode", "WB Tour Mode", "AW Tour Mode"}, 69, 0, 226},
        {{"BW Tour Number of Stops", "WB Tour Number of Stops", "AW Tour Number of Stops"}, 73, 0, 226},
        {{"BW Home Stay", "WB Work Stay", "AW Home Stay"}, 80, 0, 226},
        {{"WH Commute Stop Activity Type", "HW Commute Stop Activity Type", "BW Tour Stop Activity Type",
          "WB Tour Stop Activity Type", "AW Tour Stop Activity Type"},
         91, 0, 226},
        {{"WH Commute Stop Activity Duration", "HW Commute Stop Activity Duration", "BW Tour Stop Activity Duration",
          "WB Tour Stop Activity Duration", "AW Tour Stop Activity Duration"},
         98, 0, 233},
        {{"WH Commute Stop Travel Time", "HW Commute Stop Travel Time", "BW Tour Stop Travel Time",
          "WB Tour Stop Travel Time", "AW Tour Stop Travel Time"},
         98, 0, 233},
        {{"WH Commute Stop Location (Auto mode)", "HW Commute Stop Location (Auto mode)",
          "BW Tour Stop Location (Auto mode)", "WB Tour Stop Location (Auto mode)",
          "AW Tour Stop Location (Auto mode)"},
         51, 165, 355},
        {{"Number of Tours NW"}, 45, 0, 198},
        {{"Non Worker's Decision to undertake independent tour before pickup"}, 46, 0, 198},
        {{"Non Worker's Decision to undertake independent tour after pickup"}, 46, 0, 198},
        {ForTours("Mode for Tour ", ""), 58, 0, 260},
        {ForTours("Number of Stops in Tour ", ""), 63, 0, 260},
        {ForTours("Home Stay Duration before Tour ", ""), 71, 0, 260},
        {ForTours("Tour ", " Stop Activity Type"), 83, 0, 260},
        {ForTours("Tour ", " Stop Activity Duration"), 90, 0, 260},
        {ForTours("Tour ", " Stop Travel Time"), 91, 0, 260},
        {ForTours("Tour ", " Stop Location (by Auto Mode)"), 50, 165, 354},
        {{"Number of Stops After Pickup or Dropoff"}, 49, 0, 261},
        {{"School to home commute time"}, 30, 0, 198},
        {{"Home to school commute time"}, 30, 0, 198},
        {{"Mode for discretionary tour"}, 25, 0, 198},
        {{"Departure time from home for discretionary tour"}, 28, 0, 198},
        {{"Activity duration at discretionary stop"}, 28, 0, 198},
        {{"Travel time to discretionary stop"}, 29, 0, 198},
        {{"Location choice for discretionary stop"}, 8, 165, 235},
        {{"Non Worker's Joint activity departure time from home"}, 40, 0, 198},
        {{"Non Worker's Joint activity duration at stop"}, 40, 0, 198},
        {{"Non Worker's Joint activity travel time to stop", "Worker's Joint activity travel time to stop"}, 41, 0, 198},
        {{"Non Worker's Joint activity location of stop", "Worker's Joint activity location of stop"}, 9, 165, 244},
        {{"Worker's Joint activity departure time from home"}, 39, 0, 198},
        {{"Worker's Joint activity duration at stop"}, 41, 0, 198},
    };
    return shapes;
}

class AdmissibleVariables : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& model : m_models.GetModels()) {
            std::string name = model->GetName();
            if (const auto* walk = dynamic_cast<const CLocationWalkMM*>(model.get())) name = walk->GetWalkModelName();
            m_byName[name] = model.get();
        }
    }
    const std::vector<int>& ListOf(const std::string& name) const {
        const auto found = m_byName.find(name);
        if (found == m_byName.end()) {
            ADD_FAILURE() << "no model named " << name;
            static const std::vector<int> none;
            return none;
        }
        return found->second->GetAdmissibleVariables();
    }

    CModelSystem m_models;
    std::map<std::string, const CModelModule*> m_byName;
};

TEST_F(AdmissibleVariables, SizesAndRangesByModel) {
    for (const ListShape& shape : Shapes()) {
        const std::vector<int>& first = ListOf(shape.models.front());
        for (const std::string& name : shape.models) {
            SCOPED_TRACE(name);
            const std::vector<int>& list = ListOf(name);
            ASSERT_EQ(list.size(), shape.size);
            EXPECT_EQ(*std::min_element(list.begin(), list.end()), shape.smallest);
            EXPECT_EQ(*std::max_element(list.begin(), list.end()), shape.largest);
            EXPECT_EQ(std::set<int>(list.begin(), list.end()).size(), list.size()) << "an index offered twice";
            // Models grouped together share one list, in the same order.
            EXPECT_EQ(list, first);
        }
    }
}

TEST_F(AdmissibleVariables, ShortListsInFull) {
    EXPECT_EQ(ListOf("Household Annual Mileage"), (std::vector<int>{0}));
    EXPECT_EQ(ListOf("Adult's School End time"),
              (std::vector<int>{0, 5, 182, 183, 6, 7, 8, 9, 184, 10, 185, 190, 186, 11, 187, 188, 189}));
    EXPECT_EQ(ListOf("Location choice for discretionary stop"),
              (std::vector<int>{165, 166, 170, 169, 172, 177, 234, 235}));
    EXPECT_EQ(ListOf("Worker's Joint activity location of stop"),
              (std::vector<int>{165, 170, 169, 244, 172, 177, 234, 235, 168}));
    EXPECT_EQ(ListOf("Work-Start-End-Time"),
              (std::vector<int>{0,   264, 265, 266, 267, 268, 269, 270, 271, 272, 273, 274, 275, 262, 263, 282,
                                283, 284, 285, 286, 287, 288, 289, 290, 291, 292, 293, 300, 301, 302, 303, 304,
                                305, 15,  312, 313, 314, 315, 316, 18,  322, 336, 337, 338, 326, 17}));
}

TEST_F(AdmissibleVariables, ModelsWithoutAList) {
    std::vector<std::string> empty = {"MDCEV",
                                      "MDCEV2",
                                      "FRACTION_SPLIT",
                                      "vehicleMDCEV",
                                      "LogSum Primary Driver",
                                      "Separate travel or joint travel",
                                      "Zero Non-work Duration Households",
                                      "Joint activity travel time to stop MDCEV",
                                      "Joint Activity Duration MDCEV",
                                      "Joint activity Start time MDCEV",
                                      "Joint Activity Location MDCEV",
                                      "Worker Stop Loction (Walk mode)",
                                      "NonWorker Stop Loction (Walk mode)",
                                      "Children's school duration",
                                      "Work Duration",
                                      "BW Tour Duration",
                                      "WB Tour Duration",
                                      "AW Tour Duration",
                                      "WH Commute Duration",
                                      "HW Commute Duration",
                                      "Primary Driver",
                                      "Joint Tour Vehicle"};
    for (const std::string& name : ForTours("Duration of Tour ", "")) empty.push_back(name);
    ASSERT_EQ(empty.size(), 26u);
    for (const std::string& name : empty) EXPECT_TRUE(ListOf(name).empty()) << name;

    // The catalogue holds no other model: the listed ones and the empty ones
    // make up all 129.
    std::set<std::string> covered(empty.begin(), empty.end());
    for (const ListShape& shape : Shapes()) covered.insert(shape.models.begin(), shape.models.end());
    EXPECT_EQ(covered.size(), 129u);
    for (const auto& [name, model] : m_byName) EXPECT_EQ(covered.count(name), 1u) << name;
}

TEST_F(AdmissibleVariables, EveryOfferedIndexIsADescribedRegistryEntry) {
    const std::vector<std::string>& registry = m_models.m_variableNames;
    ASSERT_EQ(registry.size(), 1000u);
    for (const auto& [name, model] : m_byName) {
        for (const int index : model->GetAdmissibleVariables()) {
            SCOPED_TRACE(name + " offers " + std::to_string(index));
            ASSERT_GE(index, 0);
            ASSERT_LT(index, 1000);
            const std::string& text = registry[static_cast<std::size_t>(index)];
            if (name == "Work-Start-End-Time" && index == 326) {
                // Kept as it always was: the editor shows an empty line.
                EXPECT_TRUE(text.empty());
                continue;
            }
            EXPECT_FALSE(text.empty());
            // More than the bare number: the editor shows what the variable is.
            EXPECT_GT(text.size(), 6u);
        }
    }
}

TEST_F(AdmissibleVariables, EveryListInTheDataNamesACatalogueModel) {
    std::set<std::string> named;
    for (const SAdmissibleVariableList& list : AdmissibleVariableLists()) {
        EXPECT_FALSE(list.indices.empty());
        for (const char* name : list.models) {
            EXPECT_EQ(m_byName.count(name), 1u) << name;
            EXPECT_TRUE(named.insert(name).second) << name << " has two lists";
        }
    }
}

TEST_F(AdmissibleVariables, EachSystemHasItsOwnCopy) {
    CModelSystem other;
    ASSERT_EQ(other.m_vModeForTour[3]->GetAdmissibleVariables(), m_models.m_vModeForTour[0]->GetAdmissibleVariables());
    EXPECT_NE(&other.m_vModeForTour[3]->GetAdmissibleVariables(), &m_models.m_vModeForTour[3]->GetAdmissibleVariables());
    EXPECT_EQ(other.m_vModeForTour[3]->GetAdmissibleVariables().size(), 58u);
}

}  // namespace
