#pragma once
// How windows that know only a command ID (the flow charts) run a model-edit
// command: the application installs the handler that edits the master model
// system and copies the result into the others; Run hands the ID to it.

#include <functional>

namespace ModelEditCommands {

// Installs the handler (an empty one removes it). Called on the user-interface thread.
void InstallHandler(std::function<bool(int commandId)> handler);
// Runs the command through the installed handler: false when none is
// installed, the ID is not a model-edit command or the handler refused it.
bool Run(int commandId);

}  // namespace ModelEditCommands
