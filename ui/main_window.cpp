#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <cmath>

#include "app/guard.h"
#include "app/install_dir.h"
#include "document/role_faces.h"
#include "ui/app_icon.h"
#include "ui/bars/bar_opener.h"
#include "ui/brand_button.h"
#include "ui/canvas_view.h"
#include "ui/command_ids.h"
#include "ui/command_table.h"
#include "ui/document_state.h"
#include "ui/editor_area.h"
#include "ui/library/obj_lib.h"
#include "ui/library/shape_search_field.h"
#include "ui/library/style_btn.h"
#include "ui/menu_state.h"
#include "ui/object_preview.h"
#include "ui/page_slider.h"
#include "ui/skin_button.h"
#include "ui/text_box.h"

namespace qv::ui {
namespace {

constexpr int kHoverMs = 30;
// A pause this long ends a burst of typing in the text box.
constexpr int kTypingPauseMs = 1000;

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Qorvan Logo"));
    setWindowIcon(AppIcon());
    setMinimumSize(620, 400);
    setAcceptDrops(true);
    prompt_ = [this](const QString& name) { return AskSaveChanges(this, name); };
    dialogs_ = SystemFileDialogs();
    // The style library belongs to the editor and is read while it is built.
    styles.Load(InstallDir());
    BuildChildren();
    BuildMenus();
    BuildStatusLine();
    ConnectChildren();
    qApp->installEventFilter(new AcceleratorFilter(
        this, [this](int id) { RunAccelerator(id); }, this));
    hover_timer_.setInterval(kHoverMs);
    connect(&hover_timer_, &QTimer::timeout, this, [this] { HoverTick(QCursor::pos()); });
    typing_timer_.setSingleShot(true);
    typing_timer_.setInterval(kTypingPauseMs);
    connect(&typing_timer_, &QTimer::timeout, this, [this] { FlushTyping(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildChildren() {
    area_ = new EditorArea(this);
    setCentralWidget(area_);
    canvas_ = new CanvasView(area_);
    preview_ = new ObjectPreview(area_);
    canvas_->SetHost(this);
    canvas_->SetPreview(preview_);
    preview_->SetHost(this);
    preview_->SetCanvas(canvas_);
    lib_ = new ObjLib(area_, 40, ObjLib::kEditorLook);
    lib_search_ = new ShapeSearchField(area_);
    lib_caption_ = new SkinButton(QString(), area_);
    lib_caption_->SetPassive(true);
    style_caption_ = new SkinButton(QString(), area_);
    style_caption_->SetPassive(true);
    sl1_ = new PageSlider(PageSlider::kObjects, area_);
    sl2_ = new PageSlider(PageSlider::kStyles, area_);
    sl1_->SetCaptionButton(lib_caption_);
    sl2_->SetCaptionButton(style_caption_);
    sl1_btn1_ = new ArrowButton(-1, sl1_, area_);
    sl1_btn2_ = new ArrowButton(+1, sl1_, area_);
    sl2_btn1_ = new ArrowButton(-1, sl2_, area_);
    sl2_btn2_ = new ArrowButton(+1, sl2_, area_);
    for (int k = 0; k < 5; ++k) nav_[size_t(k)] = new SkinButton(BarButtonCaption(false, k), area_);
    obj1_ = new SkinButton(QStringLiteral("Current Object"), area_);
    // 1109 goes back and 1110 forward, whatever their resource captions say; both show the
    // arrow glyph, the backward one mirrored.
    obj2_ = new SkinButton(QStringLiteral("Next"), area_);
    obj3_ = new SkinButton(QStringLiteral("Prev"), area_);
    obj2_->SetGlyph(role::kArrowGlyph, true);
    obj3_->SetGlyph(role::kArrowGlyph, false);
    text_ = new TextBox(area_);
    rule_ = new DecorStrip(DecorStrip::kRule, area_);
    strip_ = new DecorStrip(DecorStrip::kStrip, area_);
    brand_ = new BrandButton(area_);
    brand_->hide();
    style_row_ = new StyleRow(area_);
    hint_ = new HintBubble(area_);

    preview_->setToolTip(QStringLiteral("Current Object Preview"));
    lib_->setToolTip(QStringLiteral("Logo Objects Library"));
    obj1_->setToolTip(QStringLiteral("Current Logo Object"));
    obj2_->setToolTip(QStringLiteral("Previous Logo Object"));
    obj3_->setToolTip(QStringLiteral("Next Logo Object"));
    for (SkinButton* b : nav_) b->setToolTip(BarButtonTooltip(b->text()));
}

void MainWindow::ConnectChildren() {
    area_->resized = [this](int cx, int cy) { OnSize(cx, cy); };
    for (int k = 0; k < 5; ++k) {
        connect(nav_[size_t(k)], &SkinButton::Pressed, this, [this, k] {
            static const char* const kTexts[5] = {"ObjectCmd(0)", "ObjectCmd(1)", "ObjectCmd(2)",
                                                  "ObjectCmd(3)", "ObjectCmd(4)"};
            QV_CHECK_T(kTexts[k], ObjectCmd(k) == 0);
        });
    }
    connect(obj1_, &SkinButton::Pressed, this,
            [this](const QPoint& pos) { ObjectMenu(obj1_->mapToGlobal(pos)); });
    connect(obj2_, &SkinButton::Pressed, this, [this] { StepObject(true); });
    connect(obj3_, &SkinButton::Pressed, this, [this] { StepObject(false); });
    connect(text_, &TextBox::GainedFocus, this, [this] { TextGainedFocus(); });
    connect(text_, &TextBox::Changed, this, [this] { TextChanged(); });
    connect(text_, &TextBox::LostFocus, this, [this] { TextLostFocus(); });
    connect(canvas_, &CanvasView::NudgeRequested, this, [this](int dx, int dy) { Nudge(dx, dy); });
    connect(canvas_, &CanvasView::RemoveRequested, this, [this] {
        canvas_keys_ = true;
        Command(cmd::kRemoveObject);
        canvas_keys_ = false;
    });
    connect(canvas_, &CanvasView::StepRequested, this, [this](bool previous) {
        if (bar_open_ || lf.GetCount() <= 0) return;
        FlushTyping();
        canvas_keys_ = true;
        StepObject(previous);
        canvas_keys_ = false;
    });
    connect(canvas_, &CanvasView::TypedOn, this, [this](QKeyEvent* e) { CanvasTyped(e); });
    connect(canvas_, &CanvasView::Changed, this, [this] { UpdateStatus(); });
    connect(sl1_, &PageSlider::PageSelected, this, [this](int, int page) {
        int itmpp = 0, pages = 0;
        QV_CHECK_T("m_lib.UpdatePage(lib_itmpp,lib_pages,page)",
                   (lib_->UpdatePage(itmpp, pages, page), true));
    });
    connect(lib_, &ObjLib::Clicked, this, [this](int sel) { LibraryClicked(sel); });
    connect(lib_search_, &ShapeSearchField::Found, this, [this](const std::vector<int>& shapes) {
        if (!lib_->showingFound()) lib_page_before_search_ = lib_->page();
        lib_->ShowFound(shapes);
        sl1_->SetPages(lib_->pages(), lib_->page());
        sl1_->UpdateCaption();
    });
    connect(lib_search_, &ShapeSearchField::Cleared, this, [this] {
        if (!lib_->showingFound()) return;
        lib_->ShowAll(lib_page_before_search_);
        sl1_->SetPages(lib_->pages(), lib_->page());
        sl1_->UpdateCaption();
    });
    connect(sl2_, &PageSlider::PageSelected, this,
            [this](int, int page) { StylePageChanged(page); });
    connect(style_row_, &StyleRow::Pressed, this, [this](int n) {
        QV_CHECK_T("mw->StyleClicked(nstl,lt_style)",
                   StyleClicked(n, style_row_->buttons()[size_t(n)]->style()) == 0);
    });
    for (QWidget* w : area_->findChildren<QWidget*>()) w->installEventFilter(this);
}

void MainWindow::Init(bool show) {
    setWindowIcon(AppIcon());
    QV_CHECK_T("utrack.Reset(lf)", utrack.Reset(lf) == 0);
    sl1_->SetPages(60, 0);
    sl1_->PageChanged();
    sl2_->SetPages(styles.count(), 0);
    sl2_->PageChanged();
    // The option bars take the bar requests unless a caller has its own opener.
    if (!bar_opener_) InstallBarOpener(this);
    ready_ = true;
    MarkClean();
    // The editor opens on the canvas: focus landing in the text box would add a text object.
    canvas_->setFocus(Qt::OtherFocusReason);
    if (show) {
        // Without a window manager to maximise it, the window still fills the screen.
        if (QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(screen->availableGeometry());
        showMaximized();
    }
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    UpdateTitle();
    hover_timer_.start();
}

void MainWindow::SetDocName(const std::string& path) {
    doc_name_ = path;
    const auto slash = path.rfind('/');
    file_name_ = QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
}

void MainWindow::UpdateTitle() {
    setWindowTitle(QStringLiteral("Qorvan Logo: ") +
                   (doc_name_.empty() ? QStringLiteral("New Logo Project") : file_name_));
}

bool MainWindow::modified() const {
    return !SameContent(lf, clean_);
}

void MainWindow::MarkClean() {
    clean_.CopyFrom(lf);
}

void MainWindow::FlushTyping() {
    if (!typing_pending_) return;
    typing_pending_ = false;
    typing_timer_.stop();
    TrackStep();
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
}

void MainWindow::TrackStep() {
    // Whatever burst was pending is part of this step.
    typing_pending_ = false;
    typing_timer_.stop();
    QV_CHECK_T("utrack.Track(lf)", utrack.Track(lf) == 0);
}

int MainWindow::UpdateOutWndFor(LeFile* doc) {
    if (!ready_) return 0;
    if (!doc) {
        UpdateEditMenu();
        doc = &lf;
    }
    QV_CHECK_T("le->Update(cw-OUT_WND_MRG,ch-OUT_WND_MRG,pw,ph)",
               doc->Update(canvas_->width() - CanvasView::OUT_WND_MRG,
                           canvas_->height() - CanvasView::OUT_WND_MRG, preview_->width(),
                           preview_->height()) == 0);
    canvas_->SetDocument(doc);
    preview_->SetDocument(doc);
    canvas_->repaint();
    preview_->repaint();
    UpdateStatus();
    return 0;
}

void MainWindow::Refresh() {
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
    QV_CHECK_T("UpdateLibSel()", UpdateLibSel() == 0);
}

void MainWindow::BuildStatusLine() {
    QStatusBar* line = statusBar();
    line->setSizeGripEnabled(false);
    status_ = new QLabel(line);
    line->addWidget(status_, 1);
    zoom_box_ = new QComboBox(line);
    zoom_box_->setEditable(true);
    zoom_box_->setInsertPolicy(QComboBox::NoInsert);
    zoom_box_->setFocusPolicy(Qt::ClickFocus);
    zoom_box_->setToolTip(QStringLiteral("Zoom"));
    for (int p : {10, 25, 50, 75, 100, 150, 200, 300, 400, 600, 800})
        zoom_box_->addItem(QStringLiteral("%1 %").arg(p), p);
    zoom_box_->setCurrentText(QStringLiteral("100 %"));
    line->addPermanentWidget(zoom_box_);
    const auto take = [this](const QString& text) {
        QString digits = text;
        digits.remove(QLatin1Char('%'));
        bool ok = false;
        const double percent = digits.trimmed().toDouble(&ok);
        if (ok) canvas_->SetZoom(percent / 100.0);
        zoom_box_->setCurrentText(QStringLiteral("%1 %").arg(std::lround(canvas_->zoom() * 100)));
        canvas_->setFocus(Qt::OtherFocusReason);
    };
    connect(zoom_box_, &QComboBox::textActivated, this, take);
    connect(canvas_, &CanvasView::ZoomChanged, this, [this](double z) {
        zoom_box_->setCurrentText(QStringLiteral("%1 %").arg(std::lround(z * 100)));
    });
}

QString MainWindow::statusText() const {
    if (lf.cur < 0 || lf.cur >= lf.objs || !lf.obj[lf.cur]) return {};
    const LogoObj& o = *lf.obj[lf.cur];
    return QStringLiteral("Position: %1, %2    Size: %3 \u00d7 %4")
        .arg(o.x)
        .arg(o.y)
        .arg(o.w)
        .arg(o.h);
}

void MainWindow::UpdateStatus() {
    if (status_) status_->setText(statusText());
}

std::vector<HoverControl*> MainWindow::HoverOrder() const {
    std::vector<HoverControl*> order = {obj1_, obj2_,     obj3_,     sl1_btn1_, sl1_btn2_,
                                        sl1_,  sl2_btn1_, sl2_btn2_, sl2_};
    for (SkinButton* b : nav_) order.push_back(b);
    for (HoverControl* b : style_buttons_) order.push_back(b);
    return order;
}

void MainWindow::HoverTick(const QPoint& global) {
    for (HoverControl* c : HoverOrder()) c->MoTimer(global);
}

void MainWindow::ShowHint(const QString& text) {
    hint_->Show(text, QPoint(text_->x(), text_->y() - 4));
}

QString MainWindow::hintText() const {
    return hint_->isVisible() ? hint_->text() : QString();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && !MaySetDocumentAside()) {
        event->ignore();
        return;
    }
    closing_ = false;
    hover_timer_.stop();
    event->accept();
    emit Closed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // No tooltips while an option bar is open.
    if (event->type() == QEvent::ToolTip && bar_open_) return true;
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace qv::ui
