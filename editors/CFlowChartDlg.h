#pragma once
// One flow chart of the model framework, laid out from its row of the chart
// table (FlowChartTable): its boxes are picture buttons in the family colours,
// in the order the flow reads, top to bottom, beside the chart's notes. A box
// opens a more detailed chart, runs the model-edit commands it names through
// the dispatcher (the window's command handler, which edits the model of
// model system 0 and copies it to the nine others), or does nothing. Every
// chart is modal and returns to the chart that opened it.

#include "editors/FlowChartTable.h"

#include <QDialog>

#include <functional>
#include <map>

class CButtonST;

class CFlowChartDlg : public QDialog {
public:
    // Runs one model-edit command by its ID.
    using CommandDispatcher = std::function<void(int commandId)>;
    // Opens chart n (by default modally, with the same dispatcher).
    using ChartOpener = std::function<void(int chartNumber)>;

    // Chart `chartNumber` of the table; std::invalid_argument for a number no
    // chart has.
    CFlowChartDlg(int chartNumber, CommandDispatcher dispatcher, QWidget* parent = nullptr);

    // Replaces how a box opens another chart.
    void SetChartOpener(ChartOpener opener) { m_openChart = std::move(opener); }
    const SFlowChart& Chart() const { return m_chart; }
    // The box of a control ID; null when the chart has none.
    CButtonST* Box(int controlId) const;

    // What a click of the box does.
    void OnBoxClicked(const SChartBox& box);

    // The "Interactive UI" command: the top chart, modally.
    static void ShowTopChart(CommandDispatcher dispatcher, QWidget* parent = nullptr);

private:
    // Sets the six colours of a box from its family.
    static void ApplyFamilyColours(CButtonST& button, int family);

    const SFlowChart& m_chart;
    CommandDispatcher m_dispatch;
    ChartOpener m_openChart;
    std::map<int, CButtonST*> m_boxes;
};
