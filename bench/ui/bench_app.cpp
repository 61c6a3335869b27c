#include "bench/ui/bench_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

#include "bench/reference_logo.h"

namespace qv::bench {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "ui_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

std::unique_ptr<ui::MainWindow> ShowReferenceEditor() {
    EnsureApplication();
    EnsureFonts();
    auto mw = std::make_unique<ui::MainWindow>();
    mw->SetPrompt([](const QString&) { return ui::SaveChoice::kDiscard; });
    mw->Init(false);
    mw->resize(1400, 900);
    mw->show();
    if (!QTest::qWaitForWindowExposed(mw.get())) return nullptr;
    QCoreApplication::processEvents();
    BuildReferenceLogo(mw->lf);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    return mw;
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

}  // namespace qv::bench
