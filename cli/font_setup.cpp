#include "cli/font_setup.h"

#include <cstdio>
#include <functional>
#include <string>

#include "app/fault_report.h"
#include "app/guard.h"
#include "app/install_dir.h"
#include "app/user_message.h"
#include "cli/fault_line.h"
#include "document/le_file.h"
#include "persist/project_file.h"
#include "render/ft_text.h"

namespace qv::cli {
namespace {

// Past this many projects their faces are most of the library: reading every project twice
// would cost more than reading the whole library once.
constexpr size_t kMostProjectsForFewFaces = 16;

bool StartLibrary(const std::function<int()>& start) {
    // A missing installation fails on every archive; the first failure says enough.
    std::string first;
    const int before = FaultsReported();
    const FaultHandler previous = SetFaultHandler([&first](int, const std::string& report) {
        if (first.empty()) first = FaultExpression(report);
    });
    QV_CHECK_T("FtText::InitFt()", start() == 0);
    SetFaultHandler(previous);
    if (FaultsReported() == before) return true;
    std::fprintf(stderr,
                 "qorvan-logo-cli: the installation in %s is incomplete (%s). Please reinstall "
                 "Qorvan Logo\n",
                 InstallDir().c_str(), first.c_str());
    return false;
}

// The faces the objects of `project` are drawn with; nothing is shown for a project that
// cannot be read, since its export says so.
void CollectFaceNames(const std::string& project, std::vector<std::string>& names) {
    const MessageHandler messages = SetMessageHandler([](const std::string&) {});
    const FaultHandler faults = SetFaultHandler([](int, const std::string&) {});
    LeFile lf;
    if (LoadProject(project, lf)) {
        for (int n = 0; n < lf.objs; ++n) {
            if (const LogoObj* o = lf.GetObj(n)) names.push_back(o->lt.font);
        }
    }
    SetFaultHandler(faults);
    SetMessageHandler(messages);
}

}  // namespace

bool LoadFontLibrary() { return StartLibrary([] { return FtText::InitFt(); }); }

bool LoadFontLibraryFor(const std::vector<std::string>& projects) {
    if (projects.size() > kMostProjectsForFewFaces) return LoadFontLibrary();
    std::vector<std::string> names;
    for (const std::string& project : projects) CollectFaceNames(project, names);
    return StartLibrary([&names] { return FtText::InitFtFor(names); });
}

void FreeFontLibrary() { QV_CHECK_T("FtText::FreeFt()", FtText::FreeFt() == 0); }

}  // namespace qv::cli
