// The model catalogue of a model system: every named model in its member, of
// its class, with its constructor extras, in creation order; the per-tour
// vectors and their checked access; the name tables the models were built
// from; and ten systems built side by side holding equal, separate catalogues.

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CLocationWalkMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "modelsystem/CModelSystem.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum class Cls { Regress, BLogit, OrdProbit, Hazard, MNLogit, Location, LocationWalk, Mdcev, StartAndEndTime };

Cls ClassOf(const CModelModule* model) {
    if (dynamic_cast<const CRegressMM*>(model)) return Cls::Regress;
    if (dynamic_cast<const CBLogitMM*>(model)) return Cls::BLogit;
    if (dynamic_cast<const COrdProbitMM*>(model)) return Cls::OrdProbit;
    if (dynamic_cast<const CHazardMM*>(model)) return Cls::Hazard;
    if (dynamic_cast<const CMNLogitMM*>(model)) return Cls::MNLogit;
    if (dynamic_cast<const CLocationMM*>(model)) return Cls::Location;
    if (dynamic_cast<const CLocationWalkMM*>(model)) return Cls::LocationWalk;
    if (dynamic_cast<const CMdcevMM*>(model)) return Cls::Mdcev;
    if (dynamic_cast<const CStartAndEndTimeMM*>(model)) return Cls::StartAndEndTime;
    ADD_FAILURE() << "model of an unknown class";
    return Cls::Regress;
}

// The name a model is known by: the walk location models keep theirs apart
// from the base name.
std::string NameOf(const CModelModule* model) {
    if (const auto* walk = dynamic_cast<const CLocationWalkMM*>(model)) return walk->GetWalkModelName();
    return model->GetName();
}

struct SingleRow {
    const char* member;
    Cls cls;
    const char* name;
    std::function<const CModelModule*(const CModelSystem&)> get;
};

#define ROW(member, cls, name) \
    SingleRow { #member, Cls::cls, name, [](const CModelSystem& m) -> const CModelModule* { return m.member; } }

// Single models 1 to 95, in creation order.
const std::vector<SingleRow>& SinglesBeforeTours() {
    static const std::vector<SingleRow> rows = {
        ROW(m_pDecisionToGoToSchool, BLogit, "Decision to go to School"),
        ROW(m_pChildrensSchoolStartTime, Hazard, "Children's school Start time"),
        ROW(m_pChildrensSchoolEndTime, Hazard, "Children's school End time"),
        ROW(m_pDecisionToGoToWork, BLogit, "Decision to go to Work"),
        ROW(m_pWorkStartEndTime, StartAndEndTime, "Work-Start-End-Time"),
        ROW(m_pAdultsDecisionToGoToSchool, BLogit, "Adult's Decision to go to school"),
        ROW(m_pAdultsSchoolStartTime, Regress, "Adult's school Start time"),
        ROW(m_pAdultsSchoolEndTime, Regress, "Adult's School End time"),
        ROW(m_pModeToSchoolForChildren, MNLogit, "Mode to school for children"),
        ROW(m_pModeFromSchoolForChildren, MNLogit, "Mode from school for children"),
        ROW(m_pAllocationOfDropOffEpisodeToParent, BLogit, "Allocation of drop off episode to parent"),
        ROW(m_pAllocationOfPickUpEpisodeToParent, BLogit, "Allocation of pick up episode to parent"),
        ROW(m_pDecisionOfChildToUndertakeIndependentDiscretionaryActivity, BLogit,
            "Decision of child to undertake independent discretionary activity"),
        ROW(m_pHHShoppingActivityGeneration, BLogit, "HH Shopping Activity Generation"),
        ROW(m_pShoppingActivityAllocation, BLogit, "Shopping Activity Allocation"),
        ROW(m_pIndividualOtherBusActivityGeneration, BLogit, "Individual Other. Bus. Activity Generation"),
        ROW(m_pIndividualSocialActivityGeneration, BLogit, "Individual Social Activity Generation"),
        ROW(m_pIndividualEatOutActivityGeneration, BLogit, "Individual Eat-out Activity Generation"),
        ROW(m_pIndividualServePaxActivityGeneration, BLogit, "Individual Serve-pax Activity Generation"),
        ROW(m_pMDCEV, Mdcev, "MDCEV"),
        ROW(m_pMDCEV2, Mdcev, "MDCEV2"),
        ROW(m_pFRACTIONSPLIT, BLogit, "FRACTION_SPLIT"),
        ROW(m_pVehicleMDCEV, BLogit, "vehicleMDCEV"),
        ROW(m_pLogSumPrimaryDriver, BLogit, "LogSum Primary Driver"),
        ROW(m_pSeparateTravelOrJointTravel, BLogit, "Separate travel or joint travel"),
        ROW(m_pZeroNonWorkDurationHouseholds, BLogit, "Zero Non-work Duration Households"),
        ROW(m_pJointActivityTravelTimeToStopMDCEV, Regress, "Joint activity travel time to stop MDCEV"),
        ROW(m_pJointActivityDurationMDCEV, Regress, "Joint Activity Duration MDCEV"),
        ROW(m_pJointActivityStartTimeMDCEV, Regress, "Joint activity Start time MDCEV"),
        ROW(m_pJointActivityLocationMDCEV, Location, "Joint Activity Location MDCEV"),
        ROW(m_pWHCommuteMode, MNLogit, "WH commute mode"),
        ROW(m_pWHNumberOfStops, OrdProbit, "WH Number of Stops"),
        ROW(m_pHWNumberOfStops, OrdProbit, "HW Number of Stops"),
        ROW(m_pNumberOfToursAfterWork, OrdProbit, "Number of Tours After Work"),
        ROW(m_pNumberOfToursBasedAtWork, OrdProbit, "Number of Tours Based at Work"),
        ROW(m_pNumberOfToursBeforeWork, OrdProbit, "Number of Tours Before Work"),
        ROW(m_pBWTourMode, MNLogit, "BW Tour Mode"),
        ROW(m_pWBTourMode, MNLogit, "WB Tour Mode"),
        ROW(m_pAWTourMode, MNLogit, "AW Tour Mode"),
        ROW(m_pBWTourNumberOfStops, OrdProbit, "BW Tour Number of Stops"),
        ROW(m_pWBTourNumberOfStops, OrdProbit, "WB Tour Number of Stops"),
        ROW(m_pAWTourNumberOfStops, OrdProbit, "AW Tour Number of Stops"),
        ROW(m_pBWHomeStay, Regress, "BW Home Stay"),
        ROW(m_pWBWorkStay, Regress, "WB Work Stay"),
        ROW(m_pAWHomeStay, Regress, "AW Home Stay"),
        ROW(m_pWHCommuteStopActivityType, MNLogit, "WH Commute Stop Activity Type"),
        ROW(m_pHWCommuteStopActivityType, MNLogit, "HW Commute Stop Activity Type"),
        ROW(m_pBWTourStopActivityType, MNLogit, "BW Tour Stop Activity Type"),
        ROW(m_pWBTourStopActivityType, MNLogit, "WB Tour Stop Activity Type"),
        ROW(m_pAWTourStopActivityType, MNLogit, "AW Tour Stop Activity Type"),
        ROW(m_pWHCommuteStopActivityDuration, Regress, "WH Commute Stop Activity Duration"),
        ROW(m_pHWCommuteStopActivityDuration, Regress, "HW Commute Stop Activity Duration"),
        ROW(m_pBWTourStopActivityDuration, Regress, "BW Tour Stop Activity Duration"),
        ROW(m_pWBTourStopActivityDuration, Regress, "WB Tour Stop Activity Duration"),
        ROW(m_pAWTourStopActivityDuration, Regress, "AW Tour Stop Activity Duration"),
        ROW(m_pWHCommuteStopTravelTime, Regress, "WH Commute Stop Travel Time"),
        ROW(m_pHWCommuteStopTravelTime, Regress, "HW Commute Stop Travel Time"),
        ROW(m_pBWTourStopTravelTime, Regress, "BW Tour Stop Travel Time"),
        ROW(m_pWBTourStopTravelTime, Regress, "WB Tour Stop Travel Time"),
        ROW(m_pAWTourStopTravelTime, Regress, "AW Tour Stop Travel Time"),
        ROW(m_pWHCommuteStopLocationAutoMode, Location, "WH Commute Stop Location (Auto mode)"),
        ROW(m_pHWCommuteStopLocationAutoMode, Location, "HW Commute Stop Location (Auto mode)"),
        ROW(m_pBWTourStopLocationAutoMode, Location, "BW Tour Stop Location (Auto mode)"),
        ROW(m_pWBTourStopLocationAutoMode, Location, "WB Tour Stop Location (Auto mode)"),
        ROW(m_pAWTourStopLocationAutoMode, Location, "AW Tour Stop Location (Auto mode)"),
        ROW(m_pWorkerStopLocationWalkMode, LocationWalk, "Worker Stop Loction (Walk mode)"),
        ROW(m_pWorkersJointActivityDepartureTimeFromHome, Regress, "Worker's Joint activity departure time from home"),
        ROW(m_pNonWorkersJointActivityDepartureTimeFromHome, Regress,
            "Non Worker's Joint activity departure time from home"),
        ROW(m_pWorkersJointActivityDurationAtStop, Regress, "Worker's Joint activity duration at stop"),
        ROW(m_pNonWorkersJointActivityDurationAtStop, Regress, "Non Worker's Joint activity duration at stop"),
        ROW(m_pWorkersJointActivityTravelTimeToStop, Regress, "Worker's Joint activity travel time to stop"),
        ROW(m_pNonWorkersJointActivityTravelTimeToStop, Regress, "Non Worker's Joint activity travel time to stop"),
        ROW(m_pWorkersJointActivityLocationOfStop, Location, "Worker's Joint activity location of stop"),
        ROW(m_pNonWorkersJointActivityLocationOfStop, Location, "Non Worker's Joint activity location of stop"),
        ROW(m_pChildrensSchoolDuration, Regress, "Children's school duration"),
        ROW(m_pWorkDuration, Hazard, "Work Duration"),
        ROW(m_pBWTourDuration, Regress, "BW Tour Duration"),
        ROW(m_pWBTourDuration, Regress, "WB Tour Duration"),
        ROW(m_pAWTourDuration, Regress, "AW Tour Duration"),
        ROW(m_pWHCommuteDuration, Regress, "WH Commute Duration"),
        ROW(m_pHWCommuteDuration, Regress, "HW Commute Duration"),
        ROW(m_pHouseholdAnnualMileage, Regress, "Household Annual Mileage"),
        ROW(m_pVehicleMake, Location, "Vehicle Make"),
        ROW(m_pPrimaryDriver, Location, "Primary Driver"),
        ROW(m_pJointTourVehicle, Location, "Joint Tour Vehicle"),
        ROW(m_pNumberOfToursNW, OrdProbit, "Number of Tours NW"),
        ROW(m_pNonWorkersDecisionToUndertakeIndependentTourBeforePickup, BLogit,
            "Non Worker's Decision to undertake independent tour before pickup"),
        ROW(m_pNonWorkersDecisionToUndertakeIndependentTourAfterPickup, BLogit,
            "Non Worker's Decision to undertake independent tour after pickup"),
        ROW(m_pSchoolToHomeCommuteTime, Regress, "School to home commute time"),
        ROW(m_pHomeToSchoolCommuteTime, Regress, "Home to school commute time"),
        ROW(m_pModeForDiscretionaryTour, BLogit, "Mode for discretionary tour"),
        ROW(m_pDepartureTimeFromHomeForDiscretionaryTour, Regress, "Departure time from home for discretionary tour"),
        ROW(m_pActivityDurationAtDiscretionaryStop, Regress, "Activity duration at discretionary stop"),
        ROW(m_pTravelTimeToDiscretionaryStop, Regress, "Travel time to discretionary stop"),
        ROW(m_pLocationChoiceForDiscretionaryStop, Location, "Location choice for discretionary stop"),
    };
    return rows;
}

// Single models 96 and 97, created after the per-tour vectors.
const std::vector<SingleRow>& SinglesAfterTours() {
    static const std::vector<SingleRow> rows = {
        ROW(m_pNumberOfStopsAfterPickupOrDropoff, OrdProbit, "Number of Stops After Pickup or Dropoff"),
        ROW(m_pNonWorkerStopLocationWalkMode, LocationWalk, "NonWorker Stop Loction (Walk mode)"),
    };
    return rows;
}

#undef ROW

struct Expected {
    std::string name;
    Cls cls;
};

// The whole catalogue in creation order.
std::vector<Expected> ExpectedCreationOrder() {
    std::vector<Expected> order;
    for (const SingleRow& row : SinglesBeforeTours()) order.push_back({row.name, row.cls});
    for (int k = 1; k <= 4; ++k) {
        const std::string n = std::to_string(k);
        order.push_back({"Mode for Tour " + n, Cls::MNLogit});
        order.push_back({"Number of Stops in Tour " + n, Cls::OrdProbit});
        order.push_back({"Duration of Tour " + n, Cls::Regress});
        order.push_back({"Home Stay Duration before Tour " + n, Cls::Regress});
    }
    for (int k = 1; k <= 4; ++k) {
        const std::string n = std::to_string(k);
        order.push_back({"Tour " + n + " Stop Activity Type", Cls::MNLogit});
        order.push_back({"Tour " + n + " Stop Activity Duration", Cls::Regress});
        order.push_back({"Tour " + n + " Stop Travel Time", Cls::Regress});
        order.push_back({"Tour " + n + " Stop Location (by Auto Mode)", Cls::Location});
    }
    for (const SingleRow& row : SinglesAfterTours()) order.push_back({row.name, row.cls});
    return order;
}

std::vector<int> Ids(const std::map<int, std::string>& table) {
    std::vector<int> ids;
    for (const auto& [id, name] : table) ids.push_back(id);
    return ids;
}

class ModelCatalogue : public ::testing::Test {
protected:
    CModelSystem m_models;
};

TEST_F(ModelCatalogue, HoldsTheWholeCatalogueInCreationOrder) {
    const std::vector<Expected> expected = ExpectedCreationOrder();
    ASSERT_EQ(expected.size(), 129u);
    const auto& models = m_models.GetModels();
    ASSERT_EQ(models.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(NameOf(models[i].get()), expected[i].name);
        EXPECT_EQ(ClassOf(models[i].get()), expected[i].cls);
        EXPECT_EQ(models[i]->GetOwner(), &m_models);
    }
}

TEST_F(ModelCatalogue, NamesAreUniqueAndWalkModelsKeepAnEmptyBaseName) {
    std::set<std::string> names;
    for (const auto& model : m_models.GetModels()) EXPECT_TRUE(names.insert(NameOf(model.get())).second);
    EXPECT_EQ(m_models.m_pWorkerStopLocationWalkMode->GetName(), "");
    EXPECT_EQ(m_models.m_pNonWorkerStopLocationWalkMode->GetName(), "");
}

TEST_F(ModelCatalogue, NumbersOfModelsByClass) {
    std::map<Cls, int> counts;
    for (const auto& model : m_models.GetModels()) ++counts[ClassOf(model.get())];
    EXPECT_EQ(counts[Cls::Regress], 52);
    EXPECT_EQ(counts[Cls::BLogit], 20);
    EXPECT_EQ(counts[Cls::MNLogit], 19);
    EXPECT_EQ(counts[Cls::Location], 16);
    EXPECT_EQ(counts[Cls::OrdProbit], 14);
    EXPECT_EQ(counts[Cls::Hazard], 3);
    EXPECT_EQ(counts[Cls::Mdcev], 2);
    EXPECT_EQ(counts[Cls::LocationWalk], 2);
    EXPECT_EQ(counts[Cls::StartAndEndTime], 1);
}

TEST_F(ModelCatalogue, EverySingleMemberHoldsItsModel) {
    std::vector<SingleRow> rows = SinglesBeforeTours();
    rows.insert(rows.end(), SinglesAfterTours().begin(), SinglesAfterTours().end());
    ASSERT_EQ(rows.size(), 97u);
    for (const SingleRow& row : rows) {
        SCOPED_TRACE(row.member);
        const CModelModule* model = row.get(m_models);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(NameOf(model), row.name);
        EXPECT_EQ(ClassOf(model), row.cls);
    }
}

TEST_F(ModelCatalogue, PerTourVectorsHoldTheModelOfTourKAtKMinusOne) {
    ASSERT_EQ(m_models.m_vModeForTour.size(), 4u);
    ASSERT_EQ(m_models.m_vNumberOfStopsInTour.size(), 4u);
    ASSERT_EQ(m_models.m_vDurationOfTour.size(), 4u);
    ASSERT_EQ(m_models.m_vHomeStayDurationBeforeTour.size(), 4u);
    ASSERT_EQ(m_models.m_vTourStopActivityType.size(), 5u);
    ASSERT_EQ(m_models.m_vTourStopActivityDuration.size(), 5u);
    ASSERT_EQ(m_models.m_vTourStopTravelTime.size(), 5u);
    ASSERT_EQ(m_models.m_vTourStopLocation.size(), 5u);
    EXPECT_EQ(m_models.m_vTourStopActivityType[4], nullptr);
    EXPECT_EQ(m_models.m_vTourStopActivityDuration[4], nullptr);
    EXPECT_EQ(m_models.m_vTourStopTravelTime[4], nullptr);
    EXPECT_EQ(m_models.m_vTourStopLocation[4], nullptr);

    for (int k = 1; k <= 4; ++k) {
        const std::string n = std::to_string(k);
        const std::size_t i = static_cast<std::size_t>(k - 1);
        ASSERT_NE(m_models.m_vModeForTour[i], nullptr);
        EXPECT_EQ(m_models.m_vModeForTour[i]->GetName(), "Mode for Tour " + n);
        EXPECT_EQ(m_models.m_vNumberOfStopsInTour[i]->GetName(), "Number of Stops in Tour " + n);
        EXPECT_EQ(m_models.m_vDurationOfTour[i]->GetName(), "Duration of Tour " + n);
        EXPECT_EQ(m_models.m_vHomeStayDurationBeforeTour[i]->GetName(), "Home Stay Duration before Tour " + n);
        EXPECT_EQ(m_models.m_vTourStopActivityType[i]->GetName(), "Tour " + n + " Stop Activity Type");
        EXPECT_EQ(m_models.m_vTourStopActivityDuration[i]->GetName(), "Tour " + n + " Stop Activity Duration");
        EXPECT_EQ(m_models.m_vTourStopTravelTime[i]->GetName(), "Tour " + n + " Stop Travel Time");
        EXPECT_EQ(m_models.m_vTourStopLocation[i]->GetName(), "Tour " + n + " Stop Location (by Auto Mode)");
    }
}

TEST_F(ModelCatalogue, CheckedTourAccessGivesTheVectorEntries) {
    for (int k = 1; k <= 4; ++k) {
        const std::size_t i = static_cast<std::size_t>(k - 1);
        EXPECT_EQ(&m_models.ModeForTour(k), m_models.m_vModeForTour[i]);
        EXPECT_EQ(&m_models.NumberOfStopsInTour(k), m_models.m_vNumberOfStopsInTour[i]);
        EXPECT_EQ(&m_models.DurationOfTour(k), m_models.m_vDurationOfTour[i]);
        EXPECT_EQ(&m_models.HomeStayDurationBeforeTour(k), m_models.m_vHomeStayDurationBeforeTour[i]);
        EXPECT_EQ(&m_models.TourStopActivityType(k), m_models.m_vTourStopActivityType[i]);
        EXPECT_EQ(&m_models.TourStopActivityDuration(k), m_models.m_vTourStopActivityDuration[i]);
        EXPECT_EQ(&m_models.TourStopTravelTime(k), m_models.m_vTourStopTravelTime[i]);
        EXPECT_EQ(&m_models.TourStopLocation(k), m_models.m_vTourStopLocation[i]);
    }
}

TEST_F(ModelCatalogue, TourNumbersOutsideOneToFourAreRefused) {
    // Tour 5 reaches the empty fifth entry of the stop vectors and lies past
    // the end of the tour vectors; 0 and negatives lie before them.
    for (const int tour : {0, 5, 6, -1, 1000}) {
        SCOPED_TRACE(tour);
        EXPECT_THROW(m_models.ModeForTour(tour), std::out_of_range);
        EXPECT_THROW(m_models.NumberOfStopsInTour(tour), std::out_of_range);
        EXPECT_THROW(m_models.DurationOfTour(tour), std::out_of_range);
        EXPECT_THROW(m_models.HomeStayDurationBeforeTour(tour), std::out_of_range);
        EXPECT_THROW(m_models.TourStopActivityType(tour), std::out_of_range);
        EXPECT_THROW(m_models.TourStopActivityDuration(tour), std::out_of_range);
        EXPECT_THROW(m_models.TourStopTravelTime(tour), std::out_of_range);
        EXPECT_THROW(m_models.TourStopLocation(tour), std::out_of_range);
    }
}

TEST_F(ModelCatalogue, OrderedProbitCategoryCounts) {
    const std::map<const COrdProbitMM*, int> expected = {
        {m_models.m_pWHNumberOfStops, 3},        {m_models.m_pHWNumberOfStops, 3},
        {m_models.m_pNumberOfToursAfterWork, 3}, {m_models.m_pNumberOfToursBasedAtWork, 3},
        {m_models.m_pNumberOfToursBeforeWork, 3}, {m_models.m_pBWTourNumberOfStops, 5},
        {m_models.m_pWBTourNumberOfStops, 5},    {m_models.m_pAWTourNumberOfStops, 5},
        {m_models.m_pNumberOfToursNW, 5},        {m_models.m_vNumberOfStopsInTour[0], 5},
        {m_models.m_vNumberOfStopsInTour[1], 5}, {m_models.m_vNumberOfStopsInTour[2], 5},
        {m_models.m_vNumberOfStopsInTour[3], 5}, {m_models.m_pNumberOfStopsAfterPickupOrDropoff, 4},
    };
    ASSERT_EQ(expected.size(), 14u);
    for (const auto& [model, categories] : expected) {
        SCOPED_TRACE(model->GetName());
        EXPECT_EQ(model->m_nCategoryCount, categories);
        EXPECT_TRUE(model->m_thresholds.empty());
    }
}

TEST_F(ModelCatalogue, MultinomialLogitAlternatives) {
    const std::vector<int> modes{0, 1, 2, 3, 7};
    const std::vector<int> schoolModes{2, 4, 5, 6};
    const std::vector<int> activities{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

    EXPECT_EQ(Ids(m_models.m_pWHCommuteMode->m_alternativeNames), modes);
    EXPECT_EQ(m_models.m_pWHCommuteMode->m_alternativeNames.at(7), "Drive With Passenger");
    for (const CMNLogitMM* model : {m_models.m_pBWTourMode, m_models.m_pWBTourMode, m_models.m_pAWTourMode})
        EXPECT_EQ(Ids(model->m_alternativeNames), modes) << model->GetName();
    for (const CMNLogitMM* model : m_models.m_vModeForTour)
        EXPECT_EQ(Ids(model->m_alternativeNames), modes) << model->GetName();

    for (const CMNLogitMM* model : {m_models.m_pModeToSchoolForChildren, m_models.m_pModeFromSchoolForChildren}) {
        EXPECT_EQ(Ids(model->m_alternativeNames), schoolModes) << model->GetName();
        EXPECT_EQ(model->m_alternativeNames.at(6), "School Bus");
    }

    std::vector<const CMNLogitMM*> activityModels = {
        m_models.m_pWHCommuteStopActivityType, m_models.m_pHWCommuteStopActivityType,
        m_models.m_pBWTourStopActivityType, m_models.m_pWBTourStopActivityType, m_models.m_pAWTourStopActivityType};
    for (int k = 0; k < 4; ++k) activityModels.push_back(m_models.m_vTourStopActivityType[static_cast<std::size_t>(k)]);
    for (const CMNLogitMM* model : activityModels) {
        EXPECT_EQ(Ids(model->m_alternativeNames), activities) << model->GetName();
        EXPECT_EQ(model->m_alternativeNames.at(9), "Maintenance Activity");
        EXPECT_EQ(model->m_nAlternatives, 10);
        // Every alternative open, each with an empty utility function.
        for (const auto& [id, open] : model->m_availability) EXPECT_TRUE(open);
        for (const auto& [id, utility] : model->m_utilityFunctions) EXPECT_EQ(utility.m_nCount, 0);
    }
}

TEST_F(ModelCatalogue, OtherConstructorExtras) {
    EXPECT_EQ(m_models.m_pMDCEV->GetAlternativeCount(), 14);
    EXPECT_EQ(m_models.m_pMDCEV2->GetAlternativeCount(), 10);
    EXPECT_FLOAT_EQ(m_models.m_pWorkerStopLocationWalkMode->GetPercent(), 50.0f);
    EXPECT_FLOAT_EQ(m_models.m_pNonWorkerStopLocationWalkMode->GetPercent(), 75.0f);
}

TEST_F(ModelCatalogue, NameTablesAreFilledAndCounted) {
    EXPECT_EQ(m_models.m_nAdultModes, 5);
    EXPECT_EQ(m_models.m_nTourModes, 5);
    EXPECT_EQ(m_models.m_nActivityTypes, 10);
    EXPECT_EQ(Ids(m_models.m_schoolModeNames), (std::vector<int>{2, 4, 5, 6}));
    EXPECT_EQ(m_models.m_adultModeNames, m_models.m_tourModeNames);
    // Two separate tables with equal contents.
    EXPECT_NE(&m_models.m_adultModeNames, &m_models.m_tourModeNames);
    EXPECT_EQ(&m_models.m_activityTypeNames, &m_models.m_nameTables.m_activityTypeNames);
    EXPECT_EQ(m_models.m_ordProbitCategories,
              (std::array<int, 14>{3, 3, 3, 3, 3, 5, 5, 5, 5, 5, 5, 5, 5, 4}));
}

// What distinguishes one catalogue model from another of the same class.
std::string Describe(const CModelModule* model) {
    std::string text = NameOf(model) + "|" + std::to_string(static_cast<int>(ClassOf(model))) + "|";
    for (const int index : model->GetAdmissibleVariables()) text += std::to_string(index) + ",";
    if (const auto* mnl = dynamic_cast<const CMNLogitMM*>(model))
        for (const auto& [id, name] : mnl->m_alternativeNames) text += "|" + std::to_string(id) + "=" + name;
    if (const auto* probit = dynamic_cast<const COrdProbitMM*>(model))
        text += "|categories " + std::to_string(probit->m_nCategoryCount);
    if (const auto* mdcev = dynamic_cast<const CMdcevMM*>(model))
        text += "|alternatives " + std::to_string(mdcev->GetAlternativeCount());
    if (const auto* walk = dynamic_cast<const CLocationWalkMM*>(model))
        text += "|percent " + std::to_string(walk->GetPercent());
    return text;
}

TEST(ModelCatalogueSideBySide, TenSystemsHoldEqualSeparateCatalogues) {
    std::vector<std::unique_ptr<CModelSystem>> systems;
    for (int i = 0; i < 10; ++i) systems.push_back(std::make_unique<CModelSystem>());

    std::vector<std::string> first;
    for (const auto& model : systems[0]->GetModels()) first.push_back(Describe(model.get()));
    ASSERT_EQ(first.size(), 129u);

    std::set<const CModelModule*> seen;
    for (const auto& system : systems) {
        std::vector<std::string> described;
        for (const auto& model : system->GetModels()) {
            described.push_back(Describe(model.get()));
            EXPECT_EQ(model->GetOwner(), system.get());
            EXPECT_TRUE(seen.insert(model.get()).second) << "a model shared between systems";
        }
        EXPECT_EQ(described, first);
    }
}

}  // namespace
