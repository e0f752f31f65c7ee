#include "tools/InputColumnLists.h"

#include "data/InputColumns.h"
#include "platform/NumberText.h"

#include <vector>

namespace input_column_lists {
namespace {

using namespace InputColumns;

// "0 id, 1 number of adults, ..."
template <typename Row, std::size_t N>
std::string Meanings(const Row (&rows)[N]) {
    std::string text;
    for (const Row& row : rows)
        text += (text.empty() ? "" : ", ") + NumberText::Integer(row.column) + " " + std::string(row.meaning);
    return text;
}

// "3, 5 and 6": the zones columns that `reader` reads.
std::string ColumnsOf(ZoneReader reader) {
    std::vector<int> columns;
    for (const ZoneColumnRead& row : kZoneColumnsRead)
        if ((row.readers & reader) != 0) columns.push_back(row.column);
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i)
        text += (i == 0 ? "" : i + 1 == columns.size() ? " and " : ", ") + NumberText::Integer(columns[i]);
    return text;
}

std::string Row(std::string_view table, const std::string& columns, int widest) {
    return "| `" + std::string(table) + "` | " + columns + " | " + NumberText::Integer(widest) +
           ": a narrower table is refused when the run starts |\n";
}

}  // namespace

std::string InputColumnsTable() {
    const std::string zones = "0 `zid` (read by name), " + Meanings(kZoneColumnsRead) +
                              ". The household activity generation reads columns " + ColumnsOf(kActivityGeneration) +
                              " of the home zone; the computed variables (source 3) read columns " +
                              ColumnsOf(kHomeZoneVariables) + " of the home zone, and columns " +
                              ColumnsOf(kCandidateZoneVariables) + " of each candidate zone of a location choice";
    return "| table | columns with a meaning | widest column read |\n|---|---|---|\n" +
           Row("households", Meanings(kHouseholdColumnsRead), kWidestHouseholdColumn) +
           Row("persons", Meanings(kPersonColumnsRead), kWidestPersonColumn) +
           Row("zones", zones, kWidestZoneColumn);
}

}  // namespace input_column_lists
