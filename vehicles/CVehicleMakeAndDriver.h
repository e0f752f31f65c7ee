#pragma once
// Gives every vehicle of the household's final fleet a make and a primary
// driver. The make is drawn among the vehicle-make rows of the vehicle's type
// and group ("Vehicle Make"); the primary driver among the members older than
// 15 who drive no earlier vehicle ("Primary Driver", scaled by one of the
// "LogSum Primary Driver" scales). Each vehicle's two draws have reseed keys
// of their own, so a vehicle's result depends on the earlier vehicles only
// through the members they took.
//
// A type and group without make rows still draws its uniform; the make stays
// -1, every make-row value reads 0.0 and the driver draw still runs. A vehicle
// without a driver candidate keeps -1 as its driver and draws nothing.

#include "models/CLocationMM.h"

#include <vector>

class CHouseholdObject;
class CInputDataManager;
class CModelSystem;
class CPersonObject;
class CVariableSet;

class CVehicleMakeAndDriver {
public:
    using Matrix = CLocationMM::Matrix;

    // Make and primary driver of every vehicle of the household, in list order.
    void Assign(CHouseholdObject& household, CInputDataManager* manager, CModelSystem& models);

    // Values of the make terms: one row per term, one value per candidate row
    // position. Source 6 IDs read make-row column (ID mod 10000) mod 100;
    // 30707, 30708 and 30709 read row column 13 / row column 12 (0.0 when
    // column 12 is 0.0); every other ID 0.0.
    static void EvaluateVehicleMakeAlternatives(const std::vector<int>& candidates, const CVariableSet& terms,
                                                Matrix& matrix, const std::vector<std::vector<double>>* rows);
    // Values of the driver terms: one row per term, one value per candidate
    // (a member's position in the person list), from the rows of PrimaryDriverTables; `makeRow` is the
    // vehicle's make row (null when it has none).
    static void EvaluatePrimaryDriverAlternatives(const std::vector<int>& candidates, const CVariableSet& terms,
                                                  Matrix& matrix, const CHouseholdObject& household,
                                                  const std::vector<double>* makeRow);
    // Values of the joint-tour vehicle terms: one row per term, one value per
    // candidate vehicle, from that vehicle's make row (`makeRows`, one per
    // candidate; null for a vehicle without one, which reads 0.0). 30740 is
    // make-row column 7 for a joint activity of more than two participants
    // farther than 15.0 from home; 30732 to 30739 take 30740's value when the
    // row holds the columns they require; every other ID 0.0.
    static void EvaluateJointTourVehicleAlternatives(const std::vector<const std::vector<double>*>& makeRows,
                                                     const CVariableSet& terms, Matrix& matrix, int participants,
                                                     double distance);

private:
    std::vector<int> m_makeCandidates;
    std::vector<int> m_driverCandidates;
    std::vector<double> m_scales;
    Matrix m_matrix;
};
