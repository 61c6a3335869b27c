// The Text bar: new text by Ctrl+T with Ok and Cancel, the text line's focus, length and
// character set, the caption, the aspect-ratio slider and the font list drawn by the engine.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "app/file_io.h"
#include "app/install_dir.h"
#include "document/logo_obj.h"
#include "persist/recent_fonts.h"
#include "render/ft_text.h"
#include "render/system_fonts.h"
#include "render/typeface_category.h"
#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/fonts_box.h"
#include "ui/bars/text_bar.h"
#include "ui/canvas_view.h"
#include "ui/command_ids.h"
#include "ui/value_slider.h"

using namespace qv;
using namespace qv::ui;

namespace {

TextBar* NewText(MainWindow& mw) {
    QTest::keyClick(&mw, Qt::Key_T, Qt::ControlModifier);
    return qobject_cast<TextBar*>(OpenBar(&mw));
}

using test::ActiveEditor;

// Types text that may lie outside ASCII, one key event a character.
void Type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace

class TextBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }
    void OkIsOneUndoStepWithTheNewObject();
    void CancelLeavesNoObjectAndRedoBringsItBack();
    void TextLineHasFocusWithTextSelected();
    void CaptionFollowsTheText();
    void TextLineStopsAt499Characters();
    void TextLineKeepsAnyScript();
    void AspectSliderEndsAndMiddle();
    void SizeAndSpacingAreStored();
    void FontListRendersOnlyVisibleRows();
    void ChoosingAFontStoresIt();
    void SearchListsFontsOfEveryTab();
    void CategoryFilterKeepsOnlyThatCategory();
    void RecentlyUsedListsTheFontsChosenLast();
    void AddedFontFileIsListedAndChosen();
};

void TextBarTest::OkIsOneUndoStepWithTheNewObject() {
    auto mw = ActiveEditor();
    const int before = mw->utrack.undoes;
    TextBar* bar = NewText(*mw);
    QVERIFY(bar);
    QCOMPARE(mw->lf.objs, 1);
    bar->textLine()->setText(QStringLiteral("Acme"));
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Acme"));
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->utrack.undoes, before + 1);
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Acme"));
    QVERIFY(mw->Command(cmd::kUndo));
    QCOMPARE(mw->lf.objs, 0);
}

void TextBarTest::CancelLeavesNoObjectAndRedoBringsItBack() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    QVERIFY(bar);
    bar->textLine()->setText(QStringLiteral("Typed"));
    test::ClickButton(bar, "cancel");
    QCOMPARE(mw->lf.objs, 0);
    QVERIFY(!mw->barOpen());
    QVERIFY(mw->Command(cmd::kRedo));
    QCOMPARE(mw->lf.objs, 1);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Typed"));
}

void TextBarTest::TextLineHasFocusWithTextSelected() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    QVERIFY(bar);
    QVERIFY(QTest::qWaitForWindowActive(bar));
    QTRY_COMPARE(QApplication::focusWidget(), bar->textLine());
    QVERIFY(bar->textLine()->hasSelectedText());
    QCOMPARE(bar->textLine()->selectedText(), bar->textLine()->text());
    QVERIFY(!bar->textLine()->text().isEmpty());
    // Typing replaces the selected text.
    QTest::keyClicks(bar->textLine(), QStringLiteral("Hi"));
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string("Hi"));
    test::ClickButton(bar, "ok");
}

void TextBarTest::CaptionFollowsTheText() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    QCOMPARE(bar->windowTitle(),
             QStringLiteral("Basic Text Options: '") + bar->textLine()->text() + "'");
    bar->textLine()->setText(QStringLiteral("Brand"));
    QCOMPARE(bar->windowTitle(), QStringLiteral("Basic Text Options: 'Brand'"));
    QCOMPARE(bar->objectEdit()->text(), QStringLiteral("Brand"));
    test::ClickButton(bar, "cancel");
}

// The engine lays out 499 characters at most: the line takes no more, typed or pasted, and
// nothing the user types there reaches the fault report.
void TextBarTest::TextLineStopsAt499Characters() {
    test::FaultCapture faults;
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    QLineEdit* line = bar->textLine();
    QCOMPARE(line->maxLength(), 499);
    line->setText(QString(497, QLatin1Char('a')));
    line->end(false);
    Type(line, QStringLiteral("bcd"));
    QCOMPARE(line->text().size(), 499);
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string(497, 'a') + "bc");

    QGuiApplication::clipboard()->setText(QString(600, QLatin1Char('x')));
    line->selectAll();
    line->paste();
    QCOMPARE(mw->lf.obj[0]->lt.str, std::string(499, 'x'));
    // Characters beyond ASCII count once each, as the document stores them.
    line->setText(QString(600, QChar(0xE9)));
    std::string e_acute;
    for (int n = 0; n < 499; ++n) e_acute += "\xC3\xA9";
    QCOMPARE(mw->lf.obj[0]->lt.str, e_acute);
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->lf.obj[0]->lt.str, e_acute);
    QVERIFY(faults.faults.empty());
}

// Any character is logo text: typed, kept by Ok, and shown again as it was typed, never
// turned into the bytes of another character set.
void TextBarTest::TextLineKeepsAnyScript() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    QLineEdit* line = bar->textLine();
    line->clear();
    const QString typed = QStringLiteral("Caf\u00e9 Gr\u00f6\u00dfe \u0141\u00f3d\u017a");
    const std::string utf8 = "Caf\xC3\xA9 Gr\xC3\xB6\xC3\x9F" "e \xC5\x81\xC3\xB3\x64\xC5\xBA";
    Type(line, typed);
    QCOMPARE(line->text(), typed);
    QCOMPARE(mw->lf.obj[0]->lt.str, utf8);
    QCOMPARE(bar->windowTitle(), QStringLiteral("Basic Text Options: '") + typed + "'");
    test::ClickButton(bar, "ok");
    QCOMPARE(mw->lf.obj[0]->lt.str, utf8);
    mw->EditText();
    auto* again = qobject_cast<TextBar*>(OpenBar(mw.get()));
    QVERIFY(again);
    QCOMPARE(again->textLine()->text(), typed);
    test::ClickButton(again, "cancel");
    QCOMPARE(mw->lf.obj[0]->lt.str, utf8);
}

void TextBarTest::AspectSliderEndsAndMiddle() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    Slider* slider = bar->aspectSlider();
    // An even track puts a pixel exactly on the middle.
    slider->setFixedWidth(2 * kSliderInset + 200);
    QCOMPARE(slider->fraction(), 0.5f);
    QCOMPARE(bar->aspectEdit()->text(), QStringLiteral("1.0"));
    const int y = slider->height() / 2;
    const int xs[3] = {0, kSliderInset + 100, slider->width() - 1};
    const float want[3] = {0.5f, 1.0f, 2.0f};
    for (int i = 0; i < 3; ++i) {
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() / 3, y));
        QMouseEvent move(QEvent::MouseMove, QPointF(xs[i], y),
                         slider->mapToGlobal(QPointF(xs[i], y)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(slider, &move);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(xs[i], y));
        QVERIFY2(qAbs(mw->lf.obj[0]->lt.aspect - want[i]) < 1e-4f,
                 qPrintable(QString::number(mw->lf.obj[0]->lt.aspect)));
    }
    test::ClickButton(bar, "ok");
    // Reopened on a record with aspect 1.0, the slider sits at its middle.
    mw->lf.obj[0]->lt.aspect = 1.0f;
    mw->EditText();
    auto* again = qobject_cast<TextBar*>(OpenBar(mw.get()));
    QVERIFY(again);
    QCOMPARE(again->aspectSlider()->fraction(), 0.5f);
    test::ClickButton(again, "cancel");
}

void TextBarTest::SizeAndSpacingAreStored() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    bar->fontSize().edit->SetText(QStringLiteral("72"));
    bar->spacing().edit->SetText(QStringLiteral("-3"));
    QCOMPARE(mw->lf.obj[0]->lt.size, 72);
    QCOMPARE(mw->lf.obj[0]->lt.spacing, -3);
    // Past the slider's range the edit keeps the typed value and the slider its end.
    bar->fontSize().edit->SetText(QStringLiteral("200"));
    QCOMPARE(mw->lf.obj[0]->lt.size, 200);
    QCOMPARE(bar->fontSize().slider->fraction(), 1.0f);
    test::ClickButton(bar, "ok");
}

void TextBarTest::FontListRendersOnlyVisibleRows() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    QCOMPARE(bar->tabs()->count(), 11);
    QCOMPARE(bar->tabs()->tabText(3), QStringLiteral("D - E"));
    int biggest = 0;
    for (int t = 0; t < 11; ++t)
        if (FtText::TextFontNames(t).size() > FtText::TextFontNames(biggest).size()) biggest = t;
    bar->tabs()->setCurrentIndex(biggest);
    QCOMPARE(bar->fonts()->count(), int(FtText::TextFontNames(biggest).size()));
    bar->fonts()->doItemsLayout();
    bar->fonts()->delegate()->Clear();
    const int before = bar->fonts()->delegate()->rendered();
    bar->fonts()->viewport()->grab();
    const int drawn = bar->fonts()->delegate()->rendered() - before;
    QVERIFY(drawn > 0);
    const int visible = bar->fonts()->viewport()->height() / FontNameDelegate::kRowHeight + 2;
    QVERIFY2(drawn <= visible, qPrintable(QString::number(drawn)));
    // Painting again renders nothing new.
    bar->fonts()->viewport()->grab();
    QCOMPARE(bar->fonts()->delegate()->rendered() - before, drawn);
    test::ClickButton(bar, "cancel");
}

void TextBarTest::ChoosingAFontStoresIt() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    bar->tabs()->setCurrentIndex(1);
    QVERIFY(bar->fonts()->count() > 0);
    bar->fonts()->setCurrentRow(0);
    QCOMPARE(QString::fromStdString(mw->lf.obj[0]->lt.font), bar->fonts()->item(0)->text());
    // Picture of the chosen name: engine pixels, not blank.
    const QImage& pic = bar->fonts()->delegate()->Picture(bar->fonts()->item(0)->text(), false, 200,
                                                          FontNameDelegate::kRowHeight);
    QVERIFY(!pic.isNull());
    bool ink = false;
    for (int y = 0; y < pic.height() && !ink; ++y)
        for (int x = 0; x < pic.width(); ++x)
            if ((pic.pixel(x, y) & 0xffffff) != 0xffffff) ink = true;
    QVERIFY(ink);
    test::ClickButton(bar, "ok");
}

namespace {

QStringList ListedFonts(TextBar* bar) {
    QStringList names;
    for (int n = 0; n < bar->fonts()->count(); ++n) names << bar->fonts()->item(n)->text();
    return names;
}

}  // namespace

void TextBarTest::SearchListsFontsOfEveryTab() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    bar->tabs()->setCurrentIndex(0);
    QTest::keyClicks(bar->fontSearch(), QStringLiteral("lato"));
    const QStringList found = ListedFonts(bar);
    QVERIFY(found.size() >= 2);
    for (const QString& name : found) QVERIFY2(name.contains(QStringLiteral("Lato"), Qt::CaseInsensitive), qPrintable(name));
    QVERIFY(found.first().startsWith(QStringLiteral("Lato ")));
    QCOMPARE(bar->status()->text(), QStringLiteral("%1 fonts found").arg(found.size()));
    // Choosing a result stores it like a font of a tab.
    bar->fonts()->setCurrentRow(0);
    QCOMPARE(QString::fromStdString(mw->lf.obj[0]->lt.font), found.first());
    // Emptying the field brings back the tab.
    bar->fontSearch()->clear();
    QCOMPARE(bar->fonts()->count(), int(FtText::TextFontNames(0).size()));
    test::ClickButton(bar, "cancel");
}

void TextBarTest::CategoryFilterKeepsOnlyThatCategory() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    const auto categories = ReadTypefaceCategories(InstallDir() + "/" + kTypefaceCategoriesPath);
    bar->categoryFilter()->setCurrentText(QStringLiteral("monospace"));
    QStringList listed = ListedFonts(bar);
    QVERIFY(listed.contains(QStringLiteral("Liberation Mono Regular")));
    for (const QString& name : listed) QCOMPARE(QString::fromStdString(categories.at(name.toStdString())), QStringLiteral("monospace"));
    // With a search the filter narrows the results.
    QTest::keyClicks(bar->fontSearch(), QStringLiteral("liberation"));
    QCOMPARE(ListedFonts(bar), QStringList{QStringLiteral("Liberation Mono Regular")});
    bar->categoryFilter()->setCurrentText(QStringLiteral("serif"));
    QCOMPARE(ListedFonts(bar), QStringList{QStringLiteral("Liberation Serif Regular")});
    // A tab leaves the search and shows its fonts.
    bar->tabs()->setCurrentIndex(2);
    QVERIFY(bar->fontSearch()->text().isEmpty());
    QCOMPARE(bar->categoryFilter()->currentIndex(), 0);
    QCOMPARE(bar->fonts()->count(), int(FtText::TextFontNames(2).size()));
    test::ClickButton(bar, "cancel");
}

void TextBarTest::RecentlyUsedListsTheFontsChosenLast() {
    auto mw = ActiveEditor();
    for (const char* face : {"Lato Bold", "Liberation Serif Regular"}) {
        TextBar* bar = NewText(*mw);
        QTest::keyClicks(bar->fontSearch(), QString::fromLatin1(face));
        bar->fonts()->setCurrentRow(0);
        QCOMPARE(QString::fromStdString(mw->lf.GetCurObj()->lt.font), QString::fromLatin1(face));
        test::ClickButton(bar, "ok");
    }
    QCOMPARE(RecentFonts().faces().front(), std::string("Liberation Serif Regular"));
    TextBar* bar = NewText(*mw);
    bar->categoryFilter()->setCurrentText(QStringLiteral("Recently used"));
    const QStringList recent = ListedFonts(bar);
    QVERIFY(recent.size() >= 2);
    QCOMPARE(recent[0], QStringLiteral("Liberation Serif Regular"));
    QCOMPARE(recent[1], QStringLiteral("Lato Bold"));
    test::ClickButton(bar, "cancel");
}

void TextBarTest::AddedFontFileIsListedAndChosen() {
    auto mw = ActiveEditor();
    TextBar* bar = NewText(*mw);
    QTemporaryDir dir;
    std::vector<uint8_t> font;
    QVERIFY(ReadFileBytes("/usr/share/fonts/truetype/dejavu/DejaVuSerifCondensed-Bold.ttf", font));
    const std::string path = dir.filePath(QStringLiteral("Brand.ttf")).toStdString();
    QVERIFY(WriteFileAtomically(path, font));
    QVERIFY(bar->AddFontFile(path));
    QCOMPARE(bar->categoryFilter()->currentText(), QStringLiteral("System and user fonts"));
    QVERIFY(bar->fonts()->currentItem());
    QCOMPARE(bar->fonts()->currentItem()->text(), QStringLiteral("DejaVu Serif Condensed Bold"));
    QCOMPARE(mw->lf.GetCurObj()->lt.font, std::string("DejaVu Serif Condensed Bold"));
    const SystemFont* added = FindSystemFont("DejaVu Serif Condensed Bold");
    QVERIFY(added);
    QVERIFY(added->user);
    QVERIFY(QFileInfo::exists(QString::fromStdString(UserFontFolder() + "/Brand.ttf")));

    // Not a font: said, and nothing is copied.
    const std::string fake = dir.filePath(QStringLiteral("fake.otf")).toStdString();
    QVERIFY(WriteFileAtomically(fake, std::vector<uint8_t>(64, 7)));
    test::FaultCapture capture;
    QVERIFY(!bar->AddFontFile(fake));
    QCOMPARE(int(capture.messages.size()), 1);
    QVERIFY(QString::fromStdString(capture.messages[0]).contains(QStringLiteral("is not a TrueType or OpenType font file")));
    QVERIFY(!QFileInfo::exists(QString::fromStdString(UserFontFolder() + "/fake.otf")));
    test::ClickButton(bar, "ok");

    // Opened again on that object, the bar shows the font under its heading.
    mw->EditText();
    TextBar* again = qobject_cast<TextBar*>(OpenBar(mw.get()));
    QVERIFY(again);
    QCOMPARE(again->categoryFilter()->currentText(), QStringLiteral("System and user fonts"));
    QVERIFY(again->fonts()->currentItem());
    QCOMPARE(again->fonts()->currentItem()->text(), QStringLiteral("DejaVu Serif Condensed Bold"));
    test::ClickButton(again, "cancel");
}

QTEST_MAIN(TextBarTest)
#include "tst_text_bar.moc"
