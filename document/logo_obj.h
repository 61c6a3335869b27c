#pragma once

#include <cstdint>
#include <string>

#include "document/obj_style.h"
#include "render/ft_text.h"
#include "render/pixel_buffer.h"

namespace qv {

// Decodes the image file at `path` into `out` (0xAARRGGBB, top row first). Returns false, with
// `out` left as it was, when the file cannot be decoded.
using BitmapLoader = bool (*)(const std::string& path, PixelBuffer& out);

// Installs the process-wide image loader used by every custom-bitmap object and returns the
// previous one; null removes it, after which no pixels can be loaded.
BitmapLoader SetBitmapLoader(BitmapLoader loader);

// One object of a logo: a line of text, a shape or a custom bitmap.
//
// Its value is the style record, source path, position, extent, type and shape hint. The
// renderer and the decoded pixels are rendering state, rebuilt on demand and never copied: the
// renderer's rasters are unique, so the object is not copyable and only its value is transferred
// (CopyValueFrom). It is not movable either, because the document hands out pointers to it.
class LogoObj {
public:
    static constexpr int kText = 0;
    static constexpr int kShape = 1;
    static constexpr int kCustom = 2;

    LogoObj() = default;
    LogoObj(const LogoObj&) = delete;
    LogoObj& operator=(const LogoObj&) = delete;

    // Takes over the value of `other`; this object's rendering state is dropped, so a custom
    // bitmap is decoded again from its path when it is next drawn.
    void CopyValueFrom(const LogoObj& other);

    // Sets lt.str to the shape's name: three letters of the font name and the glyph number.
    int MakeShapeName();

    // Decodes the source path through the installed loader and takes the size from the pixels.
    // On failure the object keeps whatever pixels and extent it had.
    bool LoadPixels();

    // Draws the object centred into a preview buffer. The renderer must have rendered `lt`.
    int BltToBufCnt(uint32_t* cdta, int cdw, int cdh);

    // Draws the custom bitmap centred on (ox, oy) into `dta` of szx x szy, blending each pixel
    // with its own alpha. Pixels that are missing are loaded first; if that fails, nothing is
    // drawn.
    int BltCust(uint32_t* dta, int szx, int szy, int ox, int oy);

    ObjStyle lt;
    std::string path;  // a custom bitmap's image file; empty for other objects
    int x = 0;         // centre relative to the logo centre, y growing downwards
    int y = 0;
    int w = 1;  // size of the last rendered picture, or of the bitmap
    int h = 1;
    int type = kText;
    int hint = 0;  // last known index of the shape in the shape table
    // The editor keeps a bent line's middle at the top (bottom) of its circle: every layout
    // sets the rotation from the run. Not saved: the file holds the rotation it gave.
    bool centre_on_arc = false;

    // Rendering state.
    FtText ft;
    PixelBuffer cust;  // decoded bitmap, 0xAARRGGBB, empty until loaded
};

}  // namespace qv
