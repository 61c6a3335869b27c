#include "cli/font_setup.h"

#include <cstdio>
#include <string>

#include "app/fault_report.h"
#include "app/guard.h"
#include "app/install_dir.h"
#include "cli/fault_line.h"
#include "render/ft_text.h"

namespace qv::cli {

bool LoadFontLibrary() {
    // A missing installation fails on every archive; the first failure says enough.
    std::string first;
    const int before = FaultsReported();
    const FaultHandler previous = SetFaultHandler([&first](int, const std::string& report) {
        if (first.empty()) first = FaultExpression(report);
    });
    QV_CHECK_T("FtText::InitFt()", FtText::InitFt() == 0);
    SetFaultHandler(previous);
    if (FaultsReported() == before) return true;
    std::fprintf(stderr,
                 "qorvan-logo-cli: the installation in %s is incomplete (%s). Please reinstall "
                 "Qorvan Logo\n",
                 InstallDir().c_str(), first.c_str());
    return false;
}

void FreeFontLibrary() { QV_CHECK_T("FtText::FreeFt()", FtText::FreeFt() == 0); }

}  // namespace qv::cli
