#include <cstdio>

#include "cli/commands.h"

namespace qv::cli {

void PrintUsage() {
    std::fputs(
        "usage: qorvan-logo-cli COMMAND [ARGS]\n"
        "\n"
        "Commands:\n"
        "  info    list the installed font library: text fonts per tab, symbol fonts, shapes\n"
        "\n"
        "The installation data is read from the folder of this executable. Problems are\n"
        "reported on stderr; the exit status is 0 on success, 1 on a failure, 2 on bad usage.\n",
        stdout);
}

}  // namespace qv::cli
