// Coefficients gathered by variable ID: order of the terms does not matter, a
// repeated ID sums, absent IDs read 0.0 and are reported in ascending order.

#include "models/CVariableSet.h"
#include "models/TermCoefficients.h"

#include <gtest/gtest.h>

#include <vector>

TEST(TermCoefficients, GathersByIdWhateverTheOrder) {
    CVariableSet inOrder, shuffled;
    for (int j = 0; j < 6; ++j) inOrder.Add(38001 + j, 0.5 * j + 1.0);
    for (int j : {4, 0, 5, 2, 1, 3}) shuffled.Add(38001 + j, 0.5 * j + 1.0);
    shuffled.Add(90001, 7.0);  // outside the range: ignored
    std::vector<double> a, b;
    std::vector<int> missingA, missingB;
    GatherTermCoefficients(inOrder, 38001, 6, a, &missingA);
    GatherTermCoefficients(shuffled, 38001, 6, b, &missingB);
    EXPECT_EQ(a, (std::vector<double>{1.0, 1.5, 2.0, 2.5, 3.0, 3.5}));
    EXPECT_EQ(a, b);
    EXPECT_TRUE(missingA.empty());
    EXPECT_TRUE(missingB.empty());
}

TEST(TermCoefficients, RepeatedIdSumsAndAbsentIdsAreReported) {
    CVariableSet terms;
    terms.Add(90002, 1.25);
    terms.Add(90005, 0.0);  // present with 0.0: not missing
    terms.Add(90002, 0.75);
    std::vector<double> out(40, 9.0);
    std::vector<int> missing;
    GatherTermCoefficients(terms, 90001, 6, out, &missing);
    EXPECT_EQ(out, (std::vector<double>{0.0, 2.0, 0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(missing, (std::vector<int>{90001, 90003, 90004, 90006}));
    EXPECT_EQ(MissingTermsText("LogSum Primary Driver", missing),
              "Model LogSum Primary Driver lacks the terms 90001, 90003-90004, 90006; "
              "their coefficients are taken as 0.0.");
}
