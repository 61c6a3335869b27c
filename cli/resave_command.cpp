#include "app/fault_report.h"
#include "cli/commands.h"
#include "cli/option_reader.h"
#include "persist/project_file.h"

namespace qv::cli {
namespace {

const option kOptions[] = {
    {"output", required_argument, nullptr, 'o'},
    {"help", no_argument, nullptr, 'h'},
    {nullptr, 0, nullptr, 0},
};

}  // namespace

int RunResave(const std::vector<std::string>& args) {
    OptionReader reader("resave", args, "o:h", kOptions);
    std::string output;
    for (int code = reader.Next(); code != -1; code = reader.Next()) {
        if (code == 'o') {
            output = reader.Value();
        } else if (code == 'h') {
            PrintCommandHelp("resave");
            return kExitOk;
        } else {
            return UsageError("resave", "");
        }
    }
    std::vector<std::string> operands = reader.Operands();
    if (output.empty() && operands.size() == 2) {
        output = operands.back();
        operands.pop_back();
    }
    if (operands.size() != 1 || output.empty()) return UsageError("resave", "needs a project and an output: PROJECT -o OUTPUT");
    const int faults_before = FaultsReported();
    LeFile lf;
    if (!LoadProject(operands[0], lf)) return kExitFailure;
    if (FaultsReported() != faults_before) return kExitFailure;
    return SaveProject(output, lf) ? kExitOk : kExitFailure;
}

}  // namespace qv::cli
