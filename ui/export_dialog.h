#pragma once

#include <QDialog>
#include <array>

#include "document/le_file.h"
#include "output/logo_export.h"
#include "ui/file_dialogs.h"

class QLabel;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv::ui {

class SpinEdit;

// "Save Logo Image...": format, scale, margins and quality, with the output size shown as they
// change. Opening it centres the logo's objects (unless the canvas is fixed), as the size is
// taken from their common box.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    ExportDialog(LeFile& lf, FileDialogs dialogs, QWidget* parent = nullptr);

    const ExportSubject& subject() const { return subject_; }
    // The settings as typed; the engine clamps them when it reads them.
    ExportSettings settings() const;
    ExportFormat format() const;

    // Recomputes the shown size and enables the quality controls for JPEG and TIFF and the
    // transparency for the formats that carry it.
    void UpdateDlg();
    // The Save steps: asks for a file and writes it. True when written; the dialog then closes.
    bool Save();

    // The project's title, which a PDF carries; empty for an unsaved project.
    void setProjectTitle(const std::string& title) { title_ = title; }

    QRadioButton* formatButton(ExportFormat f) const { return formats_[size_t(f)]; }
    SpinEdit* scaleEdit() const { return scale_; }
    SpinEdit* marginsEdit() const { return margins_; }
    SpinEdit* qualityEdit() const { return quality_; }
    QLineEdit* widthEdit() const { return width_; }
    QLineEdit* heightEdit() const { return height_; }
    QCheckBox* transparentBox() const { return transparent_; }

private:
    LeFile& lf_;
    FileDialogs dialogs_;
    ExportSubject subject_;
    bool ready_ = false;
    std::array<QRadioButton*, kExportFormatCount> formats_{};
    std::string title_;
    SpinEdit* scale_ = nullptr;
    SpinEdit* margins_ = nullptr;
    SpinEdit* quality_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QLabel* scale_label_ = nullptr;
    QLabel* percent_label_ = nullptr;
    QLabel* quality_label_ = nullptr;
    QCheckBox* transparent_ = nullptr;
};

}  // namespace qv::ui
