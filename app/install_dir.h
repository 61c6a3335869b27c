#pragma once

#include <string>

namespace qv {

// The installation directory: the folder of the running executable, or in an installed tree
// <parent of the executable's folder>/share/qorvan-logo, without a trailing '/'. Every data path appends
// a path that begins with '/'.
const std::string& InstallDir();

// Reads the executable's path and takes its data folder (DataDirBeside). Returns false (after
// a fault report) when the path cannot be read; the directory then stays as it was.
bool InitInstallDir();

// For tests and tools that keep their data elsewhere.
void SetInstallDir(std::string dir);

// Where the data of an executable in `exe_dir` is: `exe_dir` itself when the font library is
// there, else <parent of exe_dir>/share/qorvan-logo when it is there, else `exe_dir`.
std::string DataDirBeside(const std::string& exe_dir);

// The folder part of a path: the text before the last '/', or the path itself without one.
std::string DirectoryOf(const std::string& path);

}  // namespace qv
