// Buttons, accelerators, the text box's notifications and the hover timer.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_dialog.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/text_bar.h"
#include "ui/canvas_view.h"
#include "ui/command_ids.h"
#include "ui/command_table.h"
#include "ui/skin_button.h"
#include "ui/text_box.h"

using namespace qv;
using namespace qv::ui;

namespace {

using test::ActiveEditor;

// The title of the next modal dialog, which is closed at once.
struct ModalWatcher {
    QString title;
    ModalWatcher() {
        QTimer::singleShot(0, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                title = w->windowTitle();
                w->close();
            }
        });
    }
};

// Types text that may lie outside ASCII, one key event a character.
void Type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void NextCaptionGoesToPreviousObject();
    void PrevCaptionGoesToNextObject();
    void DisabledButtonDoesNothing();
    void EnterAndEscapeDoNothing();
    void CtrlCIsBringCloserOutsideTheTextBox();
    void ClipboardKeysInTheTextBoxActOnItsText();
    void StandardShortcutsRunTheirCommands();
    void AcceleratorOfGreyedCommandDoesNothing();
    void AltEIsExportNotTheEditMenu();
    void RemoveUndoRedo();
    void NewTextAddsAnObjectForItsBar();
    void FocusWithoutTextObjectAddsOne();
    void FocusPicksFirstTextObject();
    void NewTextContrastsWithADarkBackground();
    void WindowActivationLeavesTheCurrentObject();
    void TypingBurstIsOneUndoStep();
    void TypedTextSurvivesACancelledBar();
    void AnyCharacterIsAccepted();
    void TextBoxStopsAt499Characters();
    void EmptyTextRemovedOnLeaving();
    void HoverAndBlinking();
    void BarModeLocksTheEditor();
};

void CommandsTest::NextCaptionGoesToPreviousObject() {
    auto mw = test::ShowEditor();
    for (const char* t : {"a", "b", "c"}) test::AddText(mw->lf, t);
    mw->Refresh();
    SkinButton* b = mw->previousObjectButton();
    QCOMPARE(b->text(), QStringLiteral("Next"));
    const int undoes = mw->utrack.undoes;
    QTest::mousePress(b, Qt::LeftButton);
    QCOMPARE(mw->lf.cur, 1);
    QCOMPARE(mw->utrack.undoes, undoes + 1);
    QTest::mouseRelease(b, Qt::LeftButton);
    QTest::mousePress(b, Qt::LeftButton);
    QCOMPARE(mw->lf.cur, 0);
}

void CommandsTest::PrevCaptionGoesToNextObject() {
    auto mw = test::ShowEditor();
    for (const char* t : {"a", "b", "c"}) test::AddText(mw->lf, t);
    mw->lf.SetCurObj(0);
    mw->Refresh();
    SkinButton* b = mw->nextObjectButton();
    QCOMPARE(b->text(), QStringLiteral("Prev"));
    QTest::mousePress(b, Qt::LeftButton);
    QCOMPARE(mw->lf.cur, 1);
}

void CommandsTest::DisabledButtonDoesNothing() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "a");
    test::AddText(mw->lf, "b");
    mw->lf.SetCurObj(0);
    mw->Refresh();
    QVERIFY(!mw->previousObjectButton()->enabledFlag());
    QTest::mousePress(mw->previousObjectButton(), Qt::LeftButton);
    QCOMPARE(mw->lf.cur, 0);
    QCOMPARE(mw->utrack.undoes, 0);
}

void CommandsTest::EnterAndEscapeDoNothing() {
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "Stays");
    mw->Refresh();
    for (QWidget* target : {static_cast<QWidget*>(mw.get()), static_cast<QWidget*>(mw->canvas()),
                            static_cast<QWidget*>(mw->textBox())}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
    }
    QVERIFY(mw->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Stays"));
    QCOMPARE(mw->utrack.undoes, 0);
}

void CommandsTest::CtrlCIsBringCloserOutsideTheTextBox() {
    test::FaultCapture faults;
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "back");
    test::AddText(mw->lf, "front");
    mw->lf.SetCurObj(0);
    mw->Refresh();
    mw->setFocus();
    QTest::keyClick(mw.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(mw->lf.obj[1]->lt.str, std::string("back"));
    QCOMPARE(mw->lf.cur, 1);
    QCOMPARE(mw->utrack.undoes, 1);
    QVERIFY(faults.faults.empty());
}

// In the text box the clipboard keys and Select All act on its text, as in every text field.
void CommandsTest::ClipboardKeysInTheTextBoxActOnItsText() {
    test::FaultCapture faults;
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "back");
    test::AddText(mw->lf, "front");
    mw->lf.SetCurObj(0);
    mw->Refresh();
    QVERIFY(mw->textBox()->hasFocus());
    QTest::keyClick(mw->textBox(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(mw->textBox()->selectedText(), QStringLiteral("back"));
    QTest::keyClick(mw->textBox(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("back"));
    QCOMPARE(mw->lf.cur, 0);  // not brought closer
    QTest::keyClick(mw->textBox(), Qt::Key_End);
    QTest::keyClick(mw->textBox(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(mw->textBox()->text(), QStringLiteral("backback"));
    QCOMPARE(mw->lf.objs, 2);
    QVERIFY(faults.faults.empty());
}

// The keys every desktop program answers to run the commands beside the original accelerators.
void CommandsTest::StandardShortcutsRunTheirCommands() {
    const struct {
        QKeyCombination key;
        int id;
    } keys[] = {
        {Qt::CTRL | Qt::Key_N, cmd::kNewBlankProject},   {Qt::CTRL | Qt::Key_O, cmd::kLoadProject},
        {Qt::CTRL | Qt::Key_S, cmd::kSaveProject},       {Qt::CTRL | Qt::SHIFT | Qt::Key_S, cmd::kSaveProjectAs},
        {Qt::CTRL | Qt::Key_E, cmd::kExportLogoImage},   {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, cmd::kRedo},
        {Qt::CTRL | Qt::Key_Q, cmd::kExit},              {Qt::ALT | Qt::Key_S, cmd::kSaveProject},
        {Qt::CTRL | Qt::Key_C, cmd::kBringCloser},       {Qt::CTRL | Qt::Key_Y, cmd::kRedo},
    };
    for (const auto& k : keys) QCOMPARE(AcceleratorCommand(k.key), k.id);
    QVERIFY(IsTextEditingKey(Qt::CTRL | Qt::Key_V));
    QVERIFY(!IsTextEditingKey(Qt::CTRL | Qt::SHIFT | Qt::Key_C));

    // Ctrl+Shift+Z redoes what Ctrl+Z undid.
    test::FaultCapture faults;
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "one");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    QTest::keyClick(mw.get(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 0);
    QTest::keyClick(mw.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 1);
    QTest::keyClick(mw.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(mw->lf.objs, 0);
    QVERIFY(faults.faults.empty());
}

void CommandsTest::AcceleratorOfGreyedCommandDoesNothing() {
    test::FaultCapture faults;
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "only");
    mw->Refresh();
    QVERIFY(!mw->action(cmd::kBringCloser)->isEnabled());
    mw->setFocus();
    QTest::keyClick(mw.get(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(mw.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(mw->utrack.undoes, 0);
    QCOMPARE(mw->lf.objs, 1);
    QVERIFY(faults.faults.empty());
}

void CommandsTest::AltEIsExportNotTheEditMenu() {
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "Export me");
    mw->Refresh();
    ModalWatcher watcher;
    QTest::keyClick(mw.get(), Qt::Key_E, Qt::AltModifier);
    QCOMPARE(watcher.title, QStringLiteral("Save Logo Image..."));
    QVERIFY(!mw->popup(1)->isVisible());
}

void CommandsTest::RemoveUndoRedo() {
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "one");
    test::AddText(mw->lf, "two");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    QTest::keyClick(mw.get(), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 1);
    QVERIFY(mw->action(cmd::kUndo)->isEnabled());
    QVERIFY(mw->Command(cmd::kUndo));
    QCOMPARE(mw->lf.objs, 2);
    QVERIFY(mw->action(cmd::kRedo)->isEnabled());
    QTest::keyClick(mw.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 1);
    QVERIFY(!mw->action(cmd::kRedo)->isEnabled());
}

void CommandsTest::NewTextAddsAnObjectForItsBar() {
    auto mw = ActiveEditor();
    QTest::keyClick(mw.get(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->type, LogoObj::kText);
    QVERIFY(mw->lastBarRequest().has_value());
    QCOMPARE(int(mw->lastBarRequest()->bar), int(OptionBar::kText));
    QCOMPARE(mw->lastBarRequest()->new_kind, int(LogoObj::kText));
    // The Text bar now holds the editor until it is closed.
    QVERIFY(mw->barOpen());
    QVERIFY(ui::OpenBar(mw.get()));
    ui::OpenBar(mw.get())->accept();
    QTest::keyClick(mw.get(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 2);
    QCOMPARE(mw->lf.obj[1]->type, LogoObj::kShape);
    QCOMPARE(int(mw->lastBarRequest()->bar), int(OptionBar::kImage));
}

void CommandsTest::FocusWithoutTextObjectAddsOne() {
    auto mw = ActiveEditor();
    test::AddShape(mw->lf);
    mw->Refresh();
    mw->textBox()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(mw->lf.objs, 2);
    QCOMPARE(mw->lf.GetCurObj()->type, LogoObj::kText);
    QCOMPARE(mw->textBox()->text(), QStringLiteral("New Text"));
    QCOMPARE(mw->textBox()->cursorPosition(), 8);
    QCOMPARE(mw->utrack.undoes, 1);
    QCOMPARE(mw->lf.GetCurObj()->lt.color, (Hls{0, 0, 0}));  // black on the light background
}

// On a dark background a new text is white, not an invisible black.
void CommandsTest::NewTextContrastsWithADarkBackground() {
    auto mw = ActiveEditor();
    mw->lf.bgc = Hls{160, 240, 40};  // dark blue
    mw->Refresh();
    QTest::keyClick(mw.get(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->lt.color, (Hls{0, 0, 240}));
    QVERIFY(IsDarkColour(Hls{0, 0, 0}));
    QVERIFY(!IsDarkColour(Hls{40, 240, 120}));  // yellow
    QVERIFY(IsDarkColour(Hls{160, 240, 120}));  // pure blue
}

void CommandsTest::FocusPicksFirstTextObject() {
    auto mw = ActiveEditor();
    test::AddShape(mw->lf);
    test::AddText(mw->lf, "first text");
    test::AddText(mw->lf, "second text");
    mw->lf.SetCurObj(0);
    mw->Refresh();
    QVERIFY(mw->canvas()->hasFocus());
    mw->textBox()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(mw->lf.cur, 1);
    QCOMPARE(mw->lf.objs, 3);
    QCOMPARE(mw->textBox()->text(), QStringLiteral("first text"));
}

// The focus coming back with the window (which, without a window manager, happens on the click
// that has just made a shape current) is not the user going to the box.
void CommandsTest::WindowActivationLeavesTheCurrentObject() {
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "Harbor");
    test::AddShape(mw->lf);
    test::AddText(mw->lf, "  ");
    mw->lf.SetCurObj(1);
    mw->Refresh();
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(mw->textBox(), &back);
    QCOMPARE(mw->lf.cur, 1);
    QCOMPARE(mw->lf.objs, 3);
    // Nor is leaving the window a leaving of the box: the empty text stays.
    mw->lf.SetCurObj(2);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(mw->textBox(), &away);
    QCOMPARE(mw->lf.objs, 3);
}

void CommandsTest::TypingBurstIsOneUndoStep() {
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "Cafe");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    Type(mw->textBox(), QStringLiteral("\u00e9 \u20ac"));
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Cafe\xC3\xA9 \xE2\x82\xAC"));
    QCOMPARE(mw->popup(3)->actions().first()->text(), QStringLiteral("Text: Cafe\u00e9 \u20ac"));
    // When the typing pauses, the whole burst becomes one step.
    QTRY_VERIFY(mw->action(cmd::kUndo)->isEnabled());
    QCOMPARE(mw->utrack.undoes, 1);
    QVERIFY(mw->Command(cmd::kUndo));
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Cafe"));
    QVERIFY(mw->Command(cmd::kRedo));
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Cafe\xC3\xA9 \xE2\x82\xAC"));
}

// Typed text used to be thrown away by the next Undo or by a bar's Cancel, because no step
// held it; now anything that changes the document first records the typing.
void CommandsTest::TypedTextSurvivesACancelledBar() {
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "x");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    mw->textBox()->selectAll();
    Type(mw->textBox(), QStringLiteral("BLUE HERON"));
    mw->EditText();
    BarDialog* bar = OpenBar(mw.get());
    QVERIFY(bar);
    test::ClickButton(bar, "cancel");
    QVERIFY(!mw->barOpen());
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("BLUE HERON"));
    QVERIFY(mw->Command(cmd::kUndo));
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("x"));
}

// Every script is logo text: nothing is refused, and the document keeps what was typed.
void CommandsTest::AnyCharacterIsAccepted() {
    auto mw = ActiveEditor();
    test::AddText(mw->lf, "x");
    mw->Refresh();
    mw->textBox()->selectAll();
    const QString typed = QStringLiteral("Caf\u00e9 Gr\u00f6\u00dfe \u0141\u00f3d\u017a");
    Type(mw->textBox(), typed);
    QCOMPARE(mw->textBox()->text(), typed);
    QCOMPARE(mw->lf.obj[0]->lt.str, typed.toStdString());
    // The menus name the object by what was typed.
    QCOMPARE(mw->popup(3)->actions().first()->text(), QStringLiteral("Text: ") + typed);
    // The Text bar shows it as typed and keeps it on Ok.
    mw->EditText();
    auto* bar = qobject_cast<TextBar*>(OpenBar(mw.get()));
    QVERIFY(bar);
    QCOMPARE(bar->textLine()->text(), typed);
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->lf.obj[0]->lt.str, typed.toStdString());
    QCOMPARE(mw->textBox()->text(), typed);
}

// The engine lays out 499 characters at most: the box takes no more, typed or pasted, and
// nothing the user types there reaches the fault report.
void CommandsTest::TextBoxStopsAt499Characters() {
    test::FaultCapture faults;
    auto mw = ActiveEditor();
    test::AddText(mw->lf, std::string(497, 'a').c_str());
    mw->Refresh();
    TextBox* box = mw->textBox();
    QCOMPARE(box->maxLength(), 499);
    Type(box, QStringLiteral("bcd"));
    QCOMPARE(box->text().size(), 499);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string(497, 'a') + "bc");

    QGuiApplication::clipboard()->setText(QString(600, QChar(0xE9)));
    box->selectAll();
    box->paste();
    std::string e_acute;
    for (int n = 0; n < 499; ++n) e_acute += "\xC3\xA9";
    QCOMPARE(mw->lf.obj[0]->lt.str, e_acute);
    QVERIFY(faults.faults.empty());

    // A longer text from elsewhere is shown cut as well.
    TextBox other;
    other.LoadDocumentText(std::string(600, 'z'));
    QCOMPARE(other.text(), QString(499, QLatin1Char('z')));
}

void CommandsTest::EmptyTextRemovedOnLeaving() {
    auto mw = ActiveEditor();
    test::AddShape(mw->lf);
    test::AddText(mw->lf, "  ");
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    QVERIFY(mw->textBox()->hasFocus());
    mw->canvas()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->type, LogoObj::kShape);
    QCOMPARE(mw->utrack.undoes, 1);
}

void CommandsTest::HoverAndBlinking() {
    auto mw = test::ShowEditor();
    SkinButton* b = mw->currentObjectButton();
    const QPoint inside = b->mapToGlobal(QPoint(5, 5));
    const QPoint outside = b->mapToGlobal(QPoint(-500, -500));
    b->MoTimer(inside);
    QVERIFY(b->hovered());
    b->MoTimer(outside);
    QVERIFY(!b->hovered());
    b->SetBlinking(true);
    QString pattern;
    for (int tick = 0; tick < 42; ++tick) {
        b->MoTimer(outside);
        pattern += b->hovered() ? QLatin1Char('1') : QLatin1Char('0');
    }
    // Off for eleven ticks, on for ten, once the counter has come round.
    QCOMPARE(pattern, QStringLiteral("000000000011111111110000000000011111111110"));
    b->MoTimer(inside);
    QVERIFY(b->hovered());
}

void CommandsTest::BarModeLocksTheEditor() {
    auto mw = test::ShowEditor();
    test::AddText(mw->lf, "a");
    test::AddText(mw->lf, "b");
    mw->Refresh();
    mw->PreBarModal(-1);
    QVERIFY(mw->barOpen());
    for (int p = 0; p < 5; ++p) QVERIFY(!mw->popup(p)->menuAction()->isEnabled());
    QVERIFY(!mw->currentObjectButton()->enabledFlag());
    QVERIFY(!mw->barButton(2)->enabledFlag());
    QVERIFY(!mw->Command(cmd::kRemoveObject));
    QCOMPARE(mw->lf.objs, 2);
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2),
                   mw->currentObjectButton()->mapToGlobal(QPoint(2, 2)));
    QVERIFY(static_cast<QObject*>(mw.get())->eventFilter(mw->currentObjectButton(), &tip));
    // The text box ignores its notifications while a bar is open.
    mw->textBox()->setText(QStringLiteral("typed"));
    emit mw->textBox()->textEdited(QStringLiteral("typed"));
    QCOMPARE(mw->lf.obj[1]->lt.str, std::string("b"));
    mw->PostBarModal(true);
    mw->EnableMenu(true);
    mw->UpdateEditMenu();
    QVERIFY(mw->Command(cmd::kRemoveObject));
    QVERIFY(!static_cast<QObject*>(mw.get())->eventFilter(mw->currentObjectButton(), &tip));
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
