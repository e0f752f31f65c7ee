// The explanatory values of the joint-tour vehicle choice: the vehicle's
// length for a large joint activity far from home, and the columns a make row
// must hold for the variables that take that value.

#include "models/CVariableSet.h"
#include "vehicles/CVehicleMakeAndDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(JointTourVehicleValues, LengthForLargeFarActivitiesOnRowsThatHoldTheRequiredColumns) {
    std::vector<double> full(25, 1.0);
    full[7] = 4.5;
    std::vector<double> upTo22(23, 1.0);  // lacks 23 and 24
    upTo22[7] = 5.0;
    std::vector<double> upTo7(8, 1.0);  // lacks 12 and beyond
    upTo7[7] = 3.0;
    const std::vector<const std::vector<double>*> rows{&full, &upTo22, &upTo7, nullptr};
    CVariableSet terms;
    for (int id : {30740, 30732, 30736, 30737, 30738, 30739, 30741}) terms.Add(id, 1.0);

    CLocationMM::Matrix matrix;
    CVehicleMakeAndDriver::EvaluateJointTourVehicleAlternatives(rows, terms, matrix, 3, 20.0);
    const CLocationMM::Matrix expected = {{4.5, 5.0, 3.0, 0.0},   // 30740: column 7
                                          {4.5, 0.0, 0.0, 0.0},   // 30732 needs every column listed
                                          {4.5, 0.0, 0.0, 0.0},   // 30736 needs 24
                                          {4.5, 0.0, 0.0, 0.0},   // 30737 needs 22 and 23
                                          {4.5, 5.0, 0.0, 0.0},   // 30738 needs 15 and 7
                                          {4.5, 5.0, 3.0, 0.0},   // 30739 needs 7
                                          {0.0, 0.0, 0.0, 0.0}};  // no value of its own
    EXPECT_EQ(matrix, expected);

    // Two participants, or a distance of 15 or less: every value is 0.
    for (auto [participants, distance] : {std::pair{2, 20.0}, std::pair{3, 15.0}}) {
        CVehicleMakeAndDriver::EvaluateJointTourVehicleAlternatives(rows, terms, matrix, participants, distance);
        EXPECT_EQ(matrix, CLocationMM::Matrix(7, std::vector<double>(4, 0.0))) << participants << " " << distance;
    }
}

}  // namespace
