// The flow charts: the table's shape (22 charts, 113 boxes), the tree the
// boxes span from the top chart, every box clicked with a recording
// dispatcher, the commands they name checked against the command table, and
// a four-command box running four real editors in a row.

#include "EditorTestSupport.h"

#include "app/ModelEditCommands.h"
#include "app/ModelEditTarget.h"
#include "editors/CButtonST.h"
#include "editors/CFlowChartDlg.h"
#include "editors/CTermEditorDlg.h"
#include "editors/FlowChartTable.h"
#include "editors/ModelEditors.h"
#include "models/CMNLogitMM.h"
#include "modelsystem/CModelSystem.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <queue>
#include <set>

namespace {

using namespace EditorTesting;

TEST(FlowChartTable, HasItsChartsBoxesAndColours) {
    std::set<int> numbers;
    int boxes = 0;
    for (const SFlowChart& chart : FlowChartTable::Charts()) {
        EXPECT_TRUE(numbers.insert(chart.number).second);
        std::set<int> controls;
        std::set<int> members;
        for (const SChartBox& box : chart.boxes) {
            ++boxes;
            EXPECT_TRUE(controls.insert(box.controlId).second) << chart.number;
            EXPECT_TRUE(members.insert(box.member).second) << chart.number;
            EXPECT_NE(FlowChartTable::FindFamily(box.family), nullptr);
            if (box.action == BoxAction::RunCommands)
                EXPECT_TRUE(box.commandCount == 1 || box.commandCount == 4) << box.controlId;
            else
                EXPECT_EQ(box.commandCount, 0) << box.controlId;
        }
        // Members are the positions 0 .. n-1 in some order.
        EXPECT_EQ(*members.rbegin(), static_cast<int>(chart.boxes.size()) - 1) << chart.number;
    }
    EXPECT_EQ(numbers.size(), 22u);
    EXPECT_EQ(boxes, 113);
    EXPECT_EQ(FlowChartTable::FindChart(21), nullptr);
}

TEST(FlowChartTable, EveryChartButTwelveAndThirteenIsReachedFromTheTop) {
    std::set<int> reached{FlowChartTable::kTopChart};
    std::queue<int> pending;
    pending.push(FlowChartTable::kTopChart);
    while (!pending.empty()) {
        const SFlowChart* chart = FlowChartTable::FindChart(pending.front());
        pending.pop();
        ASSERT_NE(chart, nullptr);
        for (const SChartBox& box : chart->boxes)
            if (box.action == BoxAction::OpenChart && reached.insert(box.target).second) pending.push(box.target);
    }
    std::set<int> unreached;
    for (const SFlowChart& chart : FlowChartTable::Charts())
        if (!reached.count(chart.number)) unreached.insert(chart.number);
    EXPECT_EQ(unreached, (std::set<int>{12, 13}));
}

// Every box of every chart clicked: the charts opened and the commands run.
TEST(FlowChartDialog, EveryBoxDoesWhatItsRowSays) {
    int clicked = 0;
    std::set<int> commandsRun;
    for (const SFlowChart& row : FlowChartTable::Charts()) {
        std::vector<int> commands;
        std::vector<int> opened;
        CFlowChartDlg chart(row.number, [&](int id) { commands.push_back(id); });
        chart.SetChartOpener([&](int n) { opened.push_back(n); });
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        EXPECT_EQ(chart.windowTitle().toStdString(), row.caption);
        for (const SChartBox& box : row.boxes) {
            commands.clear();
            opened.clear();
            CButtonST* button = chart.Box(box.controlId);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text().toStdString(), box.text);
            QTest::mouseClick(button, Qt::LeftButton);
            ++clicked;
            std::vector<int> expectedCommands;
            for (int i = 0; i < box.commandCount; ++i) expectedCommands.push_back(box.target + i);
            EXPECT_EQ(commands, expectedCommands) << row.number << " " << box.controlId;
            EXPECT_EQ(opened, box.action == BoxAction::OpenChart ? std::vector<int>{box.target} : std::vector<int>{});
            commandsRun.insert(commands.begin(), commands.end());
        }
    }
    EXPECT_EQ(clicked, 113);
    // 122 commands are named; the 16 of chart 10's four-command boxes are
    // named again by chart 19.
    EXPECT_EQ(commandsRun.size(), 106u);
    EXPECT_TRUE(commandsRun.count(172) && commandsRun.count(32960) && commandsRun.count(32852));
}

TEST(FlowChartDialog, EveryCommandOfABoxIsInTheCommandTableAndFourCommandsAreToursOneToFour) {
    CModelSystem models;
    for (const SFlowChart& chart : FlowChartTable::Charts()) {
        for (const SChartBox& box : chart.boxes) {
            for (int i = 0; i < box.commandCount; ++i) {
                const auto* command = ModelEditCommands::Find(FlowChartTable::BoxCommand(box, i));
                ASSERT_NE(command, nullptr) << chart.number << " " << box.controlId << " +" << i;
                EXPECT_NO_THROW(ModelEditCommands::Resolve(models, *command));
                if (box.commandCount == 4) EXPECT_EQ(command->tour, i + 1) << command->modelName;
            }
        }
    }
}

TEST(FlowChartDialog, ABoxOpensItsChartModallyAndClosingReturns) {
    CFlowChartDlg top(FlowChartTable::kTopChart, nullptr);
    top.show();
    std::string opened;
    OnNextModalDialog([&](QDialog& dialog) {
        opened = dialog.windowTitle().toStdString();
        ClickOk(dialog);  // "OK" of chart 23
    });
    QTest::mouseClick(top.Box(1055), Qt::LeftButton);
    EXPECT_EQ(opened, "Dialog");
    EXPECT_TRUE(top.isVisible());
}

// The window wires the charts to its command handler like this: the command's
// edit in model system 0, then the copy into the others.
TEST(FlowChartDialog, AFourCommandBoxShowsFourEditorsAndACancelDoesNotStopTheNext) {
    SetTestColumnNames();
    ModelEditors::InstallModelEditors();
    std::vector<std::unique_ptr<CModelSystem>> owned;
    std::vector<CModelSystem*> systems;
    for (int i = 0; i < 3; ++i) {
        owned.push_back(std::make_unique<CModelSystem>());
        systems.push_back(owned.back().get());
    }
    CFlowChartDlg chart(10, [&](int id) {
        if (const auto* command = ModelEditCommands::Find(id)) ModelEditCommands::EditAndPropagate(*command, systems);
    });

    std::vector<std::string> captions;
    std::function<void(QDialog&)> answer = [&](QDialog& dialog) {
        captions.push_back(dialog.windowTitle().toStdString());
        auto& editor = static_cast<CTermEditorDlg&>(dialog);
        Child<QListWidget>(editor, "sourceList").setCurrentRow(CTermEditorDlg::kHouseholds);
        Child<QListWidget>(editor, "variableList").setCurrentRow(1);
        Child<QLineEdit>(editor, "coefficientField").setText(QStringLiteral("0.5"));
        Child<QPushButton>(editor, "addTermButton").click();
        if (captions.size() < 4) OnNextModalDialog(answer);
        if (captions.size() == 1) dialog.reject();
        else ClickOk(dialog);
    };
    OnNextModalDialog(answer);
    chart.OnBoxClicked(FlowChartTable::FindChart(10)->boxes[1]);  // "Activity Type for the 'i'th Stop (NWSCH8a)"

    EXPECT_EQ(captions, (std::vector<std::string>{"Tour 1 Stop Activity Type", "Tour 2 Stop Activity Type",
                                                  "Tour 3 Stop Activity Type", "Tour 4 Stop Activity Type"}));
    for (CModelSystem* system : systems) {
        for (const auto& [alternative, terms] : system->TourStopActivityType(1).m_utilityFunctions)
            EXPECT_EQ(terms.m_nCount, 0) << alternative;
        for (int tour = 2; tour <= 4; ++tour)
            EXPECT_EQ(system->TourStopActivityType(tour).m_utilityFunctions.at(0).m_variableIds, std::vector<int>{1});
    }
    ModelEditors::RemoveModelEditors();
}

TEST(FlowChartDialog, EveryModelEditCommandOpensTheEditorOfItsModel) {
    SetTestColumnNames();
    ModelEditors::InstallModelEditors();
    std::vector<std::unique_ptr<CModelSystem>> owned;
    std::vector<CModelSystem*> systems;
    for (int i = 0; i < 2; ++i) {
        owned.push_back(std::make_unique<CModelSystem>());
        systems.push_back(owned.back().get());
    }
    int opened = 0;
    for (const auto& command : ModelEditCommands::All()) {
        std::string caption;
        OnNextModalDialog([&](QDialog& dialog) {
            caption = dialog.windowTitle().toStdString();
            dialog.reject();
        });
        ModelEditCommands::EditAndPropagate(command, systems);
        EXPECT_EQ(caption, command.modelName) << command.id;
        opened += caption.empty() ? 0 : 1;
    }
    EXPECT_EQ(opened, ModelEditCommands::kCommandCount);
    ModelEditors::RemoveModelEditors();
}

}  // namespace
