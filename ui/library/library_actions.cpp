// The editor's side of the libraries: a shape picked in the object library, a style button
// pressed, and the style page shown on the buttons.

#include "app/guard.h"
#include "persist/style_library.h"
#include "render/ft_text.h"
#include "ui/library/obj_lib.h"
#include "ui/library/style_btn.h"
#include "ui/main_window.h"

namespace qv::ui {

void MainWindow::LibraryClicked(int sel) {
    // Without symbol fonts the grid is empty and a click picks nothing.
    if (sel < 0 || FtText::ShapeCount() <= 0) return;
    // A cell past the end of the table shows shape 0, so that is the shape it gives.
    const int n = lib_->ShapeAt(sel);
    if (n < 0) return;  // an empty cell after the last search result
    if (!lf.ApplyLibraryShape(n)) return;
    QV_CHECK_T("UpdateWndMenu()", UpdateWndMenu() == 0);
    QV_CHECK_T("UpdateEditMenu()", UpdateEditMenu() == 0);
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    TrackStep();
}

int MainWindow::StyleClicked(int nstl, const ObjStyle& lt_style) {
    const std::vector<StyleBtn*>& row = style_row_->buttons();
    const int nb = int(row.size());
    if (nstl >= 0 && nstl < nb && selstl >= 0 && selstl < nb) {
        row[size_t(selstl)]->SetSelected(false);
        row[size_t(nstl)]->SetSelected(true);
        selstl = nstl;
    }
    if (!ApplyStyle(lf, lt_style)) return 0;
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    TrackStep();
    return 0;
}

int MainWindow::StylePageChanged(int page) {
    if (!QV_CHECK_T("page<pages", page >= 0 && page < styles.count())) return 0;
    for (StyleBtn* b : style_row_->buttons()) b->SetStyle(styles.stfile[size_t(page)]);
    return 0;
}

}  // namespace qv::ui
