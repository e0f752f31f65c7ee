// Coefficients gathered by variable ID: the order of the terms does not
// matter, a repeated ID sums, absent IDs read 0.0 and are reported in order.

#include "models/CVariableSet.h"
#include "models/TermCoefficients.h"

#include <gtest/gtest.h>

#include <vector>

TEST(TermCoefficients, GathersByIdSumsRepeatsAndReportsAbsentIds) {
    CVariableSet inOrder, shuffled;
    for (int j = 0; j < 6; ++j) inOrder.Add(90001 + j, 0.5 * j + 1.0);
    for (int j : {4, 0, 5, 3}) shuffled.Add(90001 + j, 0.5 * j + 1.0);
    shuffled.Add(38001, 7.0);   // outside the range: ignored
    shuffled.Add(90005, -1.0);  // repeated: sums
    std::vector<double> a, b(40, 9.0);
    std::vector<int> missingA, missingB;
    GatherTermCoefficients(inOrder, 90001, 6, a, &missingA);
    GatherTermCoefficients(shuffled, 90001, 6, b, &missingB);
    EXPECT_EQ(a, (std::vector<double>{1.0, 1.5, 2.0, 2.5, 3.0, 3.5}));
    EXPECT_EQ(b, (std::vector<double>{1.0, 0.0, 0.0, 2.5, 2.0, 3.5}));
    EXPECT_TRUE(missingA.empty());
    EXPECT_EQ(missingB, (std::vector<int>{90002, 90003}));
    missingB.push_back(90006);
    EXPECT_EQ(MissingTermsText("LogSum Primary Driver", missingB),
              "Model LogSum Primary Driver lacks the terms 90002-90003, 90006; their coefficients are taken as 0.0.");
}
