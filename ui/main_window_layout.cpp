// The size handler: every child's place for the client size, then the pages of the object
// library and a recomposed logo.

#include <QWidget>

#include "app/guard.h"
#include "ui/brand_button.h"
#include "ui/canvas_view.h"
#include "ui/editor_area.h"
#include "ui/library/obj_lib.h"
#include "ui/library/shape_search_field.h"
#include "ui/library/style_btn.h"
#include "ui/main_window.h"
#include "ui/object_preview.h"
#include "ui/page_slider.h"
#include "ui/skin_button.h"
#include "ui/text_box.h"

namespace qv::ui {
namespace {

void Place(QWidget* w, const QRect& r) {
    QV_CHECK_T("MoveWindow(rct)", (w->setGeometry(r), true));
}

}  // namespace

void MainWindow::OnSize(int cx, int cy) {
    const EditorLayout l = ComputeEditorLayout(cx, cy);
    if (!l.accepted) return;
    layout_.accepted = true;

    if (l.brand_visible) {
        Place(brand_, l.brand);
        brand_->show();
    } else {
        brand_->hide();
    }
    layout_.brand_visible = l.brand_visible;
    layout_.brand = l.brand;
    if (!l.has_bar_buttons) return;
    for (int k = 0; k < 5; ++k) Place(nav_[size_t(k)], l.bar_buttons[k]);

    Place(canvas_, l.canvas);
    canvas_->RebuildBackground();
    Place(preview_, l.preview);
    Place(obj1_, l.current_object);
    Place(obj2_, l.previous_object);
    Place(obj3_, l.next_object);
    Place(lib_caption_, l.library_caption);
    Place(sl1_btn1_, l.library_left);
    Place(sl1_, l.library_slider);
    Place(sl1_btn2_, l.library_right);
    if (!l.has_lower) {
        layout_ = l;
        return;
    }
    Place(lib_search_, l.library_search);
    Place(lib_, l.library_grid);
    Place(rule_, l.rule);
    Place(text_, l.text_box);
    Place(strip_, l.strip);
    Place(sl2_btn1_, l.style_left);
    Place(sl2_, l.style_slider);
    Place(sl2_btn2_, l.style_right);
    Place(style_caption_, l.style_caption);
    if (!l.has_style_buttons) {
        layout_ = l;
        return;
    }
    // The row of style buttons is rebuilt for the new width.
    Place(style_row_, l.style_row);
    std::vector<QRect> buttons;
    for (const QRect& r : l.style_buttons) buttons.push_back(r.translated(-l.style_row.topLeft()));
    style_row_->Rebuild(buttons, l.style_hues);
    style_buttons_.assign(style_row_->buttons().begin(), style_row_->buttons().end());
    // The row is new but the highlighted button keeps its index.
    if (selstl >= 0 && size_t(selstl) < style_row_->buttons().size())
        style_row_->buttons()[size_t(selstl)]->SetSelected(true);
    sl2_->PageChanged();
    layout_ = l;

    int itmpp = 0, pages = 0;
    if (lib_->UpdatePage(itmpp, pages, sl1_->page())) sl1_->SetPages(pages, lib_->page());
    sl1_->UpdateCaption();

    canvas_->update();
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    if (bar_open_) EnableMenu(false);
}

}  // namespace qv::ui
