#include "vehicles/CVehicleMakeAndDriver.h"

#include "data/CCommuteLOSRecord.h"
#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "household/DecisionKey.h"
#include "models/CBLogitMM.h"
#include "models/CVariableSet.h"
#include "models/TermCoefficients.h"
#include "modelsystem/CModelSystem.h"
#include "vehicles/PrimaryDriverTables.h"
#include "vehicles/VehicleColumns.h"

#include <cstdint>

namespace {

constexpr int kMakeRowSource = 6;

// Row column 13 / row column 12, 0.0 when column 12 is 0.0.
double ColumnRatio(const std::vector<double>* row) {
    const double denominator = ColumnOrZero(row, 12);
    return denominator == 0.0 ? 0.0 : ColumnOrZero(row, 13) / denominator;
}

double MakeValue(int id, const std::vector<double>* row) {
    if (CVariableSet::SourceOf(id) == kMakeRowSource) return ColumnOrZero(row, CVariableSet::IndexOf(id) % 100);
    switch (id) {
    case 30709:
        return ColumnRatio(row);
    // 30707 and 30708 have no value of their own: they take 30709's. Each
    // still requires the row to hold one further column it does not read
    // (30707 column 14, 30708 column 7; 30707 meets 30708's requirement too);
    // a row without it reads 0.0.
    case 30707:
        return RowHasColumn(row, 14) ? ColumnRatio(row) : 0.0;
    case 30708:
        return RowHasColumn(row, 7) ? ColumnRatio(row) : 0.0;
    default:
        return 0.0;
    }
}

bool Meets(DriverPersonCondition condition, const CPersonObject& person) {
    const std::vector<double>* row = &person.GetValues();
    const double age = ColumnOrZero(row, InputColumns::kAge);
    using P = DriverPersonCondition;
    switch (condition) {
    case P::Over65: return age > 65.0;
    case P::Column2: return ColumnOrZero(row, InputColumns::kEmployed) != 0.0;
    case P::Column58: return ColumnOrZero(row, InputColumns::kPostgraduate) != 0.0;
    case P::Column24: return ColumnOrZero(row, InputColumns::kWorksAtHome) != 0.0;
    case P::NoColumn13: return ColumnOrZero(row, InputColumns::kDisabled) == 0.0;
    case P::Column13: return ColumnOrZero(row, InputColumns::kDisabled) != 0.0;
    case P::Column10: return ColumnOrZero(row, InputColumns::kUsBorn) != 0.0;
    case P::Column57: return ColumnOrZero(row, InputColumns::kBachelor) != 0.0;
    case P::Age15To26: return age > 15.0 && age < 26.0;
    case P::Age25To41: return age > 25.0 && age < 41.0;
    case P::Age41To66: return age > 41.0 && age < 66.0;
    case P::NotShortCommute: {
        const CCommuteLOSRecord* commute = person.GetCommuteRecord();
        const bool longCommuter = ColumnOrZero(row, InputColumns::kEmployed) == 1.0 && age > 16.0 && commute &&
                                  !(commute->m_fOutboundColumn4 < 10.0f);
        return !longCommuter;
    }
    }
    return false;
}

double DriverValue(int id, const CPersonObject& person, const std::vector<double>* makeRow) {
    if (CVariableSet::SourceOf(id) != CVariableSet::kComputedSource) return 0.0;
    const PrimaryDriverVariable* variable = FindPrimaryDriverVariable(id);
    if (!variable || !Meets(variable->condition, person)) return 0.0;
    double sum = 0.0;
    for (int column : variable->columns) {
        if (column < 0) break;
        sum += ColumnOrZero(makeRow, column);
    }
    return sum;
}

// The joint-tour vehicle variables 30732 to 30739 have no value of their
// own: each takes 30740's. Each still requires the make row to hold further
// columns it does not read, its own and those of every variable after it in
// this table (30732 requires the columns of all eight rows); a row without
// one reads 0.0.
struct JointVehicleRequirement {
    int id;
    int columns[2];  // -1: none
};
constexpr JointVehicleRequirement kJointVehicleRequirements[] = {
    {30732, {15, -1}}, {30733, {13, -1}}, {30734, {12, -1}}, {30735, {0, -1}},
    {30736, {24, -1}}, {30737, {22, 23}}, {30738, {15, -1}}, {30739, {7, -1}},
};
constexpr int kJointVehicleValue = 30740;
constexpr int kVehicleLengthColumn = 7;

bool MeetsJointVehicleRequirements(int id, const std::vector<double>* row) {
    bool from = false;
    for (const JointVehicleRequirement& requirement : kJointVehicleRequirements) {
        from = from || requirement.id == id;
        if (!from) continue;
        for (int column : requirement.columns)
            if (column >= 0 && !RowHasColumn(row, column)) return false;
    }
    return from;
}

double JointVehicleValue(int id, const std::vector<double>* row, int participants, double distance) {
    if (id != kJointVehicleValue && !MeetsJointVehicleRequirements(id, row)) return 0.0;
    const double large = participants > 2 ? 1.0 : 0.0;
    const double far = distance > 15.0 ? 1.0 : 0.0;
    return ColumnOrZero(row, kVehicleLengthColumn) * large * far;
}

// Resizes the matrix to one row per term, keeping the rows' capacity.
void ShapeMatrix(CLocationMM::Matrix& matrix, const CVariableSet& terms, std::size_t candidates) {
    matrix.resize(terms.m_variableIds.size());
    for (auto& row : matrix) row.assign(candidates, 0.0);
}

}  // namespace

void CVehicleMakeAndDriver::EvaluateVehicleMakeAlternatives(const std::vector<int>& candidates,
                                                            const CVariableSet& terms, Matrix& matrix,
                                                            const std::vector<std::vector<double>>* rows) {
    ShapeMatrix(matrix, terms, candidates.size());
    for (std::size_t v = 0; v < matrix.size(); ++v) {
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            const int position = candidates[i];
            const std::vector<double>* row =
                rows && position >= 0 && static_cast<std::size_t>(position) < rows->size() ? &(*rows)[position]
                                                                                             : nullptr;
            matrix[v][i] = MakeValue(terms.m_variableIds[v], row);
        }
    }
}

void CVehicleMakeAndDriver::EvaluatePrimaryDriverAlternatives(const std::vector<int>& candidates,
                                                              const CVariableSet& terms, Matrix& matrix,
                                                              const CHouseholdObject& household,
                                                              const std::vector<double>* makeRow) {
    ShapeMatrix(matrix, terms, candidates.size());
    for (std::size_t v = 0; v < matrix.size(); ++v) {
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            const CPersonObject* person = household.GetPerson(candidates[i]);
            matrix[v][i] = person ? DriverValue(terms.m_variableIds[v], *person, makeRow) : 0.0;
        }
    }
}

void CVehicleMakeAndDriver::EvaluateJointTourVehicleAlternatives(
    const std::vector<const std::vector<double>*>& makeRows, const CVariableSet& terms, Matrix& matrix,
    int participants, double distance) {
    ShapeMatrix(matrix, terms, makeRows.size());
    for (std::size_t v = 0; v < matrix.size(); ++v)
        for (std::size_t i = 0; i < makeRows.size(); ++i)
            matrix[v][i] = JointVehicleValue(terms.m_variableIds[v], makeRows[i], participants, distance);
}

void CVehicleMakeAndDriver::Assign(CHouseholdObject& household, CInputDataManager* manager, CModelSystem& models) {
    CLocationMM* makeModel = models.m_pVehicleMake;
    CLocationMM* driverModel = models.m_pPrimaryDriver;
    if (!makeModel || !driverModel) return;
    // A missing scale reads 1.0; the fleet simulation reports absent IDs.
    m_scales.clear();
    if (models.m_pLogSumPrimaryDriver) {
        thread_local std::vector<int> missing;
        missing.clear();
        GatherTermCoefficients(models.m_pLogSumPrimaryDriver->m_terms, 90032, 3, m_scales, &missing);
        for (int id : missing) m_scales[static_cast<std::size_t>(id - 90032)] = 1.0;
    } else {
        m_scales.assign(3, 1.0);
    }

    for (std::size_t k = 0; k < household.m_vehicles.size(); ++k) {
        CVehicleRecord& vehicle = household.m_vehicles[k];
        const std::uint32_t index = static_cast<std::uint32_t>(k);
        const std::vector<std::vector<double>>* rows =
            manager ? manager->GetVehicleMakeRows(vehicle.m_type * 10 + vehicle.m_group) : nullptr;

        m_makeCandidates.clear();
        makeModel->ListCandidateIndices(vehicle.m_type, vehicle.m_group, m_makeCandidates);
        EvaluateVehicleMakeAlternatives(m_makeCandidates, makeModel->m_terms, m_matrix, rows);
        decision_key::Reseed(models, household, 4u * index + 4u);
        // An empty candidate list draws its uniform and gives -1.
        vehicle.m_make = makeModel->Draw(m_makeCandidates, m_matrix);
        const std::vector<double>* makeRow =
            rows && vehicle.m_make >= 0 && static_cast<std::size_t>(vehicle.m_make) < rows->size()
                ? &(*rows)[static_cast<std::size_t>(vehicle.m_make)]
                : nullptr;

        m_driverCandidates.clear();
        for (int p = 1; p <= household.GetPersonCount(); ++p) {
            const CPersonObject* person = household.GetPerson(p);
            if (ColumnOrZero(&person->GetValues(), InputColumns::kAge) > 15.0 && person->m_nVehicle == -1)
                m_driverCandidates.push_back(p);
        }
        if (m_driverCandidates.empty()) continue;
        EvaluatePrimaryDriverAlternatives(m_driverCandidates, driverModel->m_terms, m_matrix, household, makeRow);
        decision_key::Reseed(models, household, 5u * index + 5u);
        const double scale = m_scales[static_cast<std::size_t>(PrimaryDriverScaleEntry(vehicle.m_type, vehicle.m_group))];
        const int chosen = driverModel->DrawScaled(m_driverCandidates, m_matrix, scale);
        CPersonObject* driver = household.GetPerson(chosen);
        if (!driver) continue;
        vehicle.m_primaryDriver = chosen;
        driver->m_nVehicle = static_cast<int>(k);
    }
}
