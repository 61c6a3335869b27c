#include "bench/reference_logo.h"

#include "app/install_dir.h"
#include "render/ft_text.h"

namespace qv::bench {

void EnsureFonts() {
    if (FtText::FontCount() > 0) return;
    InitInstallDir();
    FtText::InitFt();
}

namespace {

LogoObj* AddText(LeFile& lf, const char* text, const char* font, int size, int x, int y) {
    LogoObj* o = lf.AddObj(0);
    o->lt.str = text;
    o->lt.font = font;
    o->lt.size = size;
    o->lt.outline = 1;
    o->lt.shadow = 1;
    o->lt.strength = 5;
    o->x = x;
    o->y = y;
    return o;
}

LogoObj* AddShape(LeFile& lf, const char* font, int glyph, int size, int x, int y) {
    LogoObj* o = lf.AddObj(1);
    o->lt.font = font;
    o->lt.glyph = glyph;
    o->lt.size = o->lt.width = size;
    o->lt.grad = 1;
    o->lt.grad_angle = 90;
    o->lt.grad_color1 = {30, 240, 150};
    o->lt.grad_color2 = {10, 240, 60};
    o->x = x;
    o->y = y;
    return o;
}

}  // namespace

void BuildReferenceLogo(LeFile& lf) {
    lf.Clear();
    AddShape(lf, "D050000L Regular", 43, 160, -260, -20);
    AddShape(lf, "FontAwesome Regular", 120, 90, 260, -40);
    LogoObj* title = AddText(lf, "Qorvan Coffee", "Lobster Two Bold", 90, 0, -30);
    title->lt.grad = 1;
    title->lt.grad_color1 = {25, 240, 110};
    title->lt.grad_color2 = {35, 200, 200};
    LogoObj* rotated = AddText(lf, "ROASTERS", "Bebas Neue Regular", 60, 0, 60);
    rotated->lt.transform = 1;
    rotated->lt.rotation = 0.02f;
    rotated->lt.spacing = 6;
    LogoObj* bent = AddText(lf, "fresh every morning", "Dancing Script Bold", 40, 0, -130);
    bent->lt.transform = 1;
    bent->lt.bend_on = 1;
    bent->lt.bend = 0.45f;
    LogoObj* slogan = lf.AddObj(0);
    slogan->lt.str = "EST. 2026";
    slogan->lt.font = "Quicksand Bold";
    slogan->lt.size = 28;
    slogan->y = 120;
}

}  // namespace qv::bench
