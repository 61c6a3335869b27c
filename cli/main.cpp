// qorvan-logo-cli: the engine without the editor, for scripts and checks.

#include <cstdio>
#include <string>
#include <vector>

#include "app/fault_report.h"
#include "app/install_dir.h"
#include "app/user_message.h"
#include "cli/commands.h"
#include "cli/fault_line.h"
#include "cli/option_reader.h"

#ifndef QV_VERSION
#error "QV_VERSION comes from the project version in CMake"
#endif

namespace {

using Command = int (*)(const std::vector<std::string>&);

Command FindCommand(const std::string& name) {
    static const std::pair<const char*, Command> kCommands[] = {
        {"info", qv::cli::RunInfo},           {"export", qv::cli::RunExport}, {"resave", qv::cli::RunResave},
        {"templates", qv::cli::RunTemplates}, {"new", qv::cli::RunNew},       {"kit", qv::cli::RunKit},
    };
    for (const auto& [text, run] : kCommands) {
        if (name == text) return run;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything can fail: one line per fault, and a damaged installation is a failure.
    qv::cli::InstallFaultLine();
    qv::SetQuitStatus(qv::cli::kExitFailure);

    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        qv::cli::PrintUsage(stderr);
        return qv::cli::kExitUsage;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "--version") {
        std::printf("qorvan-logo-cli %s\n", QV_VERSION);
        return qv::cli::kExitOk;
    }
    if (command == "--help" || command == "-h" || command == "help") {
        if (args.empty()) {
            qv::cli::PrintUsage(stdout);
            return qv::cli::kExitOk;
        }
        if (qv::cli::PrintCommandHelp(args[0])) return qv::cli::kExitOk;
        std::fprintf(stderr, "qorvan-logo-cli: unknown command '%s'\n", args[0].c_str());
        return qv::cli::kExitUsage;
    }
    const Command run = FindCommand(command);
    if (!run) {
        std::fprintf(stderr, "qorvan-logo-cli: unknown command '%s'\n", command.c_str());
        std::fprintf(stderr, "Try 'qorvan-logo-cli --help' for the list of commands.\n");
        return qv::cli::kExitUsage;
    }
    qv::InitInstallDir();
    int status = run(args);
    // Faults were printed as they happened and the work carried on; the status still tells.
    if (status == qv::cli::kExitOk && qv::FaultsReported() > 0) status = qv::cli::kExitFailure;
    if (std::fflush(stdout) != 0 && status == qv::cli::kExitOk) status = qv::cli::kExitFailure;
    return status;
}
