// The household type selects the simulator class; types outside 0 to 23 get none.

#include "household/CGenericHousehold.h"
#include "household/CHouseholdWithChildren.h"
#include "household/CHouseholdWithoutChildren.h"
#include "household/CoupleNoChildrenHH.h"
#include "household/CoupleWChildrenHH.h"
#include "household/HouseholdSimulatorFactory.h"
#include "household/HouseholdTypeTable.h"
#include "household/OtherNoChildrenHH.h"
#include "household/OtherWChildrenHH.h"
#include "household/SingleNoChildrenHH.h"
#include "household/SingleWChildrenHH.h"
#include "support/RecordingMessageSink.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <typeindex>
#include <typeinfo>

namespace {

const char* const kGenericMessage = "Why is this a generic hh";

struct Family {
    std::set<int> types;
    std::type_index simulator;
    bool withChildren;
};

// The household types of each simulator class.
const std::vector<Family>& Families() {
    static const std::vector<Family> families = {
        {{0}, typeid(CGenericHousehold), false},
        {{1, 5}, typeid(SingleNoChildrenHH), false},
        {{9, 16}, typeid(CoupleNoChildrenHH), false},
        {{14, 20, 22}, typeid(OtherNoChildrenHH), false},
        {{2, 3, 4, 6, 7, 8}, typeid(SingleWChildrenHH), true},
        {{10, 11, 12, 13, 17, 18, 19}, typeid(CoupleWChildrenHH), true},
        {{15, 21, 23}, typeid(OtherWChildrenHH), true},
    };
    return families;
}

TEST(HouseholdTypeTable, EveryTypeFromZeroToTwentyThreeHasExactlyOneClass) {
    std::multiset<int> listed;
    for (const auto& family : Families()) listed.insert(family.types.begin(), family.types.end());
    for (int type = 0; type < HouseholdTypeTable::kTypeCount; ++type) {
        EXPECT_EQ(listed.count(type), 1u) << "type " << type;
        EXPECT_TRUE(HouseholdTypeTable::ClassOfType(type).has_value()) << "type " << type;
    }
}

TEST(HouseholdTypeTable, EachTypeCreatesItsSimulatorClass) {
    RecordingMessageSink messages;
    for (const auto& family : Families()) {
        for (int type : family.types) {
            auto simulator = CreateHouseholdSimulator(type, nullptr);
            ASSERT_NE(simulator, nullptr) << "type " << type;
            EXPECT_EQ(std::type_index(typeid(*simulator)), family.simulator) << "type " << type;
            EXPECT_EQ(dynamic_cast<CHouseholdWithChildren*>(simulator.get()) != nullptr, family.withChildren)
                << "type " << type;
            EXPECT_EQ(dynamic_cast<CHouseholdWithoutChildren*>(simulator.get()) != nullptr, !family.withChildren)
                << "type " << type;
        }
    }
}

TEST(HouseholdTypeTable, TypesOutsideTheTableCreateNoSimulator) {
    RecordingMessageSink messages;
    for (int type : {-1, 24, 25, 100, INT_MIN, INT_MAX}) {
        EXPECT_FALSE(HouseholdTypeTable::ClassOfType(type).has_value()) << "type " << type;
        EXPECT_EQ(CreateHouseholdSimulator(type, nullptr), nullptr) << "type " << type;
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST(HouseholdTypeTable, OnlyTheGenericTypePostsItsMessageOncePerSimulator) {
    RecordingMessageSink messages;
    for (int type = 1; type < HouseholdTypeTable::kTypeCount; ++type) CreateHouseholdSimulator(type, nullptr);
    EXPECT_TRUE(messages.Texts().empty());

    auto generic = CreateHouseholdSimulator(0, nullptr);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts().front(), kGenericMessage);
    CreateHouseholdSimulator(0, nullptr);
    EXPECT_EQ(messages.Texts().size(), 2u);
}

TEST(HouseholdTypeTable, TheSimulatorKeepsItsModelSystem) {
    RecordingMessageSink messages;
    auto* models = reinterpret_cast<CModelSystem*>(0x1000);
    for (int type = 0; type < HouseholdTypeTable::kTypeCount; ++type) {
        auto simulator = CreateHouseholdSimulator(type, models);
        EXPECT_EQ(simulator->GetModelSystem(), models) << "type " << type;
        EXPECT_EQ(simulator->GetHousehold(), nullptr);
        EXPECT_EQ(simulator->GetDataManager(), nullptr);
        EXPECT_EQ(simulator->GetCurrentPerson(), nullptr);
    }
}

}  // namespace
