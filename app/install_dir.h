#pragma once

#include <string>

namespace qv {

// The installation directory: the folder of the running executable, without a trailing '/'.
// Every data path appends a path that begins with '/'.
const std::string& InstallDir();

// Reads the executable's path and takes its folder. Returns false (after a fault report) when
// the path cannot be read; the directory then stays as it was.
bool InitInstallDir();

// For tests and tools that keep their data elsewhere.
void SetInstallDir(std::string dir);

// The folder part of a path: the text before the last '/', or the path itself without one.
std::string DirectoryOf(const std::string& path);

}  // namespace qv
