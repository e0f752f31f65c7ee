#pragma once
// Draws which vehicles a household holds. The 54 alternatives (vehicle type
// crossed with vehicle group) share the household's annual-mileage budget
// with an outside good by an MDCEV forecast; every alternative that receives
// a positive share becomes one vehicle. The per-household driver repeats the
// draw with a new attempt number until the fleet size matches the household's
// vehicle count.
//
// Prepare computes what does not depend on the attempt (member summaries,
// household values, coefficients, utilities, translation factors) once per
// household; an attempt is only the reseeds, the 55 draws and the allocation.
// One simulator serves one worker thread and reuses its buffers from household
// to household.

#include "models/CMdcevAllocation.h"
#include "vehicles/CVehiclePersonSummary.h"
#include "vehicles/CVehicleUtilities.h"
#include "vehicles/VehicleAlternatives.h"

#include <array>
#include <cstdint>
#include <vector>

class CHouseholdObject;
class CInputDataManager;
class CModelSystem;
class CVehicleRecord;

class CVehicleFleetSimulator {
public:
    // Repeats after the first attempt, at most.
    static constexpr int kMaxRetries = 100;

    // Everything of the household that the attempts share. Posts one warning
    // per simulator naming the coefficient IDs its models lack (they read 0.0;
    // the three log-sum scales 90032 to 90034 read 1.0).
    void Prepare(const CHouseholdObject& household, CInputDataManager* manager, CModelSystem& models);

    // One attempt of the prepared household: reseeds and draws from the
    // "vehicleMDCEV" stream and appends the held alternatives to `vehicles`,
    // largest drawn value first (make and primary driver unset).
    void Simulate(int attempt, std::vector<CVehicleRecord>& vehicles);

    // The driver's fleet step: attempt 0, then, while the number of vehicles
    // differs from household column 2, the list is cleared and attempts 1 to
    // 100 follow; the last fleet stands. Returns the number of attempts made
    // (1 to 101).
    int SimulateFleet(CHouseholdObject& household, CInputDataManager* manager, CModelSystem& models);

    // What Prepare computed, for inspection.
    const std::array<double, VehicleAlternatives::kCount>& BaselineUtilities() const { return m_utilities; }
    const std::vector<CVehiclePersonSummary>& Summaries() const { return m_summaries; }
    const CVehicleUtilities::HouseholdValues& HouseholdValues() const { return m_householdValues; }
    double Budget() const { return m_budget; }

private:
    void GatherCoefficients(CModelSystem& models);
    void ComputeHouseholdValues(const CHouseholdObject& household);

    CModelSystem* m_pModels = nullptr;
    double m_householdColumn0 = 0.0;  // the household id as stored; keys derive from it
    bool m_missingReported = false;

    // Per household.
    std::vector<CVehiclePersonSummary> m_summaries;
    CVehicleUtilities::HouseholdValues m_householdValues{};
    std::vector<double> m_b, m_typeConstants, m_groupConstants, m_d;
    std::vector<int> m_missing;
    std::array<double, VehicleAlternatives::kCount> m_utilities{};
    std::array<double, VehicleAlternatives::kCount> m_gammas{};
    double m_budget = 0.0;

    // Per attempt.
    std::array<double, VehicleAlternatives::kCount> m_psi{};
    CVehicleUtilities m_utilityCalculator;
    CMdcevAllocation m_allocation;
    std::vector<double> m_losBuffer;
    std::vector<int> m_zoneBuffer;
};
