#pragma once

#include <QDialog>

namespace qv::ui {

// The about box: the word mark drawn by the engine, the version, and where the fonts' licences
// and the home page are.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // "Version 0.1.0" of this build.
    static QString VersionText();
};

}  // namespace qv::ui
