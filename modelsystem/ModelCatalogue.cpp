// The rows of the model catalogue, in creation order.

#include "modelsystem/ModelCatalogue.h"

#include "platform/NumberText.h"

namespace ModelCatalogue {
namespace {

using MS = CModelSystem;
using Table = EAlternativeTable;

constexpr SModelExtras None() { return {}; }
constexpr SModelExtras Alternatives(Table table) { return {table, -1, 0, 0.0f}; }
constexpr SModelExtras CategoryEntry(int entry) { return {Table::kNone, entry, 0, 0.0f}; }
constexpr SModelExtras AlternativeCount(int count) { return {Table::kNone, -1, count, 0.0f}; }
constexpr SModelExtras KeepPercent(float percent) { return {Table::kNone, -1, 0, percent}; }

constexpr SSingleModel kSingleModelsBeforeTours[] = {
    {&MS::m_pDecisionToGoToSchool, "Decision to go to School", None()},
    {&MS::m_pChildrensSchoolStartTime, "Children's school Start time", None()},
    {&MS::m_pChildrensSchoolEndTime, "Children's school End time", None()},
    {&MS::m_pDecisionToGoToWork, "Decision to go to Work", None()},
    {&MS::m_pWorkStartEndTime, "Work-Start-End-Time", None()},
    {&MS::m_pAdultsDecisionToGoToSchool, "Adult's Decision to go to school", None()},
    {&MS::m_pAdultsSchoolStartTime, "Adult's school Start time", None()},
    {&MS::m_pAdultsSchoolEndTime, "Adult's School End time", None()},
    {&MS::m_pModeToSchoolForChildren, "Mode to school for children", Alternatives(Table::kSchoolModes)},
    {&MS::m_pModeFromSchoolForChildren, "Mode from school for children", Alternatives(Table::kSchoolModes)},
    {&MS::m_pAllocationOfDropOffEpisodeToParent, "Allocation of drop off episode to parent", None()},
    {&MS::m_pAllocationOfPickUpEpisodeToParent, "Allocation of pick up episode to parent", None()},
    {&MS::m_pDecisionOfChildToUndertakeIndependentDiscretionaryActivity,
     "Decision of child to undertake independent discretionary activity", None()},
    {&MS::m_pHHShoppingActivityGeneration, "HH Shopping Activity Generation", None()},
    {&MS::m_pShoppingActivityAllocation, "Shopping Activity Allocation", None()},
    {&MS::m_pIndividualOtherBusActivityGeneration, "Individual Other. Bus. Activity Generation", None()},
    {&MS::m_pIndividualSocialActivityGeneration, "Individual Social Activity Generation", None()},
    {&MS::m_pIndividualEatOutActivityGeneration, "Individual Eat-out Activity Generation", None()},
    {&MS::m_pIndividualServePaxActivityGeneration, "Individual Serve-pax Activity Generation", None()},
    {&MS::m_pMDCEV, "MDCEV", AlternativeCount(14)},
    {&MS::m_pMDCEV2, "MDCEV2", AlternativeCount(10)},
    {&MS::m_pFRACTIONSPLIT, "FRACTION_SPLIT", None()},
    {&MS::m_pVehicleMDCEV, "vehicleMDCEV", None()},
    {&MS::m_pLogSumPrimaryDriver, "LogSum Primary Driver", None()},
    {&MS::m_pSeparateTravelOrJointTravel, "Separate travel or joint travel", None()},
    {&MS::m_pZeroNonWorkDurationHouseholds, "Zero Non-work Duration Households", None()},
    {&MS::m_pJointActivityTravelTimeToStopMDCEV, "Joint activity travel time to stop MDCEV", None()},
    {&MS::m_pJointActivityDurationMDCEV, "Joint Activity Duration MDCEV", None()},
    {&MS::m_pJointActivityStartTimeMDCEV, "Joint activity Start time MDCEV", None()},
    {&MS::m_pJointActivityLocationMDCEV, "Joint Activity Location MDCEV", None()},
    {&MS::m_pWHCommuteMode, "WH commute mode", Alternatives(Table::kAdultModes)},
    {&MS::m_pWHNumberOfStops, "WH Number of Stops", CategoryEntry(3)},
    {&MS::m_pHWNumberOfStops, "HW Number of Stops", CategoryEntry(4)},
    {&MS::m_pNumberOfToursAfterWork, "Number of Tours After Work", CategoryEntry(2)},
    {&MS::m_pNumberOfToursBasedAtWork, "Number of Tours Based at Work", CategoryEntry(1)},
    {&MS::m_pNumberOfToursBeforeWork, "Number of Tours Before Work", CategoryEntry(0)},
    {&MS::m_pBWTourMode, "BW Tour Mode", Alternatives(Table::kTourModes)},
    {&MS::m_pWBTourMode, "WB Tour Mode", Alternatives(Table::kTourModes)},
    {&MS::m_pAWTourMode, "AW Tour Mode", Alternatives(Table::kTourModes)},
    {&MS::m_pBWTourNumberOfStops, "BW Tour Number of Stops", CategoryEntry(5)},
    {&MS::m_pWBTourNumberOfStops, "WB Tour Number of Stops", CategoryEntry(6)},
    {&MS::m_pAWTourNumberOfStops, "AW Tour Number of Stops", CategoryEntry(7)},
    {&MS::m_pBWHomeStay, "BW Home Stay", None()},
    {&MS::m_pWBWorkStay, "WB Work Stay", None()},
    {&MS::m_pAWHomeStay, "AW Home Stay", None()},
    {&MS::m_pWHCommuteStopActivityType, "WH Commute Stop Activity Type", Alternatives(Table::kActivityTypes)},
    {&MS::m_pHWCommuteStopActivityType, "HW Commute Stop Activity Type", Alternatives(Table::kActivityTypes)},
    {&MS::m_pBWTourStopActivityType, "BW Tour Stop Activity Type", Alternatives(Table::kActivityTypes)},
    {&MS::m_pWBTourStopActivityType, "WB Tour Stop Activity Type", Alternatives(Table::kActivityTypes)},
    {&MS::m_pAWTourStopActivityType, "AW Tour Stop Activity Type", Alternatives(Table::kActivityTypes)},
    {&MS::m_pWHCommuteStopActivityDuration, "WH Commute Stop Activity Duration", None()},
    {&MS::m_pHWCommuteStopActivityDuration, "HW Commute Stop Activity Duration", None()},
    {&MS::m_pBWTourStopActivityDuration, "BW Tour Stop Activity Duration", None()},
    {&MS::m_pWBTourStopActivityDuration, "WB Tour Stop Activity Duration", None()},
    {&MS::m_pAWTourStopActivityDuration, "AW Tour Stop Activity Duration", None()},
    {&MS::m_pWHCommuteStopTravelTime, "WH Commute Stop Travel Time", None()},
    {&MS::m_pHWCommuteStopTravelTime, "HW Commute Stop Travel Time", None()},
    {&MS::m_pBWTourStopTravelTime, "BW Tour Stop Travel Time", None()},
    {&MS::m_pWBTourStopTravelTime, "WB Tour Stop Travel Time", None()},
    {&MS::m_pAWTourStopTravelTime, "AW Tour Stop Travel Time", None()},
    {&MS::m_pWHCommuteStopLocationAutoMode, "WH Commute Stop Location (Auto mode)", None()},
    {&MS::m_pHWCommuteStopLocationAutoMode, "HW Commute Stop Location (Auto mode)", None()},
    {&MS::m_pBWTourStopLocationAutoMode, "BW Tour Stop Location (Auto mode)", None()},
    {&MS::m_pWBTourStopLocationAutoMode, "WB Tour Stop Location (Auto mode)", None()},
    {&MS::m_pAWTourStopLocationAutoMode, "AW Tour Stop Location (Auto mode)", None()},
    {&MS::m_pWorkerStopLocationWalkMode, "Worker Stop Loction (Walk mode)", KeepPercent(50.0f)},
    {&MS::m_pWorkersJointActivityDepartureTimeFromHome, "Worker's Joint activity departure time from home", None()},
    {&MS::m_pNonWorkersJointActivityDepartureTimeFromHome, "Non Worker's Joint activity departure time from home",
     None()},
    {&MS::m_pWorkersJointActivityDurationAtStop, "Worker's Joint activity duration at stop", None()},
    {&MS::m_pNonWorkersJointActivityDurationAtStop, "Non Worker's Joint activity duration at stop", None()},
    {&MS::m_pWorkersJointActivityTravelTimeToStop, "Worker's Joint activity travel time to stop", None()},
    {&MS::m_pNonWorkersJointActivityTravelTimeToStop, "Non Worker's Joint activity travel time to stop", None()},
    {&MS::m_pWorkersJointActivityLocationOfStop, "Worker's Joint activity location of stop", None()},
    {&MS::m_pNonWorkersJointActivityLocationOfStop, "Non Worker's Joint activity location of stop", None()},
    {&MS::m_pChildrensSchoolDuration, "Children's school duration", None()},
    {&MS::m_pWorkDuration, "Work Duration", None()},
    {&MS::m_pBWTourDuration, "BW Tour Duration", None()},
    {&MS::m_pWBTourDuration, "WB Tour Duration", None()},
    {&MS::m_pAWTourDuration, "AW Tour Duration", None()},
    {&MS::m_pWHCommuteDuration, "WH Commute Duration", None()},
    {&MS::m_pHWCommuteDuration, "HW Commute Duration", None()},
    {&MS::m_pHouseholdAnnualMileage, "Household Annual Mileage", None()},
    {&MS::m_pVehicleMake, "Vehicle Make", None()},
    {&MS::m_pPrimaryDriver, "Primary Driver", None()},
    {&MS::m_pJointTourVehicle, "Joint Tour Vehicle", None()},
    {&MS::m_pNumberOfToursNW, "Number of Tours NW", CategoryEntry(8)},
    {&MS::m_pNonWorkersDecisionToUndertakeIndependentTourBeforePickup,
     "Non Worker's Decision to undertake independent tour before pickup", None()},
    {&MS::m_pNonWorkersDecisionToUndertakeIndependentTourAfterPickup,
     "Non Worker's Decision to undertake independent tour after pickup", None()},
    {&MS::m_pSchoolToHomeCommuteTime, "School to home commute time", None()},
    {&MS::m_pHomeToSchoolCommuteTime, "Home to school commute time", None()},
    {&MS::m_pModeForDiscretionaryTour, "Mode for discretionary tour", None()},
    {&MS::m_pDepartureTimeFromHomeForDiscretionaryTour, "Departure time from home for discretionary tour", None()},
    {&MS::m_pActivityDurationAtDiscretionaryStop, "Activity duration at discretionary stop", None()},
    {&MS::m_pTravelTimeToDiscretionaryStop, "Travel time to discretionary stop", None()},
    {&MS::m_pLocationChoiceForDiscretionaryStop, "Location choice for discretionary stop", None()},
};

// The non-worker's tour models: mode, number of stops (entries 9 to 12 of the
// category table), duration and the home stay before the tour.
constexpr STourModel kTourModels[] = {
    {&MS::m_vModeForTour, "Mode for Tour ", "", Alternatives(Table::kTourModes)},
    {&MS::m_vNumberOfStopsInTour, "Number of Stops in Tour ", "", CategoryEntry(9)},
    {&MS::m_vDurationOfTour, "Duration of Tour ", "", None()},
    {&MS::m_vHomeStayDurationBeforeTour, "Home Stay Duration before Tour ", "", None()},
};

// The stop models of the non-worker's tours; their vectors keep a fifth,
// empty entry.
constexpr STourModel kTourStopModels[] = {
    {&MS::m_vTourStopActivityType, "Tour ", " Stop Activity Type", Alternatives(Table::kActivityTypes)},
    {&MS::m_vTourStopActivityDuration, "Tour ", " Stop Activity Duration", None()},
    {&MS::m_vTourStopTravelTime, "Tour ", " Stop Travel Time", None()},
    {&MS::m_vTourStopLocation, "Tour ", " Stop Location (by Auto Mode)", None()},
};

constexpr STourGroup kTourGroups[] = {
    {4, kTourModels},
    {5, kTourStopModels},
};

constexpr SSingleModel kSingleModelsAfterTours[] = {
    {&MS::m_pNumberOfStopsAfterPickupOrDropoff, "Number of Stops After Pickup or Dropoff", CategoryEntry(13)},
    {&MS::m_pNonWorkerStopLocationWalkMode, "NonWorker Stop Loction (Walk mode)", KeepPercent(75.0f)},
};

}  // namespace

std::span<const SSingleModel> SingleModelsBeforeTours() { return kSingleModelsBeforeTours; }
std::span<const STourGroup> TourGroups() { return kTourGroups; }
std::span<const SSingleModel> SingleModelsAfterTours() { return kSingleModelsAfterTours; }

std::string TourModelName(const STourModel& model, int tour) {
    return model.namePrefix + NumberText::Integer(tour) + model.nameSuffix;
}

}  // namespace ModelCatalogue
