#include "app/ModelEditTarget.h"

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "modelsystem/CModelSystem.h"

#include <stdexcept>
#include <string>
#include <type_traits>

namespace ModelEditCommands {
namespace {

// Calls `action` with a null pointer of the command's model class, so that the
// class can be named in a template.
template <class Action>
decltype(auto) WithClass(EModelClass modelClass, Action&& action) {
    switch (modelClass) {
    case EModelClass::kRegress: return action(static_cast<CRegressMM*>(nullptr));
    case EModelClass::kBLogit: return action(static_cast<CBLogitMM*>(nullptr));
    case EModelClass::kOrdProbit: return action(static_cast<COrdProbitMM*>(nullptr));
    case EModelClass::kHazard: return action(static_cast<CHazardMM*>(nullptr));
    case EModelClass::kMNLogit: return action(static_cast<CMNLogitMM*>(nullptr));
    case EModelClass::kLocation: return action(static_cast<CLocationMM*>(nullptr));
    case EModelClass::kMdcev: return action(static_cast<CMdcevMM*>(nullptr));
    case EModelClass::kStartAndEndTime: return action(static_cast<CStartAndEndTimeMM*>(nullptr));
    }
    throw std::logic_error("unknown model class");
}

// The model as its class (const kept); std::logic_error for another class.
template <class Model, class Module>
auto& AsClass(const SModelEditCommand& command, Module& model) {
    using Target = std::conditional_t<std::is_const_v<Module>, const Model, Model>;
    auto* typed = dynamic_cast<Target*>(&model);
    if (!typed)
        throw std::logic_error("command " + std::to_string(command.id) + ": model \"" + model.m_name + "\" is not a " +
                               std::string(ClassName(command.modelClass)));
    return *typed;
}

CModelModule& TourModel(CModelSystem& models, ETourList list, int tour) {
    switch (list) {
    case ETourList::kModeForTour: return models.ModeForTour(tour);
    case ETourList::kNumberOfStopsInTour: return models.NumberOfStopsInTour(tour);
    case ETourList::kHomeStayDurationBeforeTour: return models.HomeStayDurationBeforeTour(tour);
    case ETourList::kDurationOfTour: return models.DurationOfTour(tour);
    case ETourList::kTourStopActivityType: return models.TourStopActivityType(tour);
    case ETourList::kTourStopActivityDuration: return models.TourStopActivityDuration(tour);
    case ETourList::kTourStopTravelTime: return models.TourStopTravelTime(tour);
    case ETourList::kTourStopLocation: return models.TourStopLocation(tour);
    case ETourList::kNone: break;
    }
    throw std::out_of_range("not a per-tour list");
}

CModelModule& NamedModel(CModelSystem& models, const char* name) {
    for (const auto& model : models.GetModels())
        if (model->m_name == name) return *model;
    throw std::out_of_range(std::string("no model named \"") + name + "\"");
}

}  // namespace

CModelModule& Resolve(CModelSystem& models, const SModelEditCommand& command) {
    CModelModule& model = command.tourList == ETourList::kNone ? NamedModel(models, command.modelName)
                                                               : TourModel(models, command.tourList, command.tour);
    WithClass(command.modelClass, [&](auto* tag) { AsClass<std::remove_pointer_t<decltype(tag)>>(command, model); });
    return model;
}

void CopyParameters(const SModelEditCommand& command, CModelModule& destination, const CModelModule& source) {
    WithClass(command.modelClass, [&](auto* tag) {
        using Model = std::remove_pointer_t<decltype(tag)>;
        AsClass<Model>(command, destination).CopyParameters(AsClass<Model>(command, source));
    });
}

void EditAndPropagate(const SModelEditCommand& command, std::span<CModelSystem* const> systems) {
    if (systems.empty()) return;
    CModelModule& master = Resolve(*systems[0], command);
    master.Edit();
    for (std::size_t j = 1; j < systems.size(); ++j) CopyParameters(command, Resolve(*systems[j], command), master);
}

}  // namespace ModelEditCommands
