#include "render/library_archive.h"

#include <charconv>
#include <string_view>

#include "app/byte_reader.h"
#include "app/byte_writer.h"
#include "render/font_registry.h"
#include "render/library_scramble.h"

namespace qv {
namespace {

constexpr uint32_t kArchiveMagic = 11671;
constexpr std::string_view kIndexHeader = "qorvan-font-index 1";
// Labels are short package paths; anything longer is not an index of ours.
constexpr uint64_t kMaxLabelSpan = 1 << 16;

// The next field of a tab-separated line; the rest of the line when `last`.
bool NextField(std::string_view& line, std::string_view& field, bool last = false) {
    if (last) {
        field = line;
        line = {};
        return true;
    }
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return false;
    field = line.substr(0, tab);
    line.remove_prefix(tab + 1);
    return true;
}

template <typename T>
bool ParseNumber(std::string_view text, T low, T high, T& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && at == end && value >= low && value <= high;
}

bool ParseCategory(std::string_view text, int& category) {
    return ParseNumber(text, -1, FontRegistry::kCategories - 1, category);
}

}  // namespace

std::vector<uint8_t> BuildLibraryArchive(const std::vector<LibraryArchiveEntry>& entries) {
    ByteWriter out;
    out.WriteU32(kArchiveMagic);
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

bool ListArchiveEntries(const uint8_t* plain, size_t size, std::vector<ArchiveEntryPlace>& places) {
    places.clear();
    ByteReader in(plain, size);
    uint32_t magic = 0;
    uint32_t count = 0;
    if (!in.ReadU32(magic) || magic != kArchiveMagic || !in.ReadU32(count)) return false;
    for (uint32_t n = 0; n < count; ++n) {
        ArchiveEntryPlace place;
        place.entry_offset = in.Position();
        std::string label;
        if (!in.ReadString(label) || !in.ReadU32(place.font_length) ||
            !in.Skip(place.font_length)) {
            return false;
        }
        place.font_offset = in.Position() - place.font_length;
        places.push_back(place);
    }
    return in.Remaining() == 0;
}

std::string LibraryArchivePath(int category) {
    if (category < 0) return "basgl.bgd";
    return "embedded/emb" + std::to_string(category + 1) + ".gld";
}

std::string FormatLibraryIndex(const LibraryIndex& index) {
    std::string text(kIndexHeader);
    text += '\n';
    for (int category = -1; category < FontRegistry::kCategories; ++category) {
        text += "archive\t" + std::to_string(category) + '\t' + LibraryArchivePath(category) + '\t' +
                std::to_string(index.archive_size[category + 1]) + '\n';
    }
    for (const LibraryIndexFont& font : index.fonts) {
        text += "font\t" + std::to_string(font.category) + '\t' +
                std::to_string(font.place.entry_offset) + '\t' +
                std::to_string(font.place.font_offset) + '\t' +
                std::to_string(font.place.font_length) + '\t' + font.name + '\n';
    }
    return text;
}

bool ParseLibraryIndex(const std::string& text, LibraryIndex& index) {
    index = LibraryIndex{};
    std::string_view rest(text);
    const auto next_line = [&rest](std::string_view& line) {
        const size_t end = rest.find('\n');
        if (end == std::string_view::npos) return false;  // every line ends in a newline
        line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        return true;
    };
    std::string_view line;
    if (!next_line(line) || line != kIndexHeader) return false;

    for (int category = -1; category < FontRegistry::kCategories; ++category) {
        std::string_view kind, number, path, size;
        int listed = 0;
        if (!next_line(line) || !NextField(line, kind) || kind != "archive" ||
            !NextField(line, number) || !ParseCategory(number, listed) || listed != category ||
            !NextField(line, path) || path != LibraryArchivePath(category) ||
            !NextField(line, size, true) ||
            !ParseNumber<uint64_t>(size, 8, UINT32_MAX, index.archive_size[category + 1])) {
            return false;
        }
    }

    int last_category = -1;
    while (!rest.empty()) {
        if (index.fonts.size() >= static_cast<size_t>(FontRegistry::kMaxFonts)) return false;
        std::string_view kind, number, entry, offset, length, name;
        LibraryIndexFont font;
        if (!next_line(line) || !NextField(line, kind) || kind != "font" ||
            !NextField(line, number) || !ParseCategory(number, font.category) ||
            !NextField(line, entry) || !NextField(line, offset) || !NextField(line, length) ||
            !NextField(line, name, true)) {
            return false;
        }
        const uint64_t archive_size = index.archive_size[font.category + 1];
        ArchiveEntryPlace& place = font.place;
        // An entry holds at least a one-byte label length and the four-byte font length, and
        // lies after the archive's own header.
        if (font.category < last_category ||
            !ParseNumber<uint64_t>(entry, 8, archive_size, place.entry_offset) ||
            !ParseNumber<uint64_t>(offset, place.entry_offset + 5, archive_size, place.font_offset) ||
            place.font_offset - place.entry_offset > kMaxLabelSpan ||
            !ParseNumber<uint32_t>(length, 0, UINT32_MAX, place.font_length) ||
            place.font_length > archive_size - place.font_offset) {
            return false;
        }
        last_category = font.category;
        font.name = std::string(name);
        index.fonts.push_back(std::move(font));
    }
    return true;
}

}  // namespace qv
