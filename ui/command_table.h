#pragma once

#include <QKeyCombination>
#include <QObject>
#include <functional>
#include <vector>

class QWidget;

namespace qv::ui {

// One menu entry: a command id and its text (with the accelerator's name after a tab), or a
// separator when the id is 0.
struct MenuItem {
    int id;
    const char* text;
};

struct MenuPopup {
    const char* title;
    std::vector<MenuItem> items;
};

// The menu bar's five popups in order. The Window popup lists only its fixed last entry; the
// object entries in front of it are computed (WindowMenuEntries).
const std::vector<MenuPopup>& MenuBarPopups();

struct Accelerator {
    QKeyCombination key;
    int id;
};

// The accelerator table: keys translated into commands before any control sees them.
const std::vector<Accelerator>& AcceleratorTable();

// The command of a key, or 0.
int AcceleratorCommand(QKeyCombination key);
// Ctrl+C, Ctrl+X, Ctrl+V and Ctrl+A: in a text field they act on its text, not as accelerators.
bool IsTextEditingKey(QKeyCombination key);

// Translates the accelerator keys of one window before its controls see them, as a dialog's
// accelerator table does: Ctrl+C in the text box is Bring Closer, and Alt+E is Export Logo Image
// rather than the Edit menu's mnemonic. `run` decides whether the command is available.
class AcceleratorFilter : public QObject {
    Q_OBJECT
public:
    AcceleratorFilter(QWidget* window, std::function<void(int id)> run, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<void(int id)> run_;
};

}  // namespace qv::ui
