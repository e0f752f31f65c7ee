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
#include "modelsystem/CAlternativeNameTables.h"
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
class CRegressMM;
class CBLogitMM;
class COrdProbitMM;
class CHazardMM;
class CMNLogitMM;
class CLocationMM;
class CLocationWalkMM;
class CMdcevMM;
class CStartAndEndTimeMM;
class CActivityGenerator;

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
    static constexpr int kOrdProbitCategoryCount = CAlternativeNameTables::kOrdProbitModelCount;
    // Tours that have per-tour models (tour numbers 1 to 4).
    static constexpr int kTourCount = 4;

    // Empty output paths, no connection, household, simulator or progress
    // display, household share and thread index 0, sample rate 1.0; then the
    // computed-variable registry, then the catalogue (which fills the name
    // tables and their counts first).
    CModelSystem();
    // Releases the models it owns (every model of the catalogue). The database
    // connection, the input-data manager, the progress display, the household
    // record and the household simulator belong to others and are left alone.
    ~CModelSystem();

    CModelSystem(const CModelSystem&) = delete;
    CModelSystem& operator=(const CModelSystem&) = delete;

    // Fills the descriptions of the computed variables and the names of the
    // variable sources that the editors show.
    void BuildVariableRegistry();
    // Called once, by the constructor: fills the alternative-name tables and
    // the category counts, creates every model of the catalogue in its member
    // (the model of tour k of a per-tour vector at index k - 1), then gives each
    // model its admissible computed variables.
    void CreateModels();

    // The model-parameter file of this system's models (CModelParameterFile).
    // LoadXml: false, with no model changed, when the file cannot be read, is
    // not well-formed or holds an element that is not sound. SaveXml: every
    // model the loader reads; false when the file was not written completely.
    bool LoadXml(const std::string& path);
    bool SaveXml(const std::string& path) const;
    // The plain-text form of the same parameters. LoadText: true when the
    // whole file was read and applied.
    bool LoadText(const std::string& path);
    bool SaveText(const std::string& path) const;

    // Checked access to the per-tour models: the model of tour `tour` (1 to 4).
    // A tour number outside 1 to 4 throws std::out_of_range rather than reading
    // past a vector or through its empty fifth entry.
    CMNLogitMM& ModeForTour(int tour) const;
    COrdProbitMM& NumberOfStopsInTour(int tour) const;
    CRegressMM& DurationOfTour(int tour) const;
    CRegressMM& HomeStayDurationBeforeTour(int tour) const;
    CMNLogitMM& TourStopActivityType(int tour) const;
    CRegressMM& TourStopActivityDuration(int tour) const;
    CRegressMM& TourStopTravelTime(int tour) const;
    CLocationMM& TourStopLocation(int tour) const;

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
    // Benchmark switch: when off, the household loop loads each household and
    // writes its person lines without making any household decision (no
    // fleet, no patterns, so no schedule or vehicle lines).
    void SetDecisions(bool on) { m_decisions = on; }
    bool GetDecisions() const { return m_decisions; }
    void SetProgressDialog(CRunProgress* progress, int threadIndex);

    // The whole work of the worker thread of this model system: its household
    // loop over its share of the households; at its end the input-data
    // manager's counts of the run are handed over (CInputDataManager::EndRun).
    void RunHouseholdLoop();

    // The reseed before a simulated decision: the next draw of any model of
    // this system restarts this thread's stream from the stored state of
    // key mod 10001 (the key as an unsigned 32-bit value).
    void ReseedStream(std::uint32_t key);

    // The household activity generation of this thread (created at first use),
    // which keeps its buffers from one household to the next.
    CActivityGenerator& ActivityGenerator();

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

    // The alternative-name tables and ordered-probit category counts, filled
    // before any model exists; the multinomial-logit models copy their
    // alternatives from them.
    CAlternativeNameTables m_nameTables;

    // The model components, owned, in creation order.
    std::vector<std::unique_ptr<CModelModule>> m_models;

    // The catalogue: every model under its member (not owned here: m_models
    // owns them). A per-tour vector holds the model of tour k at index k - 1;
    // the four stop vectors have a fifth entry that stays empty.
    CRegressMM* m_pHouseholdAnnualMileage = nullptr;
    CLocationMM* m_pVehicleMake = nullptr;
    CLocationMM* m_pPrimaryDriver = nullptr;
    CLocationMM* m_pJointTourVehicle = nullptr;
    CBLogitMM* m_pDecisionToGoToSchool = nullptr;
    CHazardMM* m_pChildrensSchoolStartTime = nullptr;
    CHazardMM* m_pChildrensSchoolEndTime = nullptr;
    CRegressMM* m_pChildrensSchoolDuration = nullptr;
    CBLogitMM* m_pDecisionToGoToWork = nullptr;
    CStartAndEndTimeMM* m_pWorkStartEndTime = nullptr;
    CHazardMM* m_pWorkDuration = nullptr;
    CBLogitMM* m_pAdultsDecisionToGoToSchool = nullptr;
    CRegressMM* m_pAdultsSchoolStartTime = nullptr;
    CRegressMM* m_pAdultsSchoolEndTime = nullptr;
    CMNLogitMM* m_pModeToSchoolForChildren = nullptr;
    CMNLogitMM* m_pModeFromSchoolForChildren = nullptr;
    CBLogitMM* m_pAllocationOfDropOffEpisodeToParent = nullptr;
    CBLogitMM* m_pAllocationOfPickUpEpisodeToParent = nullptr;
    CBLogitMM* m_pDecisionOfChildToUndertakeIndependentDiscretionaryActivity = nullptr;
    CBLogitMM* m_pHHShoppingActivityGeneration = nullptr;
    CBLogitMM* m_pShoppingActivityAllocation = nullptr;
    CBLogitMM* m_pIndividualOtherBusActivityGeneration = nullptr;
    CBLogitMM* m_pIndividualSocialActivityGeneration = nullptr;
    CBLogitMM* m_pIndividualServePaxActivityGeneration = nullptr;
    CBLogitMM* m_pIndividualEatOutActivityGeneration = nullptr;
    COrdProbitMM* m_pWHNumberOfStops = nullptr;
    COrdProbitMM* m_pHWNumberOfStops = nullptr;
    COrdProbitMM* m_pNumberOfToursAfterWork = nullptr;
    COrdProbitMM* m_pNumberOfToursBasedAtWork = nullptr;
    COrdProbitMM* m_pNumberOfToursBeforeWork = nullptr;
    CMNLogitMM* m_pBWTourMode = nullptr;
    CMNLogitMM* m_pWBTourMode = nullptr;
    CMNLogitMM* m_pAWTourMode = nullptr;
    COrdProbitMM* m_pBWTourNumberOfStops = nullptr;
    COrdProbitMM* m_pWBTourNumberOfStops = nullptr;
    COrdProbitMM* m_pAWTourNumberOfStops = nullptr;
    CRegressMM* m_pBWHomeStay = nullptr;
    CRegressMM* m_pWBWorkStay = nullptr;
    CRegressMM* m_pAWHomeStay = nullptr;
    CMNLogitMM* m_pWHCommuteStopActivityType = nullptr;
    CMNLogitMM* m_pHWCommuteStopActivityType = nullptr;
    CMNLogitMM* m_pBWTourStopActivityType = nullptr;
    CMNLogitMM* m_pWBTourStopActivityType = nullptr;
    CMNLogitMM* m_pAWTourStopActivityType = nullptr;
    CRegressMM* m_pWHCommuteStopActivityDuration = nullptr;
    CRegressMM* m_pHWCommuteStopActivityDuration = nullptr;
    CRegressMM* m_pBWTourStopActivityDuration = nullptr;
    CRegressMM* m_pWBTourStopActivityDuration = nullptr;
    CRegressMM* m_pAWTourStopActivityDuration = nullptr;
    CRegressMM* m_pWHCommuteStopTravelTime = nullptr;
    CRegressMM* m_pHWCommuteStopTravelTime = nullptr;
    CRegressMM* m_pBWTourStopTravelTime = nullptr;
    CRegressMM* m_pWBTourStopTravelTime = nullptr;
    CRegressMM* m_pAWTourStopTravelTime = nullptr;
    CLocationMM* m_pWHCommuteStopLocationAutoMode = nullptr;
    CLocationMM* m_pHWCommuteStopLocationAutoMode = nullptr;
    CLocationMM* m_pBWTourStopLocationAutoMode = nullptr;
    CLocationMM* m_pWBTourStopLocationAutoMode = nullptr;
    CLocationMM* m_pAWTourStopLocationAutoMode = nullptr;
    CRegressMM* m_pWHCommuteDuration = nullptr;
    CMNLogitMM* m_pWHCommuteMode = nullptr;
    CRegressMM* m_pHWCommuteDuration = nullptr;
    CRegressMM* m_pBWTourDuration = nullptr;
    CRegressMM* m_pWBTourDuration = nullptr;
    CRegressMM* m_pAWTourDuration = nullptr;
    CLocationWalkMM* m_pWorkerStopLocationWalkMode = nullptr;
    COrdProbitMM* m_pNumberOfToursNW = nullptr;
    CBLogitMM* m_pNonWorkersDecisionToUndertakeIndependentTourBeforePickup = nullptr;
    CBLogitMM* m_pNonWorkersDecisionToUndertakeIndependentTourAfterPickup = nullptr;
    std::vector<CMNLogitMM*> m_vModeForTour;
    std::vector<COrdProbitMM*> m_vNumberOfStopsInTour;
    std::vector<CRegressMM*> m_vHomeStayDurationBeforeTour;
    std::vector<CMNLogitMM*> m_vTourStopActivityType;
    std::vector<CRegressMM*> m_vTourStopActivityDuration;
    std::vector<CRegressMM*> m_vTourStopTravelTime;
    std::vector<CLocationMM*> m_vTourStopLocation;
    COrdProbitMM* m_pNumberOfStopsAfterPickupOrDropoff = nullptr;
    CLocationWalkMM* m_pNonWorkerStopLocationWalkMode = nullptr;
    std::vector<CRegressMM*> m_vDurationOfTour;
    CRegressMM* m_pSchoolToHomeCommuteTime = nullptr;
    CRegressMM* m_pHomeToSchoolCommuteTime = nullptr;
    CBLogitMM* m_pModeForDiscretionaryTour = nullptr;
    CRegressMM* m_pDepartureTimeFromHomeForDiscretionaryTour = nullptr;
    CRegressMM* m_pActivityDurationAtDiscretionaryStop = nullptr;
    CRegressMM* m_pTravelTimeToDiscretionaryStop = nullptr;
    CLocationMM* m_pLocationChoiceForDiscretionaryStop = nullptr;
    CRegressMM* m_pWorkersJointActivityDepartureTimeFromHome = nullptr;
    CRegressMM* m_pNonWorkersJointActivityDepartureTimeFromHome = nullptr;
    CRegressMM* m_pWorkersJointActivityDurationAtStop = nullptr;
    CRegressMM* m_pNonWorkersJointActivityDurationAtStop = nullptr;
    CRegressMM* m_pWorkersJointActivityTravelTimeToStop = nullptr;
    CRegressMM* m_pNonWorkersJointActivityTravelTimeToStop = nullptr;
    CLocationMM* m_pWorkersJointActivityLocationOfStop = nullptr;
    CLocationMM* m_pNonWorkersJointActivityLocationOfStop = nullptr;
    CMdcevMM* m_pMDCEV = nullptr;
    CMdcevMM* m_pMDCEV2 = nullptr;
    CBLogitMM* m_pFRACTIONSPLIT = nullptr;
    CBLogitMM* m_pVehicleMDCEV = nullptr;
    CBLogitMM* m_pLogSumPrimaryDriver = nullptr;
    CBLogitMM* m_pZeroNonWorkDurationHouseholds = nullptr;
    CBLogitMM* m_pSeparateTravelOrJointTravel = nullptr;
    CRegressMM* m_pJointActivityStartTimeMDCEV = nullptr;
    CRegressMM* m_pJointActivityTravelTimeToStopMDCEV = nullptr;
    CRegressMM* m_pJointActivityDurationMDCEV = nullptr;
    CLocationMM* m_pJointActivityLocationMDCEV = nullptr;

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
    // Category counts handed to the ordered-probit models (m_nameTables).
    const std::array<int, kOrdProbitCategoryCount>& m_ordProbitCategories;
    // Alternative-name tables handed to the multinomial-logit models
    // (m_nameTables); fixed once the models exist.
    const std::map<int, std::string>& m_schoolModeNames;
    const std::map<int, std::string>& m_adultModeNames;
    const std::map<int, std::string>& m_tourModeNames;
    const std::map<int, std::string>& m_activityTypeNames;
    CHouseholdObject* m_pHouseholdObject = nullptr;  // record of the household being simulated (not owned)
    double m_sampleRate = 1.0;                       // fraction of the households simulated
    bool m_decisions = true;                         // false: households loaded and written only
    CRunProgress* m_pProgressDlg = nullptr;    // the run's shared progress display (not owned)
    std::unique_ptr<CActivityGenerator> m_pActivityGenerator;  // see ActivityGenerator()
    const int& m_nAdultModes;                        // entries of m_adultModeNames (5)
    const int& m_nTourModes;                         // entries of m_tourModeNames (5)
    const int& m_nActivityTypes;                     // entries of m_activityTypeNames (10)
};
