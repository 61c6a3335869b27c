#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QPlainTextEdit;

namespace qv::ui {

// "Fatal Error": the fault report in an editable box, "Retry" to carry on and "Cancel" to end
// the program with exit code 0 once the unsaved work is in its recovery file.
class FatalErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit FatalErrorDialog(const std::string& report, QWidget* parent = nullptr);
    QPlainTextEdit* reportBox() const { return box_; }

private:
    QPlainTextEdit* box_;
};

// Runs on the way out after Cancel, before the process ends: it must finish its work (the
// recovery file) before it returns. A fault it raises is printed, not asked about again.
using BeforeExit = std::function<void()>;

// Shows a report; returns only for Retry (Enter). Cancel, Esc and the close box run
// `before_exit` and then end the process with exit code 0.
void ShowFatalError(const std::string& report, const BeforeExit& before_exit = {});

// Installs the dialog as the fault handler, with `before_exit` for its Cancel, and message boxes
// for user messages.
void InstallEditorHandlers(BeforeExit before_exit = {});

}  // namespace qv::ui
