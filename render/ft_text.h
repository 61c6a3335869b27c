#pragma once

#include <string>
#include <vector>

#include "document/colour_model.h"
#include "document/obj_style.h"
#include "render/byte_raster.h"
#include "render/font_registry.h"
#include "render/pixel_buffer.h"
#include "render/text_layout.h"

namespace qv {

inline constexpr const char* kDamagedInstallationMessage =
    "Installation package corrupted. Please reinstall Qorvan Logo";

// The rendering engine. An instance renders one style record into a coverage raster (and, with
// effects, the mask the outline and shadow are drawn from) and blits it into pixel buffers.
// The static part is the process-wide font library: the archives read at start-up, their open
// faces, and the table of shapes offered from the symbol fonts.
//
// A render is two steps: Layout (the face, its pixel size, the glyph placements and the raster
// size, all kept in the TextLayout this renderer is) and Rasterize (the coverage raster and the
// effects mask). Splitting them lets a caller learn what the rasters will cost before any of
// them is allocated. Values of the style record outside what the editor produces are held to
// their bounds first (render/style_bounds.h); the record itself is never changed.
class FtText : public TextLayout {
public:
    static constexpr int kMaxGlyphs = 500;

    // Mode 0: exact size; 2: shrunk until the widest glyph and the line height fit; any other
    // value: shrunk until the line height fits. A non-zero flag adds the 10-pixel margin and
    // prepares the effects mask. Layout followed by Rasterize.
    int Render(const ObjStyle& lt, int mode, int flag);

    // Lays out `lt` without allocating any raster; the previous rasters are released.
    int Layout(const ObjStyle& lt, int mode, int flag);
    // Draws the glyphs of the last layout into a new coverage raster and, with effects, builds
    // the mask. `lt` must be the record the layout was made from.
    int Rasterize(const ObjStyle& lt);
    // The layout as a plain value, for the drawers that do not rasterise.
    const TextLayout& layout() const { return *this; }

    // What Rasterize of the last layout allocates: the bytes it keeps (coverage and mask) and
    // the most it holds at once while it works (those plus the blur's spare raster and one
    // glyph bitmap). Too large a layout costs UINT64_MAX.
    struct RasterCost {
        uint64_t kept = 0;
        uint64_t peak = 0;
    };
    RasterCost Cost(const ObjStyle& lt) const;
    // Frees the rasters, keeping the layout.
    void FreeRasters();

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

    ByteRaster raster;   // coverage, szx * szy
    ByteRaster mask;     // effects mask, szx * szy
    int curve[256] = {};

    // What InitFt, ReadLib and ReadLibBuffer return for a missing, truncated or damaged archive.
    static constexpr int kArchiveDamaged = 1;

    // Starts FreeType and loads the shape library and the eleven text archives from the
    // installation directory. A second call is a fault. When an archive is missing or damaged
    // the fonts that could be read are kept, kDamagedInstallationMessage is shown once and the
    // result is kArchiveDamaged.
    static int InitFt();
    // Starts FreeType with only the faces a process that draws `face_names` needs, read through
    // the index beside the archives: the symbol and text fonts named, and the first text font,
    // which FindFace falls back to. FindFace and HasFace then answer for those names as with
    // the whole library; the shape table stays empty and the other faces are not there. A
    // missing, damaged or stale index loads the whole library instead, as InitFt does.
    static int InitFtFor(const std::vector<std::string>& face_names);
    // Reads one archive and appends its fonts with the given category, up to any damage: the
    // result is then kArchiveDamaged, with nothing shown. A wrong magic number ends the process
    // after kDamagedInstallationMessage.
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
    // True when `name` is loaded or is one of the system's or the user's fonts.
    static bool CanDraw(const std::string& name);

    static int FontCount() { return static_cast<int>(Registry().fonts.size()); }
    static int SymbolFontCount() { return Registry().n_symfonts; }
    static int ShapeCount() { return static_cast<int>(Registry().shapes.size()); }
    static int TextFontCount() { return FontCount() - SymbolFontCount(); }
    // Text font nf (0-based), counted after the symbol fonts.
    static const FontRecord* TextFont(int nf);
    // The names of the text fonts of one tab, in library order.
    static std::vector<std::string> TextFontNames(int category);

private:
    int LayoutBounded(const ObjStyle& lt, int mode, int flag);
    int RasterizeBounded(const ObjStyle& lt);
    int BltBounded(const ObjStyle& lt, uint32_t* dta, int dw, int dh, int x, int y, bool xcnt,
                   bool ycnt) const;
    void EmptyLayout();
    bool SetPixelSize(const ObjStyle& lt, int mode);
    int PrepareStr(const ObjStyle& lt);
    int RenderStr(const ObjStyle& lt);
};

}  // namespace qv
