#include "ui/recent_menu.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace qv::ui {

RecentMenu::RecentMenu(QMenu* file_menu, QAction* before,
                       std::function<void(const std::string&)> open, std::string list_file)
    : QObject(file_menu), menu_(new QMenu(QStringLiteral("Recent Projects"), file_menu)),
      open_(std::move(open)), recent_(std::move(list_file)) {
    file_menu->insertMenu(before, menu_);
    Rebuild();
}

void RecentMenu::Remember(const std::string& path) {
    recent_.Add(path);
    Rebuild();
}

void RecentMenu::Rebuild() {
    menu_->clear();
    int n = 0;
    for (const std::string& path : recent_.paths()) {
        const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
        // The number is the entry's keyboard key; '&' in a path must stay literal.
        QString text = QStringLiteral("&%1 %2").arg(++n).arg(QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&")));
        QAction* a = menu_->addAction(text);
        a->setEnabled(RecentProjects::Exists(path));
        if (!a->isEnabled()) a->setToolTip(QStringLiteral("Not found: ") + shown);
        connect(a, &QAction::triggered, this, [this, path] {
            if (open_) open_(path);
        });
    }
    if (n == 0) menu_->addAction(QStringLiteral("(none)"))->setEnabled(false);
}

}  // namespace qv::ui
