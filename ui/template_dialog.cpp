#include "ui/template_dialog.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <random>

#include "app/guard.h"
#include "document/role_faces.h"
#include "render/ft_text.h"
#include "ui/app_icon.h"
#include "ui/pixels.h"
#include "ui/skin.h"
#include "ui/skin_button.h"
#include "ui/template_preview.h"

namespace qv::ui {
namespace {

constexpr int kTimerMs = 30;
constexpr int kPreviewW = 300;
constexpr int kPreviewH = 180;
const QPoint kPreviewAt[kTemplatesPerPage] = {{60, 56}, {391, 56}, {60, 256}, {391, 256}};

// Gives the window system a moment to show the loading screen before loading blocks.
void ShowNow(QWidget* w) {
    w->show();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 500 && !(w->windowHandle() && w->windowHandle()->isExposed())) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    w->repaint();
    QCoreApplication::processEvents();
}

}  // namespace

TemplateDialog::TemplateDialog(Clock clock, QWidget* parent)
    : QDialog(parent), clock_(std::move(clock)) {
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    status_ = new SkinButton(
        QStringLiteral("Click on the template to edit. Click ESC to start blank project"), this);
    status_->SetPassive(true);
    status_->setGeometry(16, 12, kClientWidth - 32, 30);
    for (int k = 0; k < kTemplatesPerPage; ++k) {
        auto* p = new TemplatePreview(this);
        p->setGeometry(QRect(kPreviewAt[k], QSize(kPreviewW, kPreviewH)));
        connect(p, &TemplatePreview::Chosen, this, [this](int index) { Choose(index); });
        previews_[size_t(k)] = p;
    }
    previous_ = new SkinButton(QStringLiteral("Previous Page"), this);
    next_ = new SkinButton(QStringLiteral("Next Page"), this);
    page_label_ = new SkinButton(QString(), this);
    page_label_->SetPassive(true);
    previous_->setGeometry(60, 452, 150, 30);
    page_label_->setGeometry(230, 452, 291, 30);
    next_->setGeometry(541, 452, 150, 30);
    connect(previous_, &SkinButton::Pressed, this, [this] { PreviousPage(); });
    connect(next_, &SkinButton::Pressed, this, [this] { NextPage(); });
    for (QWidget* w : findChildren<QWidget*>()) w->hide();
    brand_.SetText("QORVAN LOGO", role::kBrandFace, 64);
    loading_line_.SetText("Loading... Please Wait", role::kCaptionFace, 18);
    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    connect(this, &QDialog::finished, &timer_, &QTimer::stop);

    // Templates saved since the last browser are read again.
    TemplateLibrary& library = TemplateLibrary::Instance();
    if (library.changed) {
        library.ReloadTmps(true);
        library.changed = false;
    }
}

TemplateDialog::~TemplateDialog() = default;

void TemplateDialog::Place() {
    setWindowIcon(AppIcon());
    if (QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
}

bool TemplateDialog::Open() {
    Place();
    start_ = clock_();
    if (loading) {
        setWindowTitle(QStringLiteral("Qorvan Logo: Loading... Please Wait"));
        ShowNow(this);
        QV_CHECK_T("FtText::InitFt()", FtText::InitFt() == 0);
        QV_CHECK_T("TmpDlg::ReloadTmps()", TemplateLibrary::Instance().ReloadTmps(false) == 0);
        // The picture's text needed the fonts that have just been loaded.
        loading_picture_.Free();
        repaint();
    } else {
        QV_CHECK_T("InitTmpDlg()", (InitTmpDlg(), true));
        setWindowTitle(QStringLiteral("Qorvan Logo: Template Library"));
    }
    if (!stay_open) {
        hide();
        setResult(QDialog::Accepted);
        return false;
    }
    timer_.start();
    return true;
}

int TemplateDialog::Run() {
    if (!Open()) return QDialog::Accepted;
    return exec();
}

void TemplateDialog::Tick() {
    if (loading && clock_() - start_ >= kLoadingMs) {
        QV_CHECK_T("InitTmpDlg()", (InitTmpDlg(), true));
        setWindowTitle(QStringLiteral("Qorvan Logo: Template Library"));
        loading = false;
        repaint();
    }
    if (!browsing_) return;
    const QPoint cursor = QCursor::pos();
    for (TemplatePreview* p : previews_) p->MoTimer(cursor);
    previous_->MoTimer(cursor);
    next_->MoTimer(cursor);
}

void TemplateDialog::InitTmpDlg() {
    browsing_ = true;
    pager_.ctm = 0;
    status_->show();
    previous_->show();
    next_->show();
    page_label_->show();
    ShowPage();
}

void TemplateDialog::ShowPage() {
    const int count = TemplateLibrary::Instance().count();
    for (int k = 0; k < kTemplatesPerPage; ++k) {
        TemplatePreview* p = previews_[size_t(k)];
        const int index = pager_.ctm + k;
        p->SetTemplate(index < count ? index : -1);
        p->setVisible(index < count);
    }
    previous_->SetEnabledFlag(pager_.PreviousEnabled());
    next_->SetEnabledFlag(pager_.NextEnabled(count));
    const int pages = (count + kTemplatesPerPage - 1) / kTemplatesPerPage;
    page_label_->SetText(
        count == 0
            ? QStringLiteral("No templates installed")
            : QStringLiteral("Page %1 of %2").arg(pager_.ctm / kTemplatesPerPage + 1).arg(pages));
    update();
}

void TemplateDialog::PreviousPage() {
    if (!pager_.PreviousEnabled()) return;
    pager_.Previous();
    ShowPage();
}

void TemplateDialog::NextPage() {
    const int count = TemplateLibrary::Instance().count();
    if (!pager_.NextEnabled(count)) return;
    pager_.Next(count);
    ShowPage();
}

void TemplateDialog::Choose(int index) {
    if (!browsing_ || index < 0 || index >= TemplateLibrary::Instance().count()) return;
    chosen = &TemplateLibrary::Instance().at(index).lf;
    accept();
}

PixelBuffer TemplateDialog::LoadingPicture() {
    PixelBuffer b;
    if (!b.Allocate(kClientWidth, kClientHeight)) return b;
    // The canvas's own shading, a little deeper, with the word mark and one line of text.
    std::minstd_rand grain(777);
    std::uniform_int_distribution<int> noise(0, 4);
    for (int y = 0; y < kClientHeight; ++y) {
        const float t = float(y) / float(kClientHeight - 1);
        const uint32_t base = skin::Mix(RGB_MAKE(88, 140, 166), RGB_MAKE(34, 72, 94), t);
        for (int x = 0; x < kClientWidth; ++x) {
            const uint32_t n = uint32_t(noise(grain));
            b.at(x, y) = RGB_MAKE(RedOf(base) + n, GreenOf(base) + n, BlueOf(base) + n);
        }
    }
    PixelBuffer mark;
    if (mark.Allocate(kClientWidth, 140)) {
        for (int y = 0; y < 140; ++y) {
            for (int x = 0; x < kClientWidth; ++x) mark.at(x, y) = b.at(x, 150 + y);
        }
        brand_.DrawCentred(mark, {RGB_MAKE(255, 255, 255), RGB_MAKE(190, 224, 240)});
        for (int y = 0; y < 140; ++y) {
            for (int x = 0; x < kClientWidth; ++x) b.at(x, 150 + y) = mark.at(x, y);
        }
    }
    PixelBuffer line;
    if (line.Allocate(kClientWidth, 40)) {
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < kClientWidth; ++x) line.at(x, y) = b.at(x, 300 + y);
        }
        loading_line_.DrawCentred(line, {RGB_MAKE(220, 238, 246), RGB_MAKE(170, 206, 224)});
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < kClientWidth; ++x) b.at(x, 300 + y) = line.at(x, y);
        }
    }
    return b;
}

void TemplateDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!browsing_) {
        if (loading_picture_.empty() || brand_.width() == 0) loading_picture_ = LoadingPicture();
        painter.drawImage(0, 0, BufferView(loading_picture_));
        return;
    }
    painter.fillRect(rect(), QColor::fromRgb(skin::kWindow));
}

}  // namespace qv::ui
