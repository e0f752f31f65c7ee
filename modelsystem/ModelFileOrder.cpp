#include "modelsystem/ModelFileOrder.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace ModelFileOrder {

namespace {

constexpr std::array<std::string_view, 127> kXmlModelList = {
    "Decision to go to Work",
    "Decision to go to School",
    "Children's school Start time",
    "HH Shopping Activity Generation",
    "Shopping Activity Allocation",
    "Individual Other. Bus. Activity Generation",
    "Individual Social Activity Generation",
    "Individual Serve-pax Activity Generation",
    "Individual Eat-out Activity Generation",
    "WH commute mode",
    "WH Number of Stops",
    "HW Number of Stops",
    "Number of Tours After Work",
    "Number of Tours Based at Work",
    "Number of Tours Before Work",
    "Separate travel or joint travel",
    "BW Tour Mode",
    "BW Tour Number of Stops",
    "BW Home Stay",
    "WB Tour Mode",
    "WB Tour Number of Stops",
    "WB Work Stay",
    "AW Tour Mode",
    "AW Tour Number of Stops",
    "AW Home Stay",
    "WH Commute Stop Activity Type",
    "WH Commute Stop Activity Duration",
    "WH Commute Stop Travel Time",
    "WH Commute Stop Location (Auto mode)",
    "HW Commute Stop Activity Type",
    "HW Commute Stop Activity Duration",
    "HW Commute Stop Travel Time",
    "HW Commute Stop Location (Auto mode)",
    "BW Tour Stop Activity Type",
    "BW Tour Stop Activity Duration",
    "BW Tour Stop Travel Time",
    "BW Tour Stop Location (Auto mode)",
    "WB Tour Stop Activity Type",
    "WB Tour Stop Activity Duration",
    "WB Tour Stop Travel Time",
    "WB Tour Stop Location (Auto mode)",
    "AW Tour Stop Activity Type",
    "AW Tour Stop Activity Duration",
    "AW Tour Stop Travel Time",
    "AW Tour Stop Location (Auto mode)",
    "Number of Tours NW",
    "Mode for Tour 1",
    "Number of Stops in Tour 1",
    "Home Stay Duration before Tour 1",
    "Mode for Tour 2",
    "Number of Stops in Tour 2",
    "Home Stay Duration before Tour 2",
    "Mode for Tour 3",
    "Number of Stops in Tour 3",
    "Home Stay Duration before Tour 3",
    "Mode for Tour 4",
    "Number of Stops in Tour 4",
    "Home Stay Duration before Tour 4",
    "Tour 1 Stop Activity Type",
    "Tour 1 Stop Activity Duration",
    "Tour 1 Stop Travel Time",
    "Tour 1 Stop Location (by Auto Mode)",
    "Tour 2 Stop Activity Type",
    "Tour 2 Stop Activity Duration",
    "Tour 2 Stop Travel Time",
    "Tour 2 Stop Location (by Auto Mode)",
    "Tour 3 Stop Activity Type",
    "Tour 3 Stop Activity Duration",
    "Tour 3 Stop Travel Time",
    "Tour 3 Stop Location (by Auto Mode)",
    "Tour 4 Stop Activity Type",
    "Tour 4 Stop Activity Duration",
    "Tour 4 Stop Travel Time",
    "Tour 4 Stop Location (by Auto Mode)",
    "School to home commute time",
    "Home to school commute time",
    "Mode for discretionary tour",
    "Departure time from home for discretionary tour",
    "Activity duration at discretionary stop",
    "Travel time to discretionary stop",
    "Location choice for discretionary stop",
    "Children's school End time",
    "Work-Start-End-Time",
    "Adult's Decision to go to school",
    "Adult's school Start time",
    "Adult's School End time",
    "Mode to school for children",
    "Mode from school for children",
    "Allocation of drop off episode to parent",
    "Allocation of pick up episode to parent",
    "Decision of child to undertake independent discretionary activity",
    "Non Worker's Decision to undertake independent tour before pickup",
    "Non Worker's Decision to undertake independent tour after pickup",
    "Number of Stops After Pickup or Dropoff",
    "Worker's Joint activity departure time from home",
    "Worker's Joint activity duration at stop",
    "Worker's Joint activity travel time to stop",
    "Worker's Joint activity location of stop",
    "Non Worker's Joint activity departure time from home",
    "Non Worker's Joint activity duration at stop",
    "Non Worker's Joint activity travel time to stop",
    "Non Worker's Joint activity location of stop",
    "Household Annual Mileage",
    // Read from a file but missing from the classic save.
    "MDCEV",
    "MDCEV2",
    "FRACTION_SPLIT",
    "vehicleMDCEV",
    "LogSum Primary Driver",
    "Zero Non-work Duration Households",
    "Joint activity Start time MDCEV",
    "Joint activity travel time to stop MDCEV",
    "Joint Activity Duration MDCEV",
    "Joint Activity Location MDCEV",
    "Children's school duration",
    "Work Duration",
    "WH Commute Duration",
    "HW Commute Duration",
    "BW Tour Duration",
    "WB Tour Duration",
    "AW Tour Duration",
    "Duration of Tour 1",
    "Duration of Tour 2",
    "Duration of Tour 3",
    "Duration of Tour 4",
    "Vehicle Make",
    "Primary Driver",
    "Joint Tour Vehicle",
};

// Models of the usual file order that have no text record.
constexpr std::string_view kWithoutTextRecord[] = {
    "Separate travel or joint travel",
    "Household Annual Mileage",
};
// Number of models of the usual file order; those after them are the ones a
// file may also carry.
constexpr std::size_t kUsualXmlCount = 103;
// Models beyond the usual text records that the text reader also accepts.
constexpr std::string_view kTextDurations[] = {
    "Work Duration",
    "Children's school duration",
    "WH Commute Duration",
    "HW Commute Duration",
    "BW Tour Duration",
    "WB Tour Duration",
    "AW Tour Duration",
    "Duration of Tour 1",
    "Duration of Tour 2",
    "Duration of Tour 3",
    "Duration of Tour 4",
};

// The text records follow the usual file order without the models that have
// no record, then the duration models.
constexpr std::array<std::string_view, 112> TextModels() {
    std::array<std::string_view, 112> names{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < kUsualXmlCount; ++i)
        if (std::find(std::begin(kWithoutTextRecord), std::end(kWithoutTextRecord), kXmlModelList[i]) ==
            std::end(kWithoutTextRecord))
            names.at(count++) = kXmlModelList[i];
    for (const std::string_view name : kTextDurations) names.at(count++) = name;
    if (count != names.size()) throw "the text models do not fill their list";
    return names;
}

constexpr std::array<std::string_view, 112> kTextModelList = TextModels();

}  // namespace

const std::array<std::string_view, 127> kXmlModels = kXmlModelList;
const std::array<std::string_view, 112> kTextModels = kTextModelList;

}  // namespace ModelFileOrder
