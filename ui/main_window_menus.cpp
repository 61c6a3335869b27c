// The menu bar, the enabling of commands and controls, and the command dispatch.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/guard.h"
#include "ui/align.h"
#include "ui/canvas_view.h"
#include "ui/command_ids.h"
#include "ui/command_table.h"
#include "ui/library/obj_lib.h"
#include "ui/logo_text_edit.h"
#include "ui/library/shape_index.h"
#include "ui/library/style_btn.h"
#include "ui/main_window.h"
#include "ui/menu_state.h"
#include "ui/object_preview.h"
#include "ui/page_slider.h"
#include "ui/recent_menu.h"
#include "ui/skin_button.h"
#include "ui/text_box.h"

namespace qv::ui {
namespace {

// Menu texts are shown as they are; an ampersand in an object's text is no mnemonic.
QString MenuText(const std::string& text) {
    return ShownLogoText(text)
        .replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    const std::vector<MenuPopup>& popups = MenuBarPopups();
    for (size_t p = 0; p < popups.size(); ++p) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(popups[p].title));
        menus_[p] = menu;
        for (const MenuItem& item : popups[p].items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(QString::fromUtf8(item.text));
            const int id = item.id;
            a->setData(id);
            connect(a, &QAction::triggered, this, [this, id] { Command(id); });
            actions_.emplace(id, a);
        }
    }
    BuildAlignMenu();
    // "Recent Projects" follows the project commands of the File menu.
    QAction* import_image = action(cmd::kImportImage);
    recent_ = new RecentMenu(menus_[0], import_image ? import_image : nullptr,
                             [this](const std::string& path) {
                                 if (MaySetDocumentAside()) LoadProjectFile(path);
                             });
}

void MainWindow::BuildAlignMenu() {
    static const struct {
        int id;
        const char* text;
    } kEntries[] = {{cmd::kAlignCentreH, "Centre &Horizontally"},
                    {cmd::kAlignCentreV, "Centre &Vertically"},
                    {cmd::kAlignCentreBoth, "Centre &Both"},
                    {0, nullptr},
                    {cmd::kAlignLeft, "&Left"},
                    {cmd::kAlignRight, "&Right"},
                    {cmd::kAlignTop, "&Top"},
                    {cmd::kAlignBottom, "B&ottom"}};
    QMenu* object_menu = menus_[2];
    object_menu->addSeparator();
    QMenu* align = object_menu->addMenu(QStringLiteral("Align"));
    for (const auto& e : kEntries) {
        if (e.id == 0) {
            align->addSeparator();
            continue;
        }
        QAction* a = align->addAction(QString::fromUtf8(e.text));
        const int id = e.id;
        a->setData(id);
        connect(a, &QAction::triggered, this, [this, id] { Command(id); });
        actions_.emplace(id, a);
    }
}

QAction* MainWindow::action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

int MainWindow::UpdateEditMenu() {
    const EditMenuState s = ComputeEditMenuState(lf, utrack);
    const auto enable = [this](int id, bool on) {
        for (auto [it, end] = actions_.equal_range(id); it != end; ++it) it->second->setEnabled(on);
    };
    enable(cmd::kUndo, s.undo);
    enable(cmd::kRedo, s.redo);
    enable(cmd::kSolidColor, s.solid_color);
    enable(cmd::kGradientColor1, s.gradient_colors);
    enable(cmd::kGradientColor2, s.gradient_colors);
    enable(cmd::kOutlineColor, s.outline_color);
    enable(cmd::kShadowColor, s.shadow_color);
    enable(cmd::kBackgroundColor, s.background_color);
    enable(cmd::kRemoveObject, s.remove);
    enable(cmd::kDuplicateObject, s.remove);
    enable(cmd::kBringCloser, s.closer);
    enable(cmd::kBringToFront, s.closer);
    enable(cmd::kSendFarther, s.farther);
    enable(cmd::kSendToBack, s.farther);
    enable(cmd::kCopyObject, s.remove);
    for (int id = cmd::kAlignCentreH; id <= cmd::kAlignBottom; ++id) {
        const bool edges = NeedsFixedCanvas(static_cast<Alignment>(id - cmd::kAlignCentreH));
        enable(id, s.remove && (!edges || lf.fixed != 0));
    }
    obj2_->SetEnabledFlag(s.previous_button);
    obj3_->SetEnabledFlag(s.next_button);
    obj1_->SetEnabledFlag(s.current_button);
    for (SkinButton* b : nav_) b->SetEnabledFlag(s.bar_buttons);
    if (s.captions != EditMenuState::Captions::kKeep) {
        const bool image = s.captions == EditMenuState::Captions::kImage;
        for (int k = 0; k < 5; ++k) {
            SkinButton* b = nav_[size_t(k)];
            b->SetText(BarButtonCaption(image, k));
            b->setToolTip(BarButtonTooltip(b->text()));
        }
    }
    menuBar()->update();
    return 0;
}

int MainWindow::UpdateWndMenu() {
    QMenu* menu = menus_[3];
    if (!QV_CHECK_T("m1->DeleteMenu(3,MF_BYPOSITION)", menu != nullptr)) return 0;
    for (auto it = actions_.begin(); it != actions_.end();) {
        if (it->second->parent() == menu) {
            it = actions_.erase(it);
        } else {
            ++it;
        }
    }
    for (QAction* a : menu->actions()) {
        menu->removeAction(a);
        if (a->parent() == menu) delete a;
    }
    for (const WindowEntry& e : WindowMenuEntries(lf)) {
        if (e.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* a = new QAction(MenuText(e.text), menu);
        const int id = e.id;
        a->setData(id);
        connect(a, &QAction::triggered, this, [this, id] { Command(id); });
        menu->addAction(a);
        actions_.emplace(id, a);
    }
    QAction* logo = new QAction(QStringLiteral("Logo &Image..."), menu);
    logo->setData(int(cmd::kLogoImage));
    connect(logo, &QAction::triggered, this, [this] { Command(cmd::kLogoImage); });
    menu->addAction(logo);
    actions_.emplace(cmd::kLogoImage, logo);
    menuBar()->update();
    return 0;
}

int MainWindow::EnableMenu(bool enable) {
    for (QMenu* m : menus_)
        QV_CHECK_T("m1->EnableMenuItem(n,MF_BYPOSITION)",
                   (m->menuAction()->setEnabled(enable), true));
    menuBar()->update();
    for (HoverControl* c : {static_cast<HoverControl*>(obj1_), static_cast<HoverControl*>(obj2_),
                            static_cast<HoverControl*>(obj3_)}) {
        c->SetEnabledFlag(enable);
    }
    for (SkinButton* b : nav_) b->SetEnabledFlag(enable);
    for (HoverControl* c :
         {static_cast<HoverControl*>(sl1_), static_cast<HoverControl*>(sl2_),
          static_cast<HoverControl*>(sl1_btn1_), static_cast<HoverControl*>(sl1_btn2_),
          static_cast<HoverControl*>(sl2_btn1_), static_cast<HoverControl*>(sl2_btn2_)}) {
        c->SetEnabledFlag(enable);
    }
    lib_->SetEnabledFlag(enable);
    style_row_->SetEnabledFlag(enable);
    for (HoverControl* b : style_buttons_) b->SetEnabledFlag(enable);
    return 0;
}

int MainWindow::UpdateLibSel(bool focus_text) {
    // Keys typed on the canvas keep the keyboard there.
    if (canvas_keys_) focus_text = false;
    if (lf.GetCount() <= 0) {
        // Nothing left to edit: the box must not keep a removed object's text.
        text_->LoadDocumentText({});
        return 0;
    }
    LogoObj* c = lf.cur >= 0 && lf.cur < lf.objs ? lf.obj[lf.cur].get() : nullptr;
    if (!c) return 0;
    if (c->type == LogoObj::kShape) {
        const int sn = ShapeIndexOf(*c);
        const int page = sn >= 0 ? lib_->ShowShape(sn) : -1;
        if (page >= 0 && page != sl1_->page()) sl1_->SetPages(lib_->pages(), page);
    }
    if (c->type == LogoObj::kText) {
        text_->LoadDocumentText(c->lt.str);
        if (focus_text) {
            text_->setFocus(Qt::OtherFocusReason);
            text_->end(false);
        }
    } else {
        text_->LoadDocumentText({});
        canvas_->setFocus(Qt::OtherFocusReason);
    }
    return 0;
}

bool MainWindow::CommandAvailable(int id) const {
    // While a bar is open every menu is greyed and its commands are unavailable.
    if (bar_open_) return false;
    if (id >= cmd::kWindowFirst && id <= cmd::kWindowLast) return true;
    if (id == cmd::kSaveProjectAsKey) return true;
    // Zooming changes only the view.
    if (id >= cmd::kZoomIn && id <= cmd::kZoomActual) return true;
    const auto it = actions_.find(id);
    if (it == actions_.end()) return false;
    return it->second->isEnabled();
}

void MainWindow::RunAccelerator(int id) {
    Command(id);
}

bool MainWindow::Command(int id) {
    FlushTyping();
    if (!CommandAvailable(id)) return false;
    if (id >= cmd::kWindowFirst && id <= cmd::kWindowLast) {
        WindowMenuCommand(id);
        return true;
    }
    switch (id) {
        case cmd::kExportLogoImage:
            ExportLogoImage();
            break;
        case cmd::kExportLogoKit:
            ExportLogoKit();
            break;
        case cmd::kNewBlankProject:
            NewBlankProject();
            break;
        case cmd::kNewFromTemplate:
            NewFromTemplate();
            break;
        case cmd::kLoadProject:
            LoadProjectCmd();
            break;
        case cmd::kSaveProject:
            SaveProjectCmd();
            break;
        case cmd::kSaveProjectAs:
        case cmd::kSaveProjectAsKey:
            SaveProjectAsCmd();
            break;
        case cmd::kImportImage:
            ImportImageCmd();
            break;
        case cmd::kSaveAsTemplate:
            SaveAsTemplateCmd();
            break;
        case cmd::kLogoImage:
            EditLogoOptions();
            break;
        case cmd::kExit:
            ExitCmd();
            break;
        case cmd::kUndo:
            UndoCmd();
            break;
        case cmd::kRedo:
            RedoCmd();
            break;
        case cmd::kCopyLogoImage:
            CopyLogoImageCmd();
            break;
        case cmd::kCopyObject:
            CopyObjectCmd();
            break;
        case cmd::kPaste:
            PasteCmd();
            break;
        case cmd::kSolidColor:
            EditColor(0);
            break;
        case cmd::kGradientColor1:
            EditColor(1);
            break;
        case cmd::kGradientColor2:
            EditColor(2);
            break;
        case cmd::kOutlineColor:
            EditColor(3);
            break;
        case cmd::kShadowColor:
            EditColor(4);
            break;
        case cmd::kBackgroundColor:
            EditColor(5);
            break;
        case cmd::kNewText:
            QV_CHECK_T("EditText(TRUE)", (EditText(true), true));
            break;
        case cmd::kNewImage:
            QV_CHECK_T("EditImage(TRUE)", (EditImage(true), true));
            break;
        case cmd::kRemoveObject:
            RemoveObject();
            break;
        case cmd::kDuplicateObject:
            DuplicateObject();
            break;
        case cmd::kBringCloser:
        case cmd::kSendFarther:
        case cmd::kBringToFront:
        case cmd::kSendToBack:
            ReorderObject(id);
            break;
        case cmd::kHelp:
            OpenHelp();
            break;
        case cmd::kAbout:
            ShowAbout();
            break;
        case cmd::kHomePage:
            OpenHomePage();
            break;
        case cmd::kZoomIn:
            canvas_->ZoomIn();
            break;
        case cmd::kZoomOut:
            canvas_->ZoomOut();
            break;
        case cmd::kZoomFit:
            canvas_->ZoomToFit();
            break;
        case cmd::kZoomActual:
            canvas_->SetZoom(1.0);
            break;
        case cmd::kAlignCentreH:
        case cmd::kAlignCentreV:
        case cmd::kAlignCentreBoth:
        case cmd::kAlignLeft:
        case cmd::kAlignRight:
        case cmd::kAlignTop:
        case cmd::kAlignBottom:
            AlignCurrent(id);
            break;
        default:
            return false;
    }
    return true;
}

void MainWindow::ObjectMenu(const QPoint& global, int choose) {
    if (choose == 0) {
        QMenu menu(this);
        for (const WindowEntry& e : ObjectMenuEntries(lf)) {
            QAction* a = menu.addAction(MenuText(e.text));
            a->setData(e.id);
        }
        const QSize size = menu.sizeHint();
        QAction* picked = menu.exec(QPoint(global.x() - size.width() / 2, global.y()));
        if (picked) choose = picked->data().toInt();
    }
    if (choose != 0) ObjectMenuChosen(choose);
    obj1_->Release();
}

void MainWindow::ObjectMenuChosen(int id) {
    if (!QV_CHECK_T("id>=50100&&id<50200",
                    id >= cmd::kObjectMenuFirst && id <= cmd::kObjectMenuLast)) {
        return;
    }
    const int nobj = id - cmd::kObjectMenuFirst;
    if (!QV_CHECK_T("nobj<mw->lf.GetCount()", nobj < lf.GetCount())) return;
    QV_CHECK_T("mw->lf.SetCurObj(nobj)", lf.SetCurObj(nobj) == 0);
    TrackStep();
    QV_CHECK_T("UpdateOutWnd()", UpdateOutWnd() == 0);
    QV_CHECK_T("UpdateLibSel()", UpdateLibSel() == 0);
}

}  // namespace qv::ui
