#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "persist/recent_projects.h"

class QAction;
class QMenu;

namespace qv::ui {

// The File menu's "Recent Projects": the last projects loaded or saved, most recent first;
// files that are gone are greyed and still show their path.
class RecentMenu : public QObject {
    Q_OBJECT
public:
    // Inserts the submenu into `file_menu` before `before` (null: at the end).
    RecentMenu(QMenu* file_menu, QAction* before, std::function<void(const std::string&)> open,
               std::string list_file = RecentProjects::DefaultFile());

    // Puts a project first in the list and rebuilds the menu.
    void Remember(const std::string& path);
    void Rebuild();

    QMenu* menu() const { return menu_; }
    const RecentProjects& list() const { return recent_; }

private:
    QMenu* menu_;
    std::function<void(const std::string&)> open_;
    RecentProjects recent_;
};

}  // namespace qv::ui
