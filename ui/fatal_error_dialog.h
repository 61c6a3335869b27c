#pragma once

#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace qv::ui {

// "Fatal Error": the fault report in an editable box, "Retry" to carry on and "Cancel" to end
// the program at once with exit code 0, saving nothing.
class FatalErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit FatalErrorDialog(const std::string& report, QWidget* parent = nullptr);
    QPlainTextEdit* reportBox() const { return box_; }

private:
    QPlainTextEdit* box_;
};

// Shows a report; returns only for Retry (Enter). Cancel, Esc and the close box end the
// process with exit code 0.
void ShowFatalError(const std::string& report);

// Installs the dialog as the fault handler and message boxes for user messages.
void InstallEditorHandlers();

}  // namespace qv::ui
