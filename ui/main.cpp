// qorvan-logo: the logo designer.

#include <QApplication>

#include "ui/application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qorvan Logo"));
    QApplication::setOrganizationName(QStringLiteral("QORVAN_LOGO"));
    QApplication::setDesktopFileName(QStringLiteral("qorvan-logo"));
    qv::ui::Application program;
    return program.Run(QApplication::arguments().mid(1));
}
