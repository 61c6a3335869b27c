#pragma once

#include <string>
#include <vector>

namespace qv::cli {

// Each command returns the process exit status: 0 success, 1 failure, 2 bad usage.
int RunInfo(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunResave(const std::vector<std::string>& args);

void PrintUsage();

}  // namespace qv::cli
