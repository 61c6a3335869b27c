#include <cstdio>
#include <string>

#include "app/fault_report.h"
#include "app/guard.h"
#include "app/install_dir.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/option_reader.h"
#include "persist/project_file.h"
#include "persist/template_library.h"

namespace qv::cli {
namespace {

struct TemplateEntry {
    std::string title;
    std::string file;
};

// The templates the editor's browser offers, in its order: the installation's and the user's.
std::vector<TemplateEntry> ListTemplates() {
    TemplateLibrary& library = TemplateLibrary::Instance();
    library.SetFolders({InstallDir() + "/templates", UserTemplateFolder()});
    library.ReloadTmps(false);
    std::vector<TemplateEntry> entries;
    for (int n = 0; n < library.count(); ++n) entries.push_back({library.at(n).title, library.at(n).path});
    library.FreeTmps();
    return entries;
}

enum OptionCode { kHelp = 'h', kOutput = 'o', kJson = 256, kTemplate, kSetText };

const option kTemplatesOptions[] = {
    {"json", no_argument, nullptr, kJson},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

const option kNewOptions[] = {
    {"template", required_argument, nullptr, kTemplate},
    {"output", required_argument, nullptr, kOutput},
    {"set-text", required_argument, nullptr, kSetText},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

}  // namespace

int RunTemplates(const std::vector<std::string>& args) {
    OptionReader reader("templates", args, "h", kTemplatesOptions);
    bool json = false;
    for (int code = reader.Next(); code != -1; code = reader.Next()) {
        if (code == kJson) {
            json = true;
        } else if (code == kHelp) {
            PrintCommandHelp("templates");
            return kExitOk;
        } else {
            return UsageError("templates", "");
        }
    }
    if (!reader.Operands().empty()) return UsageError("templates", "takes no arguments besides --json");
    const std::vector<TemplateEntry> entries = ListTemplates();
    if (json) {
        std::fputs("[", stdout);
        for (size_t n = 0; n < entries.size(); ++n) {
            std::printf("%s\n  {\"title\": %s, \"file\": %s}", n == 0 ? "" : ",",
                        JsonString(entries[n].title).c_str(), JsonString(entries[n].file).c_str());
        }
        std::fputs(entries.empty() ? "]\n" : "\n]\n", stdout);
    } else {
        for (const TemplateEntry& entry : entries) std::printf("%s\n", entry.title.c_str());
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

int RunNew(const std::vector<std::string>& args) {
    OptionReader reader("new", args, "o:h", kNewOptions);
    std::string title;
    std::string output;
    std::vector<TextEdit> texts;
    std::string problem;
    for (int code = reader.Next(); code != -1; code = reader.Next()) {
        switch (code) {
            case kTemplate:
                title = reader.Value();
                break;
            case kOutput:
                output = reader.Value();
                break;
            case kSetText: {
                TextEdit edit;
                if (!ParseTextEdit(reader.Value(), edit, problem)) return UsageError("new", problem);
                texts.push_back(std::move(edit));
                break;
            }
            case kHelp:
                PrintCommandHelp("new");
                return kExitOk;
            default:
                return UsageError("new", "");
        }
    }
    std::vector<std::string> operands = reader.Operands();
    if (output.empty() && operands.size() == 1) {
        output = operands[0];
        operands.clear();
    }
    if (title.empty()) return UsageError("new", "needs --template TITLE ('qorvan-logo-cli templates' lists them)");
    if (output.empty() || !operands.empty()) return UsageError("new", "needs one project to write: -o OUTPUT.kuz");

    std::string file;
    for (const TemplateEntry& entry : ListTemplates()) {
        if (entry.title == title) {
            file = entry.file;
            break;
        }
    }
    if (file.empty()) {
        return UsageError("new", "no template is titled '" + title + "'; 'qorvan-logo-cli templates' lists them");
    }
    if (SameFile(file, output)) {
        return UsageError("new", output + " is the template itself; choose another output name");
    }
    const int faults_before = FaultsReported();
    LeFile lf;
    if (!LoadProject(file, lf)) return kExitFailure;
    if (!ApplyTextEdits(lf, texts, problem)) {
        std::fprintf(stderr, "qorvan-logo-cli new: template '%s': %s\n", title.c_str(), problem.c_str());
        return kExitUsage;
    }
    // As the editor opens a template: the frontmost shape is current.
    QV_CHECK_T("lf.SelFstObj()", lf.SelFstObj() == 0);
    if (FaultsReported() != faults_before) return kExitFailure;
    return SaveProject(output, lf) ? kExitOk : kExitFailure;
}

}  // namespace qv::cli
