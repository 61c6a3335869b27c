// A font file from the user's font folder, as arbitrary bytes: naming it must refuse or accept
// it without reading past the data, and an accepted face must draw like any other.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/fault_report.h"
#include "app/user_message.h"
#include "render/ft_text.h"
#include "render/system_fonts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FT_Library library = [] {
        qv::SetFaultHandler([](int, const std::string&) {});
        qv::SetMessageHandler([](const std::string&) {});
        FT_Library made = nullptr;
        FT_Init_FreeType(&made);
        return made;
    }();
    std::string name;
    if (!qv::FontFileFaceName(library, data, size, name)) return 0;
    // Drawn as the renderer draws a face: a pixel size, then every glyph of a short text.
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, data, FT_Long(size), 0, &face) != 0) return 0;
    if (FT_Set_Pixel_Sizes(face, 0, 48) == 0) {
        for (const char c : std::string("Qorvan 0")) {
            const FT_UInt glyph = FT_Get_Char_Index(face, FT_ULong(c));
            if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0) FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
        }
    }
    FT_Done_Face(face);
    return 0;
}
