#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/project_export.h"

namespace qv::cli {

// Each command returns the process exit status: 0 success, 1 failure, 2 bad usage.
int RunInfo(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunResave(const std::vector<std::string>& args);
int RunTemplates(const std::vector<std::string>& args);
int RunNew(const std::vector<std::string>& args);
int RunKit(const std::vector<std::string>& args);

// The overview of all commands.
void PrintUsage(std::FILE* out);
// The help of one command; false when there is no such command.
bool PrintCommandHelp(const std::string& command);

// Several projects into `output_dir`, each as its title plus the format's extension (projects
// that share a title get "-2", "-3", ... in their order, which is said on stderr), with up to
// `jobs` processes at once. A project that fails is reported and the others go on; the status
// is 0 only when every project was written, 2 when one did not fit the request, else 1.
int RunBatchExport(const std::vector<std::string>& projects, const std::string& output_dir,
                   const ExportOptions& options, int jobs);

// The file names for a batch: each project's title, made unique with "-2", "-3", ... in the
// order of the projects, plus `extension`.
std::vector<std::string> BatchOutputNames(const std::vector<std::string>& projects, const std::string& extension);

}  // namespace qv::cli
