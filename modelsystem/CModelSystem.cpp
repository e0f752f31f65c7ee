#include "modelsystem/CModelSystem.h"

#include "household/CHouseholdLoop.h"

#include "data/CInputDataManager.h"
#include "household/CHouseholdCoordinator.h"
#include "models/CRandomStreams.h"

CModelSystem::CModelSystem()
    : m_variableNames(m_variableRegistry.GetVariableNames()), m_tableNames(m_variableRegistry.GetTableNames()) {
    // The registry exists before any model: the catalogue hands each model
    // indices into it.
    BuildVariableRegistry();
    CreateModels();
}

CModelSystem::~CModelSystem() = default;

void CModelSystem::BuildVariableRegistry() { m_variableRegistry.Build(); }

void CModelSystem::CreateModels() {
    // The catalogue of named models is created here; the system starts without
    // models until it is filled in.
}

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

void CModelSystem::RunHouseholdLoop() { CHouseholdLoop(*this).Run(); }
