#pragma once

#include <memory>

#include <QEvent>
#include <QPoint>

#include "ui/main_window.h"

namespace qv::bench {

// The application the editor benchmarks run in: the offscreen platform unless QT_QPA_PLATFORM
// names another (xcb includes putting the pictures on a real screen).
void EnsureApplication();

// An editor window of 1400 x 900 showing the reference logo, with no questions about unsaved
// changes; null when the window could not be shown.
std::unique_ptr<ui::MainWindow> ShowReferenceEditor();

// A left-button press, move (no button) or release at `p` in `w`, as the canvas receives it.
void SendMouse(QWidget* w, QEvent::Type type, QPoint p);

}  // namespace qv::bench
