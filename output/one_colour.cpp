#include "output/one_colour.h"

namespace qv {

void MakeOneColourCopy(const LeFile& logo, const Hls& colour, LeFile& out) {
    out.CopyFrom(logo);
    for (int n = 0; n < out.objs; ++n) {
        LogoObj* o = out.obj[n].get();
        if (!o) continue;
        o->lt.color = colour;
        o->lt.grad_color1 = colour;
        o->lt.grad_color2 = colour;
        o->lt.outline_color = colour;
        o->lt.shadow_color = colour;
    }
}

void PaintVisiblePixels(Image& image, uint32_t rgb) {
    for (uint32_t& p : image.pixels) p = (p >> 24) == 0 ? 0 : ((p & 0xFF000000u) | (rgb & 0x00FFFFFFu));
}

}  // namespace qv
