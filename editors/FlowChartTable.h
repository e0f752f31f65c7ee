#pragma once
// The flow charts of the model framework as constant data: 22 charts, 113
// boxes. A chart has its number, template ID, caption, size in dialog units,
// the text of its closing button, its fixed labels and its boxes in the order
// the flow reads (top to bottom). A box has its control ID, text, colour
// family, member position and action: open another chart, run one or four
// model-edit commands (tour 1 to 4, consecutive IDs), or nothing.
// Plain C++, free of Qt, so the data can be checked without a window.

#include <cstdint>
#include <span>

enum class BoxAction { Nothing, OpenChart, RunCommands };

struct SChartBox {
    int controlId;
    const char* text;
    int family;          // colour family 1 to 9
    int member;          // position among the chart's buttons
    BoxAction action;
    int target;          // OpenChart: the chart number; RunCommands: the first command ID
    int commandCount;    // RunCommands: 1, or 4 for tours 1 to 4 (target + 0 .. 3)
};

struct SFlowChart {
    int number;          // chart N (1 to 20, 23, 24)
    int templateId;
    const char* caption;
    int width;           // dialog units
    int height;
    const char* closeText;  // button 1: "Close" or "OK"
    bool hasCancel;         // a second button "Cancel"
    std::span<const char* const> labels;
    std::span<const SChartBox> boxes;
};

// Six colours of a box by family, as COLORREF (0x00BBGGRR): background
// normally (index 2), with the focus (index 4) and while hovered or pressed
// (index 0). Text is white normally and with the focus, black while hovered
// or pressed.
struct SColourFamily {
    int family;
    std::uint32_t normal;
    std::uint32_t focused;
    std::uint32_t light;
};

namespace FlowChartTable {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
// The chart the "Interactive UI" command opens.
constexpr int kTopChart = 1;

std::span<const SFlowChart> Charts();
// Chart by number; null for a number no chart has.
const SFlowChart* FindChart(int number);
// Colour family 1 to 9; null otherwise.
const SColourFamily* FindFamily(int family);
// The i-th command (0-based) a box runs.
inline int BoxCommand(const SChartBox& box, int i) { return box.target + i; }

}  // namespace FlowChartTable
