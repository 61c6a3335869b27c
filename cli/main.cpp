// qorvan-logo-cli: the engine without the editor, for scripts and checks.

#include <cstdio>
#include <string>
#include <vector>

#include "app/fault_report.h"
#include "app/install_dir.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        qv::cli::PrintUsage();
        return args.empty() ? 2 : 0;
    }
    qv::InitInstallDir();
    const std::string command = args[0];
    args.erase(args.begin());
    int status = 2;
    if (command == "info") {
        status = qv::cli::RunInfo(args);
    } else if (command == "export") {
        status = qv::cli::RunExport(args);
    } else if (command == "resave") {
        status = qv::cli::RunResave(args);
    } else {
        std::fprintf(stderr, "qorvan-logo-cli: unknown command '%s'\n", command.c_str());
        qv::cli::PrintUsage();
        return 2;
    }
    // Faults were printed as they happened and the work carried on; the status still tells.
    if (status == 0 && qv::FaultsReported() > 0) status = 1;
    return status;
}
