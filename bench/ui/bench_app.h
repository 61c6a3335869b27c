#pragma once

#include <memory>

#include "ui/main_window.h"

namespace qv::bench {

// The application the editor benchmarks run in: the offscreen platform unless QT_QPA_PLATFORM
// names another (xcb includes putting the pictures on a real screen).
void EnsureApplication();

// An editor window of 1400 x 900 showing the reference logo, with no questions about unsaved
// changes; null when the window could not be shown.
std::unique_ptr<ui::MainWindow> ShowReferenceEditor();

}  // namespace qv::bench
