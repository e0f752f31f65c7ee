#pragma once
// The per-worker-thread owner of the econometric model components and of the
// thread's run settings. The application keeps ten of them, one per worker
// thread; model system 0 is the master copy that the editors change and the
// model file is saved from. During a run worker thread i simulates its share of
// the households with model system i alone, drawing from random stream i.
//
// Other subsystems read and write the members directly; the few operations
// below are what needs more than an assignment.

#include "models/CModelModule.h"
#include "modelsystem/CComputedVariableRegistry.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CDatabase;
class CInputDataManager;
class CHouseholdCoordinator;
class CHouseholdObject;
class CRunProgress;

class CModelSystem {
public:
    // Number of output files of a worker thread.
    static constexpr int kOutputFileCount = 10;
    // Positions in m_outputFileNames.
    enum OutputFile {
        kAdultsFile = 0,
        kChildrenFile = 1,
        kChildStudentsFile = 2,
        kWorkersFile = 3,
        kNonWorkersFile = 4,
        kToursFile = 5,
        kStopsFile = 6,
        kActivityFile = 7,
        kNogoFile = 8,
        kVehiclesFile = 9,
    };
    // Entries of the ordered-probit category table.
    static constexpr int kOrdProbitCategoryCount = 14;

    // Empty name tables and output paths, no connection, household, simulator
    // or progress display, counts, household share and thread index 0, sample
    // rate 1.0; then the computed-variable registry, then the models.
    CModelSystem();
    // Releases the models it owns. The database connection, the input-data
    // manager, the progress display, the household record and the household
    // simulator belong to others and are left alone.
    ~CModelSystem();

    CModelSystem(const CModelSystem&) = delete;
    CModelSystem& operator=(const CModelSystem&) = delete;

    // Fills the descriptions of the computed variables and the names of the
    // variable sources that the editors show.
    void BuildVariableRegistry();
    // Creates the model components of the catalogue.
    void CreateModels();

    // Links the model system and the input-data manager both ways.
    void SetDataManager(CInputDataManager* manager);
    // Hands the counts of the name tables and the input-data manager to the
    // current household simulator (nothing without one).
    void PassSettingsToHousehold();
    // Stores the ten output paths, given in the order Adults, Children,
    // workers, ChildStudents, nonworkers, tours, stops, activity, NOGO,
    // Vehicles; m_outputFileNames keeps ChildStudents third and workers fourth.
    void SetOutputFiles(std::string adults, std::string children, std::string workers, std::string childStudents,
                        std::string nonWorkers, std::string tours, std::string stops, std::string activity,
                        std::string nogo, std::string vehicles);
    void SetSampleRate(double rate);
    void SetProgressDialog(CRunProgress* progress, int threadIndex);

    // The whole work of the worker thread of this model system: its household
    // loop over its share of the households.
    void RunHouseholdLoop();

    // The reseed before a simulated decision: the next draw of any model of
    // this system restarts this thread's stream from the stored state of
    // key mod 10001 (the key as an unsigned 32-bit value).
    void ReseedStream(std::uint32_t key);

    // Creates a model owned by this system, with this system as its owner; the
    // remaining constructor arguments follow the owner (name first).
    template <class Model, class... Args>
    Model* CreateModel(Args&&... args) {
        auto model = std::make_unique<Model>(this, std::forward<Args>(args)...);
        Model* created = model.get();
        m_models.push_back(std::move(model));
        return created;
    }
    // Every model of this system, in creation order.
    const std::vector<std::unique_ptr<CModelModule>>& GetModels() const { return m_models; }

    // The computed-variable descriptions and source names (owned), with the two
    // lists the editors read under their usual names.
    CComputedVariableRegistry m_variableRegistry;
    // Entry i describes variable ID 30000 + i; 1000 entries.
    const std::vector<std::string>& m_variableNames;
    // "Households", "Persons", "Zones", "VehicleMake", "Other".
    const std::vector<std::string>& m_tableNames;

    // The model components, owned, in creation order.
    std::vector<std::unique_ptr<CModelModule>> m_models;

    // Run settings and links of the thread.
    CDatabase* m_pDatabase = nullptr;             // the thread's connection (not owned)
    int m_nHouseholdCount = 0;                    // households this thread simulates
    int m_nFirstHousehold = 0;                    // position of its first household in zone order
    int m_nThreadIndex = 0;                       // worker thread 0 to 9; selects the random stream
    CInputDataManager* m_pDataManager = nullptr;  // the thread's input-data manager (not owned)
    CHouseholdCoordinator* m_pHousehold = nullptr;  // simulator of the household being simulated (not owned)
    // Output paths: Adults, Children, ChildStudents, workers, nonworkers, tours,
    // stops, activity, NOGO, Vehicles.
    std::array<std::string, kOutputFileCount> m_outputFileNames;
    // Category counts handed to the ordered-probit models.
    std::array<int, kOrdProbitCategoryCount> m_ordProbitCategories{};
    // Alternative-name tables handed to the multinomial-logit models.
    std::map<int, std::string> m_schoolModeNames;
    std::map<int, std::string> m_adultModeNames;
    std::map<int, std::string> m_tourModeNames;
    std::map<int, std::string> m_activityTypeNames;
    CHouseholdObject* m_pHouseholdObject = nullptr;  // record of the household being simulated (not owned)
    double m_sampleRate = 1.0;                       // fraction of the households simulated
    CRunProgress* m_pProgressDlg = nullptr;    // the run's shared progress display (not owned)
    int m_nAdultModes = 0;                           // entries of m_adultModeNames
    int m_nTourModes = 0;                            // entries of m_tourModeNames
    int m_nActivityTypes = 0;                        // entries of m_activityTypeNames
};
