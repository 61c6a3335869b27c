#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Reads a whole file. False when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

// Writes a file so that a failed write never destroys the previous one: through a temporary
// file beside it that is flushed and then renamed over the target. A symbolic link stays and its
// target is written; a new file gets 0666 less the umask, a replaced one keeps its permission
// bits (and, where allowed, its owner). A device, a FIFO or an open descriptor reached through
// /dev/stdout or /proc is written directly, never renamed over.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// Writes all bytes to an open descriptor, going on after interruptions and short writes.
bool WriteAllToDescriptor(int fd, const std::vector<uint8_t>& bytes);

// Creates a directory and its parents; true when it exists afterwards.
bool MakeDirectories(const std::string& path);

}  // namespace qv
