#pragma once

#include <QMouseEvent>
#include <QPoint>
#include <QWidget>
#include <memory>

#include "document/le_file.h"
#include "ui/main_window.h"

namespace qv::test {

// The shipped font library, loaded once for the whole test program.
void LoadShippedFonts();

// An editor window initialised and shown with a client area of cx x cy, and no questions about
// unsaved changes unless a test asks for them.
std::unique_ptr<ui::MainWindow> ShowEditor(int cx = 1000, int cy = 700);

// As ShowEditor, and made the active window, as a user's click would.
std::unique_ptr<ui::MainWindow> ActiveEditor();

LogoObj* AddText(LeFile& lf, const char* text, int x = 0, int y = 0);
LogoObj* AddShape(LeFile& lf, int x = 0, int y = 0);

// Sends a mouse event straight to a widget, as the window system would while the button is
// held.
void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos);

// Clicks the push button called `name` inside `parent`; a missing button fails the test.
void ClickButton(QWidget* parent, const char* name);

// The client point of the canvas over logo point (x, y).
QPoint CanvasPoint(const QWidget* canvas, int x, int y);

}  // namespace qv::test
