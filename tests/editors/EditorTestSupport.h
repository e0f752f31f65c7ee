#pragma once
// Helpers of the editor tests: driving a modal dialog that a model's Edit
// opens, reaching a dialog's controls by name, and a fixture with the editors
// installed over a model system.

#include "modelsystem/CModelSystem.h"
#include "support/RecordingMessageSink.h"

#include <QDialog>
#include <QListWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

class CTermEditorDlg;

namespace EditorTesting {

// Runs `action` on the next modal dialog once it is shown (from inside its
// event loop); gives up when none is shown within about 50 ms. When the
// action leaves the dialog open, it is rejected and `leftOpen` (when given)
// is set, so a refused OK never hangs a test.
void OnNextModalDialog(std::function<void(QDialog&)> action, bool* leftOpen = nullptr);
// Lets a pending OnNextModalDialog give up.
void WaitForPendingPolls();
// Clicks the dialog's OK (or its first accepting button).
void ClickOk(QDialog& dialog);

template <class Widget>
Widget& Child(const QWidget& parent, const char* name) {
    auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr) throw std::logic_error(std::string("no control ") + name);
    return *child;
}

// Picks position `position` of source `source` in a term editor and adds it
// with the coefficient text.
void AddTerm(CTermEditorDlg& dialog, int source, int position, const char* coefficient);
// Lines of a list widget, in order.
std::vector<std::string> Lines(const QListWidget& list);

// The editors installed (a model's Edit shows its dialog), the household,
// person, zone and vehicle-make columns named "h0".., "p0".., "z0"..,
// "v0".. for the variable lists, a model system and the messages posted.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CModelSystem models;
    RecordingMessageSink sink;
};

}  // namespace EditorTesting
