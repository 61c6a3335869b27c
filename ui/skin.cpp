#include "ui/skin.h"

#include <algorithm>
#include <cmath>

namespace qv::ui::skin {
namespace {

struct Palette {
    uint32_t border;
    uint32_t top;
    uint32_t bottom;
    uint32_t shine;  // the line under the top edge
};

Palette FacePalette(Look look) {
    switch (look) {
        case Look::kHover:
            return {kFrame, RGB_MAKE(244, 250, 253), RGB_MAKE(196, 222, 236),
                    RGB_MAKE(255, 255, 255)};
        case Look::kPressed:
            return {kFrame, RGB_MAKE(184, 210, 226), RGB_MAKE(222, 235, 244),
                    RGB_MAKE(170, 198, 216)};
        case Look::kDisabled:
            return {RGB_MAKE(198, 204, 210), RGB_MAKE(242, 242, 245), RGB_MAKE(228, 229, 234),
                    RGB_MAKE(246, 246, 248)};
        case Look::kNormal:
        default:
            return {kEdgeDark, RGB_MAKE(253, 254, 255), RGB_MAKE(216, 227, 235),
                    RGB_MAKE(255, 255, 255)};
    }
}

// Signed distance from the pixel centre (x, y) to a rounded rectangle 0..w x 0..h.
float RoundRectDistance(float x, float y, float w, float h, float radius) {
    const float qx = std::fabs(x - w * 0.5f) - (w * 0.5f - radius);
    const float qy = std::fabs(y - h * 0.5f) - (h * 0.5f - radius);
    const float ox = std::max(qx, 0.0f);
    const float oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Fills a rounded rectangle at (x0, y0) with a frame and a vertical gradient, blended onto what
// the buffer holds.
void PaintRoundRect(PixelBuffer& b, int x0, int y0, int w, int h, float radius, const Palette& p) {
    for (int y = 0; y < h; ++y) {
        const int by = y0 + y;
        if (by < 0 || by >= b.height()) continue;
        const float t = h > 1 ? float(y) / float(h - 1) : 0.0f;
        const uint32_t fill = y == 1 ? p.shine : Mix(p.top, p.bottom, t);
        for (int x = 0; x < w; ++x) {
            const int bx = x0 + x;
            if (bx < 0 || bx >= b.width()) continue;
            const float d =
                RoundRectDistance(float(x) + 0.5f, float(y) + 0.5f, float(w), float(h), radius);
            const float outer = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (outer <= 0.0f) continue;
            const float inner = std::clamp(-d - 0.5f, 0.0f, 1.0f);
            const uint32_t colour = Mix(p.border, fill, inner);
            b.at(bx, by) = Mix(b.at(bx, by), colour, outer);
        }
    }
}

bool InsideTriangle(float px, float py, const float* v) {
    auto edge = [&](int a, int c) {
        return (v[2 * c] - v[2 * a]) * (py - v[2 * a + 1]) -
               (v[2 * c + 1] - v[2 * a + 1]) * (px - v[2 * a]);
    };
    const float e0 = edge(0, 1), e1 = edge(1, 2), e2 = edge(2, 0);
    return (e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0);
}

// A triangle with four by four samples a pixel.
void PaintTriangle(PixelBuffer& b, const float* v, uint32_t colour) {
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    if (InsideTriangle(float(x) + (float(sx) + 0.5f) / 4.0f,
                                       float(y) + (float(sy) + 0.5f) / 4.0f, v)) {
                        ++hits;
                    }
                }
            }
            if (hits) b.at(x, y) = Mix(b.at(x, y), colour, float(hits) / 16.0f);
        }
    }
}

}  // namespace

uint32_t Mix(uint32_t a, uint32_t b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    auto channel = [&](uint32_t ca, uint32_t cb) {
        return static_cast<uint32_t>(std::lround(float(ca) + (float(cb) - float(ca)) * t));
    };
    return RGB_MAKE(channel(RedOf(a), RedOf(b)), channel(GreenOf(a), GreenOf(b)),
                    channel(BlueOf(a), BlueOf(b)));
}

CaptionColours CaptionColoursFor(Look look) {
    switch (look) {
        case Look::kHover:
        case Look::kPressed:
            return {RGB_MAKE(0, 92, 146), RGB_MAKE(36, 150, 204)};
        case Look::kDisabled:
            return {RGB_MAKE(168, 174, 181), RGB_MAKE(194, 199, 204)};
        case Look::kNormal:
        default:
            return {RGB_MAKE(30, 64, 86), RGB_MAKE(63, 115, 141)};
    }
}

PixelBuffer ButtonFace(int width, int height, Look look) {
    PixelBuffer b;
    if (width <= 0 || height <= 0 || !b.Allocate(width, height)) return b;
    b.Fill(kWindow);
    PaintRoundRect(b, 0, 0, width, height, 3.0f, FacePalette(look));
    return b;
}

PixelBuffer ArrowFace(int size, bool right, Look look) {
    PixelBuffer b = ButtonFace(size, size, look);
    if (b.empty()) return b;
    const float s = float(size);
    const float l = s * 0.36f, r = s * 0.68f, top = s * 0.27f, bottom = s * 0.73f, mid = s * 0.5f;
    const float points_right[6] = {l, top, r, mid, l, bottom};
    const float points_left[6] = {s - l, top, s - r, mid, s - l, bottom};
    const uint32_t colour = look == Look::kDisabled ? RGB_MAKE(182, 188, 194)
                            : look == Look::kNormal ? kFrame
                                                    : RGB_MAKE(0, 92, 146);
    PaintTriangle(b, right ? points_right : points_left, colour);
    return b;
}

void SliderThumb(int width, int page, int pages, int& left, int& thumb_width) {
    const int count = std::max(pages, 1);
    thumb_width = std::clamp(width / count, std::min(14, width), std::max(width, 1));
    left = pages > 1 ? std::clamp(page, 0, pages - 1) * (width - thumb_width) / (pages - 1) : 0;
}

PixelBuffer SliderFace(int width, int height, int page, int pages, Look look) {
    PixelBuffer b;
    if (width <= 0 || height <= 0 || !b.Allocate(width, height)) return b;
    b.Fill(kWindow);
    const bool disabled = look == Look::kDisabled;
    const Palette groove{disabled ? RGB_MAKE(206, 210, 215) : kEdgeDark, RGB_MAKE(200, 211, 219),
                         RGB_MAKE(226, 233, 238), RGB_MAKE(196, 207, 215)};
    const int gh = std::max(4, height / 3);
    PaintRoundRect(b, 1, (height - gh) / 2, width - 2, gh, float(gh) * 0.5f, groove);
    int left = 0, tw = 0;
    SliderThumb(width, page, pages, left, tw);
    PaintRoundRect(b, left, 0, tw, height, 3.0f, FacePalette(look));
    // Three grip lines in the middle of the thumb.
    const uint32_t grip = disabled ? RGB_MAKE(206, 210, 215) : kHighlight;
    const int cx = left + tw / 2;
    for (int dx = -3; dx <= 3; dx += 3) {
        const int x = cx + dx;
        if (x <= left + 1 || x >= left + tw - 2) continue;
        for (int y = height / 2 - 3; y <= height / 2 + 3; ++y) b.at(x, y) = grip;
    }
    return b;
}

PixelBuffer StripFace(int width, int height) {
    PixelBuffer b;
    if (width <= 0 || height <= 0 || !b.Allocate(width, height)) return b;
    for (int y = 0; y < height; ++y) {
        const float t = height > 1 ? float(y) / float(height - 1) : 0.0f;
        for (int x = 0; x < width; ++x) {
            // A fine diagonal weave over the gradient.
            const float weave = ((x + y) % 4 == 0) ? 0.12f : 0.0f;
            b.at(x, y) = Mix(Mix(kHighlight, kFrame, t), kEdgeLight, weave);
        }
    }
    return b;
}

void Draw3dEdge(PixelBuffer& b, uint32_t top_left, uint32_t bottom_right) {
    const int w = b.width(), h = b.height();
    if (w <= 0 || h <= 0 || b.empty()) return;
    for (int x = 0; x < w; ++x) {
        b.at(x, 0) = top_left;
        b.at(x, h - 1) = bottom_right;
    }
    for (int y = 0; y < h; ++y) {
        b.at(0, y) = top_left;
        b.at(w - 1, y) = bottom_right;
    }
}

void DrawFrame(PixelBuffer& b, int x, int y, int w, int h, uint32_t colour) {
    if (b.empty() || w <= 0 || h <= 0) return;
    auto put = [&](int px, int py) {
        if (px >= 0 && py >= 0 && px < b.width() && py < b.height()) b.at(px, py) = colour;
    };
    for (int i = 0; i < w; ++i) {
        put(x + i, y);
        put(x + i, y + h - 1);
    }
    for (int i = 0; i < h; ++i) {
        put(x, y + i);
        put(x + w - 1, y + i);
    }
}

}  // namespace qv::ui::skin
