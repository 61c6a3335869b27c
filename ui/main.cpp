// qorvan-logo: the logo designer.

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "ui/application.h"

namespace {

// --help and --version answer on the terminal before Qt starts, so they work without a
// display. Returns the exit code, or -1 to start the editor.
int AnswerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(
                "usage: qorvan-logo [PROJECT]\n"
                "\n"
                "Starts the logo designer with the Template Library, or with PROJECT (a .kuz\n"
                "file) open in the editor.\n"
                "\n"
                "  -h, --help     print this help and exit\n"
                "      --version  print the version and exit\n"
                "\n"
                "qorvan-logo-cli exports and lists projects without the editor.\n",
                stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("qorvan-logo %s\n", QV_VERSION);
            return 0;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int answered = AnswerInformationOptions(argc, argv); answered >= 0) return answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qorvan Logo"));
    QApplication::setOrganizationName(QStringLiteral("QORVAN_LOGO"));
    // The desktop entry's name without ".desktop", which Wayland compositors match.
    QApplication::setDesktopFileName(QStringLiteral("org.qorvan_logo.QorvanLogo"));
    qv::ui::Application program;
    return program.Run(QApplication::arguments().mid(1));
}
