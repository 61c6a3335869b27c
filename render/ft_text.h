#pragma once

#include <string>
#include <vector>

#include "render/font_registry.h"

namespace qv {

// The rendering engine. The static part is the process-wide font library: the archives read
// at start-up, their open faces, and the table of shapes offered from the symbol fonts.
class FtText {
public:
    // Starts FreeType and loads the shape library and the eleven text archives from the
    // installation directory. A second call is a fault.
    static int InitFt();
    // Reads one archive and appends its fonts with the given category. Every failure is
    // reported; a wrong magic number ends the process after a message.
    static int ReadLib(int category, const std::string& path);
    // Lists the usable glyphs of the symbol fonts, glyph-major.
    static int PrepSymLib();
    // Copies shape entry n; out of range is a fault and leaves the outputs untouched.
    static int GetSym(int n, std::string& name, std::string& label, int& glyph);
    // Closes every face and FreeType itself, and empties the library.
    static int FreeFt();

    // The face called exactly `name`, or the first text font when there is none (null only
    // when the library holds no text font at all).
    static FT_Face FindFace(const std::string& name);
    // True when a face called exactly `name` is loaded.
    static bool HasFace(const std::string& name);

    static int FontCount() { return static_cast<int>(Registry().fonts.size()); }
    static int SymbolFontCount() { return Registry().n_symfonts; }
    static int ShapeCount() { return static_cast<int>(Registry().shapes.size()); }
    static int TextFontCount() { return FontCount() - SymbolFontCount(); }
    // Text font nf (0-based), counted after the symbol fonts.
    static const FontRecord* TextFont(int nf);
    // The names of the text fonts of one tab, in library order.
    static std::vector<std::string> TextFontNames(int category);
};

}  // namespace qv
