#include "vehicles/CVehicleUtilities.h"

namespace {

double At(std::span<const double> v, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < v.size() ? v[position] : 0.0;
}

}  // namespace

std::array<int, kVehicleMemberBandCount> CVehicleUtilities::CountBands(
    std::span<const CVehiclePersonSummary> members) {
    std::array<int, kVehicleMemberBandCount> counts{};
    const auto add = [&counts](VehicleMemberBand band) { ++counts[static_cast<int>(band)]; };
    for (const CVehiclePersonSummary& m : members) {
        if (m.m_age <= 5) add(VehicleMemberBand::Infant);
        if (m.m_age > 5 && m.m_age <= 10) add(VehicleMemberBand::YoungChild);
        if (m.m_age > 10 && m.m_age < 16) add(VehicleMemberBand::OlderChild);
        if (m.m_age >= 16) add(VehicleMemberBand::Adult);
        if (m.m_age > 65) add(VehicleMemberBand::Senior);
        if (m.m_age >= 16 && !m.m_column7) add(VehicleMemberBand::AdultWithoutColumn7);
        if (!m.m_column7) add(VehicleMemberBand::WithoutColumn7);
    }
    return counts;
}

void CVehicleUtilities::Compute(std::span<const double> b, std::span<const double> d,
                                const HouseholdValues& household, std::span<const CVehiclePersonSummary> members,
                                std::span<double, VehicleAlternatives::kCount> out) {
    m_logSum.Compute(d, members, out);
    const std::array<int, kVehicleMemberBandCount> bands = CountBands(members);
    for (int k = 0; k < VehicleAlternatives::kCount; ++k) {
        const int t = VehicleAlternatives::TypeIndex(k);
        const int g = VehicleAlternatives::GroupIndex(k);
        double v = 0.0;
        for (const VehicleHouseholdTerm& term : VehicleHouseholdTerms()) {
            if (VehicleAlternatives::Contains(term.types, t) && VehicleAlternatives::Contains(term.groups, g))
                v += At(b, term.coefficient) * household[static_cast<int>(term.value)];
        }
        for (const VehicleMemberBandTerm& term : VehicleMemberBandTerms()) {
            const int count = bands[static_cast<int>(term.band)];
            if (count > 0 && VehicleAlternatives::Contains(term.types, t) &&
                VehicleAlternatives::Contains(term.groups, g))
                v += At(b, term.coefficient) * static_cast<double>(count);
        }
        out[k] = v + out[k];
    }
}
