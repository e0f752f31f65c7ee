#pragma once
// Helpers of the editor tests: driving a modal dialog that a model's Edit
// opens, reaching a dialog's controls by name, and the sample model file.

#include <QDialog>
#include <QListWidget>

#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace EditorTesting {

// Runs `action` on the next modal dialog once it is shown (from inside its
// event loop); gives up when none is shown within about 50 ms. When the action leaves the dialog open, it is rejected and
// `leftOpen` (when given) is set, so a refused OK never hangs a test.
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

// Lines of a list widget, in order.
std::vector<std::string> Lines(const QListWidget& list);

// The model-parameter file of the source tree.
std::string SampleModelFile();

// Gives the household, person, zone and vehicle-make tables column names
// "h0".., "p0".., "z0".., "v0".. for the editors' variable lists.
void SetTestColumnNames();

}  // namespace EditorTesting
