// The flow charts: every box of the 22 charts clicked with a recording
// dispatcher (113 boxes, the commands they name checked against the command
// table), the tree the boxes span from the top chart, a four-command box
// running four real editors in a row, and every command's editor.

#include "EditorTestSupport.h"

#include "app/ModelEditCommands.h"
#include "app/ModelEditTarget.h"
#include "editors/CButtonST.h"
#include "editors/CFlowChartDlg.h"
#include "editors/CTermEditorDlg.h"
#include "editors/FlowChartTable.h"
#include "models/CMNLogitMM.h"
#include "modelsystem/CModelSystem.h"

#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <set>

namespace {

using namespace EditorTesting;

// Every box of every chart clicked: the charts opened and the commands run,
// every command in the command table, the four of a box for tours 1 to 4; the
// charts opened reach every chart from the top but 12 and 13.
TEST(FlowChartDialog, EveryBoxDoesWhatItsRowSays) {
    CModelSystem models;
    std::set<int> numbers;
    std::map<int, std::vector<int>> opens;  // chart -> charts its boxes opened
    int clicked = 0;
    std::set<int> commandsRun;
    for (const SFlowChart& row : FlowChartTable::Charts()) {
        EXPECT_TRUE(numbers.insert(row.number).second);
        std::vector<int> commands;
        std::vector<int> opened;
        CFlowChartDlg chart(row.number, [&](int id) { commands.push_back(id); });
        chart.SetChartOpener([&](int n) { opened.push_back(n); });
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        EXPECT_EQ(chart.windowTitle().toStdString(), row.caption);
        std::set<int> controls;
        std::set<int> members;  // the positions 0 .. n-1 in some order
        for (const SChartBox& box : row.boxes) {
            SCOPED_TRACE(std::to_string(row.number) + " " + std::to_string(box.controlId));
            EXPECT_TRUE(controls.insert(box.controlId).second);
            EXPECT_TRUE(members.insert(box.member).second);
            EXPECT_NE(FlowChartTable::FindFamily(box.family), nullptr);
            EXPECT_TRUE(box.action == BoxAction::RunCommands ? box.commandCount == 1 || box.commandCount == 4
                                                             : box.commandCount == 0);
            commands.clear();
            opened.clear();
            CButtonST* button = chart.Box(box.controlId);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text().toStdString(), box.text);
            QTest::mouseClick(button, Qt::LeftButton);
            ++clicked;
            std::vector<int> expectedCommands;
            for (int i = 0; i < box.commandCount; ++i) expectedCommands.push_back(box.target + i);
            EXPECT_EQ(commands, expectedCommands);
            EXPECT_EQ(opened, box.action == BoxAction::OpenChart ? std::vector<int>{box.target} : std::vector<int>{});
            commandsRun.insert(commands.begin(), commands.end());
            opens[row.number].insert(opens[row.number].end(), opened.begin(), opened.end());
            for (int i = 0; i < box.commandCount; ++i) {
                const auto* command = ModelEditCommands::Find(box.target + i);
                ASSERT_NE(command, nullptr) << "+" << i;
                EXPECT_NO_THROW(ModelEditCommands::Resolve(models, *command));
                if (box.commandCount == 4) EXPECT_EQ(command->tour, i + 1) << command->modelName;
            }
        }
        EXPECT_EQ(*members.rbegin(), static_cast<int>(row.boxes.size()) - 1) << row.number;
    }
    EXPECT_EQ(numbers.size(), 22u);
    EXPECT_EQ(FlowChartTable::FindChart(21), nullptr);
    EXPECT_EQ(clicked, 113);
    // 122 commands are named; the 16 of chart 10's four-command boxes are
    // named again by chart 19.
    EXPECT_EQ(commandsRun.size(), 106u);
    EXPECT_TRUE(commandsRun.count(172) && commandsRun.count(32960) && commandsRun.count(32852));

    std::set<int> unreached = numbers;
    std::queue<int> pending;
    for (pending.push(FlowChartTable::kTopChart); !pending.empty(); pending.pop())
        if (unreached.erase(pending.front()))
            for (int next : opens[pending.front()]) pending.push(next);
    EXPECT_EQ(unreached, (std::set<int>{12, 13}));
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
class ChartEditorsTest : public EditorTest {
protected:
    CModelSystem second;
    CModelSystem third;
    std::vector<CModelSystem*> systems{&models, &second, &third};
};

TEST_F(ChartEditorsTest, AFourCommandBoxShowsFourEditorsAndACancelDoesNotStopTheNext) {
    CFlowChartDlg chart(10, [&](int id) {
        if (const auto* command = ModelEditCommands::Find(id)) ModelEditCommands::EditAndPropagate(*command, systems);
    });
    std::vector<std::string> captions;
    std::function<void(QDialog&)> answer = [&](QDialog& dialog) {
        captions.push_back(dialog.windowTitle().toStdString());
        AddTerm(static_cast<CTermEditorDlg&>(dialog), CTermEditorDlg::kHouseholds, 1, "0.5");
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
}

TEST_F(ChartEditorsTest, EveryModelEditCommandOpensTheEditorOfItsModel) {
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
    EXPECT_EQ(opened, 198);
}

}  // namespace
