#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Reads a whole file. False when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

// Writes a file through a temporary file beside it that is renamed over the target only once
// everything is written and flushed, so a failed write never destroys the previous file.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// Creates a directory and its parents; true when it exists afterwards.
bool MakeDirectories(const std::string& path);

}  // namespace qv
