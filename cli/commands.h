#pragma once

#include <string>
#include <vector>

#include "output/logo_export.h"

namespace qv::cli {

// Each command returns the process exit status: 0 success, 1 failure, 2 bad usage.
int RunInfo(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunResave(const std::vector<std::string>& args);

void PrintUsage();

// One project to one image file, as the export dialog does it; messages on stderr.
bool ExportProject(const std::string& project, const std::string& output, const ExportSettings& settings);

// Several projects into `output_dir`, each as its title plus the format's extension, with up to
// `jobs` processes at once. A project that fails is reported and the others go on; the status is
// 0 only when every project was written.
int RunBatchExport(const std::vector<std::string>& projects, const std::string& output_dir,
                   const ExportSettings& settings, int jobs);

}  // namespace qv::cli
