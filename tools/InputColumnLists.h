#pragma once
// The rows of the table "Columns read by position" in docs/input-data.md that
// the code's own lists give, as Markdown: the households, persons and zones
// columns the simulation reads (data/InputColumns.h, the lists the width
// checks of the table load use), with what each holds and the widest column
// read. The document keeps them between the markers of ModelFileLists, and a
// test keeps it equal to them.

#include <string>
#include <string_view>

namespace input_column_lists {

inline constexpr std::string_view kInputColumns = "input-columns";

// The Markdown table of the three tables' columns, without its markers.
std::string InputColumnsTable();

}  // namespace input_column_lists
