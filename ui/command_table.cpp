#include "ui/command_table.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "ui/command_ids.h"

namespace qv::ui {

const std::vector<MenuPopup>& MenuBarPopups() {
    using namespace cmd;
    static const std::vector<MenuPopup> popups = {
        {"&File",
         {{kExportLogoImage, "&Export Logo Image...\tAlt+E, Ctrl+E"},
          {kExportLogoKit, "Export Logo &Kit..."},
          {0, nullptr},
          {kNewBlankProject, "&New Blank Project\tCtrl+N"},
          {kNewFromTemplate, "New From &Template...\tAlt+T"},
          {kLoadProject, "&Load Project...\tAlt+L, Ctrl+O"},
          {kSaveProject, "&Save Project\tAlt+S, Ctrl+S"},
          {kSaveProjectAs, "Save Project &As...\tCtrl+Shift+S"},
          {0, nullptr},
          {kImportImage, "&Import Image..."},
          {0, nullptr},
          {kSaveAsTemplate, "Save As Template..."},
          {0, nullptr},
          {kLogoImage, "Canvas Properties..."},
          {0, nullptr},
          {kExit, "&Exit\tCtrl+Q"}}},
        {"&Edit",
         {{kUndo, "Undo\tCtrl+Z"},
          {kRedo, "Redo\tCtrl+Y, Ctrl+Shift+Z"},
          {0, nullptr},
          {kCopyLogoImage, "Copy Logo Image"},
          {kCopyObject, "Copy Object\tCtrl+Shift+C"},
          {kPaste, "Paste\tCtrl+V"},
          {0, nullptr},
          {kSolidColor, "Solid Color"},
          {kGradientColor1, "Gradient Color #1"},
          {kGradientColor2, "Gradient Color #2"},
          {0, nullptr},
          {kOutlineColor, "Outline Color"},
          {kShadowColor, "Shadow Color"},
          {0, nullptr},
          {kBackgroundColor, "Background Color"}}},
        {"&Object",
         {{kNewText, "New &Text...\tCtrl+T"},
          {kNewImage, "New &Image...\tCtrl+I"},
          {kImportImage, "Import Custom &Bitmap..."},
          {0, nullptr},
          {kRemoveObject, "&Remove Object\tCtrl+R"},
          {0, nullptr},
          {kDuplicateObject, "&Duplicate Object\tCtrl+D"},
          {0, nullptr},
          {kBringCloser, "Bring &Closer\tCtrl+C"},
          {kSendFarther, "Send &Farther\tCtrl+F"},
          {kBringToFront, "Bring to Front"},
          {kSendToBack, "Send To Back"}}},
        {"&Window", {{kLogoImage, "Logo &Image..."}}},
        {"&Help",
         {{kHelp, "Qorvan Logo Help\tF1"},
          {kAbout, "About Qorvan Logo"},
          {kHomePage, "Qorvan Logo Home Page"}}},
    };
    return popups;
}

const std::vector<Accelerator>& AcceleratorTable() {
    using namespace cmd;
    static const std::vector<Accelerator> table = {
        {Qt::ALT | Qt::Key_E, kExportLogoImage},
        {Qt::ALT | Qt::Key_T, kNewFromTemplate},
        {Qt::ALT | Qt::Key_L, kLoadProject},
        {Qt::ALT | Qt::Key_S, kSaveProject},
        {Qt::CTRL | Qt::ALT | Qt::Key_P, kSaveProjectAsKey},
        {Qt::CTRL | Qt::Key_Z, kUndo},
        {Qt::CTRL | Qt::Key_Y, kRedo},
        {Qt::CTRL | Qt::Key_T, kNewText},
        {Qt::CTRL | Qt::Key_I, kNewImage},
        {Qt::CTRL | Qt::Key_R, kRemoveObject},
        {Qt::CTRL | Qt::Key_D, kDuplicateObject},
        {Qt::CTRL | Qt::Key_C, kBringCloser},
        {Qt::CTRL | Qt::Key_F, kSendFarther},
        {QKeyCombination(Qt::Key_F1), kHelp},
        // The keys every desktop program answers to, where the table above leaves them free.
        {Qt::CTRL | Qt::Key_N, kNewBlankProject},
        {Qt::CTRL | Qt::Key_O, kLoadProject},
        {Qt::CTRL | Qt::Key_S, kSaveProject},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_S, kSaveProjectAs},
        {Qt::CTRL | Qt::Key_E, kExportLogoImage},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, kRedo},
        {Qt::CTRL | Qt::Key_Q, kExit},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_C, kCopyObject},
        {Qt::CTRL | Qt::Key_V, kPaste},
        // Zoom; plus comes with Shift on most keyboards, so both forms count.
        {Qt::CTRL | Qt::Key_Plus, kZoomIn},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Plus, kZoomIn},
        {Qt::CTRL | Qt::Key_Equal, kZoomIn},
        {Qt::CTRL | Qt::Key_Minus, kZoomOut},
        {Qt::CTRL | Qt::Key_0, kZoomFit},
        {Qt::CTRL | Qt::Key_1, kZoomActual},
    };
    return table;
}

bool IsTextEditingKey(QKeyCombination key) {
    if (key.keyboardModifiers() != Qt::ControlModifier) return false;
    const int k = key.key();
    return k == Qt::Key_C || k == Qt::Key_X || k == Qt::Key_V || k == Qt::Key_A;
}

int AcceleratorCommand(QKeyCombination key) {
    const Qt::KeyboardModifiers mods =
        key.keyboardModifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    for (const Accelerator& a : AcceleratorTable()) {
        if (a.key.key() == key.key() && a.key.keyboardModifiers() == mods) return a.id;
    }
    return 0;
}

AcceleratorFilter::AcceleratorFilter(QWidget* window, std::function<void(int id)> run,
                                     QObject* parent)
    : QObject(parent), window_(window), run_(std::move(run)) {}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return false;
    const QKeyCombination key = static_cast<QKeyEvent*>(event)->keyCombination();
    // In a text field the clipboard keys and Select All belong to its text.
    if (qobject_cast<QLineEdit*>(widget) && IsTextEditingKey(key)) return false;
    const int id = AcceleratorCommand(key);
    if (id == 0) return false;
    if (type == QEvent::ShortcutOverride) {
        // Claim the key, so that neither a shortcut nor a menu mnemonic takes it; it comes
        // back as a key press.
        event->accept();
        return true;
    }
    if (run_) run_(id);
    return true;
}

}  // namespace qv::ui
