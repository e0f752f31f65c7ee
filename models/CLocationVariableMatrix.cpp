#include "models/CLocationVariableMatrix.h"

#include "data/CHouseholdObject.h"
#include "data/CInputDataManager.h"
#include "data/CPersonObject.h"
#include "data/InputColumns.h"
#include "models/CVariableSet.h"
#include "schedules/CStop.h"
#include "schedules/CTour.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <stdexcept>

namespace {

// Level-of-service columns and zone2zone columns the zone-pair variables read.
constexpr int kAutoTimeColumn = 5;
constexpr int kAutoCostColumn = 11;
constexpr int kAdjacentColumn = 2;
constexpr int kDistanceColumn = 3;

// The simulation's data source: the thread's input-data manager.
class ManagerSource final : public CLocationVariableMatrix::CDataSource {
public:
    explicit ManagerSource(CInputDataManager& manager) : m_manager(manager) {}
    void GetZoneValues(std::vector<double>& values, int column, const std::vector<int>& zones) override {
        m_manager.GetZoneValues(values, column, zones);
    }
    void GetLOS(std::vector<double>& values, int column, double time, int origin,
                const std::vector<int>& destinations) override {
        m_manager.GetLOS(values, column, time, origin, destinations);
    }
    void GetZone2ZoneForDestinations(std::vector<double>& values, int column, int origin,
                                     const std::vector<int>& destinations) override {
        m_manager.GetZone2ZoneForDestinations(values, column, origin, destinations);
    }

private:
    CInputDataManager& m_manager;
};

// ---------------------------------------------------------------------------
// Per-thread scratch of one matrix filling: the level-of-service rows already
// asked for in this call, and a buffer for zone attributes.
struct Lookup {
    bool levelOfService = false;  // true: level-of-service table, false: zone2zone
    int column = 0;
    int from = 0;
    std::vector<double> values;
};

struct Scratch {
    // The first `used` are valid for the current call. A deque: rows handed
    // out stay in place while later lookups are added.
    std::deque<Lookup> lookups;
    size_t used = 0;
    std::vector<double> zoneA;
    std::vector<double> zoneB;
};

thread_local Scratch t_scratch;

// Everything one call of ComputeLocationVariables reads, with the lookups it
// has made so far.
class Filling {
public:
    Filling(CLocationVariableMatrix::CDataSource& source, CHouseholdObject* household, CPersonObject* person,
            int origin, const std::vector<int>& candidates, CStop* stop)
        : m_source(source), m_household(household), m_person(person), m_origin(origin),
          m_candidates(candidates), m_stop(stop), m_scratch(t_scratch) {
        m_scratch.used = 0;
        m_tour = stop != nullptr ? stop->GetTour() : nullptr;
        m_time = stop != nullptr ? stop->GetDepartureTime() : 0.0;
        m_activity = stop != nullptr ? stop->GetActivityType() : -1;
    }

    // Fills one row (already sized to the candidates and set to 0.0).
    void FillRow(int id, std::vector<double>& row) {
        const int source = CVariableSet::SourceOf(id);
        const int index = CVariableSet::IndexOf(id);
        if (source == CVariableSet::kHomeZoneSource) {
            CopyZone(index, row);
            return;
        }
        if (source != CVariableSet::kComputedSource) return;
        const size_t n = row.size();
        switch (index) {
        case 165: Copy(LOS(kAutoTimeColumn, m_origin), row); break;
        case 166:
            if (TourMode() == 2) Copy(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 167: Copy(Z2Z(kDistanceColumn, Ultimate()), row); break;
        case 168:
            if (m_activity == 0) Copy(Z2Z(kDistanceColumn, Ultimate()), row);
            break;
        case 169: Copy(Z2Z(kAdjacentColumn, m_origin), row); break;
        case 170:
            for (size_t i = 0; i < n; ++i) row[i] = m_candidates[i] == m_origin ? 1.0 : 0.0;
            break;
        case 171: {
            // A central business district of either main city.
            const std::vector<double>& a = Zone(InputColumns::kZoneFirstCityCbd, m_scratch.zoneA);
            const std::vector<double>& b = Zone(InputColumns::kZoneSecondCityCbd, m_scratch.zoneB);
            for (size_t i = 0; i < n; ++i) row[i] = (a[i] == 1.0 || b[i] == 1.0) ? 1.0 : 0.0;
            break;
        }
        case 172: LogRetailService(row); break;
        case 173:
            if (m_activity == 8) LogRetailService(row);
            break;
        case 174:
            if (m_activity == 2) LogRetailService(row);
            break;
        case 175:
            if (m_activity == 3) LogRetailService(row);
            break;
        case 181:
            if (m_activity == 0) LogRetailService(row);
            break;
        case 176:
            if (m_activity == 4) LogZone(InputColumns::kZonePopulation, row);
            break;
        case 177: LogZone(InputColumns::kZonePopulation, row); break;
        case 178:
            if (m_activity == 2) Copy(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 180:
            if (m_activity == 1) Copy(Z2Z(kDistanceColumn, Ultimate()), row);
            break;
        case 722:
            if (m_activity == 9) Copy(Z2Z(kDistanceColumn, Ultimate()), row);
            break;
        case 322: Copy(LOS(kAutoCostColumn, m_origin), row); break;
        case 342: Copy(LOS(kAutoTimeColumn, Ultimate()), row); break;
        case 343: Copy(LOS(kAutoCostColumn, Ultimate()), row); break;
        case 344:
            if (m_activity == 0) Copy(LOS(kAutoTimeColumn, Ultimate()), row);
            break;
        case 345:
            if (m_activity == 0) CopyLog(LOS(kAutoTimeColumn, Ultimate()), row);
            break;
        case 346:
            if (m_activity == 8) Copy(LOS(kAutoTimeColumn, Ultimate()), row);
            break;
        case 354: CopyLog(LOS(kAutoTimeColumn, Ultimate()), row); break;
        case 347:
            if (m_activity == 0) CopyLog(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 348:
            if (m_activity == 1) CopyLog(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 349:
            if (m_activity == 8) CopyLog(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 350:
            if (m_activity == 2) CopyLog(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 351:
            if (m_activity == 3) CopyLog(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 352:
            if (m_activity == 4) CopyLog(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 353: {
            const std::vector<double>& time = LOS(kAutoTimeColumn, m_origin);
            const double stops = m_tour != nullptr ? static_cast<double>(m_tour->GetStopCount()) : 0.0;
            for (size_t i = 0; i < n; ++i) row[i] = time[i] * stops;
            break;
        }
        case 355:
            if (TourMode() == 0) CopyLog(LOS(kAutoTimeColumn, m_origin), row);
            break;
        case 713: CopyZone(InputColumns::kZoneRetailJobsNear, row); break;
        case 714: CopyZone(InputColumns::kZoneFoodJobsNear, row); break;
        case 715: CopyZone(InputColumns::kZoneTransitStopsNear, row); break;
        case 716: CopyZone(InputColumns::kZonePopulationAccess, row); break;
        case 717: CopyZone(InputColumns::kZonePopulation, row); break;
        case 718: CopyZone(InputColumns::kZoneAgricultureJobsNear, row); break;
        case 719: CopyZone(InputColumns::kZoneProfessionalJobsNear, row); break;
        case 723: CopyZone(InputColumns::kZoneProfessionalJobsNear, row); break;
        case 720: {
            const std::vector<double>& retail = Zone(InputColumns::kZoneRetailJobs, m_scratch.zoneA);
            const std::vector<double>& service = Zone(InputColumns::kZoneServiceJobs, m_scratch.zoneB);
            for (size_t i = 0; i < n; ++i) row[i] = retail[i] + service[i];
            break;
        }
        case 724: CopyZone(InputColumns::kZoneTransportJobsNear, row); break;
        case 725: CopyZone(InputColumns::kZoneEducationJobsNear, row); break;
        case 915: {
            const double income = m_household != nullptr && m_household->GetColumnCountOfRow() > 7
                                      ? m_household->GetValue(7)
                                      : 0.0;
            const double k = CLocationVariableMatrix::CostWeight(income);
            const std::vector<double>& time = LOS(kAutoTimeColumn, m_origin);
            const std::vector<double>& cost = LOS(kAutoCostColumn, m_origin);
            for (size_t i = 0; i < n; ++i) row[i] = time[i] + k * cost[i];
            break;
        }
        default: break;  // no zone-pair definition: the row stays 0.0
        }
    }

private:
    int TourMode() const { return m_tour != nullptr ? m_tour->GetMode() : -1; }

    int Ultimate() {
        if (!m_ultimateKnown) {
            m_ultimate = CLocationVariableMatrix::UltimateDestination(m_household, m_person, m_stop);
            m_ultimateKnown = true;
        }
        return m_ultimate;
    }

    // The queries append: each asks into an emptied buffer, so a row never
    // gets more entries than candidates. A source that answers with fewer
    // values than asked for is padded with 0.0, as for a pair it lacks.
    void Normalise(std::vector<double>& values) const { values.resize(m_candidates.size(), 0.0); }

    const std::vector<double>& Ask(bool levelOfService, int column, int from) {
        for (size_t i = 0; i < m_scratch.used; ++i) {
            const Lookup& l = m_scratch.lookups[i];
            if (l.levelOfService == levelOfService && l.column == column && l.from == from) return l.values;
        }
        if (m_scratch.used == m_scratch.lookups.size()) m_scratch.lookups.emplace_back();
        Lookup& l = m_scratch.lookups[m_scratch.used];
        l.levelOfService = levelOfService;
        l.column = column;
        l.from = from;
        l.values.clear();
        if (levelOfService)
            m_source.GetLOS(l.values, column, m_time, from, m_candidates);
        else
            m_source.GetZone2ZoneForDestinations(l.values, column, from, m_candidates);
        Normalise(l.values);
        ++m_scratch.used;
        return l.values;
    }
    const std::vector<double>& LOS(int column, int from) { return Ask(true, column, from); }
    const std::vector<double>& Z2Z(int column, int from) { return Ask(false, column, from); }

    const std::vector<double>& Zone(int column, std::vector<double>& buffer) {
        buffer.clear();
        m_source.GetZoneValues(buffer, column, m_candidates);
        Normalise(buffer);
        return buffer;
    }

    static void Copy(const std::vector<double>& values, std::vector<double>& row) {
        for (size_t i = 0; i < row.size(); ++i) row[i] = values[i];
    }
    // Natural logarithm, unguarded: a zero gives minus infinity.
    static void CopyLog(const std::vector<double>& values, std::vector<double>& row) {
        for (size_t i = 0; i < row.size(); ++i) row[i] = std::log(values[i]);
    }
    void CopyZone(int column, std::vector<double>& row) { Copy(Zone(column, m_scratch.zoneA), row); }
    void LogZone(int column, std::vector<double>& row) { CopyLog(Zone(column, m_scratch.zoneA), row); }
    void LogRetailService(std::vector<double>& row) {
        const std::vector<double>& retail = Zone(InputColumns::kZoneRetailJobs, m_scratch.zoneA);
        const std::vector<double>& service = Zone(InputColumns::kZoneServiceJobs, m_scratch.zoneB);
        for (size_t i = 0; i < row.size(); ++i) row[i] = std::log(retail[i] + service[i]);
    }

    CLocationVariableMatrix::CDataSource& m_source;
    CHouseholdObject* m_household;
    CPersonObject* m_person;
    int m_origin;
    const std::vector<int>& m_candidates;
    CStop* m_stop;
    CTour* m_tour = nullptr;
    double m_time = 0.0;
    int m_activity = -1;
    bool m_ultimateKnown = false;
    int m_ultimate = -1;
    Scratch& m_scratch;
};

// Gives the matrix one row of zeros per ID, each as long as the candidate list.
void ShapeMatrix(CLocationVariableMatrix::Matrix& matrix, size_t rows, size_t columns) {
    matrix.resize(rows);
    for (auto& row : matrix) row.assign(columns, 0.0);
}

}  // namespace

void CLocationVariableMatrix::ComputeLocationVariables(CInputDataManager* manager, CHouseholdObject* household,
                                                       CPersonObject* person, int origin,
                                                       const std::vector<int>& candidates,
                                                       const std::vector<int>& variableIds, Matrix& matrix,
                                                       CStop* stop) {
    if (manager == nullptr) throw std::invalid_argument("location-choice variables need an input-data manager");
    ManagerSource source(*manager);
    ComputeLocationVariables(source, household, person, origin, candidates, variableIds, matrix, stop);
}

void CLocationVariableMatrix::ComputeLocationVariables(CDataSource& source, CHouseholdObject* household,
                                                       CPersonObject* person, int origin,
                                                       const std::vector<int>& candidates,
                                                       const std::vector<int>& variableIds, Matrix& matrix,
                                                       CStop* stop) {
    ShapeMatrix(matrix, variableIds.size(), candidates.size());
    if (candidates.empty()) return;
    Filling filling(source, household, person, origin, candidates, stop);
    for (size_t j = 0; j < variableIds.size(); ++j) filling.FillRow(variableIds[j], matrix[j]);
}

void CLocationVariableMatrix::ComputeZoneAttributeMatrix(CInputDataManager* manager, int homeZone,
                                                         const std::vector<int>& candidates,
                                                         const std::vector<int>& variableIds, Matrix& matrix) {
    if (manager == nullptr) throw std::invalid_argument("location-choice variables need an input-data manager");
    ManagerSource source(*manager);
    ComputeZoneAttributeMatrix(source, homeZone, candidates, variableIds, matrix);
}

void CLocationVariableMatrix::ComputeZoneAttributeMatrix(CDataSource& source, int /*homeZone*/,
                                                         const std::vector<int>& candidates,
                                                         const std::vector<int>& variableIds, Matrix& matrix) {
    ShapeMatrix(matrix, variableIds.size(), candidates.size());
    if (candidates.empty()) return;
    std::vector<double>& buffer = t_scratch.zoneA;
    for (size_t j = 0; j < variableIds.size(); ++j) {
        const int id = variableIds[j];
        std::vector<double>& row = matrix[j];
        if (CVariableSet::SourceOf(id) == CVariableSet::kHomeZoneSource) {
            buffer.clear();
            source.GetZoneValues(buffer, CVariableSet::IndexOf(id), candidates);
            buffer.resize(candidates.size(), 0.0);
            for (size_t i = 0; i < row.size(); ++i) row[i] = buffer[i];
        } else if (id == CVariableSet::MakeId(CVariableSet::kComputedSource, 0)) {
            row.assign(candidates.size(), 1.0);
        }
    }
}

int CLocationVariableMatrix::UltimateDestination(CHouseholdObject* household, CPersonObject* person, CStop* stop) {
    if (household == nullptr) return -1;
    const int home = household->GetHomeZone();
    if (person == nullptr || !person->GetFlag(0)) return home;
    const CTour* tour = stop != nullptr ? stop->GetTour() : nullptr;
    if (tour == nullptr) return home;
    const int position = tour->GetPosition();
    if (position != 1 && position != 5 && position != 6 && position != 7) return home;
    if (person->GetValue(2) != 0.0) return person->GetActivityZone();
    if (person->GetValue(3) != 0.0) return std::max(person->GetValue6(), person->GetValue52());
    return home;
}

double CLocationVariableMatrix::CostWeight(double income) {
    if (!(income > 0.0) || !std::isfinite(income)) income = 1.0;
    return (1.3635 / income + 0.1516) / 0.0102;
}
