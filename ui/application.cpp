#include "ui/application.h"

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
#include "ui/missing_faces_notice.h"
#include "ui/template_dialog.h"

namespace qv::ui {

Application::Application(Clock clock) : clock_(std::move(clock)) {}

Application::~Application() {
    // The installed handlers point at this object.
    if (installed_handlers_) InstallEditorHandlers();
}

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
    if (LoadProject(path, startup_)) {
        main_->SetDocName(path);
        TellMissingFaces(startup_);
    }
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

void Application::KeepSession(const std::string& folder, RecoverPrompt prompt) {
    const std::optional<AbandonedLogo> recovered = OfferRecovery(*main_, folder, std::move(prompt));
    keeper_ = std::make_unique<SessionKeeper>(*main_, folder);
    if (recovered) keeper_->TakeOver(*recovered);
}

void Application::InstallHandlers() {
    InstallEditorHandlers([this] {
        if (keeper_) keeper_->SaveBeforeExit();
    });
    installed_handlers_ = true;
}

void Application::Shutdown() {
    QV_CHECK_T("FtText::FreeFt()", FtText::FreeFt() == 0);
    QV_CHECK_T("TmpDlg::FreeTmps()", TemplateLibrary::Instance().FreeTmps() == 0);
    // The keeper is a child of the editor window: it goes first, once.
    keeper_.reset();
    main_.reset();
    templates_.reset();
}

int Application::Run(const QStringList& args) {
    InstallHandlers();
    QApplication::setQuitOnLastWindowClosed(false);
    Initialise(args);
    if (OpenTemplateWindow()) templates_->exec();
    StartEditor(true);
    KeepSession();
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
