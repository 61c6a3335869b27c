#pragma once

#include <string>
#include <vector>

#include "document/colour_model.h"
#include "document/obj_style.h"
#include "render/byte_raster.h"
#include "render/font_registry.h"
#include "render/pixel_buffer.h"

namespace qv {

// Where one glyph goes: during layout relative to the text origin with y up, afterwards in
// raster columns and rows; with its transform in 16.16 fixed point.
struct GlyphPlacement {
    int index = 0;
    int x = 0;
    int y = 0;
    FT_Fixed xx = 0x10000, xy = 0, yx = 0, yy = 0x10000;
};

// The rendering engine. An instance renders one style record into a coverage raster (and, with
// effects, the mask the outline and shadow are drawn from) and blits it into pixel buffers.
// The static part is the process-wide font library: the archives read at start-up, their open
// faces, and the table of shapes offered from the symbol fonts.
class FtText {
public:
    static constexpr int kMaxGlyphs = 500;

    // Mode 0: exact size; 2: shrunk until the widest glyph and the line height fit; any other
    // value: shrunk until the line height fits. A non-zero flag adds the 10-pixel margin and
    // prepares the effects mask.
    int Render(const ObjStyle& lt, int mode, int flag);

    // Draws the last raster into `dta` (dw x dh): shadow, fill or gradient, outline. With
    // xcnt / ycnt the raster's centre goes to x / y, otherwise its origin.
    int BltToBuf(const ObjStyle& lt, uint32_t* dta, int dw, int dh, int x, int y, bool xcnt,
                 bool ycnt) const;

    // A dw x dh picture of the last raster: on a checkerboard with `chess`, else on `bgc`;
    // centred vertically, and horizontally with `xcnt` or else with its origin at column `box`.
    PixelBuffer BltToDC(const ObjStyle& lt, int dw, int dh, int box, const Hls& bgc,
                        bool xcnt = false, bool chess = false) const;
    // A dw x dh picture of the last raster centred on `bgc`.
    PixelBuffer BltToBitmap(const ObjStyle& lt, int dw, int dh, const Hls& bgc) const;

    // Builds the effects mask and outline curve from the coverage raster.
    int PrepareEffects(const ObjStyle& lt);

    int szx = 0;
    int szy = 0;
    int orgx = 0;  // raster column of the text origin
    int orgy = 0;  // raster row of the baseline
    float scale = 1.0f;  // render scale: 1 on screen, the output factor during export
    int effects = 0;     // flag of the last Render
    ByteRaster raster;   // coverage, szx * szy
    ByteRaster mask;     // effects mask, szx * szy
    int curve[256] = {};
    int slen = 0;
    std::vector<GlyphPlacement> gp;  // slen entries; its capacity is kept between renders
    FT_Face face = nullptr;

    // Starts FreeType and loads the shape library and the eleven text archives from the
    // installation directory. A second call is a fault.
    static int InitFt();
    // Reads one archive and appends its fonts with the given category. Every failure is
    // reported; a wrong magic number ends the process after a message.
    static int ReadLib(int category, const std::string& path);
    // The same for an archive already in memory: `dta` is descrambled in place and parsed; the
    // fonts copy what they need.
    static int ReadLibBuffer(int category, uint8_t* dta, size_t infl);
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

private:
    void SetPixelSize(const ObjStyle& lt, int mode);
    int PrepareStr(const ObjStyle& lt);
    int RenderStr(const ObjStyle& lt);
};

}  // namespace qv
