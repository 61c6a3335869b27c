#pragma once

#include <string>
#include <vector>

#include "codecs/image.h"
#include "output/logo_export.h"
#include "render/pixel_buffer.h"

namespace qv {

// One file of a logo kit, named as it is written, and what it is for the brand page.
struct KitFile {
    const char* name;
    const char* description;
    bool vector;  // written only when the build has vector writers
};

// Every file of a kit besides the licences, in the order of the brand page.
const std::vector<KitFile>& KitFiles();

inline constexpr const char* kKitPageName = "brand.html";
inline constexpr const char* kKitLicenceFolder = "licenses";
inline constexpr int kKitJpegQuality = 92;
// The empty part of each side of the social squares, as a fraction of the side.
inline constexpr float kSocialMargin = 0.10f;

// The pixel size of the logo drawn with its longer side `side` pixels, and the render scale
// that gives it. A logo without size gives 0 x 0.
struct KitRender {
    int width = 0;
    int height = 0;
    float scale = 0.0f;
};
KitRender LongerSide(const ExportSubject& subject, int side);
// A square of `side` pixels with the logo fitted into the part `inner` of it.
KitRender FittedSquare(const ExportSubject& subject, int side, float inner = 1.0f);

// A straight-alpha picture (top row first) as a codec image with alpha.
bool AlphaBufferToImage(const PixelBuffer& argb, Image& image);
// An opaque export buffer (top row first, the top byte meaningless) as an opaque codec image.
bool OpaqueBufferToImage(const PixelBuffer& rgb, Image& image);
// A straight-alpha picture laid over an opaque colour (0xRRGGBB), as an opaque codec image.
bool OverColourToImage(const PixelBuffer& argb, uint32_t rgb, Image& image);

}  // namespace qv
