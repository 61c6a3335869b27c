// The file commands, the clipboard, help and the about box, and the question about unsaved
// changes that guards every way of leaving a document.

#include <QClipboard>
#include <QMimeData>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

#include "app/unicode_text.h"
#include "app/guard.h"
#include "app/install_dir.h"
#include "app/user_message.h"
#include "codecs/encode.h"
#include "output/bitmap_import.h"
#include "output/logo_export.h"
#include "output/svg_export.h"
#include "persist/project_file.h"
#include "persist/template_library.h"
#include "ui/about_dialog.h"
#include "ui/clock.h"
#include "ui/export_dialog.h"
#include "ui/kit_export.h"
#include "ui/library/obj_lib.h"
#include "ui/library/style_btn.h"
#include "ui/links.h"
#include "ui/main_window.h"
#include "ui/object_clipboard.h"
#include "ui/missing_faces_notice.h"

#include "codecs/encode.h"
#include "ui/pixels.h"
#include "ui/recent_menu.h"
#include "ui/save_template_dialog.h"
#include "ui/template_dialog.h"

namespace qv::ui {
namespace {

constexpr const char* kProjectFilter = "Logo Design Project (*.kuz)|*.kuz||";
constexpr const char* kImportFilter =
    "All Formats|*.*|PNG (*.png)|*.png|GIF (*.gif)|*.gif|JPEG (*.jpg)|*.jpg|Bitmap (*.bmp)|*.bmp|"
    "TIFF (*.tif)|*.tif|ICO (*.ico)|*.ico|TGA (*.tga)|*.tga||";

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A file name becomes an object's name as the document keeps text: UTF-8, a name that is
// not (bytes of another encoding) shown as what its bytes most likely meant.
std::string DocumentText(const std::string& name) {
    return CleanUtf8(name);
}

}  // namespace

bool MainWindow::MaySetDocumentAside() {
    if (!modified()) return true;
    const QString name = doc_name_.empty() ? QStringLiteral("New Logo Project") : file_name_;
    switch (prompt_ ? prompt_(name) : SaveChoice::kDiscard) {
        case SaveChoice::kSave:
            return SaveProjectCmd();
        case SaveChoice::kDiscard:
            return true;
        case SaveChoice::kCancel:
        default:
            return false;
    }
}

void MainWindow::ExportLogoImage() {
    ExportDialog dialog(lf, dialogs_, this);
    if (!doc_name_.empty()) dialog.setProjectTitle(BitmapTitle(doc_name_));
    dialog.exec();
    // Opening the dialog centred the objects.
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
}

void MainWindow::ExportLogoKit() {
    ExportLogoKitTo(lf, docName(), this);
    // Making the kit centred the objects, as the export does.
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
}

void MainWindow::NewBlankProject() {
    if (!MaySetDocumentAside()) return;
    SetDocName({});
    QV_CHECK_T("lf.Clear()", lf.Clear() == 0);
    QV_CHECK_T("utrack.Reset(lf)", utrack.Reset(lf) == 0);
    MarkClean();
    UpdateTitle();
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    UpdateLibSel();
}

void MainWindow::NewFromTemplate() {
    if (!MaySetDocumentAside()) return;
    lib_->SetEnabledFlag(false);
    const LeFile* chosen = nullptr;
    if (chooser_) {
        chosen = chooser_();
    } else {
        TemplateDialog dialog(SteadyClock(), this);
        dialog.Run();
        chosen = dialog.chosen;
    }
    if (chosen) {
        SetDocName({});
        QV_CHECK_T("lf.CopyFrom(*tmp)", lf.CopyFrom(*chosen) == 0);
        QV_CHECK_T("lf.SelFstObj()", lf.SelFstObj() == 0);
        Refresh();
        TrackStep();
        MarkClean();
        UpdateTitle();
    }
    lib_->SetEnabledFlag(true);
}

void MainWindow::LoadProjectCmd() {
    if (!MaySetDocumentAside()) return;
    const QString path =
        dialogs_.open(this, QStringLiteral("Load Logo Project File"), QtFilter(kProjectFilter));
    if (path.isEmpty()) return;
    LoadProjectFile(LocalPath(path));
}

void MainWindow::LoadProjectFile(const std::string& path) {
    bool loaded = false;
    QV_CHECK_T("LoadProject(doc_name,lf)", (loaded = LoadProject(path, lf), true));
    if (loaded) {
        // A file that could not be read must not become the file that Save overwrites.
        SetDocName(path);
        QV_CHECK_T("lf.SelFstObj()", lf.SelFstObj() == 0);
        QV_CHECK_T("utrack.Reset(lf)", utrack.Reset(lf) == 0);
        MarkClean();
        if (recent_) recent_->Remember(path);
    }
    UpdateTitle();
    Refresh();
    if (loaded) TellMissingFaces(lf);
}

void MainWindow::RecoverDocument(const LeFile& doc, const std::string& original_path) {
    QV_CHECK_T("lf.CopyFrom(doc)", lf.CopyFrom(doc) == 0);
    SetDocName(original_path);
    QV_CHECK_T("lf.SelFstObj()", lf.SelFstObj() == 0);
    QV_CHECK_T("utrack.Reset(lf)", utrack.Reset(lf) == 0);
    // Deliberately not marked clean: the recovered work is not saved anywhere yet.
    UpdateTitle();
    Refresh();
}

bool MainWindow::SaveProjectCmd() {
    if (doc_name_.empty()) return SaveProjectAsCmd();
    bool saved = false;
    QV_CHECK_T("SaveProject(doc_name,lf)", (saved = SaveProject(doc_name_, lf), true));
    if (saved) MarkClean();
    if (saved && recent_) recent_->Remember(doc_name_);
    return saved;
}

bool MainWindow::SaveProjectAsCmd() {
    const QString path = dialogs_.save(this, QStringLiteral("Save Logo Project As"),
                                       QtFilter(kProjectFilter), QStringLiteral("kuz"));
    if (path.isEmpty()) return false;
    SetDocName(LocalPath(path));
    bool saved = false;
    QV_CHECK_T("SaveProject(doc_name,lf)", (saved = SaveProject(doc_name_, lf), true));
    if (saved) MarkClean();
    if (saved && recent_) recent_->Remember(doc_name_);
    UpdateTitle();
    return saved;
}

void MainWindow::ImportImageCmd() {
    const QString path =
        dialogs_.open(this, QStringLiteral("Import Image"), QtFilter(kImportFilter));
    if (path.isEmpty()) return;
    LogoObj* o = ImportImage(lf, LocalPath(path));
    if (o) o->lt.str = DocumentText(BitmapTitle(path.toStdString()));
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
}

void MainWindow::SaveAsTemplateCmd() {
    SaveTemplateDialog dialog(QFileInfo(file_name_).completeBaseName(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    SaveAsTemplate(lf, InstallDir(), LocalPath(dialog.name()));
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
}

void MainWindow::CopyLogoImageCmd() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    QV_CHECK_T("EmptyClipboard()", (clipboard->clear(), true));
    const PixelBuffer picture = CopyLogoImage(lf);
    if (!picture.empty()) {
        // The logo as a plain image for every program, and as a PNG with its transparency for
        // the programs that take one.
        auto* data = new QMimeData;
        data->setImageData(BufferImage(picture));
        const std::vector<uint8_t> bytes = PngWithAlpha(CopyLogoImageWithAlpha(lf));
        if (!bytes.empty()) {
            data->setData(QStringLiteral("image/png"),
                          QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        }
        // And as vectors, for the programs that edit drawings.
        const std::string svg = CopyLogoSvg(lf);
        if (!svg.empty()) {
            data->setData(QStringLiteral("image/svg+xml"), QByteArray(svg.data(), qsizetype(svg.size())));
        }
        QV_CHECK_T("SetClipboardData(CF_BITMAP,bmp.Detach())!=NULL", (clipboard->setMimeData(data), true));
    }
    // Copying centred the objects.
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
}

void MainWindow::CopyObjectCmd() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    QMimeData* data = ObjectMimeData(lf, lf.cur);
    if (!clipboard || !data) {
        delete data;
        return;
    }
    clipboard->setMimeData(data);
}

void MainWindow::PasteCmd() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data) return;
    const QString record_type = QString::fromLatin1(kObjectMimeType);
    if (data->hasFormat(record_type)) {
        if (PasteObjectRecord(data->data(record_type), lf) > 0) {
            TrackStep();
            Refresh();
        }
        return;
    }
    QImage picture;
    if (data->hasFormat(QStringLiteral("image/png"))) {
        picture.loadFromData(data->data(QStringLiteral("image/png")), "PNG");
    }
    if (picture.isNull() && data->hasImage()) picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull()) return;
    const std::string path = StorePastedPicture(picture, PastedPictureFolder());
    if (path.empty()) return;
    if (LogoObj* o = ImportImage(lf, path)) {
        o->lt.str = DocumentText(BitmapTitle(path));
        TrackStep();
        Refresh();
    }
}

void MainWindow::DropFiles(const QStringList& paths) {
    // A project replaces the document, so it comes alone and only after the question.
    for (const QString& p : paths) {
        if (!IsProjectPath(p)) continue;
        if (MaySetDocumentAside()) LoadProjectFile(LocalPath(p));
        return;
    }
    int imported = 0;
    for (const QString& p : paths) {
        if (!IsPicturePath(p)) continue;
        if (LogoObj* o = ImportImage(lf, LocalPath(p))) {
            o->lt.str = DocumentText(BitmapTitle(p.toStdString()));
            ++imported;
        }
    }
    if (imported == 0) return;
    TrackStep();
    Refresh();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (bar_open_ || !event->mimeData()->hasUrls()) return;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile() && (IsProjectPath(url.toLocalFile()) || IsPicturePath(url.toLocalFile()))) {
            event->acceptProposedAction();
            return;
        }
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (bar_open_ || !event->mimeData()->hasUrls()) return;
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    FlushTyping();
    DropFiles(paths);
}

void MainWindow::ExitCmd() {
    if (!MaySetDocumentAside()) return;
    closing_ = true;
    close();
}

void MainWindow::OpenHelp() {
    const QString page = QString::fromStdString(HelpPagePath());
    if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page))) {
        ShowMessage("The help could not be opened: " + page.toStdString());
    }
}

void MainWindow::OpenHomePage() {
    if (!QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHomePageAddress)))) {
        ShowMessage(std::string("The home page could not be opened: ") + kHomePageAddress);
    }
}

void MainWindow::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

}  // namespace qv::ui
