#pragma once

#include <string>
#include <vector>

namespace qv::cli {

// Loads the font library of the installation. False, after one line that names the first
// problem, when any part of it could not be read; a damaged archive ends the process with
// status 1 through the engine's own message.
bool LoadFontLibrary();

// The same for exporting `projects`: only the faces they name are read (with the first text
// font, what a missing face falls back to). A project that cannot be read here names no faces;
// its export reports why.
bool LoadFontLibraryFor(const std::vector<std::string>& projects);

void FreeFontLibrary();

}  // namespace qv::cli
