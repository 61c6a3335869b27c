#include "document/colour_shift.h"

#include <algorithm>

#include "document/le_file.h"

namespace qv {
namespace {

bool g_current_only = false;
bool g_background = true;

float Position(int v) {
    return static_cast<float>(std::clamp(v, -100, 100) + 100) / 200.0f;
}

}  // namespace

Hls ShiftColour(Hls base, float ph, float ps, float pl) {
    const float offset = (ph - 0.5f) * 240.0f;
    const float fs = ps * 2.0f;
    const float fl = pl * 2.0f;
    Hls out;
    out.h = offset + base.h;
    if (out.h < 0.0f) out.h += 239.0f;
    if (out.h > 239.0f) out.h -= 239.0f;
    out.s = std::clamp(fs * base.s, 0.0f, 240.0f);
    out.l = std::clamp(fl * base.l, 0.0f, 240.0f);
    return out;
}

bool ColourShift::CurrentOnly() {
    return g_current_only;
}
void ColourShift::SetCurrentOnly(bool on) {
    g_current_only = on;
}
bool ColourShift::Background() {
    return g_background;
}
void ColourShift::SetBackground(bool on) {
    g_background = on;
}

bool ColourShift::Add(Hls& colour) {
    if (static_cast<int>(entries_.size()) >= kMaxEntries) return false;
    entries_.push_back(Entry{&colour, colour});
    return true;
}

int ColourShift::Build(LeFile& lf) {
    entries_.clear();
    if (g_background) Add(lf.bgc);
    const auto add_object = [this](LogoObj& o) {
        Add(o.lt.color);
        Add(o.lt.outline_color);
        Add(o.lt.shadow_color);
        Add(o.lt.grad_color1);
        Add(o.lt.grad_color2);
    };
    if (g_current_only && lf.objs > 0) {
        // With no current object there is nothing of the objects to shift.
        if (lf.cur >= 0 && lf.cur < lf.objs && lf.obj[lf.cur]) add_object(*lf.obj[lf.cur]);
    } else {
        for (int n = 0; n < lf.objs && n < kMaxObjects; ++n) {
            if (lf.obj[n]) add_object(*lf.obj[n]);
        }
    }
    return 0;
}

int ColourShift::Apply(int hue, int sat, int light) {
    const float ph = Position(hue);
    const float ps = Position(sat);
    const float pl = Position(light);
    for (const Entry& e : entries_) *e.colour = ShiftColour(e.base, ph, ps, pl);
    return 0;
}

}  // namespace qv
