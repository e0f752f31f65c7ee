#pragma once
// Installs the dialog of each of the eight edited model classes into the
// core's editor registry, so that a model's Edit shows it: the application
// calls InstallModelEditors once at start-up, after QApplication exists.
//
// Each installed editor runs its dialog modally on a copy of the model's
// parameters and hands the copy back only when the dialog ends with OK. A
// dialog that cannot be built (an admissible variable outside the model
// system's descriptions) posts a message naming the model and leaves the
// model unchanged; no exception reaches the event loop.

namespace ModelEditors {

void InstallModelEditors();
// Removes the eight editors again (the core then edits nothing).
void RemoveModelEditors();

}  // namespace ModelEditors
