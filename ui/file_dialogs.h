#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qv::ui {

// A filter in the "Name|*.ext|Name|*.ext||" form as Qt writes it: "Name (*.ext);;Name (*.ext)".
// "*.*" means every file, as it does on the system the form comes from.
QString QtFilter(const char* filter);

// The file dialogs the commands use, replaceable so that tests can answer them. An empty
// result means the dialog was cancelled.
struct FileDialogs {
    std::function<QString(QWidget* parent, const QString& title, const QString& filter)> open;
    std::function<QString(QWidget* parent, const QString& title, const QString& filter,
                          const QString& suffix)>
        save;
};

// Qt's own dialogs: open requires an existing file, save asks before overwriting.
FileDialogs SystemFileDialogs();

}  // namespace qv::ui
