#include "modelsystem/CModelSystem.h"

#include "household/CHouseholdLoop.h"

#include "data/CInputDataManager.h"
#include "household/CActivityGenerator.h"
#include "household/CHouseholdCoordinator.h"
#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CLocationWalkMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRandomStreams.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "modelsystem/AdmissibleVariableLists.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/ModelCatalogue.h"
#include "platform/NumberText.h"

#include <functional>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <variant>

namespace {

// The model class a member (or per-tour vector) of the model system holds.
template <class Member>
struct MemberModel;
template <class Model>
struct MemberModel<Model* CModelSystem::*> {
    using type = Model;
};
template <class Model>
struct MemberModel<std::vector<Model*> CModelSystem::*> {
    using type = Model;
};

const std::map<int, std::string>* AlternativeTable(const CAlternativeNameTables& tables,
                                                    ModelCatalogue::EAlternativeTable table) {
    using ModelCatalogue::EAlternativeTable;
    switch (table) {
        case EAlternativeTable::kSchoolModes: return &tables.m_schoolModeNames;
        case EAlternativeTable::kAdultModes: return &tables.m_adultModeNames;
        case EAlternativeTable::kTourModes: return &tables.m_tourModeNames;
        case EAlternativeTable::kActivityTypes: return &tables.m_activityTypeNames;
        case EAlternativeTable::kNone: break;
    }
    throw std::logic_error("model catalogue: a multinomial logit without an alternative table");
}

// Creates one catalogue model of class Model, owned by `system`, with the
// constructor arguments its class takes. `categoryOffset` moves an ordered
// probit's category entry along for the later tours of a per-tour row.
template <class Model>
Model* CreateCatalogueModel(CModelSystem& system, const std::string& name, const ModelCatalogue::SModelExtras& extras,
                            int categoryOffset = 0) {
    if constexpr (std::is_same_v<Model, COrdProbitMM>) {
        const int entry = extras.categoryEntry + categoryOffset;
        return system.CreateModel<COrdProbitMM>(name, system.m_nameTables.m_ordProbitCategories.at(
                                                          static_cast<std::size_t>(entry)));
    } else if constexpr (std::is_same_v<Model, CMNLogitMM>) {
        return system.CreateModel<CMNLogitMM>(name, AlternativeTable(system.m_nameTables, extras.alternatives));
    } else if constexpr (std::is_same_v<Model, CMdcevMM>) {
        return system.CreateModel<CMdcevMM>(name, extras.alternativeCount);
    } else if constexpr (std::is_same_v<Model, CLocationWalkMM>) {
        return system.CreateModel<CLocationWalkMM>(name, extras.percent);
    } else {
        return system.CreateModel<Model>(name);
    }
}

void CreateSingleModel(CModelSystem& system, const ModelCatalogue::SSingleModel& row) {
    std::visit(
        [&](auto member) {
            using Model = typename MemberModel<decltype(member)>::type;
            system.*member = CreateCatalogueModel<Model>(system, row.name, row.extras);
        },
        row.member);
}

void SizeTourVector(CModelSystem& system, const ModelCatalogue::STourModel& row, int size) {
    std::visit([&](auto member) { (system.*member).assign(static_cast<std::size_t>(size), nullptr); }, row.member);
}

void CreateTourModel(CModelSystem& system, const ModelCatalogue::STourModel& row, int tour) {
    std::visit(
        [&](auto member) {
            using Model = typename MemberModel<decltype(member)>::type;
            (system.*member).at(static_cast<std::size_t>(tour - 1)) =
                CreateCatalogueModel<Model>(system, ModelCatalogue::TourModelName(row, tour), row.extras, tour - 1);
        },
        row.member);
}

// Entry `tour` - 1 of a per-tour vector; std::out_of_range for a tour number
// outside 1 to 4 or an entry that holds no model.
template <class Model>
Model& TourEntry(const std::vector<Model*>& models, int tour, const char* what) {
    if (tour < 1 || tour > CModelSystem::kTourCount || static_cast<std::size_t>(tour) > models.size() ||
        models[static_cast<std::size_t>(tour - 1)] == nullptr)
        throw std::out_of_range(std::string(what) + ": no model for tour " + NumberText::Integer(tour));
    return *models[static_cast<std::size_t>(tour - 1)];
}

}  // namespace

CModelSystem::CModelSystem()
    : m_variableNames(m_variableRegistry.GetVariableNames()),
      m_tableNames(m_variableRegistry.GetTableNames()),
      m_ordProbitCategories(m_nameTables.m_ordProbitCategories),
      m_schoolModeNames(m_nameTables.m_schoolModeNames),
      m_adultModeNames(m_nameTables.m_adultModeNames),
      m_tourModeNames(m_nameTables.m_tourModeNames),
      m_activityTypeNames(m_nameTables.m_activityTypeNames),
      m_nAdultModes(m_nameTables.m_nAdultModes),
      m_nTourModes(m_nameTables.m_nTourModes),
      m_nActivityTypes(m_nameTables.m_nActivityTypes) {
    // The registry exists before any model: the catalogue hands each model
    // indices into it.
    BuildVariableRegistry();
    CreateModels();
}

CModelSystem::~CModelSystem() = default;

void CModelSystem::BuildVariableRegistry() { m_variableRegistry.Build(); }

void CModelSystem::CreateModels() {
    // The tables first: the multinomial logits copy their alternatives and the
    // ordered probits take their category counts when they are constructed.
    m_nameTables.Fill();

    for (const ModelCatalogue::SSingleModel& row : ModelCatalogue::SingleModelsBeforeTours())
        CreateSingleModel(*this, row);
    for (const ModelCatalogue::STourGroup& group : ModelCatalogue::TourGroups()) {
        for (const ModelCatalogue::STourModel& row : group.models) SizeTourVector(*this, row, group.vectorSize);
        for (int tour = 1; tour <= ModelCatalogue::kTourCount; ++tour)
            for (const ModelCatalogue::STourModel& row : group.models) CreateTourModel(*this, row, tour);
    }
    for (const ModelCatalogue::SSingleModel& row : ModelCatalogue::SingleModelsAfterTours())
        CreateSingleModel(*this, row);

    // Last, every model exists: the admissible computed variables, by model
    // name. The walk location models keep an empty base name and have no list.
    std::map<std::string, CModelModule*, std::less<>> byName;
    for (const std::unique_ptr<CModelModule>& model : m_models)
        if (!model->m_name.empty()) byName.emplace(model->m_name, model.get());
    for (const SAdmissibleVariableList& list : AdmissibleVariableLists()) {
        for (const char* name : list.models) {
            const auto found = byName.find(std::string_view(name));
            if (found == byName.end())
                throw std::logic_error(std::string("admissible-variable list for an unknown model: ") + name);
            std::vector<int>& admissible = found->second->m_admissibleVariables;
            admissible.insert(admissible.end(), list.indices.begin(), list.indices.end());
        }
    }
}

CMNLogitMM& CModelSystem::ModeForTour(int tour) const { return TourEntry(m_vModeForTour, tour, "Mode for Tour"); }
COrdProbitMM& CModelSystem::NumberOfStopsInTour(int tour) const {
    return TourEntry(m_vNumberOfStopsInTour, tour, "Number of Stops in Tour");
}
CRegressMM& CModelSystem::DurationOfTour(int tour) const {
    return TourEntry(m_vDurationOfTour, tour, "Duration of Tour");
}
CRegressMM& CModelSystem::HomeStayDurationBeforeTour(int tour) const {
    return TourEntry(m_vHomeStayDurationBeforeTour, tour, "Home Stay Duration before Tour");
}
CMNLogitMM& CModelSystem::TourStopActivityType(int tour) const {
    return TourEntry(m_vTourStopActivityType, tour, "Tour Stop Activity Type");
}
CRegressMM& CModelSystem::TourStopActivityDuration(int tour) const {
    return TourEntry(m_vTourStopActivityDuration, tour, "Tour Stop Activity Duration");
}
CRegressMM& CModelSystem::TourStopTravelTime(int tour) const {
    return TourEntry(m_vTourStopTravelTime, tour, "Tour Stop Travel Time");
}
CLocationMM& CModelSystem::TourStopLocation(int tour) const {
    return TourEntry(m_vTourStopLocation, tour, "Tour Stop Location (by Auto Mode)");
}

bool CModelSystem::LoadXml(const std::string& path) { return CModelParameterFile().LoadXml(path, *this); }
bool CModelSystem::SaveXml(const std::string& path) const { return CModelParameterFile().SaveXml(path, *this); }
bool CModelSystem::LoadText(const std::string& path) { return CModelParameterFile().LoadText(path, *this); }
bool CModelSystem::SaveText(const std::string& path) const { return CModelParameterFile().SaveText(path, *this); }

void CModelSystem::SetDataManager(CInputDataManager* manager) {
    m_pDataManager = manager;
    if (manager != nullptr) manager->SetModelSystem(this);
}

void CModelSystem::PassSettingsToHousehold() {
    if (m_pHousehold == nullptr) return;
    m_pHousehold->SetRunSettings(m_nAdultModes, m_nTourModes, m_nActivityTypes);
    m_pHousehold->SetDataManager(m_pDataManager);
}

void CModelSystem::SetOutputFiles(std::string adults, std::string children, std::string workers,
                                  std::string childStudents, std::string nonWorkers, std::string tours,
                                  std::string stops, std::string activity, std::string nogo, std::string vehicles) {
    m_outputFileNames[kAdultsFile] = std::move(adults);
    m_outputFileNames[kChildrenFile] = std::move(children);
    m_outputFileNames[kChildStudentsFile] = std::move(childStudents);
    m_outputFileNames[kWorkersFile] = std::move(workers);
    m_outputFileNames[kNonWorkersFile] = std::move(nonWorkers);
    m_outputFileNames[kToursFile] = std::move(tours);
    m_outputFileNames[kStopsFile] = std::move(stops);
    m_outputFileNames[kActivityFile] = std::move(activity);
    m_outputFileNames[kNogoFile] = std::move(nogo);
    m_outputFileNames[kVehiclesFile] = std::move(vehicles);
}

void CModelSystem::SetSampleRate(double rate) { m_sampleRate = rate; }

void CModelSystem::SetProgressDialog(CRunProgress* progress, int threadIndex) {
    m_pProgressDlg = progress;
    m_nThreadIndex = threadIndex;
}

void CModelSystem::ReseedStream(std::uint32_t key) { CRandomStreams::ReseedStream(m_nThreadIndex, key); }

CActivityGenerator& CModelSystem::ActivityGenerator() {
    if (!m_pActivityGenerator) m_pActivityGenerator = std::make_unique<CActivityGenerator>(*this);
    return *m_pActivityGenerator;
}

void CModelSystem::RunHouseholdLoop() {
    CHouseholdLoop(*this).Run();
    // However the loop ended, its lookups of missing zone pairs are handed over.
    if (m_pDataManager) m_pDataManager->EndRun();
}
