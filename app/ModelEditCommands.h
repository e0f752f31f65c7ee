#pragma once
// The table of model-edit commands: every command ID that opens the editor of
// one model component, the text of its menu item (empty for the commands that
// only the flow charts reach) and the model it edits in each model system. A
// command names either a single model by its name string, or element `tour`
// (1 to 4) of one of the eight per-tour model lists; a per-tour row also
// carries the element's name, so a reader sees which model it is.
//
// Plain constant data without any window code, so that the application's menu
// and the editors' flow charts share one table. The resolving helpers, which
// need the model system, are in ModelEditTarget.h.

#include <span>
#include <string_view>

namespace ModelEditCommands {

// The class of the model a command edits.
enum class EModelClass { kRegress, kBLogit, kOrdProbit, kHazard, kMNLogit, kLocation, kMdcev, kStartAndEndTime };

// The per-tour model lists of the model system; kNone for a single model.
enum class ETourList {
    kNone,
    kModeForTour,
    kNumberOfStopsInTour,
    kHomeStayDurationBeforeTour,
    kDurationOfTour,
    kTourStopActivityType,
    kTourStopActivityDuration,
    kTourStopTravelTime,
    kTourStopLocation,
};

struct SModelEditCommand {
    int id;
    const char* menuText;    // "" when no menu item carries the command
    const char* modelName;   // name string of the model (for a per-tour row: of the element)
    EModelClass modelClass;
    ETourList tourList;      // kNone: the single model named modelName
    int tour;                // 1 to 4 for a per-tour row, 0 otherwise
};

// Commands in the table: 134 single-model and 64 per-tour commands.
inline constexpr int kCommandCount = 198;

// Every command, menu items first in menu order, then the commands without a
// menu item in ID order.
std::span<const SModelEditCommand> All();
// The command of an ID; null for an ID that is not a model-edit command.
const SModelEditCommand* Find(int id);
// Name of a model class as the model-parameter file and the editors' captions
// spell it ("CRegressMM", ...).
std::string_view ClassName(EModelClass modelClass);

}  // namespace ModelEditCommands
