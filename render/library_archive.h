#pragma once

#include <cstddef>
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

// Where one entry lies in an archive file: its label, then the font bytes.
struct ArchiveEntryPlace {
    uint64_t entry_offset = 0;
    uint64_t font_offset = 0;
    uint32_t font_length = 0;
};

// The places of every entry of a descrambled archive; false when it is not a whole archive.
bool ListArchiveEntries(const uint8_t* plain, size_t size, std::vector<ArchiveEntryPlace>& places);

// The archive files of the installation, relative to its folder: the shape library for
// category -1, embedded/embN.gld for text tab N - 1.
std::string LibraryArchivePath(int category);

// The index written beside the archives at build time, so that a process that needs a few
// faces reads only those. It lists every font in library order (the shape library first, then
// the tabs in order, each in archive order) under the name the library registers it by.
struct LibraryIndexFont {
    std::string name;
    int category = -1;
    ArchiveEntryPlace place;
};

struct LibraryIndex {
    static constexpr int kArchives = 12;
    uint64_t archive_size[kArchives] = {};  // by category + 1
    std::vector<LibraryIndexFont> fonts;
};

inline constexpr const char* kLibraryIndexPath = "embedded/index.txt";
// The fallback faces, in the order they are asked for a character; offered in no tab.
inline constexpr const char* kFallbackArchivePath = "embedded/fallback.gld";

// The index as text: a header line, one line per archive with its size, one line per font.
std::string FormatLibraryIndex(const LibraryIndex& index);

// Reads what FormatLibraryIndex wrote. False for anything else: an unknown header, a line out
// of order, a number out of range, a place outside its archive, more fonts than the library
// holds. `index` is then unspecified.
bool ParseLibraryIndex(const std::string& text, LibraryIndex& index);

}  // namespace qv
