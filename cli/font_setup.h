#pragma once

namespace qv::cli {

// Loads the font library of the installation. False, after one line that names the first
// problem, when any part of it could not be read; a damaged archive ends the process with
// status 1 through the engine's own message.
bool LoadFontLibrary();

void FreeFontLibrary();

}  // namespace qv::cli
