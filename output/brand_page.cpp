#include "output/brand_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "output/xml_text.h"

namespace qv {
namespace {

// HTML shares XML's escaping.
std::string Escaped(const std::string& text) { return XmlEscaped(text); }

void AddColour(std::vector<BrandColour>& colours, const std::string& role, const Hls& hls) {
    const uint32_t rgb = HlsToPacked(hls) & 0xFFFFFFu;
    for (BrandColour& c : colours) {
        if (c.rgb != rgb) continue;
        if (c.role.find(role) == std::string::npos) c.role += ", " + role;
        return;
    }
    colours.push_back({role, rgb});
}

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:2em;color:#222;background:#fff}"
    "h1,h2{font-weight:600}.tiles{display:flex;flex-wrap:wrap;gap:1em}"
    ".tile{padding:1.5em;border:1px solid #ccc;border-radius:6px;text-align:center}"
    ".tile img{max-width:360px;max-height:200px;display:block;margin:0 auto .8em}"
    ".light{background:#ffffff;color:#222}.dark{background:#1e1e1e;color:#eee}"
    ".swatch{display:inline-block;width:2.5em;height:1.5em;border:1px solid #888;vertical-align:middle}"
    "table{border-collapse:collapse}td,th{padding:.3em .8em;border-bottom:1px solid #ddd;text-align:left}";

}  // namespace

std::vector<BrandColour> LogoColours(const LeFile& lf) {
    std::vector<BrandColour> colours;
    for (int n = 0; n < lf.objs; ++n) {
        const LogoObj* o = lf.obj[n].get();
        if (!o || o->type == LogoObj::kCustom) continue;
        if (o->lt.grad) {
            AddColour(colours, "gradient", o->lt.grad_color1);
            AddColour(colours, "gradient", o->lt.grad_color2);
        } else {
            AddColour(colours, "fill", o->lt.color);
        }
        if (o->lt.outline) AddColour(colours, "outline", o->lt.outline_color);
        if (o->lt.shadow) AddColour(colours, "shadow", o->lt.shadow_color);
    }
    // The background stays an entry of its own, even when an object shares its colour.
    colours.push_back({"background", HlsToPacked(lf.bgc) & 0xFFFFFFu});
    return colours;
}

std::string HexColour(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    return text;
}

std::string NaiveCmyk(uint32_t rgb) {
    const double r = ((rgb >> 16) & 0xFF) / 255.0, g = ((rgb >> 8) & 0xFF) / 255.0, b = (rgb & 0xFF) / 255.0;
    const double k = 1.0 - std::max({r, g, b});
    auto part = [&](double v) { return k >= 1.0 ? 0L : std::lround((1.0 - v - k) / (1.0 - k) * 100.0); };
    char text[48];
    std::snprintf(text, sizeof text, "C %ld M %ld Y %ld K %ld", part(r), part(g), part(b), std::lround(k * 100.0));
    return text;
}

std::string BrandPageHtml(const BrandPageContent& c) {
    std::string h;
    h += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    h += "<title>" + Escaped(c.title) + " - brand sheet</title>\n<style>" + std::string(kStyle) + "</style>\n";
    h += "</head>\n<body>\n<h1>" + Escaped(c.title) + "</h1>\n";

    h += "<h2>Logo</h2>\n<div class=\"tiles\">\n";
    for (const BrandPicture& p : c.pictures) {
        h += std::string("<div class=\"tile ") + (p.on_dark ? "dark" : "light") + "\"><img alt=\"" +
             Escaped(p.caption) + "\" src=\"data:image/png;base64," + Base64(p.png) + "\">" + Escaped(p.caption) +
             "</div>\n";
    }
    h += "</div>\n";

    h += "<h2>Colours</h2>\n<p>CMYK is a naive approximation (K = 1 &minus; max(R, G, B), C = (1 &minus; R "
         "&minus; K) / (1 &minus; K), M and Y alike), not a print profile; ask the printer for a proof.</p>\n";
    h += "<table>\n<tr><th></th><th>Used for</th><th>HEX</th><th>RGB</th><th>CMYK</th></tr>\n";
    for (const BrandColour& colour : c.colours) {
        const std::string hex = HexColour(colour.rgb);
        char rgb[32];
        std::snprintf(rgb, sizeof rgb, "%u, %u, %u", (colour.rgb >> 16) & 0xFF, (colour.rgb >> 8) & 0xFF,
                      colour.rgb & 0xFF);
        h += "<tr><td><span class=\"swatch\" style=\"background:" + hex + "\"></span></td><td>" +
             Escaped(colour.role) + "</td><td>" + hex + "</td><td>" + rgb + "</td><td>" + NaiveCmyk(colour.rgb) +
             "</td></tr>\n";
    }
    h += "</table>\n";

    h += "<h2>Fonts</h2>\n";
    if (c.fonts.empty()) h += "<p>The logo uses no font.</p>\n";
    h += "<table>\n";
    if (!c.fonts.empty()) h += "<tr><th>Font</th><th>Licence</th><th>Licence text</th></tr>\n";
    for (const BrandFont& font : c.fonts) {
        std::string licences;
        for (const std::string& name : font.licences) licences += (licences.empty() ? "" : ", ") + Escaped(name);
        if (licences.empty()) licences = "not known";
        const std::string file = font.licence_file.empty()
                                     ? std::string("not shipped with this installation")
                                     : "<a href=\"" + Escaped(font.licence_file) + "\">" + Escaped(font.licence_file) + "</a>";
        h += "<tr><td>" + Escaped(font.name) + "</td><td>" + licences + "</td><td>" + file + "</td></tr>\n";
    }
    h += "</table>\n";

    h += "<h2>Files</h2>\n";
    if (c.has_picture_objects) {
        h += "<p>The logo holds an imported picture. Every file still has the size named here, but the picture "
             "is drawn at its own pixel size in each of them while the text and shapes are scaled: it looks "
             "larger in the small files and smaller in the large ones, and may not fit the smallest.</p>\n";
    }
    if (!c.vector_files) h += "<p>This build writes no vector files; the kit holds pictures only.</p>\n";
    h += "<table>\n";
    for (const auto& [name, description] : c.files) {
        h += "<tr><td><a href=\"" + Escaped(name) + "\">" + Escaped(name) + "</a></td><td>" + Escaped(description) +
             "</td></tr>\n";
    }
    h += "</table>\n</body>\n</html>\n";
    return h;
}

}  // namespace qv
