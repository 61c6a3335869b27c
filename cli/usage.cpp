#include <cstdio>

#include "cli/commands.h"

namespace qv::cli {

void PrintUsage() {
    std::fputs(
        "usage: qorvan-logo-cli COMMAND [ARGS]\n"
        "\n"
        "Commands:\n"
        "  info    list the installed font library: text fonts per tab, symbol fonts, shapes\n"
        "  export PROJECT OUTPUT [--format png24|png8|gif|bmp|jpeg|tiff] [--scale PERCENT]\n"
        "         [--margins PIXELS] [--quality PERCENT] [--transparent]\n"
        "          write the logo of a .kuz project as an image, as the export dialog does:\n"
        "          the logo is centred (or takes its fixed canvas), scale 1..10000 % (100 with\n"
        "          an imported picture in the logo), margins 0..100, JPEG quality 10..100;\n"
        "          the format follows the output's extension unless given, else PNG 24 bit;\n"
        "          --transparent composes the logo on a transparent canvas (PNG, GIF, TIFF)\n"
        "  export PROJECT... --output-dir DIR [--jobs N] [options as above]\n"
        "          write several projects into DIR, each as its title plus the format's\n"
        "          extension, N at a time; one that fails is reported and the others go on\n"
        "  resave PROJECT OUTPUT\n"
        "          read a project and write it again in the current format\n"
        "\n"
        "The installation data is read from the folder of this executable. Problems are\n"
        "reported on stderr; the exit status is 0 on success, 1 on a failure, 2 on bad usage.\n",
        stdout);
}

}  // namespace qv::cli
