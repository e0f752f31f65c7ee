#pragma once
// Carries out a model-edit command on the model systems of a run: finds the
// command's model in a model system, opens its editor in the master system and
// then copies the master's parameters into the same model of every other
// system, so that all worker threads run on equal parameters. Used by the
// application's Models menu and by the flow charts alike.

#include "app/ModelEditCommands.h"

#include <span>

class CModelModule;
class CModelSystem;

namespace ModelEditCommands {

// The model the command edits in `models`. std::out_of_range when the system
// holds no model of that name (or no element for that tour); std::logic_error
// when the model found is not of the command's class.
CModelModule& Resolve(CModelSystem& models, const SModelEditCommand& command);

// Copies the parameters of `source` into `destination`, both models of the
// command's class (std::logic_error otherwise).
void CopyParameters(const SModelEditCommand& command, CModelModule& destination, const CModelModule& source);

// The edit: the model's editor in systems[0] (the model changes only when the
// user confirms), then, in order, the copy into the model of systems[1], [2],
// ... The copy is made whether the user confirmed or not, so the systems stay
// equal either way. An exception from the editor leaves every system as it was
// and reaches the caller.
void EditAndPropagate(const SModelEditCommand& command, std::span<CModelSystem* const> systems);

}  // namespace ModelEditCommands
