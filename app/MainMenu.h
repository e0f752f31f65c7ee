#pragma once
// The main window's menu as data: pop-ups, items and separators in order. An
// item names its command ID; the text of a model-edit item is the command
// table's (ModelEditCommands), the others carry their own. The window builds
// its menu bar from these rows; nothing else knows the menu's shape.

#include <span>

namespace MainMenu {

enum class EEntry {
    kPopup,      // opens a pop-up named `text`; rows up to its kEnd belong to it
    kEnd,        // closes the innermost open pop-up
    kItem,       // a command item
    kSeparator,
};

struct SMenuEntry {
    EEntry kind;
    int commandId;     // kItem only
    const char* text;  // kPopup, and kItem of the application's own commands; null for a model-edit item
};

std::span<const SMenuEntry> Entries();
// The text of an item: its own, or the command table's for a model-edit command.
const char* ItemText(const SMenuEntry& entry);

}  // namespace MainMenu
