// Object commands, the option-bar requests and the text box's notifications.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <cctype>

#include "app/guard.h"
#include "render/style_bounds.h"
#include "ui/align.h"
#include "ui/canvas_mapping.h"
#include "ui/canvas_view.h"
#include "ui/command_ids.h"
#include "ui/main_window.h"
#include "ui/menu_state.h"
#include "ui/object_preview.h"
#include "ui/text_box.h"

namespace qv::ui {

void MainWindow::UndoCmd() {
    QV_CHECK_T("utrack.Undo(lf)", utrack.Undo(lf) == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateLibSel()", UpdateLibSel() == 0);
}

void MainWindow::RedoCmd() {
    QV_CHECK_T("utrack.Redo(lf)", utrack.Redo(lf) == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateLibSel()", UpdateLibSel() == 0);
}

void MainWindow::RemoveObject() {
    QV_CHECK_T("lf.DeleteCur()", lf.DeleteCur() == 0);
    TrackStep();
    Refresh();
}

void MainWindow::DuplicateObject() {
    QV_CHECK_T("lf.DuplicateCur()", lf.DuplicateCur() == 0);
    TrackStep();
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
}

void MainWindow::ReorderObject(int id) {
    switch (id) {
        case cmd::kBringCloser:
            QV_CHECK_T("lf.BringCloser()", lf.BringCloser() == 0);
            break;
        case cmd::kSendFarther:
            QV_CHECK_T("lf.SendFarther()", lf.SendFarther() == 0);
            break;
        case cmd::kBringToFront:
            QV_CHECK_T("lf.Bring2Front()", lf.Bring2Front() == 0);
            break;
        case cmd::kSendToBack:
            QV_CHECK_T("lf.Send2Back()", lf.Send2Back() == 0);
            break;
        default:
            return;
    }
    TrackStep();
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
}

void MainWindow::StepObject(bool previous) {
    if (previous) {
        QV_CHECK_T("lf.PrevObj()", lf.PrevObj() == 0);
    } else {
        QV_CHECK_T("lf.NextObj()", lf.NextObj() == 0);
    }
    TrackStep();
    Refresh();
}

void MainWindow::WindowMenuCommand(int id) {
    const int nobj = (id - cmd::kWindowFirst) / 10;
    QV_CHECK_T("lf.SetCurObj(nobj)", lf.SetCurObj(nobj) == 0);
    // An entry of an object that is gone must not open a bar for another one.
    if (lf.cur != nobj) return;
    QV_CHECK_T("ObjectCmd(id-nobj*10)", ObjectCmd((id - cmd::kWindowFirst) - nobj * 10) == 0);
}

int MainWindow::ObjectCmd(int k) {
    if (!QV_CHECK_T("lf.GetCount()>0", lf.GetCount() > 0)) return 0;
    if (!QV_CHECK_T("cur!=-1", lf.cur >= 0 && lf.cur < lf.objs)) return 0;
    const LogoObj& o = *lf.obj[lf.cur];
    const std::optional<BarRequest> bar = ObjectCommandBar(o.type, o.lt.grad != 0, k);
    if (!bar) return 0;
    switch (bar->bar) {
        case OptionBar::kText:
            EditText();
            break;
        case OptionBar::kImage:
            EditImage();
            break;
        case OptionBar::kShape:
            EditShape();
            break;
        case OptionBar::kEffects:
            EditEffects();
            break;
        case OptionBar::kGradient:
            EditGradient();
            break;
        case OptionBar::kTransform:
            EditTransform();
            break;
        case OptionBar::kColors:
            EditColor(bar->slot);
            break;
        case OptionBar::kLogo:
            EditLogoOptions();
            break;
    }
    return 0;
}

void MainWindow::PreBarModal(int kind) {
    FlushTyping();
    if (kind >= 0) AddObject(kind);
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    EnableMenu(false);
    bar_open_ = true;
    canvas_->SetBarMode(true);
    preview_->SetBarMode(true);
}

void MainWindow::PostBarModal(bool) {
    bar_open_ = false;
    // An eyedropper armed in the bar ends with it.
    canvas_->StartColourPick({});
    canvas_->SetBarMode(false);
    preview_->SetBarMode(false);
}

LogoObj* MainWindow::AddObject(int kind) {
    LogoObj* o = lf.AddObj(kind);
    // Black text on a dark background would be invisible: new text takes white there.
    if (o && kind == LogoObj::kText && IsDarkColour(lf.bgc)) o->lt.color = Hls{0, 0, 240};
    return o;
}

void MainWindow::RequestBar(OptionBar bar, int new_kind, int slot) {
    BarRequest request{bar, lf.cur, new_kind, slot};
    last_bar_ = request;
    if (bar_opener_) {
        bar_opener_(request);
    } else if (new_kind >= 0 && AddObject(new_kind)) {
        // Until the bars are there, a new object is still made, as the bar would make it.
        last_bar_->object = lf.cur;
        TrackStep();
        Refresh();
    }
    emit BarRequested(int(bar), last_bar_->object);
}

void MainWindow::EditText(bool new_obj) {
    RequestBar(OptionBar::kText, new_obj ? LogoObj::kText : -1, 0);
}
void MainWindow::EditImage(bool new_obj) {
    RequestBar(OptionBar::kImage, new_obj ? LogoObj::kShape : -1, 0);
}
void MainWindow::EditShape() {
    RequestBar(OptionBar::kShape, -1, 0);
}
void MainWindow::EditEffects() {
    RequestBar(OptionBar::kEffects, -1, 0);
}
void MainWindow::EditGradient() {
    RequestBar(OptionBar::kGradient, -1, 0);
}
void MainWindow::EditTransform() {
    RequestBar(OptionBar::kTransform, -1, 0);
}
void MainWindow::EditColor(int slot) {
    RequestBar(OptionBar::kColors, -1, slot);
}
void MainWindow::EditLogoOptions() {
    RequestBar(OptionBar::kLogo, -1, 0);
}

void MainWindow::TextGainedFocus() {
    if (bar_open_ || !ready_) return;
    const LogoObj* c = lf.cur >= 0 && lf.cur < lf.objs ? lf.obj[lf.cur].get() : nullptr;
    if (c && c->type == LogoObj::kText) return;
    for (int n = 0; n < lf.objs; ++n) {
        if (lf.obj[n] && lf.obj[n]->type == LogoObj::kText) {
            lf.SetCurObj(n);
            Refresh();
            return;
        }
    }
    if (!AddObject(LogoObj::kText)) return;
    Refresh();
    TrackStep();
}

void MainWindow::TextChanged() {
    if (bar_open_ || !ready_) return;
    LogoObj* c = lf.cur >= 0 && lf.cur < lf.objs ? lf.obj[lf.cur].get() : nullptr;
    if (!c || c->type != LogoObj::kText) return;
    if (typing_pending_ && burst_ != Burst::kTyping) FlushTyping();
    c->lt.str = text_->DocumentText();
    burst_ = Burst::kTyping;
    typing_pending_ = true;
    typing_timer_.start();
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
}

void MainWindow::TextLostFocus() {
    if (bar_open_ || !ready_) return;
    FlushTyping();
    const LogoObj* c = lf.cur >= 0 && lf.cur < lf.objs ? lf.obj[lf.cur].get() : nullptr;
    if (!c || c->type != LogoObj::kText) return;
    for (const char ch : c->lt.str) {
        if (!std::isspace(static_cast<unsigned char>(ch))) return;
    }
    RemoveObject();
}

void MainWindow::Nudge(int dx, int dy) {
    if (bar_open_ || !ready_) return;
    LogoObj* c = lf.cur >= 0 && lf.cur < lf.objs ? lf.obj[lf.cur].get() : nullptr;
    if (!c) return;
    if (typing_pending_ && burst_ != Burst::kNudge) FlushTyping();
    // As a drag ends: the centre stays inside the logo area.
    const IntPoint p = ClampToLogoArea(BoundedPosition(c->x) + dx, BoundedPosition(c->y) + dy,
                                       canvas_->width() - CanvasView::OUT_WND_MRG,
                                       canvas_->height() - CanvasView::OUT_WND_MRG);
    c->x = p.x;
    c->y = p.y;
    burst_ = Burst::kNudge;
    typing_pending_ = true;
    typing_timer_.start();
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
}

void MainWindow::AlignCurrent(int id) {
    LogoObj* c = lf.cur >= 0 && lf.cur < lf.objs ? lf.obj[lf.cur].get() : nullptr;
    if (!c || id < cmd::kAlignCentreH || id > cmd::kAlignBottom) return;
    const auto a = static_cast<Alignment>(id - cmd::kAlignCentreH);
    const std::optional<IntPoint> p =
        AlignedPosition(a, BoundedPosition(c->x), BoundedPosition(c->y), BoundedExtent(c->w),
                        BoundedExtent(c->h), lf.fixed != 0, BoundedCanvasSide(lf.cw),
                        BoundedCanvasSide(lf.ch));
    if (!p) return;
    c->x = p->x;
    c->y = p->y;
    TrackStep();
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
}

void MainWindow::CanvasTyped(QKeyEvent* event) {
    if (bar_open_ || !ready_ || !event) return;
    const LogoObj* c = lf.cur >= 0 && lf.cur < lf.objs ? lf.obj[lf.cur].get() : nullptr;
    if (!c || c->type != LogoObj::kText) return;
    // The key goes on into the text box, after what is there, so typing just works.
    text_->setFocus(Qt::OtherFocusReason);
    text_->end(false);
    QKeyEvent again(event->type(), event->key(), event->modifiers(), event->text(),
                    event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(text_, &again);
}

}  // namespace qv::ui
