#pragma once

#include <QObject>
#include <QPointer>

#include "ui/bars/bar_dialog.h"
#include "ui/option_bars.h"

namespace qv::ui {

class MainWindow;

// Opens the option bars the main window asks for and holds the one open bar.
class BarOpener : public QObject {
    Q_OBJECT
public:
    explicit BarOpener(MainWindow* mw);

    void Open(const BarRequest& request);
    BarDialog* openBar() const { return open_; }

private:
    BarDialog* Create(const BarRequest& request);

    MainWindow* mw_;
    QPointer<BarDialog> open_;
};

// Installs the bars' opener into `mw`; the opener is a child of the window.
BarOpener* InstallBarOpener(MainWindow* mw);
// The bar open in `mw`, or null.
BarDialog* OpenBar(const MainWindow* mw);

}  // namespace qv::ui
