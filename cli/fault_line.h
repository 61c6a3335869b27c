#pragma once

#include <string>

namespace qv::cli {

// The expression a fault report names on its "Error in line: " line; the first line of the
// report when it has none.
std::string FaultExpression(const std::string& report);

// Makes every fault print one line, "qorvan-logo-cli: internal error: EXPRESSION", instead of
// the editor's report with its plea to email it; the fault still counts towards the exit status.
void InstallFaultLine();

}  // namespace qv::cli
