#include "app/ModelEditCommands.h"

#include <algorithm>
#include <array>

namespace ModelEditCommands {
namespace {

using C = EModelClass;
using T = ETourList;

constexpr EModelClass ClassOfTourList(ETourList list) {
    switch (list) {
    case T::kModeForTour:
    case T::kTourStopActivityType:
        return C::kMNLogit;
    case T::kNumberOfStopsInTour:
        return C::kOrdProbit;
    case T::kTourStopLocation:
        return C::kLocation;
    default:
        return C::kRegress;
    }
}

constexpr SModelEditCommand Single(int id, const char* text, const char* name, EModelClass modelClass) {
    return {id, text, name, modelClass, T::kNone, 0};
}

constexpr SModelEditCommand PerTour(int id, const char* text, const char* name, ETourList list, int tour) {
    return {id, text, name, ClassOfTourList(list), list, tour};
}

constexpr std::array kCommands = {
    // Vehicle Fleet
    Single(32951, "Annual Mileage Model", "Household Annual Mileage", C::kRegress),
    Single(32952, "MDCEV Model for Vehicle Type ", "vehicleMDCEV", C::kBLogit),
    Single(32953, "Vehicle Make Model", "Vehicle Make", C::kLocation),
    Single(32954, "Primary Driver Allocation", "Primary Driver", C::kLocation),
    // Generation Allocation > Work and School Activities
    Single(32779, "Children's Decision to go to School", "Decision to go to School", C::kBLogit),
    Single(32780, "Children's School Start Time", "Children's school Start time", C::kHazard),
    Single(32781, "Children's School End Time", "Children's school End time", C::kHazard),
    Single(32796, "Adult's Decision to go to Work", "Decision to go to Work", C::kBLogit),
    Single(32797, "Adult's Work Start and End Times", "Work-Start-End-Time", C::kStartAndEndTime),
    Single(32799, "Adult's Decision to go to School", "Adult's Decision to go to school", C::kBLogit),
    Single(32800, "Adult's School Start Time", "Adult's school Start time", C::kRegress),
    Single(32801, "Adult's School End Time", "Adult's School End time", C::kRegress),
    // Generation Allocation > Children's Activities
    Single(32802, "Children's Mode to School", "Mode to school for children", C::kMNLogit),
    Single(32803, "Children's Mode from School", "Mode from school for children", C::kMNLogit),
    Single(32804, "Allocation of Drop-off Episode to Parent", "Allocation of drop off episode to parent", C::kBLogit),
    Single(32805, "Allocation of Pick-up Episode to Parent", "Allocation of pick up episode to parent", C::kBLogit),
    // Generation Allocation > Non Work Activities
    Single(32944, "Household Nogo Model", "Zero Non-work Duration Households", C::kBLogit),
    Single(32945, "Out-of-home Duration Model", "FRACTION_SPLIT", C::kBLogit),
    Single(32946, "MDCEV model (hhsize<=5 )", "MDCEV", C::kMdcev),
    Single(32949, "MDCEV model (hhsize>5)", "MDCEV2", C::kMdcev),
    Single(32948, "Serve Pax Activity Model", "Individual Serve-pax Activity Generation", C::kBLogit),
    // Scheduling - Children
    Single(32813, "School to Home Commute Time", "School to home commute time", C::kRegress),
    Single(32814, "Home to School Commute Time", "Home to school commute time", C::kRegress),
    Single(32815, "Mode for Discretionary Tour", "Mode for discretionary tour", C::kBLogit),
    Single(32816, "Departure Time from Home for Discretionary Tour", "Departure time from home for discretionary tour",
           C::kRegress),
    Single(32817, "Activity Duration at Discretionary Stop", "Activity duration at discretionary stop", C::kRegress),
    Single(32818, "Travel Time to Discretionary Stop", "Travel time to discretionary stop", C::kRegress),
    Single(32819, "Location Choice for Discretionary Stop", "Location choice for discretionary stop", C::kLocation),
    // Scheduling - Worker
    Single(32820, "Commute Mode (WSCH1)", "WH commute mode", C::kMNLogit),
    Single(32821, "Work to Home Commute Number of Stops (WSCH2)", "WH Number of Stops", C::kOrdProbit),
    Single(32823, "Home to Work Commute Number of Stops (WSCH3)", "HW Number of Stops", C::kOrdProbit),
    // Scheduling - Worker > Number of Tours (WSCH 4,5,6)
    Single(32825, "AW", "Number of Tours After Work", C::kOrdProbit),
    Single(32826, "WB", "Number of Tours Based at Work", C::kOrdProbit),
    Single(32827, "BW", "Number of Tours Before Work", C::kOrdProbit),
    // Scheduling - Worker > Tour Mode (WSCH7)
    Single(32854, "AW", "AW Tour Mode", C::kMNLogit),
    Single(32853, "WB", "WB Tour Mode", C::kMNLogit),
    Single(32828, "BW", "BW Tour Mode", C::kMNLogit),
    // Scheduling - Worker > Number of Stops in Tour (WSCH8)
    Single(32829, "AW", "AW Tour Number of Stops", C::kOrdProbit),
    Single(32856, "WB", "WB Tour Number of Stops", C::kOrdProbit),
    Single(32855, "BW", "BW Tour Number of Stops", C::kOrdProbit),
    // Scheduling - Worker > Home Stay/Work Stay Duration before Tour (WSCH9)
    Single(32864, "AW", "AW Home Stay", C::kRegress),
    Single(32941, "WB", "WB Work Stay", C::kRegress),
    Single(32862, "BW", "BW Home Stay", C::kRegress),
    // Scheduling - Worker > Activity Type at Stop (WSCH10)
    Single(32880, "WH", "WH Commute Stop Activity Type", C::kMNLogit),
    Single(32881, "HW", "HW Commute Stop Activity Type", C::kMNLogit),
    Single(32882, "BW", "BW Tour Stop Activity Type", C::kMNLogit),
    Single(32883, "WB", "WB Tour Stop Activity Type", C::kMNLogit),
    Single(32884, "AW", "AW Tour Stop Activity Type", C::kMNLogit),
    // Scheduling - Worker > Activity Duration at Stop (WSCH11)
    Single(32885, "WH", "WH Commute Stop Activity Duration", C::kRegress),
    Single(32886, "HW", "HW Commute Stop Activity Duration", C::kRegress),
    Single(32887, "BW", "BW Tour Stop Activity Duration", C::kRegress),
    Single(32888, "WB", "WB Tour Stop Activity Duration", C::kRegress),
    Single(32889, "AW", "AW Tour Stop Activity Duration", C::kRegress),
    // Scheduling - Worker > Travel Time to Stop (WSCH12)
    Single(32890, "WH", "WH Commute Stop Travel Time", C::kRegress),
    Single(32942, "HW", "HW Commute Stop Travel Time", C::kRegress),
    Single(32892, "BW", "BW Tour Stop Travel Time", C::kRegress),
    Single(32893, "WB", "WB Tour Stop Travel Time", C::kRegress),
    Single(32894, "AW", "AW Tour Stop Travel Time", C::kRegress),
    // Scheduling - Worker > Stop Location (WSCH13)
    Single(32895, "WH", "WH Commute Stop Location (Auto mode)", C::kLocation),
    Single(32896, "HW", "HW Commute Stop Location (Auto mode)", C::kLocation),
    Single(32897, "BW", "BW Tour Stop Location (Auto mode)", C::kLocation),
    Single(32898, "WB", "WB Tour Stop Location (Auto mode)", C::kLocation),
    Single(32899, "AW", "AW Tour Stop Location (Auto mode)", C::kLocation),
    // Scheduling - Non Worker
    Single(32836, "Number of independent tours (NWSCH1)", "Number of Tours NW", C::kOrdProbit),
    Single(32837, "Decision to undertake an independent tour before pick-up or joint discretionary (NWSCH2)",
           "Non Worker's Decision to undertake independent tour before pickup", C::kBLogit),
    Single(32838, "Decision to undertake an independent tour after pick-up or joint discretionary (NWSCH3)",
           "Non Worker's Decision to undertake independent tour after pickup", C::kBLogit),
    // Scheduling - Non Worker > Tour mode (NWSCH4)
    PerTour(32900, "Tour1", "Mode for Tour 1", T::kModeForTour, 1),
    PerTour(32901, "Tour2", "Mode for Tour 2", T::kModeForTour, 2),
    PerTour(32902, "Tour3", "Mode for Tour 3", T::kModeForTour, 3),
    PerTour(32903, "Tour4", "Mode for Tour 4", T::kModeForTour, 4),
    // Scheduling - Non Worker > Number of stops in a tour (NWSCH5)
    PerTour(32904, "Tour1", "Number of Stops in Tour 1", T::kNumberOfStopsInTour, 1),
    PerTour(32905, "Tour2", "Number of Stops in Tour 2", T::kNumberOfStopsInTour, 2),
    PerTour(32906, "Tour3", "Number of Stops in Tour 3", T::kNumberOfStopsInTour, 3),
    PerTour(32907, "Tour4", "Number of Stops in Tour 4", T::kNumberOfStopsInTour, 4),
    // Scheduling - Non Worker > Number of stops following a pick-up/drop off stop in a tour (NWSCH6):
    // both items edit the same model.
    Single(32927, "Pick-up", "Number of Stops After Pickup or Dropoff", C::kOrdProbit),
    Single(32928, "Drop-off", "Number of Stops After Pickup or Dropoff", C::kOrdProbit),
    // Scheduling - Non Worker > Home stay duration before the tour (NWSCH7)
    PerTour(32912, "Tour1", "Home Stay Duration before Tour 1", T::kHomeStayDurationBeforeTour, 1),
    PerTour(32913, "Tour2", "Home Stay Duration before Tour 2", T::kHomeStayDurationBeforeTour, 2),
    PerTour(32914, "Tour3", "Home Stay Duration before Tour 3", T::kHomeStayDurationBeforeTour, 3),
    PerTour(32915, "Tour4", "Home Stay Duration before Tour 4", T::kHomeStayDurationBeforeTour, 4),
    // Scheduling - Non Worker > Activity type at stop (NWSCH8)
    PerTour(32868, "Tour1", "Tour 1 Stop Activity Type", T::kTourStopActivityType, 1),
    PerTour(32869, "Tour2", "Tour 2 Stop Activity Type", T::kTourStopActivityType, 2),
    PerTour(32870, "Tour3", "Tour 3 Stop Activity Type", T::kTourStopActivityType, 3),
    PerTour(32871, "Tour4", "Tour 4 Stop Activity Type", T::kTourStopActivityType, 4),
    // Scheduling - Non Worker > Activity duration at stop (NWSCH9)
    PerTour(32872, "Tour1", "Tour 1 Stop Activity Duration", T::kTourStopActivityDuration, 1),
    PerTour(32873, "Tour2", "Tour 2 Stop Activity Duration", T::kTourStopActivityDuration, 2),
    PerTour(32874, "Tour3", "Tour 3 Stop Activity Duration", T::kTourStopActivityDuration, 3),
    PerTour(32875, "Tour4", "Tour 4 Stop Activity Duration", T::kTourStopActivityDuration, 4),
    // Scheduling - Non Worker > Travel time to stop (NWSCH10)
    PerTour(32876, "Tour1", "Tour 1 Stop Travel Time", T::kTourStopTravelTime, 1),
    PerTour(32877, "Tour2", "Tour 2 Stop Travel Time", T::kTourStopTravelTime, 2),
    PerTour(32878, "Tour3", "Tour 3 Stop Travel Time", T::kTourStopTravelTime, 3),
    PerTour(32879, "Tour4", "Tour 4 Stop Travel Time", T::kTourStopTravelTime, 4),
    // Scheduling - Non Worker > Stop location (NWSCH11)
    PerTour(32916, "Tour1", "Tour 1 Stop Location (by Auto Mode)", T::kTourStopLocation, 1),
    PerTour(32917, "Tour2", "Tour 2 Stop Location (by Auto Mode)", T::kTourStopLocation, 2),
    PerTour(32918, "Tour3", "Tour 3 Stop Location (by Auto Mode)", T::kTourStopLocation, 3),
    PerTour(32919, "Tour4", "Tour 4 Stop Location (by Auto Mode)", T::kTourStopLocation, 4),
    // Scheduling - Joint
    Single(32955, "Joint or Separate Travel", "Separate travel or joint travel", C::kBLogit),
    Single(32956, "Activity Start Time", "Joint activity Start time MDCEV", C::kRegress),
    Single(32957, "Activity Travel Time to Stop", "Joint activity travel time to stop MDCEV", C::kRegress),
    Single(32959, "Activity Location", "Joint Activity Location MDCEV", C::kLocation),
    Single(32960, "Vehicle Used", "Joint Tour Vehicle", C::kLocation),

    // Commands without a menu item, in ID order.
    Single(162, "", "Decision to go to School", C::kBLogit),
    Single(166, "", "Children's school duration", C::kRegress),
    Single(167, "", "Children's school Start time", C::kHazard),
    Single(168, "", "HH Shopping Activity Generation", C::kBLogit),
    Single(169, "", "Shopping Activity Allocation", C::kBLogit),
    Single(170, "", "Individual Other. Bus. Activity Generation", C::kBLogit),
    Single(171, "", "Individual Social Activity Generation", C::kBLogit),
    Single(172, "", "Individual Serve-pax Activity Generation", C::kBLogit),
    Single(175, "", "WH commute mode", C::kMNLogit),
    Single(177, "", "WH Commute Duration", C::kRegress),
    Single(180, "", "HW Number of Stops", C::kOrdProbit),
    Single(181, "", "HW Commute Duration", C::kRegress),
    Single(183, "", "Number of Tours NW", C::kOrdProbit),
    Single(197, "", "WB Tour Mode", C::kMNLogit),
    Single(199, "", "AW Tour Mode", C::kMNLogit),
    Single(201, "", "BW Tour Number of Stops", C::kOrdProbit),
    Single(202, "", "WB Tour Number of Stops", C::kOrdProbit),
    Single(203, "", "AW Tour Number of Stops", C::kOrdProbit),
    Single(204, "", "BW Tour Duration", C::kRegress),
    Single(205, "", "WB Tour Duration", C::kRegress),
    Single(206, "", "AW Tour Duration", C::kRegress),
    Single(207, "", "BW Home Stay", C::kRegress),
    Single(208, "", "WB Work Stay", C::kRegress),
    Single(209, "", "AW Home Stay", C::kRegress),
    PerTour(210, "", "Mode for Tour 1", T::kModeForTour, 1),
    PerTour(211, "", "Mode for Tour 2", T::kModeForTour, 2),
    PerTour(212, "", "Mode for Tour 3", T::kModeForTour, 3),
    PerTour(213, "", "Mode for Tour 4", T::kModeForTour, 4),
    PerTour(214, "", "Number of Stops in Tour 1", T::kNumberOfStopsInTour, 1),
    PerTour(215, "", "Number of Stops in Tour 2", T::kNumberOfStopsInTour, 2),
    PerTour(216, "", "Number of Stops in Tour 3", T::kNumberOfStopsInTour, 3),
    PerTour(217, "", "Number of Stops in Tour 4", T::kNumberOfStopsInTour, 4),
    PerTour(218, "", "Duration of Tour 1", T::kDurationOfTour, 1),
    PerTour(219, "", "Duration of Tour 2", T::kDurationOfTour, 2),
    PerTour(220, "", "Duration of Tour 3", T::kDurationOfTour, 3),
    PerTour(221, "", "Duration of Tour 4", T::kDurationOfTour, 4),
    PerTour(222, "", "Home Stay Duration before Tour 1", T::kHomeStayDurationBeforeTour, 1),
    PerTour(223, "", "Home Stay Duration before Tour 2", T::kHomeStayDurationBeforeTour, 2),
    PerTour(224, "", "Home Stay Duration before Tour 3", T::kHomeStayDurationBeforeTour, 3),
    PerTour(225, "", "Home Stay Duration before Tour 4", T::kHomeStayDurationBeforeTour, 4),
    Single(229, "", "WH Commute Stop Activity Type", C::kMNLogit),
    Single(230, "", "HW Commute Stop Activity Type", C::kMNLogit),
    Single(231, "", "BW Tour Stop Activity Type", C::kMNLogit),
    Single(232, "", "WB Tour Stop Activity Type", C::kMNLogit),
    Single(233, "", "AW Tour Stop Activity Type", C::kMNLogit),
    Single(234, "", "WH Commute Stop Activity Duration", C::kRegress),
    Single(235, "", "HW Commute Stop Activity Duration", C::kRegress),
    Single(236, "", "BW Tour Stop Activity Duration", C::kRegress),
    Single(237, "", "WB Tour Stop Activity Duration", C::kRegress),
    Single(238, "", "AW Tour Stop Activity Duration", C::kRegress),
    Single(239, "", "WH Commute Stop Travel Time", C::kRegress),
    Single(240, "", "HW Commute Stop Travel Time", C::kRegress),
    Single(241, "", "BW Tour Stop Travel Time", C::kRegress),
    Single(242, "", "WB Tour Stop Travel Time", C::kRegress),
    Single(243, "", "AW Tour Stop Travel Time", C::kRegress),
    PerTour(247, "", "Tour 1 Stop Activity Type", T::kTourStopActivityType, 1),
    PerTour(248, "", "Tour 2 Stop Activity Type", T::kTourStopActivityType, 2),
    PerTour(249, "", "Tour 3 Stop Activity Type", T::kTourStopActivityType, 3),
    PerTour(250, "", "Tour 4 Stop Activity Type", T::kTourStopActivityType, 4),
    PerTour(251, "", "Tour 1 Stop Activity Duration", T::kTourStopActivityDuration, 1),
    PerTour(252, "", "Tour 2 Stop Activity Duration", T::kTourStopActivityDuration, 2),
    PerTour(253, "", "Tour 3 Stop Activity Duration", T::kTourStopActivityDuration, 3),
    PerTour(254, "", "Tour 4 Stop Activity Duration", T::kTourStopActivityDuration, 4),
    PerTour(255, "", "Tour 1 Stop Travel Time", T::kTourStopTravelTime, 1),
    PerTour(256, "", "Tour 2 Stop Travel Time", T::kTourStopTravelTime, 2),
    PerTour(257, "", "Tour 3 Stop Travel Time", T::kTourStopTravelTime, 3),
    PerTour(258, "", "Tour 4 Stop Travel Time", T::kTourStopTravelTime, 4),
    Single(259, "", "BW Tour Mode", C::kMNLogit),
    Single(260, "", "Individual Eat-out Activity Generation", C::kBLogit),
    Single(278, "", "WH Commute Stop Location (Auto mode)", C::kLocation),
    Single(279, "", "HW Commute Stop Location (Auto mode)", C::kLocation),
    Single(280, "", "BW Tour Stop Location (Auto mode)", C::kLocation),
    Single(281, "", "WB Tour Stop Location (Auto mode)", C::kLocation),
    Single(282, "", "AW Tour Stop Location (Auto mode)", C::kLocation),
    PerTour(284, "", "Tour 1 Stop Location (by Auto Mode)", T::kTourStopLocation, 1),
    PerTour(285, "", "Tour 2 Stop Location (by Auto Mode)", T::kTourStopLocation, 2),
    PerTour(286, "", "Tour 3 Stop Location (by Auto Mode)", T::kTourStopLocation, 3),
    PerTour(287, "", "Tour 4 Stop Location (by Auto Mode)", T::kTourStopLocation, 4),
    // One row per ID: 294 edits "Number of Tours After Work" only.
    Single(294, "", "Number of Tours After Work", C::kOrdProbit),
    Single(32808, "", "Decision of child to undertake independent discretionary activity", C::kBLogit),
    Single(32830, "", "AW Tour Duration", C::kRegress),
    Single(32847, "", "Number of Stops After Pickup or Dropoff", C::kOrdProbit),
    Single(32852, "", "Joint Activity Location MDCEV", C::kLocation),
    Single(32857, "", "BW Tour Duration", C::kRegress),
    Single(32858, "", "WB Tour Duration", C::kRegress),
    PerTour(32908, "", "Duration of Tour 1", T::kDurationOfTour, 1),
    PerTour(32909, "", "Duration of Tour 2", T::kDurationOfTour, 2),
    PerTour(32910, "", "Duration of Tour 3", T::kDurationOfTour, 3),
    PerTour(32911, "", "Duration of Tour 4", T::kDurationOfTour, 4),
    Single(32929, "", "Worker's Joint activity departure time from home", C::kRegress),
    Single(32930, "", "Non Worker's Joint activity departure time from home", C::kRegress),
    Single(32931, "", "Worker's Joint activity duration at stop", C::kRegress),
    Single(32932, "", "Non Worker's Joint activity duration at stop", C::kRegress),
    Single(32933, "", "Worker's Joint activity travel time to stop", C::kRegress),
    Single(32934, "", "Non Worker's Joint activity travel time to stop", C::kRegress),
    Single(32935, "", "Worker's Joint activity location of stop", C::kLocation),
    Single(32936, "", "Non Worker's Joint activity location of stop", C::kLocation),
};

static_assert(kCommands.size() == kCommandCount);

constexpr std::array<std::string_view, 8> kClassNames = {
    "CRegressMM", "CBLogitMM", "COrdProbitMM", "CHazardMM", "CMNLogitMM", "CLocationMM", "CMdcevMM", "CStartAndEndTimeMM",
};

}  // namespace

std::span<const SModelEditCommand> All() { return kCommands; }

const SModelEditCommand* Find(int id) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [id](const SModelEditCommand& command) { return command.id == id; });
    return found == kCommands.end() ? nullptr : &*found;
}

std::string_view ClassName(EModelClass modelClass) { return kClassNames[static_cast<int>(modelClass)]; }

}  // namespace ModelEditCommands
