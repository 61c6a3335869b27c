// "Save Logo Image...": the shown size, the enabled controls, and the Save steps.

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/fault_capture.h"
#include "tests/ui/ui_test_support.h"
#include "ui/export_dialog.h"
#include "ui/file_dialogs.h"
#include "ui/spin_edit.h"

using namespace qv;
using namespace qv::ui;

namespace {

FileDialogs SaveTo(const QString& path) {
    FileDialogs d;
    d.save = [path](QWidget*, const QString&, const QString&, const QString&) { return path; };
    return d;
}

// A logo of 200 x 100 at 100 %.
void FixedCanvas(LeFile& lf) {
    test::AddText(lf, "Export");
    lf.fixed = 1;
    lf.cw = 200;
    lf.ch = 100;
}

}  // namespace

class ExportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::LoadShippedFonts(); }

    void Defaults();
    void ShownSize_data();
    void ShownSize();
    void QualityOnlyForJpegAndTiff();
    void TransparencyOffOnOpeningAndOnlyForFormatsWithAlpha();
    void CustomBitmapKeepsFullScale();
    void OpeningCentresTheObjects();
    void SaveWritesAndCloses();
    void FailedWriteKeepsTheDialogOpen();
    void CancelledFileDialogKeepsTheDialogOpen();
    void Filters_data();
    void Filters();
};

void ExportDialogTest::Defaults() {
    LeFile lf;
    FixedCanvas(lf);
    ExportDialog dialog(lf, SaveTo({}));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Save Logo Image..."));
    QVERIFY(dialog.formatButton(ExportFormat::kPng24)->isChecked());
    QCOMPARE(dialog.formatButton(ExportFormat::kGif8)->text(), QStringLiteral("GIF 8 Bit"));
    QCOMPARE(dialog.scaleEdit()->value(), 100);
    QCOMPARE(dialog.marginsEdit()->value(), 0);
    QCOMPARE(dialog.qualityEdit()->value(), 90);
    QCOMPARE(dialog.widthEdit()->text(), QStringLiteral("200"));
    QCOMPARE(dialog.heightEdit()->text(), QStringLiteral("100"));
    QVERIFY(dialog.widthEdit()->isReadOnly());
}

void ExportDialogTest::ShownSize_data() {
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QString>("margins");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("100 %") << "100"
                           << "0" << 200 << 100;
    QTest::newRow("150 % and 10") << "150"
                                  << "10" << 320 << 170;
    QTest::newRow("0 reads as 1 %") << "0"
                                    << "0" << 2 << 1;
    QTest::newRow("negative reads as 1 %") << "-40"
                                           << "0" << 2 << 1;
    QTest::newRow("above 10000 %") << "20000"
                                   << "0" << 20000 << 10000;
    QTest::newRow("margins above 100") << "100"
                                       << "250" << 400 << 300;
    QTest::newRow("empty scale") << ""
                                 << "5" << 12 << 11;
}

void ExportDialogTest::ShownSize() {
    QFETCH(QString, scale);
    QFETCH(QString, margins);
    QFETCH(int, width);
    QFETCH(int, height);
    LeFile lf;
    FixedCanvas(lf);
    ExportDialog dialog(lf, SaveTo({}));
    dialog.scaleEdit()->SetText(scale);
    dialog.marginsEdit()->SetText(margins);
    QCOMPARE(dialog.widthEdit()->text().toInt(), width);
    QCOMPARE(dialog.heightEdit()->text().toInt(), height);
}

void ExportDialogTest::QualityOnlyForJpegAndTiff() {
    LeFile lf;
    FixedCanvas(lf);
    ExportDialog dialog(lf, SaveTo({}));
    for (int f = 0; f < kExportFormatCount; ++f) {
        dialog.formatButton(ExportFormat(f))->click();
        const bool expected =
            ExportFormat(f) == ExportFormat::kJpeg || ExportFormat(f) == ExportFormat::kTiff;
        QCOMPARE(dialog.qualityEdit()->isEnabled(), expected);
    }
}

void ExportDialogTest::TransparencyOffOnOpeningAndOnlyForFormatsWithAlpha() {
    LeFile lf;
    FixedCanvas(lf);
    ExportDialog dialog(lf, SaveTo({}));
    QVERIFY(!dialog.transparentBox()->isChecked());
    QVERIFY(dialog.transparentBox()->isEnabled());  // "PNG 24 Bit" is checked
    QVERIFY(!dialog.settings().transparent);
    dialog.transparentBox()->setChecked(true);
    for (int f = 0; f < kExportFormatCount; ++f) {
        dialog.formatButton(ExportFormat(f))->click();
        const bool alpha = ExportFormat(f) != ExportFormat::kJpeg && ExportFormat(f) != ExportFormat::kBmp24;
        QCOMPARE(dialog.transparentBox()->isEnabled(), alpha);
        QCOMPARE(dialog.settings().transparent, alpha);
    }
}

void ExportDialogTest::CustomBitmapKeepsFullScale() {
    QTemporaryDir dir;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString path = dir.filePath("photo.png");
    QVERIFY(picture.save(path));
    LeFile lf;
    QVERIFY(lf.AddObj(LogoObj::kCustom, path.toUtf8().constData(), "photo"));
    ExportDialog dialog(lf, SaveTo({}));
    QVERIFY(dialog.subject().has_custom_bitmap);
    QVERIFY(!dialog.scaleEdit()->isEnabled());
    dialog.scaleEdit()->SetText("300");
    dialog.marginsEdit()->SetText("5");
    QCOMPARE(dialog.widthEdit()->text(), QStringLiteral("40"));
    QCOMPARE(dialog.heightEdit()->text(), QStringLiteral("30"));
}

void ExportDialogTest::OpeningCentresTheObjects() {
    LeFile lf;
    test::AddText(lf, "Left", -300, 40);
    test::AddText(lf, "Right", 100, 40);
    lf.Update(1000, 800, 200, 140);
    ExportDialog dialog(lf, SaveTo({}));
    const LogoObj& a = *lf.obj[0];
    const LogoObj& b = *lf.obj[1];
    const int left = std::min(a.x - a.w / 2, b.x - b.w / 2);
    const int right = std::max(a.x - a.w / 2 + a.w, b.x - b.w / 2 + b.w);
    QVERIFY(qAbs(left + right) <= 1);
    QCOMPARE(dialog.widthEdit()->text().toInt(), right - left);
}

void ExportDialogTest::SaveWritesAndCloses() {
    test::FaultCapture faults;
    QTemporaryDir dir;
    const QString path = dir.filePath("logo.png");
    LeFile lf;
    FixedCanvas(lf);
    ExportDialog dialog(lf, SaveTo(path));
    dialog.show();
    dialog.scaleEdit()->SetText("50");
    QVERIFY(dialog.Save());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QImage written(path);
    QCOMPARE(written.size(), QSize(100, 50));
    QVERIFY(faults.messages.empty());
}

void ExportDialogTest::FailedWriteKeepsTheDialogOpen() {
    test::FaultCapture faults;
    const QString path = QStringLiteral("/no/such/folder/logo.png");
    LeFile lf;
    FixedCanvas(lf);
    ExportDialog dialog(lf, SaveTo(path));
    dialog.show();
    QVERIFY(!dialog.Save());
    QVERIFY(dialog.isVisible());
    QCOMPARE(faults.messages.size(), size_t(1));
    QCOMPARE(faults.messages[0], "Can't open file " + path.toStdString() + " for writing...");
}

void ExportDialogTest::CancelledFileDialogKeepsTheDialogOpen() {
    test::FaultCapture faults;
    LeFile lf;
    FixedCanvas(lf);
    ExportDialog dialog(lf, SaveTo({}));
    dialog.show();
    QVERIFY(!dialog.Save());
    QVERIFY(dialog.isVisible());
    QVERIFY(faults.messages.empty());
}

void ExportDialogTest::Filters_data() {
    QTest::addColumn<QString>("mfc");
    QTest::addColumn<QString>("qt");
    QTest::newRow("project") << "Logo Design Project (*.kuz)|*.kuz||"
                             << "Logo Design Project (*.kuz)";
    QTest::newRow("export") << "Gif File (*.gif)|*.gif||"
                            << "Gif File (*.gif)";
    QTest::newRow("import") << "All Formats|*.*|PNG (*.png)|*.png|TGA (*.tga)|*.tga||"
                            << "All Formats (*);;PNG (*.png);;TGA (*.tga)";
    QTest::newRow("several patterns") << "Pictures|*.png;*.jpg||"
                                      << "Pictures (*.png *.jpg)";
}

void ExportDialogTest::Filters() {
    QFETCH(QString, mfc);
    QFETCH(QString, qt);
    QCOMPARE(QtFilter(mfc.toUtf8().constData()), qt);
}

QTEST_MAIN(ExportDialogTest)
#include "tst_export_dialog.moc"
