#include "vehicles/CDriverLogSum.h"

#include "vehicles/DriverLogSumTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

unsigned Bit(DriverCondition c) { return 1u << static_cast<int>(c); }

unsigned ConditionsOf(const CVehiclePersonSummary& m) {
    unsigned bits = 0;
    if (m.m_worker) bits |= Bit(DriverCondition::Worker);
    if (m.m_column7) bits |= Bit(DriverCondition::Column7);
    if (m.m_column10) bits |= Bit(DriverCondition::Column10);
    if (m.m_column57) bits |= Bit(DriverCondition::Column57);
    if (m.m_age >= 16 && m.m_age <= 25) bits |= Bit(DriverCondition::Age16To25);
    if (m.m_age >= 26 && m.m_age <= 40) bits |= Bit(DriverCondition::Age26To40);
    if (m.m_age >= 41 && m.m_age <= 65) bits |= Bit(DriverCondition::Age41To65);
    // An absent commute value, or one that is not a number, is no short commute.
    if (m.m_commuteLos && *m.m_commuteLos <= 10.0) bits |= Bit(DriverCondition::ShortCommute);
    return bits;
}

}  // namespace

void CDriverLogSum::Compute(std::span<const double> d, std::span<const CVehiclePersonSummary> members,
                            std::span<double> out) {
    m_conditions.clear();
    for (const CVehiclePersonSummary& m : members) {
        if (m.m_column4) m_conditions.push_back(ConditionsOf(m));
    }
    m_utilities.resize(m_conditions.size());
    const auto coefficient = [&d](int position) {
        return position >= 0 && static_cast<std::size_t>(position) < d.size() ? d[position] : 0.0;
    };
    for (int k = 0; k < VehicleAlternatives::kCount && static_cast<std::size_t>(k) < out.size(); ++k) {
        const int t = VehicleAlternatives::TypeIndex(k);
        const int g = VehicleAlternatives::GroupIndex(k);
        for (std::size_t i = 0; i < m_conditions.size(); ++i) {
            double u = 0.0;
            for (const DriverLogSumTerm& term : DriverLogSumTerms()) {
                if (VehicleAlternatives::Contains(term.types, t) && VehicleAlternatives::Contains(term.groups, g) &&
                    (m_conditions[i] & Bit(term.condition)))
                    u += coefficient(term.coefficient);
            }
            m_utilities[i] = u;
        }
        const int scalePosition = DriverLogSumScalePosition(t, g);
        out[k] = ScaledLogSum(m_utilities, scalePosition < 0 ? 1.0 : coefficient(scalePosition));
    }
}

double CDriverLogSum::ScaledLogSum(std::span<const double> utilities, double scale) {
    if (utilities.empty()) return -std::numeric_limits<double>::infinity();
    if (scale == 0.0) return *std::max_element(utilities.begin(), utilities.end());
    double sum = 0.0;
    for (double u : utilities) sum += std::exp(u / scale);
    if (std::isfinite(sum) && sum > 0.0) return scale * std::log(sum);
    if (std::isnan(sum)) return sum;

    // Overflow or underflow: shift by the largest scaled utility.
    double largest = -std::numeric_limits<double>::infinity();
    for (double u : utilities) largest = std::max(largest, u / scale);
    if (!std::isfinite(largest)) return scale * largest;
    double shifted = 0.0;
    for (double u : utilities) shifted += std::exp(u / scale - largest);
    return scale * (largest + std::log(shifted));
}
