// qorvan-mkicons: writes the program's and the project files' icons at the sizes desktops ask
// for, into <dir>/hicolor/<n>x<n>/{apps,mimetypes}/.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "ui/app_icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qorvan-mkicons <output folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2").arg(root).arg(size);
        if (!QDir().mkpath(dir + "/apps") || !QDir().mkpath(dir + "/mimetypes")) return 1;
        if (!qv::ui::PaintAppIcon(size).save(dir + "/apps/qorvan-logo.png") ||
            !qv::ui::PaintDocumentIcon(size).save(dir +
                                                  "/mimetypes/application-x-qorvan-logo.png")) {
            std::fprintf(stderr, "qorvan-mkicons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
