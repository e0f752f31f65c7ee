#pragma once
// The driver log-sum term of the vehicle alternatives: for each of the 54
// alternatives, the scaled logarithm of the sum of exponentiated driver
// utilities over the household's driver candidates (members with person
// column 4), with the "LogSum Primary Driver" coefficients d and the scale of
// the alternative. It measures how well the household's possible drivers suit
// a vehicle of that type and group, and enters the alternative's baseline
// utility.

#include "vehicles/CVehiclePersonSummary.h"
#include "vehicles/VehicleAlternatives.h"

#include <span>
#include <vector>

class CDriverLogSum {
public:
    // out[k] = the log-sum term of alternative k, for the 54 alternatives. `d`
    // holds the 34 coefficients of IDs 90001 to 90034 (positions 31 to 33 are
    // the scales).
    void Compute(std::span<const double> d, std::span<const CVehiclePersonSummary> members, std::span<double> out);

    // scale x ln(sum of exp(u / scale)) over the utilities. No utility: minus
    // infinity whatever the scale. Scale 0.0: the limit of a vanishing scale,
    // the largest utility. A sum that overflows or underflows is taken
    // relative to the largest scaled utility; ordinary sums are not, so their
    // values stay those of the plain formula.
    static double ScaledLogSum(std::span<const double> utilities, double scale);

private:
    std::vector<unsigned> m_conditions;  // per candidate: bit c for DriverCondition c met
    std::vector<double> m_utilities;     // per candidate, for the alternative being computed
};
