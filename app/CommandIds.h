#pragma once
// The command IDs of the application's own commands (the model-edit commands
// are in ModelEditCommands). Menu items, toolbar buttons and the flow charts
// reach every command by its ID.

namespace CommandIds {

inline constexpr int kDataInput = 130;
inline constexpr int kDataOutput = 131;
inline constexpr int kSimulationRun = 140;
inline constexpr int kInteractiveUI = 270;
inline constexpr int kModelsSave = 32771;
inline constexpr int kSampleRate = 32772;  // no menu item, toolbar button or accelerator
inline constexpr int kModelsLoad = 32773;
inline constexpr int kFilePrint = 57607;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;

}  // namespace CommandIds
