#include "render/fallback_faces.h"

#include "app/byte_reader.h"
#include <algorithm>

#include "app/codepage1252.h"
#include "app/file_io.h"
#include "app/install_dir.h"
#include "app/unicode_text.h"
#include "render/font_registry.h"
#include "render/library_archive.h"
#include "render/library_scramble.h"

namespace qv {
namespace {

constexpr uint32_t kArchiveMagic = 11671;
// More than the installation ships; a damaged count stops here.
constexpr uint32_t kMaxFallbackFaces = 64;

// Reads the archive and opens its faces over the kept block, up to any damage.
void ReadFallbacks(FontRegistry& reg) {
    std::vector<uint8_t>& data = reg.fallback_data;
    if (!reg.library || !ReadFileBytes(InstallDir() + "/" + kFallbackArchivePath, data)) return;
    DescrambleLibrary(data.data(), data.size());
    ByteReader in(data.data(), data.size());
    uint32_t magic = 0, count = 0;
    if (!in.ReadU32(magic) || magic != kArchiveMagic || !in.ReadU32(count)) return;
    for (uint32_t n = 0; n < count && n < kMaxFallbackFaces; ++n) {
        std::string label;
        uint32_t length = 0;
        if (!in.ReadString(label) || !in.ReadU32(length) || length > in.Remaining()) return;
        const uint8_t* font = in.Current();
        in.Skip(length);
        FT_Face face = nullptr;
        if (FT_New_Memory_Face(reg.library, font, static_cast<FT_Long>(length), 0, &face) != 0) continue;
        // Unicode lookup only: a face without a Unicode map cannot answer for a character.
        if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
            FT_Done_Face(face);
            continue;
        }
        reg.fallbacks.push_back(face);
    }
}

}  // namespace

bool MayFallBack(char32_t code_point) {
    unsigned char byte = 0;
    if (UnicodeToCp1252(code_point, byte)) return false;
    // Format and line controls draw nothing in any face.
    return code_point >= 0x20 && !(code_point >= 0x7F && code_point < 0xA0) &&
           !(code_point >= 0x200B && code_point <= 0x200F) && code_point != 0xFEFF;
}

FT_Face FallbackFaceFor(char32_t code_point, FT_UInt& index) {
    FontRegistry& reg = Registry();
    if (!reg.fallbacks_read) {
        reg.fallbacks_read = true;
        ReadFallbacks(reg);
    }
    for (FT_Face face : reg.fallbacks) {
        index = FT_Get_Char_Index(face, code_point);
        if (index != 0) return face;
    }
    index = 0;
    return nullptr;
}

std::vector<std::string> FallbackFaceNames(FT_Face face, const std::string& text) {
    std::vector<FT_Face> used;
    for (char32_t cp : DecodeText(text)) {
        if (!face || !MayFallBack(cp) || FT_Get_Char_Index(face, cp) != 0) continue;
        FT_UInt index = 0;
        FT_Face fallback = FallbackFaceFor(cp, index);
        if (fallback && std::find(used.begin(), used.end(), fallback) == used.end()) used.push_back(fallback);
    }
    std::vector<std::string> names;
    for (FT_Face f : Registry().fallbacks) {
        if (std::find(used.begin(), used.end(), f) == used.end()) continue;
        names.push_back(std::string(f->family_name ? f->family_name : "") + " " +
                        (f->style_name ? f->style_name : ""));
    }
    return names;
}

void FreeFallbackFaces() {
    FontRegistry& reg = Registry();
    for (FT_Face face : reg.fallbacks) FT_Done_Face(face);
    reg.fallbacks.clear();
    reg.fallback_data.clear();
    reg.fallback_data.shrink_to_fit();
    reg.fallbacks_read = false;
}

}  // namespace qv
