#include "cli/fault_line.h"

#include <cstdio>

#include "app/fault_report.h"

namespace qv::cli {

std::string FaultExpression(const std::string& report) {
    static const std::string kMarker = "Error in line: ";
    auto begin = report.find(kMarker);
    begin = begin == std::string::npos ? 0 : begin + kMarker.size();
    const auto end = report.find_first_of("\r\n", begin);
    return report.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

void InstallFaultLine() {
    SetFaultHandler([](int /*code*/, const std::string& report) {
        std::fprintf(stderr, "qorvan-logo-cli: internal error: %s\n", FaultExpression(report).c_str());
    });
}

}  // namespace qv::cli
