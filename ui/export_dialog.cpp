#include "ui/export_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/spin_edit.h"

namespace qv::ui {

ExportDialog::ExportDialog(LeFile& lf, FileDialogs dialogs, QWidget* parent)
    : QDialog(parent), lf_(lf), dialogs_(std::move(dialogs)) {
    setWindowTitle(QStringLiteral("Save Logo Image..."));

    auto* formats = new QGroupBox(QStringLiteral("Save Image As:"));
    auto* format_layout = new QVBoxLayout(formats);
    auto* group = new QButtonGroup(this);
    for (int f = 0; f < kExportFormatCount; ++f) {
        auto* b = new QRadioButton(QString::fromUtf8(FormatInfo(ExportFormat(f)).caption));
        formats_[size_t(f)] = b;
        group->addButton(b, f);
        format_layout->addWidget(b);
    }
    format_layout->addStretch();

    scale_label_ = new QLabel(QStringLiteral("Scale Output Image"));
    scale_ = new SpinEdit(10, 1000, 100);
    percent_label_ = new QLabel(QStringLiteral("%"));
    auto* scale_row = new QHBoxLayout;
    scale_row->addWidget(scale_label_);
    scale_row->addStretch();
    scale_row->addWidget(scale_);
    scale_row->addWidget(percent_label_);

    auto* size_box = new QGroupBox(QStringLiteral("Output Image Size"));
    auto* size_layout = new QGridLayout(size_box);
    width_ = new QLineEdit;
    height_ = new QLineEdit;
    for (QLineEdit* e : {width_, height_}) {
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight);
    }
    size_layout->addWidget(new QLabel(QStringLiteral("Width:")), 0, 0);
    size_layout->addWidget(width_, 0, 1);
    size_layout->addWidget(new QLabel(QStringLiteral("Height:")), 1, 0);
    size_layout->addWidget(height_, 1, 1);

    margins_ = new SpinEdit(0, 100, 0);
    quality_ = new SpinEdit(1, 100, 90);
    quality_label_ = new QLabel(QStringLiteral("Image Quality (%)"));
    auto* options = new QGridLayout;
    options->addWidget(new QLabel(QStringLiteral("Margins (pixels):")), 0, 0);
    options->addWidget(margins_, 0, 1);
    options->addWidget(quality_label_, 1, 0);
    options->addWidget(quality_, 1, 1);

    // Off on opening, so an export is what it always was unless the user asks for alpha.
    transparent_ = new QCheckBox(QStringLiteral("Transparent Background"));
    transparent_->setChecked(false);
    options->addWidget(transparent_, 2, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addLayout(scale_row);
    right->addWidget(size_box);
    right->addLayout(options);
    right->addStretch();

    auto* save = new QPushButton(QStringLiteral("Save"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    save->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* columns = new QHBoxLayout;
    columns->addWidget(formats);
    columns->addLayout(right);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addLayout(buttons);

    // Opening: "PNG 24 Bit", the logo's size at 100 %, and no scaling with a custom bitmap.
    formats_[0]->setChecked(true);
    subject_ = PrepareExportSubject(lf_);
    if (subject_.has_custom_bitmap) {
        for (QWidget* w : std::initializer_list<QWidget*>{scale_label_, scale_, percent_label_})
            w->setEnabled(false);
    }
    connect(group, &QButtonGroup::idClicked, this, [this] { UpdateDlg(); });
    connect(scale_, &SpinEdit::edited, this, [this] { UpdateDlg(); });
    connect(margins_, &SpinEdit::edited, this, [this] { UpdateDlg(); });
    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ready_ = true;
    UpdateDlg();
}

ExportFormat ExportDialog::format() const {
    for (int f = 0; f < kExportFormatCount; ++f) {
        if (formats_[size_t(f)]->isChecked()) return ExportFormat(f);
    }
    return ExportFormat::kPng24;
}

ExportSettings ExportDialog::settings() const {
    ExportSettings s;
    s.format = format();
    s.scale = scale_->value();
    s.margins = margins_->value();
    s.quality = quality_->value();
    s.transparent = transparent_->isChecked() && transparent_->isEnabled();
    s.title = title_;
    return s;
}

void ExportDialog::UpdateDlg() {
    if (!ready_) return;
    const OutputSize size = ExportOutputSize(subject_, settings());
    width_->setText(QString::number(size.width));
    height_->setText(QString::number(size.height));
    const bool quality = format() == ExportFormat::kJpeg || format() == ExportFormat::kTiff;
    for (QWidget* w : std::initializer_list<QWidget*>{quality_label_, quality_})
        w->setEnabled(quality);
    transparent_->setEnabled(FormatAllowsTransparency(format()));
}

bool ExportDialog::Save() {
    const ExportSettings s = ClampedSettings(settings());
    const ExportFormatInfo& info = FormatInfo(s.format);
    const QString path = dialogs_.save(this, QStringLiteral("Export Image"), QtFilter(info.filter),
                                       QString::fromUtf8(info.extension));
    if (path.isEmpty()) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ExportLogoImage(lf_, subject_, s, QFile::encodeName(path).toStdString());
    QApplication::restoreOverrideCursor();
    if (written) done(QDialog::Rejected);
    return written;
}

}  // namespace qv::ui
