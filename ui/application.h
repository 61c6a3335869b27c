#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "document/le_file.h"
#include "persist/recovery.h"
#include "ui/clock.h"
#include "ui/session_keeper.h"

namespace qv::ui {

class MainWindow;
class TemplateDialog;

// The program from start to end: the installation directory, a project named on the command
// line, the Template Library window as the loading screen and then the browser, the editor
// until it closes, and the font library and templates freed at the end.
class Application {
public:
    explicit Application(Clock clock = SteadyClock());
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The installation directory, the editor window (which reads the style library), and the
    // project named by the first argument, if any.
    void Initialise(const QStringList& args);
    // The Template Library window in loading mode, opened; false when it closed at once because
    // a project was named. The caller runs its modal loop otherwise.
    bool OpenTemplateWindow();
    // The editor with the chosen document, initialised and (with `show`) shown.
    void StartEditor(bool show = true);
    // Work an earlier run could not save is offered first; then this run keeps its own
    // recovery copy in `folder`. A recovered logo's old file stays until that copy replaces it.
    void KeepSession(const std::string& folder = RecoveryWriter::DefaultFolder(),
                     RecoverPrompt prompt = {});
    // The "Fatal Error" dialog and message boxes; Cancel on a fault report writes this run's
    // recovery copy before the process ends.
    void InstallHandlers();
    // Frees the font library and the templates, then the windows.
    void Shutdown();

    // Everything, with the editor's dialogs installed; returns the exit code.
    int Run(const QStringList& args);

    MainWindow* mainWindow() const { return main_.get(); }
    TemplateDialog* templateWindow() const { return templates_.get(); }
    const LeFile& startupDocument() const { return startup_; }
    SessionKeeper* sessionKeeper() const { return keeper_.get(); }

private:
    Clock clock_;
    LeFile startup_;
    bool from_command_line_ = false;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<SessionKeeper> keeper_;
    bool installed_handlers_ = false;
    std::unique_ptr<TemplateDialog> templates_;
};

}  // namespace qv::ui
