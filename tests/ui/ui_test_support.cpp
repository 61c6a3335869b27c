#include "tests/ui/ui_test_support.h"

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "app/install_dir.h"
#include "output/bitmap_import.h"
#include "render/ft_text.h"
#include "tests/ui/mouse.h"
#include "ui/editor_area.h"

namespace qv::test {

void LoadShippedFonts() {
    SetInstallDir(QV_TEST_INSTALL_TREE);
    InstallBitmapLoader();
    if (FtText::FontCount() == 0) FtText::InitFt();
}

std::unique_ptr<ui::MainWindow> ShowEditor(int cx, int cy) {
    auto mw = std::make_unique<ui::MainWindow>();
    mw->SetPrompt([](const QString&) { return ui::SaveChoice::kDiscard; });
    mw->Init(false);
    mw->resize(cx, cy + mw->menuBar()->sizeHint().height());
    mw->show();
    if (!QTest::qWaitForWindowExposed(mw.get())) return mw;
    QCoreApplication::processEvents();
    // Whatever the window system made of the size, lay out for exactly cx x cy.
    mw->area()->resize(cx, cy);
    mw->OnSize(cx, cy);
    return mw;
}

LogoObj* AddText(LeFile& lf, const char* text, int x, int y) {
    LogoObj* o = lf.AddObj(LogoObj::kText);
    o->lt.str = text;
    o->x = x;
    o->y = y;
    return o;
}

LogoObj* AddShape(LeFile& lf, int x, int y) {
    LogoObj* o = lf.AddObj(LogoObj::kShape);
    o->x = x;
    o->y = y;
    return o;
}

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos) {
    Mouse(widget, type, pos);
}

std::unique_ptr<ui::MainWindow> ActiveEditor() {
    auto mw = ShowEditor();
    mw->activateWindow();
    QApplication::setActiveWindow(mw.get());
    if (!QTest::qWaitForWindowActive(mw.get())) qWarning("the editor did not become active");
    return mw;
}

QPoint CanvasPoint(const QWidget* canvas, int x, int y) {
    return {canvas->width() / 2 + x, canvas->height() / 2 + y};
}

void ClickButton(QWidget* parent, const char* name) {
    auto* button = parent->findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace qv::test
