#include "ui/application.h"

#include "ui/session_keeper.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "app/guard.h"
#include "app/install_dir.h"
#include "output/bitmap_import.h"
#include "persist/project_file.h"
#include "persist/template_library.h"
#include "render/ft_text.h"
#include "ui/fatal_error_dialog.h"
#include "ui/main_window.h"
#include "ui/template_dialog.h"

namespace qv::ui {

Application::Application(Clock clock) : clock_(std::move(clock)) {}

Application::~Application() = default;

void Application::Initialise(const QStringList& args) {
    InitInstallDir();
    InstallBitmapLoader();
    TemplateLibrary::Instance().SetFolders({InstallDir() + "/templates", UserTemplateFolder()});
    main_ = std::make_unique<MainWindow>();
    templates_ = std::make_unique<TemplateDialog>(clock_);
    templates_->loading = true;

    QString project;
    for (const QString& a : args) {
        if (!a.startsWith(QLatin1Char('-'))) {
            project = a;
            break;
        }
    }
    if (project.isEmpty()) return;
    const std::string path = QFile::encodeName(QFileInfo(project).absoluteFilePath()).toStdString();
    // The loader shows its own message for a file it cannot read, and then the editor starts
    // with an untitled project rather than one that Save would write over that file.
    if (LoadProject(path, startup_)) main_->SetDocName(path);
    from_command_line_ = true;
    templates_->stay_open = false;
    templates_->chosen = &startup_;
}

bool Application::OpenTemplateWindow() {
    return templates_->Open();
}

void Application::StartEditor(bool show) {
    if (const LeFile* chosen = templates_->chosen) {
        QV_CHECK_T("lf.CopyFrom(*ldlg.lf)", main_->lf.CopyFrom(*chosen) == 0);
        QV_CHECK_T("ldlg.lf.SelFstObj()", main_->lf.SelFstObj() == 0);
    }
    main_->Init(show);
}

void Application::Shutdown() {
    QV_CHECK_T("FtText::FreeFt()", FtText::FreeFt() == 0);
    QV_CHECK_T("TmpDlg::FreeTmps()", TemplateLibrary::Instance().FreeTmps() == 0);
    main_.reset();
    templates_.reset();
}

int Application::Run(const QStringList& args) {
    InstallEditorHandlers();
    QApplication::setQuitOnLastWindowClosed(false);
    Initialise(args);
    if (OpenTemplateWindow()) templates_->exec();
    StartEditor(true);
    // Work an earlier run could not save is offered first; then this run keeps its own copy.
    OfferRecovery(*main_);
    keeper_ = std::make_unique<SessionKeeper>(*main_);
    QObject::connect(main_.get(), &MainWindow::Closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QApplication::exec();
    // Leaving normally: nothing is left to recover.
    keeper_->CleanExit();
    keeper_.reset();
    Shutdown();
    return 0;
}

}  // namespace qv::ui
