#pragma once

#include <memory>
#include <vector>

#include "document/le_file.h"
#include "document/obj_style.h"
#include "render/ft_text.h"
#include "render/pixel_buffer.h"

namespace qv::ui {

// A part of the logo as it looks when drawn at a render scale: the canvas at a zoom, on a
// high-density screen, or both. Every text and shape object is laid out and rasterised again at
// that scale, so the picture is sharp rather than enlarged pixels; pictures are enlarged, as
// they have no finer pixels. Each object's rasters are kept while the scale and the fields they
// depend on stay, so a drag, or a change of colour or shadow offset, only blits.
class ZoomComposer {
public:
    // Draws the window [vx, vx + vw) x [vy, vy + vh) of the logo at `scale` into `out` (vw x vh).
    // The logo area is logo_w x logo_h logo units, so scale * logo_w pixels wide, with the logo
    // centre in its middle; object n is centred where an export of that size at that scale
    // puts it. False, with `out` untouched, when the rasters at this scale would need more
    // memory than allowed (the caller shows the logo enlarged instead) or the scale is unusable.
    bool Compose(LeFile& lf, float scale, int logo_w, int logo_h, int vx, int vy, int vw, int vh,
                 PixelBuffer& out);

    // Draws object `o` alone, rendered at `scale`, centred in `out` (already filled), as the
    // current-object preview shows it; kept rasters live under slot `slot`. False when the
    // rasters would need more memory than allowed.
    bool ComposeObject(LogoObj& o, int slot, float scale, PixelBuffer& out);

    // The pixel size of the logo area at `scale`.
    static int ScaledSide(int logo_side, float scale);

    // Forgets every kept raster.
    void Clear() { cache_.clear(); }

private:
    struct Entry {
        ObjStyle lt;
        float scale = 0;
        std::unique_ptr<FtText> ft;
    };
    // The renderer of object n at `scale`, rasterised; null when it would exceed `budget`.
    FtText* RendererOf(int n, const LogoObj& o, float scale, uint64_t& budget);

    std::vector<Entry> cache_;
};

}  // namespace qv::ui
