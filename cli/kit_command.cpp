#include <cstdio>
#include <string>

#include "app/fault_report.h"
#include "app/install_dir.h"
#include "cli/commands.h"
#include "cli/font_setup.h"
#include "cli/option_reader.h"
#include "output/bitmap_import.h"
#include "output/logo_kit.h"
#include "persist/project_file.h"

namespace qv::cli {
namespace {

// The canvas of the editor's window at its usual size, as for the export: only the objects' own
// sizes matter.
constexpr int kEditorCanvasWidth = 1180;
constexpr int kEditorCanvasHeight = 780;

enum OptionCode { kOutputDir = 256, kHelp = 'h' };

const option kOptions[] = {
    {"output-dir", required_argument, nullptr, kOutputDir},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

// The project's file name without its folder and extension.
std::string TitleOf(const std::string& project) {
    const auto slash = project.rfind('/');
    std::string name = slash == std::string::npos ? project : project.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace

int RunKit(const std::vector<std::string>& args) {
    OptionReader reader("kit", args, "h", kOptions);
    std::string folder;
    for (int code = reader.Next(); code != -1; code = reader.Next()) {
        if (code == kOutputDir) {
            folder = reader.Value();
            if (folder.empty()) return UsageError("kit", "--output-dir needs a folder");
        } else if (code == kHelp) {
            PrintCommandHelp("kit");
            return kExitOk;
        } else {
            return UsageError("kit", "");
        }
    }
    const std::vector<std::string> operands = reader.Operands();
    if (operands.size() != 1 || folder.empty()) return UsageError("kit", "needs a project and a folder: PROJECT --output-dir DIR");
    if (!LoadFontLibrary()) return kExitFailure;
    InstallBitmapLoader();
    const int faults_before = FaultsReported();
    int status = kExitFailure;
    {
        LeFile lf;
        if (LoadProject(operands[0], lf) && FaultsReported() == faults_before) {
            WarnMissingFaces(operands[0], lf);
            // The editor composes a loaded logo first, which gives every object its size.
            lf.Update(kEditorCanvasWidth, kEditorCanvasHeight, -1, -1);
            if (WriteLogoKit(lf, {folder, TitleOf(operands[0]), InstallDir()})) {
                std::printf("%s\n", folder.c_str());
                status = kExitOk;
            }
        }
    }
    FreeFontLibrary();
    return status;
}

}  // namespace qv::cli
