#include "vehicles/CVehicleFleetSimulator.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CRecordLine.h"
#include "data/InputColumns.h"
#include "household/CVehicleRecord.h"
#include "household/DecisionKey.h"
#include "models/CBLogitMM.h"
#include "models/TermCoefficients.h"
#include "modelsystem/CModelSystem.h"
#include "platform/MessageSink.h"

#include <cmath>

namespace {

// The base of the drawn values and translation factors is 2.718, not e.
constexpr double kBase = 2.718;

// The offset of the "vehicleMDCEV" reseed key of alternative k in an attempt;
// the outside good uses alternative 0's key, so its uniform equals
// alternative 0's, and alternative k of attempt a shares its key with
// alternative k - 20 of attempt a + 1.
std::uint32_t FleetOffset(int attempt, int k) {
    return 20u * static_cast<std::uint32_t>(attempt) + static_cast<std::uint32_t>(k);
}

double Gumbel(double u) { return -std::log(-std::log(u)); }

}  // namespace

void CVehicleFleetSimulator::Prepare(const CHouseholdObject& household, CInputDataManager* manager,
                                     CModelSystem& models) {
    m_pModels = &models;
    m_householdColumn0 = household.GetValue(0);

    m_summaries.clear();
    const int homeZone = household.GetHomeZone();
    for (const auto& person : household.GetPersons())
        m_summaries.push_back(CVehiclePersonSummary::Of(*person, homeZone, manager, m_losBuffer, m_zoneBuffer));
    ComputeHouseholdValues(household);
    GatherCoefficients(models);

    m_budget = static_cast<double>(CRecordLine::TruncateToInt(household.GetValue(1))) * 0.5 * 365.0 / 1000.0 +
               household.m_dAnnualMileage;
    m_utilityCalculator.Compute(m_b, m_d, m_householdValues, m_summaries, m_utilities);
    for (int k = 0; k < VehicleAlternatives::kCount; ++k) {
        const int t = VehicleAlternatives::TypeIndex(k);
        const int g = VehicleAlternatives::GroupIndex(k);
        m_gammas[k] = std::pow(kBase, m_typeConstants[t] + m_groupConstants[g]);
    }
}

void CVehicleFleetSimulator::ComputeHouseholdValues(const CHouseholdObject& household) {
    int workers = 0;
    double commuteSum = 0.0;
    bool all10 = true, all11 = true, all12 = true, any58 = false, any57or56 = false;
    for (std::size_t i = 0; i < m_summaries.size(); ++i) {
        const CVehiclePersonSummary& s = m_summaries[i];
        if (s.m_worker && s.m_age > 16) {
            ++workers;
            // A commuter whose lookup gave no value adds nothing to the sum.
            if (s.m_commuteLos) commuteSum += *s.m_commuteLos;
        }
        all10 = all10 && s.m_column10;
        all11 = all11 && s.m_column11;
        all12 = all12 && s.m_column12;
        const std::vector<double>& row = household.GetPersons()[i]->GetValues();
        const auto column = [&row](std::size_t c) { return c < row.size() ? row[c] : 0.0; };
        any58 = any58 || column(InputColumns::kPostgraduate) == 1.0;
        any57or56 = any57or56 || column(InputColumns::kBachelor) == 1.0 || column(InputColumns::kSomeCollege) != 0.0;
    }
    using V = VehicleHouseholdValue;
    auto& h = m_householdValues;
    const auto set = [&h](V v, double value) { h[static_cast<int>(v)] = value; };
    set(V::One, 1.0);
    set(V::HouseholdColumn7, household.GetValue(7));
    set(V::MeanCommuteLos, (workers > 0 ? commuteSum / workers : 0.0) / 100.0);
    set(V::WorkerCount, workers);
    set(V::AllColumn10, all10 ? 1.0 : 0.0);
    set(V::AllColumn11, all11 ? 1.0 : 0.0);
    set(V::AllColumn12, all12 ? 1.0 : 0.0);
    set(V::AnyColumn58One, any58 ? 1.0 : 0.0);
    set(V::AnyColumn57OneOrColumn56, any57or56 ? 1.0 : 0.0);
}

void CVehicleFleetSimulator::GatherCoefficients(CModelSystem& models) {
    m_missing.clear();
    static const CVariableSet kNoTerms;
    const CVariableSet& vehicle = models.m_pVehicleMDCEV ? models.m_pVehicleMDCEV->m_terms : kNoTerms;
    const CVariableSet& driver = models.m_pLogSumPrimaryDriver ? models.m_pLogSumPrimaryDriver->m_terms : kNoTerms;
    GatherTermCoefficients(vehicle, 38001, 82, m_b, &m_missing);
    GatherTermCoefficients(vehicle, 38083, 9, m_typeConstants, &m_missing);
    GatherTermCoefficients(vehicle, 38092, 5, m_groupConstants, &m_missing);
    m_groupConstants.push_back(0.0);  // the sixth group has no constant of its own
    const std::size_t vehicleMissing = m_missing.size();
    GatherTermCoefficients(driver, 90001, 34, m_d, &m_missing);
    for (std::size_t i = vehicleMissing; i < m_missing.size(); ++i) {
        if (m_missing[i] >= 90032) m_d[static_cast<std::size_t>(m_missing[i] - 90001)] = 1.0;
    }
    // A model without any terms has not been given parameters (no model file
    // loaded): its coefficients read 0.0 without a warning. A model that lists
    // some of its IDs but not all is reported once per thread.
    const bool reportVehicle = !vehicle.m_variableIds.empty() && vehicleMissing > 0;
    const bool reportDriver = !driver.m_variableIds.empty() && m_missing.size() > vehicleMissing;
    if (m_missingReported || !(reportVehicle || reportDriver)) return;
    m_missingReported = true;
    std::string text;
    if (reportVehicle)
        text = MissingTermsText("vehicleMDCEV", {m_missing.begin(), m_missing.begin() + vehicleMissing});
    if (reportDriver) {
        if (!text.empty()) text += " ";
        text += MissingTermsText("LogSum Primary Driver", {m_missing.begin() + vehicleMissing, m_missing.end()});
        text += " Missing scales 90032-90034 are taken as 1.0.";
    }
    MessageSink::Post(text, MessageIcon::Warning);
}

void CVehicleFleetSimulator::Simulate(int attempt, std::vector<CVehicleRecord>& vehicles) {
    CBLogitMM* stream = m_pModels ? m_pModels->m_pVehicleMDCEV : nullptr;
    if (!stream) return;
    for (int k = 0; k < VehicleAlternatives::kCount; ++k) {
        m_pModels->ReseedStream(decision_key::Key(m_householdColumn0, FleetOffset(attempt, k)));
        m_psi[k] = std::pow(kBase, m_utilities[k] + Gumbel(stream->DrawUniform()));
    }
    m_pModels->ReseedStream(decision_key::Key(m_householdColumn0, FleetOffset(attempt, 0)));
    const double psi0 = std::pow(kBase, Gumbel(stream->DrawUniform()));

    m_allocation.Allocate(m_psi, m_gammas, m_budget, psi0);
    for (int r = 0; r < m_allocation.HeldCount(); ++r) {
        const int k = m_allocation.Order()[r];
        vehicles.emplace_back(VehicleAlternatives::TypeIndex(k) + 1, VehicleAlternatives::GroupIndex(k) + 1);
    }
}

int CVehicleFleetSimulator::SimulateFleet(CHouseholdObject& household, CInputDataManager* manager,
                                          CModelSystem& models) {
    Prepare(household, manager, models);
    household.m_vehicles.clear();
    Simulate(0, household.m_vehicles);
    int attempt = 0;
    while (static_cast<double>(household.m_vehicles.size()) != household.GetValue(2) && attempt < kMaxRetries) {
        household.m_vehicles.clear();
        Simulate(++attempt, household.m_vehicles);
    }
    return attempt + 1;
}
