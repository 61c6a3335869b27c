#include "output/kit_files.h"

#include <algorithm>
#include <cmath>

namespace qv {

const std::vector<KitFile>& KitFiles() {
    static const std::vector<KitFile> files = {
        {"logo.svg", "vector, transparent", true},
        {"logo.pdf", "vector, transparent", true},
        {"logo-512.png", "transparent, longer side 512 pixels", false},
        {"logo-1024.png", "transparent, longer side 1024 pixels", false},
        {"logo-2048.png", "transparent, longer side 2048 pixels", false},
        {"logo.jpg", "on the background colour, longer side 2048 pixels", false},
        {"logo-black.svg", "black only, vector, transparent", true},
        {"logo-black.png", "black only, transparent, longer side 1024 pixels", false},
        {"logo-white.svg", "white only, vector, transparent", true},
        {"logo-white.png", "white only, transparent, longer side 1024 pixels", false},
        {"favicon.ico", "site icon, 16, 32 and 48 pixels", false},
        {"icon-180.png", "home-screen icon on the background colour, 180 x 180", false},
        {"icon-192.png", "app icon, transparent, 192 x 192", false},
        {"icon-512.png", "app icon, transparent, 512 x 512", false},
        {"social-400.png", "profile picture on the background colour, 400 x 400", false},
        {"social-1080.png", "post picture on the background colour, 1080 x 1080", false},
        {kKitPageName, "this page", false},
    };
    return files;
}

KitRender LongerSide(const ExportSubject& subject, int side) {
    const int longer = std::max(subject.width, subject.height);
    if (longer <= 0 || side <= 0) return {};
    const float scale = float(side) / float(longer);
    auto other = [&](int v) { return std::max(1, int(std::lround(double(v) * side / longer))); };
    return {subject.width >= subject.height ? side : other(subject.width),
            subject.height > subject.width ? side : other(subject.height), scale};
}

KitRender FittedSquare(const ExportSubject& subject, int side, float inner) {
    const int longer = std::max(subject.width, subject.height);
    if (longer <= 0 || side <= 0) return {};
    return {side, side, float(side) * inner / float(longer)};
}

bool AlphaBufferToImage(const PixelBuffer& argb, Image& image) {
    if (argb.empty() || !image.Create24(argb.width(), argb.height())) return false;
    image.has_alpha = true;
    const int h = argb.height();
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = argb.data() + size_t(y) * size_t(argb.width());
        std::copy(src, src + argb.width(), image.Row(h - 1 - y));
    }
    return true;
}

bool OpaqueBufferToImage(const PixelBuffer& rgb, Image& image) {
    if (rgb.empty() || !image.Create24(rgb.width(), rgb.height())) return false;
    const int w = rgb.width(), h = rgb.height();
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = rgb.data() + size_t(y) * size_t(w);
        uint32_t* dst = image.Row(h - 1 - y);
        for (int x = 0; x < w; ++x) dst[x] = 0xFF000000u | src[x];
    }
    return true;
}

bool OverColourToImage(const PixelBuffer& argb, uint32_t rgb, Image& image) {
    if (argb.empty() || !image.Create24(argb.width(), argb.height())) return false;
    const int w = argb.width(), h = argb.height();
    const uint32_t under[3] = {(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF};
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = argb.data() + size_t(y) * size_t(w);
        uint32_t* dst = image.Row(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = src[x], a = p >> 24;
            const uint32_t over[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
            uint8_t c[3];
            for (int i = 0; i < 3; ++i) c[i] = uint8_t((over[i] * a + under[i] * (255 - a) + 127) / 255);
            dst[x] = MakeArgb(c[0], c[1], c[2]);
        }
    }
    return true;
}

}  // namespace qv
