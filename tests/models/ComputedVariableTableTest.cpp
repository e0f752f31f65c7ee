// The table of computed-variable definitions: which indices below 340 have a
// definition, that no index is defined twice, and what the lookup answers
// outside the defined indices.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "models/ComputedVariableTable.h"
#include "models/computed/CommuteVariables.h"
#include "models/computed/HouseholdVariables.h"
#include "models/computed/PersonVariables.h"
#include "models/computed/StopVariables.h"
#include "models/computed/TourVariables.h"
#include "models/computed/WorkSchoolVariables.h"

namespace {

// Every variable ID below 30340 that has a definition: household composition,
// the person, work and school times, escort roles and zones; commutes, tours
// and stops. Written out by hand from the variable lists, not from the table.
const std::set<int> kDefinedBelow340 = {
    30000, 30001, 30002, 30003, 30004, 30005, 30006, 30008, 30009, 30010, 30011, 30012, 30013, 30014, 30015,
    30016, 30017, 30018, 30019, 30020, 30021, 30022, 30023, 30024, 30025, 30026, 30027, 30028, 30029, 30030,
    30031, 30032, 30033, 30034, 30035, 30036, 30037, 30038, 30039, 30040, 30041, 30042, 30043, 30044, 30045,
    30046, 30047, 30048, 30049, 30050, 30051, 30052, 30053, 30054, 30055, 30056, 30057, 30058, 30059, 30060,
    30061, 30062, 30063, 30064, 30065, 30066, 30067, 30068, 30069, 30070, 30071, 30072, 30073, 30074, 30075,
    30076, 30077, 30078, 30079, 30080, 30081, 30082, 30083, 30084, 30085, 30086, 30087, 30088, 30089, 30090,
    30091, 30092, 30093, 30094, 30095, 30096, 30097, 30098, 30099, 30100, 30101, 30102, 30103, 30104, 30105,
    30106, 30107, 30108, 30109, 30110, 30111, 30112, 30113, 30114, 30115, 30116, 30117, 30118, 30119, 30120,
    30121, 30122, 30123, 30124, 30125, 30126, 30127, 30128, 30129, 30130, 30131, 30132, 30133, 30134, 30135,
    30136, 30137, 30138, 30139, 30140, 30141, 30142, 30143, 30144, 30145, 30146, 30147, 30148, 30149, 30150,
    30151, 30152, 30153, 30154, 30155, 30156, 30157, 30158, 30159, 30160, 30161, 30162, 30163, 30164, 30182,
    30183, 30184, 30185, 30186, 30187, 30188, 30189, 30190, 30191, 30192, 30193, 30194, 30195, 30196, 30197,
    30198, 30199, 30200, 30201, 30202, 30204, 30205, 30206, 30207, 30208, 30209, 30210, 30211, 30212, 30213,
    30214, 30215, 30216, 30218, 30219, 30220, 30221, 30222, 30223, 30224, 30225, 30226, 30227, 30228, 30229,
    30230, 30231, 30232, 30233, 30255, 30256, 30257, 30258, 30259, 30260, 30261, 30317, 30321, 30326, 30327,
    30328, 30329, 30330, 30331, 30332, 30333, 30334, 30335, 30339,
};

std::vector<ComputedVariableRows> GroupsBelow340() {
    return {HouseholdVariableRows(), PersonVariableRows(), WorkSchoolVariableRows(),
            CommuteVariableRows(),   TourVariableRows(),   StopVariableRows()};
}

TEST(ComputedVariableTable, GroupsBelow340DefineExactlyTheListedIds) {
    std::multiset<int> defined;
    for (ComputedVariableRows rows : GroupsBelow340())
        for (const ComputedVariableDefinition& row : rows) {
            defined.insert(30000 + row.index);
            EXPECT_NE(row.compute, nullptr) << 30000 + row.index;
        }
    const std::set<int> unique(defined.begin(), defined.end());
    EXPECT_EQ(unique.size(), defined.size()) << "an ID is defined twice";
    std::vector<int> missing, extra;
    for (int id : kDefinedBelow340)
        if (!unique.count(id)) missing.push_back(id);
    for (int id : unique)
        if (!kDefinedBelow340.count(id)) extra.push_back(id);
    EXPECT_TRUE(missing.empty()) << "first missing: " << (missing.empty() ? 0 : missing.front());
    EXPECT_TRUE(extra.empty()) << "first extra: " << (extra.empty() ? 0 : extra.front());
}

TEST(ComputedVariableTable, LookupBelow340AnswersExactlyTheListedIds) {
    for (int index = 0; index < 340; ++index) {
        const ComputedVariableDefinition* definition = FindComputedVariableDefinition(index);
        EXPECT_EQ(definition != nullptr, kDefinedBelow340.count(30000 + index) == 1) << 30000 + index;
        if (definition != nullptr) {
            EXPECT_EQ(definition->index, index);
        }
    }
}

TEST(ComputedVariableTable, EveryIndexOfEveryGroupIsUniqueAndInRange) {
    std::set<int> seen;
    for (ComputedVariableRows rows : ComputedVariableGroups())
        for (const ComputedVariableDefinition& row : rows) {
            EXPECT_GE(row.index, 0);
            EXPECT_LT(row.index, kComputedVariableIndexCount);
            EXPECT_TRUE(seen.insert(row.index).second) << "defined twice: " << 30000 + row.index;
            EXPECT_EQ(FindComputedVariableDefinition(row.index), &row);
        }
}

TEST(ComputedVariableTable, IndicesComputedElsewhereOrNowhereHaveNoDefinition) {
    // Described in the registry but computed by no routine, or computed only by
    // the location-choice matrix and the time-of-day variables.
    for (int id : {30007, 30179, 30203, 30234, 30253, 30262, 30165, 30178, 30180, 30181, 30322, 30263, 30316,
                   30323, 30325, 30336, 30338})
        EXPECT_EQ(FindComputedVariableDefinition(id - 30000), nullptr) << id;
}

TEST(ComputedVariableTable, IndicesOutsideTheRangeHaveNoDefinition) {
    EXPECT_EQ(FindComputedVariableDefinition(-1), nullptr);
    EXPECT_EQ(FindComputedVariableDefinition(-30000), nullptr);
    EXPECT_EQ(FindComputedVariableDefinition(921), nullptr);
    EXPECT_EQ(FindComputedVariableDefinition(9999), nullptr);
    EXPECT_NE(FindComputedVariableDefinition(0), nullptr);
}

}  // namespace
