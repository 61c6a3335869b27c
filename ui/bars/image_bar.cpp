#include "ui/bars/image_bar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <algorithm>

#include "app/guard.h"
#include "document/logo_obj.h"
#include "render/ft_text.h"
#include "ui/library/obj_lib.h"
#include "ui/library/shape_index.h"
#include "ui/library/shape_search_field.h"
#include "ui/main_window.h"

namespace qv::ui {

QString ImageBar::TabText(int tab, int itmpp) {
    return QStringLiteral("%1 - %2").arg(tab * itmpp + 1).arg((tab + 1) * itmpp);
}

QString ImageBar::PageText(int page, int itmpp, int pages, int total) {
    if (total <= 0) return QStringLiteral("No shapes installed");
    // With fewer shapes than a page the one page shown is not full.
    const int last = std::min((page + 1) * itmpp, total);
    return QStringLiteral("Shapes %1-%2 of %3 (Page %4 of %5)")
        .arg(page * itmpp + 1)
        .arg(last)
        .arg(total)
        .arg(page + 1)
        .arg(std::max(pages, 1));
}

QString ImageBar::FoundText(int page, int pages, int found) {
    if (found == 0) return QStringLiteral("No shapes found");
    return QStringLiteral("%1 %2 found (Page %3 of %4)")
        .arg(found)
        .arg(found == 1 ? QStringLiteral("shape") : QStringLiteral("shapes"))
        .arg(page + 1)
        .arg(std::max(pages, 1));
}

ImageBar::ImageBar(MainWindow* mw, bool modal_run)
    : BarDialog(mw, QStringLiteral("Image Options: New Image")) {
    SetModalRun(modal_run);
    tabs_ = new QTabBar(this);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    tabs_->setDrawBase(false);
    // Forty-odd tabs scroll within the grid's width instead of widening the bar.
    tabs_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    search_ = new ShapeSearchField(this);
    grid()->addWidget(search_, 0, 0, 1, 3);
    grid()->addWidget(tabs_, 1, 0, 1, 3);

    list_ = new ObjLib(this, kCell, ObjLib::kPlainLook);
    list_->setFixedSize(kColumns * kCell, kRows * kCell);
    grid()->addWidget(list_, 2, 0, 1, 3, Qt::AlignHCenter);

    prev_ = new QPushButton(QStringLiteral("Prev. Page"), this);
    prev_->setObjectName(QStringLiteral("prev_page"));
    next_ = new QPushButton(QStringLiteral("Next Page"), this);
    next_->setObjectName(QStringLiteral("next_page"));
    prev_->setAutoDefault(false);
    next_->setAutoDefault(false);
    label_ = new QLabel(this);
    label_->setAlignment(Qt::AlignCenter);
    grid()->addWidget(prev_, 3, 0);
    grid()->addWidget(label_, 3, 1);
    grid()->addWidget(next_, 3, 2);

    // The grid has its fixed size already, so the page arithmetic needs no shown window.
    int sn = -1;
    if (LogoObj* o = obj()) {
        const bool shape = o->type == LogoObj::kShape;
        QV_CHECK_T("sn!=-1", shape);
        // A shape from fonts this installation lacks opens on the first page, with no cell
        // selected, rather than as a fault.
        if (shape) sn = ShapeIndexOf(*o);
    }
    int itmpp = 0, pages = 0;
    QV_CHECK_T("m_list.UpdatePage(itmpp,pages,page,sn)", list_->UpdatePage(itmpp, pages, 0, sn));
    RebuildTabs();

    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab >= 0 && tab != page()) ShowPage(tab);
    });
    connect(prev_, &QPushButton::clicked, this, [this] { StepPage(-1); });
    connect(next_, &QPushButton::clicked, this, [this] { StepPage(+1); });
    connect(list_, &ObjLib::Clicked, this, [this](int sel) { ShapeClicked(sel); });
    connect(search_, &ShapeSearchField::Found, this, [this](const std::vector<int>& shapes) {
        list_->ShowFound(shapes);
        RebuildTabs();
    });
    connect(search_, &ShapeSearchField::Cleared, this, [this] {
        if (!list_->showingFound()) return;
        list_->ShowAll(0);
        RebuildTabs();
    });
    FinishOpening(QString());
}

int ImageBar::page() const {
    return list_->page();
}

int ImageBar::pages() const {
    return list_->pages();
}

int ImageBar::itemsPerPage() const {
    return list_->itemsPerPage();
}

void ImageBar::ShowPage(int page) {
    const int pages = list_->pages();
    int itmpp = 0, shown_pages = 0;
    QV_CHECK_T("m_list.UpdatePage(itmpp,_pages,page)", list_->UpdatePage(itmpp, shown_pages, page));
    QV_CHECK_T("_pages==pages", shown_pages == pages);
    SyncTabAndLabel();
}

void ImageBar::StepPage(int step) {
    const int to = page() + step;
    if (to < 0 || to >= pages()) return;
    ShowPage(to);
}

void ImageBar::RebuildTabs() {
    {
        const QSignalBlocker quiet(tabs_);
        while (tabs_->count() > 0) tabs_->removeTab(tabs_->count() - 1);
        for (int tab = 0; tab < std::max(pages(), 1); ++tab) {
            tabs_->addTab(list_->showingFound() ? QString::number(tab + 1) : TabText(tab, itemsPerPage()));
        }
    }
    SyncTabAndLabel();
}

void ImageBar::SyncTabAndLabel() {
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(page());
    }
    label_->setText(list_->showingFound()
                        ? FoundText(page(), pages(), list_->foundCount())
                        : PageText(page(), itemsPerPage(), pages(), FtText::ShapeCount()));
    prev_->setEnabled(page() > 0);
    next_->setEnabled(page() + 1 < pages());
}

void ImageBar::ShapeClicked(int sel) {
    LogoObj* o = obj();
    if (!ready_ || sel < 0 || !o) return;
    // Without symbol fonts the grid is empty and a click picks nothing.
    if (FtText::ShapeCount() <= 0) return;
    const int n = list_->ShapeAt(sel);
    if (n < 0) return;  // an empty cell after the last search result
    std::string label;
    if (!QV_CHECK_T("n<syms", n >= 0 && n < FtText::ShapeCount())) return;
    FtText::GetSym(n, o->lt.font, label, o->lt.glyph);
    o->hint = n;
    Recompose();
}

}  // namespace qv::ui
