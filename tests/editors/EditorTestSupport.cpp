#include "EditorTestSupport.h"

#include "data/CHouseholdObject.h"
#include "data/CPersonObject.h"
#include "data/CVehMData.h"
#include "data/CZoneData.h"
#include "editors/CTermEditorDlg.h"
#include "editors/ModelEditors.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace EditorTesting {

namespace {

constexpr int kPollAttempts = 50;

std::vector<std::string> Numbered(const char* prefix, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

}  // namespace

void OnNextModalDialog(std::function<void(QDialog&)> action, bool* leftOpen) {
    auto poll = std::make_shared<std::function<void()>>();
    auto attempts = std::make_shared<int>(0);
    *poll = [action = std::move(action), leftOpen, poll, attempts]() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            // No dialog came: give up after a while rather than act on a later one.
            if (++*attempts < kPollAttempts) QTimer::singleShot(1, [poll] { (*poll)(); });
            else *poll = nullptr;
            return;
        }
        action(*dialog);
        if (dialog->isVisible()) {
            if (leftOpen != nullptr) *leftOpen = true;
            dialog->reject();
        }
        *poll = nullptr;  // breaks the cycle
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

void WaitForPendingPolls() { QTest::qWait(kPollAttempts * 3); }

void ClickOk(QDialog& dialog) {
    for (auto* box : dialog.findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons()) {
            const auto role = box->buttonRole(button);
            if (role == QDialogButtonBox::AcceptRole) {
                button->click();
                return;
            }
        }
    }
    throw std::logic_error("dialog without OK");
}

void AddTerm(CTermEditorDlg& dialog, int source, int position, const char* coefficient) {
    Child<QListWidget>(dialog, "sourceList").setCurrentRow(source);
    Child<QListWidget>(dialog, "variableList").setCurrentRow(position);
    Child<QLineEdit>(dialog, "coefficientField").setText(QString::fromLatin1(coefficient));
    Child<QPushButton>(dialog, "addTermButton").click();
}

std::vector<std::string> Lines(const QListWidget& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.count(); ++i) lines.push_back(list.item(i)->text().toStdString());
    return lines;
}

void EditorTest::SetUp() {
    CHouseholdObject(nullptr).SetColumnNames(Numbered("h", 12));
    CPersonObject(nullptr).SetColumnNames(Numbered("p", 60));
    CZoneData().SetColumnNames(Numbered("z", 40));
    CVehMData().SetColumnNames(Numbered("v", 8));
    ModelEditors::InstallModelEditors();
}

void EditorTest::TearDown() { ModelEditors::RemoveModelEditors(); }

}  // namespace EditorTesting
