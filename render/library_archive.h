#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// One font file as it goes into a library archive.
struct LibraryArchiveEntry {
    std::string label;
    std::vector<uint8_t> data;
};

// The scrambled bytes of a library archive holding `entries` in order; the reader of the
// installation data takes exactly this.
std::vector<uint8_t> BuildLibraryArchive(const std::vector<LibraryArchiveEntry>& entries);

}  // namespace qv
