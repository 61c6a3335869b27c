#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "codecs/image.h"
#include "document/le_file.h"
#include "render/ft_text.h"
#include "render/pixel_buffer.h"

namespace qv {

// Draws the whole logo into a w x h buffer at scale `scf` (1 = 100 %), centred: the background,
// then every object back to front, each rendered again at that scale. Custom bitmaps keep their
// own pixel size.
int Export(LeFile& lf, uint32_t* dta, int w, int h, float scf);

// Where an object placed at `position` logo units from the centre lands in an area `side`
// pixels across, drawn at `scale`: the one placement rule of every drawer.
int ScaledCentre(int position, float scale, int side);

// Every text and shape object of a logo laid out at one render scale, with the pictures
// loaded: what an export draws from, and what drawing it costs. The objects' own renderers are
// left alone (they keep the editor's rasters); each object is rasterised into the plan's
// renderer only while it is drawn.
class ExportPlan {
public:
    ExportPlan(LeFile& lf, float scf);
    ExportPlan(const ExportPlan&) = delete;
    ExportPlan& operator=(const ExportPlan&) = delete;

    // The pictures' pixels and the most any one object's rasters hold at once, in bytes.
    uint64_t ObjectBytes() const;
    // Paths of the pictures that could not be loaded, back to front.
    const std::vector<std::string>& missing_pictures() const { return missing_pictures_; }
    // The layout of object n at the plan's scale; null for a picture.
    const TextLayout* LayoutOf(int n) const;
    float scale() const { return scf_; }

    // Where object n's raster (a picture's pixels) has its top-left corner in a w x h export:
    // the one placement every drawer uses. False for a missing object or picture.
    bool RasterOrigin(const LeFile& lf, int n, int w, int h, int& x0, int& y0) const;
    // The plan's renderer of object n (null for a picture): Rasterize it to get the coverage,
    // the effects mask and the outline curve at the plan's scale; FreeRasters after use.
    FtText* Renderer(int n);

    // The background and every object back to front, centred in w x h, as Export draws.
    void Draw(LeFile& lf, uint32_t* dta, int w, int h);

private:
    struct Centre {
        int x;
        int y;
    };
    Centre CentreOf(const LogoObj& o, int w, int h) const;

    float scf_;
    std::vector<std::unique_ptr<FtText>> renderers_;  // per object; null for pictures
    std::vector<std::string> missing_pictures_;
    uint64_t picture_bytes_ = 0;
    uint64_t raster_bytes_ = 0;
};

// The most memory an export of w x h from `plan` holds at once, in bytes (an upper estimate).
uint64_t ExportMemoryNeed(const ExportPlan& plan, int w, int h, bool transparent, bool eight_bit);

// Why the picture at `path` gives no pixels, for the user (output/bitmap_import.h's texts).
std::string MissingPictureMessage(const std::string& path);

// The formats of the export dialog, in its order; the last two are drawn as vectors.
enum class ExportFormat { kPng24, kPng8, kGif8, kBmp24, kJpeg, kTiff, kSvg, kPdf };
inline constexpr int kExportFormatCount = 8;

struct ExportFormatInfo {
    const char* caption;    // the radio button
    int file_type;          // ImageFileType; -1 for the vector formats
    bool eight_bit;         // reduced to a 256-colour palette
    const char* extension;  // default extension
    const char* filter;     // the save dialog's filter
    bool vector = false;    // written by a vector writer: no 8-bit form, no quality
};
const ExportFormatInfo& FormatInfo(ExportFormat format);

// What the export dialog fixes when it opens: the logo size at 100 %, from the fixed canvas or
// from centring the objects (which moves them in the document), and whether a custom bitmap
// forces the scale to 100 %.
struct ExportSubject {
    int width = 0;
    int height = 0;
    bool has_custom_bitmap = false;
};
ExportSubject PrepareExportSubject(LeFile& lf);

struct ExportSettings {
    ExportFormat format = ExportFormat::kPng24;
    int scale = 100;   // percent
    int margins = 0;   // pixels on every side
    int quality = 90;  // percent, JPEG
    // Composed on a transparent canvas instead of the background colour (PNG, GIF, TIFF, SVG
    // and PDF only).
    bool transparent = false;
    // The project's title (its file name without folder and extension), for the formats that
    // carry one (PDF); empty when unknown.
    std::string title;
};

// The formats that can carry transparency: PNG 24 and TIFF with full alpha, PNG 8 with a
// palette with alpha, GIF with one transparent index, SVG and PDF by leaving the background out.
bool FormatAllowsTransparency(ExportFormat format);

// The settings as they are read back: scale 1..10000, margins 0..100, quality 10..100.
ExportSettings ClampedSettings(const ExportSettings& s);

struct OutputSize {
    int width;
    int height;
};
// 2 * margins + scale * logo size / 100, with the clamped values.
OutputSize ExportOutputSize(const ExportSubject& subject, const ExportSettings& settings);

// The export buffer as a 24-bit codec image: buffer row 0 (the top) becomes image row h - 1.
bool BufferToImage(const uint32_t* dta, int w, int h, Image& image);

// An empty logo without a fixed canvas and without margins has no size at all.
inline constexpr const char* kNothingToExportMessage =
    "The logo is empty: add an object or margins before exporting.";

// Renders, converts, reduces when the format asks for it, and writes `path`; SVG and PDF go to
// their vector writers (scale, margins and transparency apply, 8-bit and quality do not). False, after the
// message "Can't open file " + path + " for writing...", when the file cannot be written. Also
// false, with nothing written, when the logo cannot be drawn as designed: a picture that cannot
// be read (MissingPictureMessage), more memory needed than `memory_budget` allows
// (kOutOfMemory, before anything large is allocated), or a fault while drawing. The first form
// takes DefaultMemoryBudget().
bool ExportLogoImage(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                     const std::string& path);
bool ExportLogoImage(LeFile& lf, const ExportSubject& subject, const ExportSettings& settings,
                     const std::string& path, uint64_t memory_budget);

// The logo for the clipboard: centred, at 100 %, no margins. Empty when the logo has no objects
// (the clipboard is then left empty).
PixelBuffer CopyLogoImage(LeFile& lf);
// The same picture with straight alpha in the top byte, for programs that take transparency.
PixelBuffer CopyLogoImageWithAlpha(LeFile& lf);

// The start every export shares: the output size and the plan at the export's scale. Null, after
// the message, for an empty logo or a picture that cannot be read: such a logo is not drawn
// at all. `settings` must be clamped already.
std::unique_ptr<ExportPlan> PlanExport(LeFile& lf, const ExportSubject& subject,
                                       const ExportSettings& settings, OutputSize& size);

}  // namespace qv
