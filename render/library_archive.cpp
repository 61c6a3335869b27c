#include "render/library_archive.h"

#include "app/byte_writer.h"
#include "render/library_scramble.h"

namespace qv {

std::vector<uint8_t> BuildLibraryArchive(const std::vector<LibraryArchiveEntry>& entries) {
    ByteWriter out;
    out.WriteU32(11671);
    out.WriteU32(static_cast<uint32_t>(entries.size()));
    for (const LibraryArchiveEntry& entry : entries) {
        out.WriteString(entry.label);
        out.WriteU32(static_cast<uint32_t>(entry.data.size()));
        out.WriteBytes(entry.data.data(), entry.data.size());
    }
    std::vector<uint8_t>& bytes = out.Bytes();
    ScrambleLibrary(bytes.data(), bytes.size());
    return std::move(bytes);
}

}  // namespace qv
