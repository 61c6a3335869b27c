#include "render/shape_text.h"

namespace qv {

std::string NormalizeSearchText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool blank = false;
    for (const char raw : text) {
        char c = raw;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '-' || c == '_' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

std::string ShapeCodeName(const std::string& face, int glyph) {
    return face + " #" + std::to_string(glyph);
}

}  // namespace qv
