#include "tools/ModelFileLists.h"

#include "models/ComputedVariableTable.h"
#include "modelsystem/CModelParameterFile.h"
#include "modelsystem/CModelSystem.h"
#include "modelsystem/ComputedVariableTexts.h"
#include "platform/NumberText.h"
#include "tools/SampleModelParameters.h"

#include <pugixml.hpp>

#include <sstream>
#include <stdexcept>

namespace model_file_lists {
namespace {

// What a model decides and what its result means, by the model's name.
struct SModelMeaning {
    std::string_view name;
    std::string_view level;   // the object the model is evaluated for
    std::string_view result;
};

// A model no run draws, or whose draw no output depends on: the simulation
// takes the decision otherwise (a tour's duration comes from its stops, an
// enrolled child always goes to school) or never (the child's own
// discretionary tour and the adult's joint discretionary tour with children
// are never made).
constexpr std::string_view kUnused = "read and saved, not used by the simulation";
constexpr std::string_view kTourMode = "tour mode: 0 drive alone, 1 passenger, 2 walk/bike, 3 transit, 7 drive with passenger";
constexpr std::string_view kStopCount = "category 1 to 5: the tour's stop count, the return included";
constexpr std::string_view kActivity = "activity type of the stop, 0 to 9";
constexpr std::string_view kLogActivity = "log-minutes: e^value is the activity duration at the stop";
constexpr std::string_view kLogTravel = "log-minutes: e^value is the travel time to the stop";
constexpr std::string_view kStopZone = "the stop's zone, among the candidate zones";
constexpr std::string_view kJointZone = "the joint activity's zone, among the candidate zones";
constexpr std::string_view kHomeStay = "log-minutes: e^value is the stay at home before the tour";
constexpr std::string_view kSchoolMode = "school mode: 2 walk or bike, 4 driven by a parent, 5 driven by another, 6 school bus";

constexpr SModelMeaning kMeanings[] = {
    {"Decision to go to Work", "person", "1: the adult works today"},
    {"Decision to go to School", "person", kUnused},
    {"Children's school Start time", "day", "minutes from the day's start: the school start (hazard draw)"},
    {"HH Shopping Activity Generation", "household", kUnused},
    {"Shopping Activity Allocation", "person", kUnused},
    {"Individual Other. Bus. Activity Generation", "person", kUnused},
    {"Individual Social Activity Generation", "person", kUnused},
    {"Individual Serve-pax Activity Generation", "person", "1: the person serves passengers today (adult field 12)"},
    {"Individual Eat-out Activity Generation", "person", kUnused},
    {"WH commute mode", "day", "mode of both work commutes: 0 drive alone, 1 passenger, 2 walk/bike, 3 transit, 7 drive with passenger"},
    {"WH Number of Stops", "day", "category 1 to 3: the stops on the way home from work are category - 1"},
    {"HW Number of Stops", "day", "category 1 to 3: the stops on the way to work are category - 1"},
    {"Number of Tours After Work", "day", "category 1 to 3: the after-work tours are category - 1"},
    {"Number of Tours Based at Work", "day", "category 1 to 3: the work-based tours are category - 1"},
    {"Number of Tours Before Work", "day", "category 1 to 3: the before-work tours are category - 1"},
    {"Separate travel or joint travel", "household", "1: the members of a joint activity travel to it together"},
    {"BW Tour Mode", "tour", kTourMode},
    {"BW Tour Number of Stops", "tour", kStopCount},
    {"BW Home Stay", "tour", kHomeStay},
    {"WB Tour Mode", "tour", kTourMode},
    {"WB Tour Number of Stops", "tour", kStopCount},
    {"WB Work Stay", "tour", "log-minutes: e^value is the stay at work before the tour"},
    {"AW Tour Mode", "tour", kTourMode},
    {"AW Tour Number of Stops", "tour", kStopCount},
    {"AW Home Stay", "tour", kHomeStay},
    {"WH Commute Stop Activity Type", "stop", kActivity},
    {"WH Commute Stop Activity Duration", "stop", kLogActivity},
    {"WH Commute Stop Travel Time", "stop", kLogTravel},
    {"WH Commute Stop Location (Auto mode)", "stop", kStopZone},
    {"HW Commute Stop Activity Type", "stop", kActivity},
    {"HW Commute Stop Activity Duration", "stop", kLogActivity},
    {"HW Commute Stop Travel Time", "stop", kLogTravel},
    {"HW Commute Stop Location (Auto mode)", "stop", kStopZone},
    {"BW Tour Stop Activity Type", "stop", kActivity},
    {"BW Tour Stop Activity Duration", "stop", kLogActivity},
    {"BW Tour Stop Travel Time", "stop", kLogTravel},
    {"BW Tour Stop Location (Auto mode)", "stop", kStopZone},
    {"WB Tour Stop Activity Type", "stop", kActivity},
    {"WB Tour Stop Activity Duration", "stop", kLogActivity},
    {"WB Tour Stop Travel Time", "stop", kLogTravel},
    {"WB Tour Stop Location (Auto mode)", "stop", kStopZone},
    {"AW Tour Stop Activity Type", "stop", kActivity},
    {"AW Tour Stop Activity Duration", "stop", kLogActivity},
    {"AW Tour Stop Travel Time", "stop", kLogTravel},
    {"AW Tour Stop Location (Auto mode)", "stop", kStopZone},
    {"Number of Tours NW", "day", "category 1 to 5: the non-worker's own tours (at most 4 with the tours already made)"},
    {"Mode for Tour 1", "tour", kTourMode},
    {"Number of Stops in Tour 1", "tour", kStopCount},
    {"Home Stay Duration before Tour 1", "tour", kHomeStay},
    {"Mode for Tour 2", "tour", kTourMode},
    {"Number of Stops in Tour 2", "tour", kStopCount},
    {"Home Stay Duration before Tour 2", "tour", kHomeStay},
    {"Mode for Tour 3", "tour", kTourMode},
    {"Number of Stops in Tour 3", "tour", kStopCount},
    {"Home Stay Duration before Tour 3", "tour", kHomeStay},
    {"Mode for Tour 4", "tour", kTourMode},
    {"Number of Stops in Tour 4", "tour", kStopCount},
    {"Home Stay Duration before Tour 4", "tour", kHomeStay},
    {"Tour 1 Stop Activity Type", "stop", kActivity},
    {"Tour 1 Stop Activity Duration", "stop", kLogActivity},
    {"Tour 1 Stop Travel Time", "stop", kLogTravel},
    {"Tour 1 Stop Location (by Auto Mode)", "stop", kStopZone},
    {"Tour 2 Stop Activity Type", "stop", kActivity},
    {"Tour 2 Stop Activity Duration", "stop", kLogActivity},
    {"Tour 2 Stop Travel Time", "stop", kLogTravel},
    {"Tour 2 Stop Location (by Auto Mode)", "stop", kStopZone},
    {"Tour 3 Stop Activity Type", "stop", kActivity},
    {"Tour 3 Stop Activity Duration", "stop", kLogActivity},
    {"Tour 3 Stop Travel Time", "stop", kLogTravel},
    {"Tour 3 Stop Location (by Auto Mode)", "stop", kStopZone},
    {"Tour 4 Stop Activity Type", "stop", kActivity},
    {"Tour 4 Stop Activity Duration", "stop", kLogActivity},
    {"Tour 4 Stop Travel Time", "stop", kLogTravel},
    {"Tour 4 Stop Location (by Auto Mode)", "stop", kStopZone},
    {"School to home commute time", "day", "log-minutes: e^value is the child's travel time home from school"},
    {"Home to school commute time", "day", "log-minutes: e^value is the child's travel time to school"},
    {"Mode for discretionary tour", "person", kUnused},
    {"Departure time from home for discretionary tour", "person", kUnused},
    {"Activity duration at discretionary stop", "person", kUnused},
    {"Travel time to discretionary stop", "person", kUnused},
    {"Location choice for discretionary stop", "stop", kUnused},
    {"Children's school End time", "day", "minutes from the day's start: the school end (hazard draw)"},
    {"Work-Start-End-Time", "person", "work start and end, minutes from the day's start (a pair of the 32 time windows)"},
    {"Adult's Decision to go to school", "person", "1: the adult goes to school today"},
    {"Adult's school Start time", "day", "log-minutes: e^value is the school start"},
    {"Adult's School End time", "day", "log-minutes: e^value is the time at school (end = start + e^value)"},
    {"Mode to school for children", "day", kSchoolMode},
    {"Mode from school for children", "day", kSchoolMode},
    {"Allocation of drop off episode to parent", "household", "1: the father (column 9 parent, column 7 0) drops the children off, 0: the mother; a parent without a vehicle hands it to the other"},
    {"Allocation of pick up episode to parent", "household", "1: the father picks the children up, 0: the mother; a parent without a vehicle hands it to the other"},
    {"Decision of child to undertake independent discretionary activity", "person", kUnused},
    {"Non Worker's Decision to undertake independent tour before pickup", "day", "1: the non-worker makes a tour of its own before the school pick-up"},
    {"Non Worker's Decision to undertake independent tour after pickup", "day", kUnused},
    {"Number of Stops After Pickup or Dropoff", "tour", "category 1 to 4: the stops after the escort stop, the return included"},
    {"Worker's Joint activity departure time from home", "day", kUnused},
    {"Worker's Joint activity duration at stop", "tour", kUnused},
    {"Worker's Joint activity travel time to stop", "tour", kUnused},
    {"Worker's Joint activity location of stop", "stop", kUnused},
    {"Non Worker's Joint activity departure time from home", "day", kUnused},
    {"Non Worker's Joint activity duration at stop", "tour", kUnused},
    {"Non Worker's Joint activity travel time to stop", "tour", kUnused},
    {"Non Worker's Joint activity location of stop", "stop", kUnused},
    {"Household Annual Mileage", "household", "log of thousands of miles: e^value, at most 64, is the annual mileage"},
    {"MDCEV", "household", "activity generation of households of up to 5 persons: terms 35001-35084, satiation values"},
    {"MDCEV2", "household", "activity generation of households of 6 or more: terms 36001-36053 and 35037, satiation values"},
    {"FRACTION_SPLIT", "household", "the share of free time spent on non-work activities: terms 37001-37024"},
    {"vehicleMDCEV", "household", "the vehicle fleet (54 type and group alternatives): terms 38001-38096"},
    {"LogSum Primary Driver", "household", "the driver log-sum of the fleet: terms 90001-90034"},
    {"Zero Non-work Duration Households", "household", "1: the household has no non-work activity today"},
    {"Joint activity Start time MDCEV", "joint activity", "log-minutes: e^value is the start of the joint activity"},
    {"Joint activity travel time to stop MDCEV", "joint activity", "log-minutes: e^value is the travel time budget of its zone choice"},
    {"Joint Activity Duration MDCEV", "joint activity", kUnused},
    {"Joint Activity Location MDCEV", "joint activity", kJointZone},
    {"Children's school duration", "day", kUnused},
    {"Work Duration", "day", kUnused},
    {"WH Commute Duration", "day", kUnused},
    {"HW Commute Duration", "day", kUnused},
    {"BW Tour Duration", "tour", kUnused},
    {"WB Tour Duration", "tour", kUnused},
    {"AW Tour Duration", "tour", kUnused},
    {"Duration of Tour 1", "tour", kUnused},
    {"Duration of Tour 2", "tour", kUnused},
    {"Duration of Tour 3", "tour", kUnused},
    {"Duration of Tour 4", "tour", kUnused},
    {"Vehicle Make", "vehicle", "the make: one of the VehicleMake rows of the vehicle's type and group"},
    {"Primary Driver", "vehicle", "the primary driver, among the adults who drive no vehicle yet"},
    {"Joint Tour Vehicle", "joint activity",
     "the vehicle of the joint tour, among the household's vehicles; its terms read 0, each vehicle as likely, "
     "unless the activity has more than two members and lies over 15 miles from home"},
};

const SModelMeaning& MeaningOf(const std::string& name) {
    for (const SModelMeaning& meaning : kMeanings)
        if (meaning.name == name) return meaning;
    throw std::logic_error("the model \"" + name + "\" has no row in tools/ModelFileLists.cpp");
}

// A cell's text: a table's cell holds no bar, tab or line break.
std::string Cell(std::string_view text) {
    std::string cell;
    for (const char c : text) cell += c == '|' ? std::string("\\|") : c == '\t' || c == '\n' ? " " : std::string(1, c);
    while (!cell.empty() && cell.back() == ' ') cell.pop_back();
    return cell;
}

// "Class" from the "class CClass * __ptr64" a saved file writes.
std::string ClassOfTypeText(std::string_view type) {
    const size_t begin = type.find(' ') + 1;
    return std::string(type.substr(begin, type.find(' ', begin) - begin));
}

// The text between the markers of `list`: from `start` to `end`.
bool FindList(const std::string& document, std::string_view list, size_t& start, size_t& end) {
    const std::string begin = BeginMarker(list) + "\n";
    start = document.find(begin);
    end = document.find(EndMarker(list));
    if (start == std::string::npos || end == std::string::npos || end < start + begin.size()) return false;
    start += begin.size();
    return true;
}

}  // namespace

std::string BeginMarker(std::string_view list) { return "<!-- generated list: " + std::string(list) + " -->"; }

std::string EndMarker(std::string_view list) { return "<!-- end of generated list: " + std::string(list) + " -->"; }

std::string ComputedVariablesTable() {
    std::string table = "| ID | text | evaluator |\n|---|---|---|\n";
    for (const SComputedVariableText& row : ComputedVariableTexts()) {
        const std::string id = NumberText::Integer(row.id);
        std::string_view text = row.text;
        if (text.substr(0, id.size() + 1) == id + " ") text.remove_prefix(id.size() + 1);
        const bool computed = FindComputedVariableDefinition(row.id - kFirstComputedVariableId) != nullptr;
        table += "| " + id + " | " + Cell(text) + " | " + (computed ? "computed" : "0") + " |\n";
    }
    return table;
}

std::string ModelsTable() {
    // The names and classes as a saved file writes them, in its order (a
    // hazard model without intervals is not written: the sample's have them).
    CModelSystem system;
    SampleModelParameters::Fill(system);
    std::ostringstream saved;
    CModelParameterFile().WriteXml(saved, system);
    pugi::xml_document document;
    document.load_string(saved.str().c_str());

    std::string table = "| # | name in the file | class | decided for | result |\n|---|---|---|---|---|\n";
    int number = 0;
    for (const pugi::xml_node element : document.child("Configuration").children("ModelConfig")) {
        const std::string name = element.attribute("id").value();
        const SModelMeaning& meaning = MeaningOf(name);
        table += "| " + NumberText::Integer(++number) + " | " + Cell(name) + " | " +
                 ClassOfTypeText(element.attribute("optional-type").value()) + " | " + std::string(meaning.level) +
                 " | " + Cell(meaning.result) + " |\n";
    }
    return table;
}

bool IsUnusedInRuns(const std::string& name) { return MeaningOf(name).result == kUnused; }

std::string WithList(const std::string& document, std::string_view list, const std::string& table) {
    size_t start = 0, end = 0;
    if (!FindList(document, list, start, end)) return document;
    return document.substr(0, start) + table + document.substr(end);
}

std::string ListIn(const std::string& document, std::string_view list) {
    size_t start = 0, end = 0;
    if (!FindList(document, list, start, end)) return {};
    return document.substr(start, end - start);
}

}  // namespace model_file_lists
