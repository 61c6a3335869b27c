#include "cli/background_colour.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace qv::cli {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

int Distance(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return sum;
}

}  // namespace

bool ParseHexColour(const std::string& text, Hls& colour) {
    if (text.size() != 7 || text[0] != '#') return false;
    int rgb[3] = {};
    for (size_t n = 0; n < 3; ++n) {
        const int high = HexDigit(text[1 + 2 * n]);
        const int low = HexDigit(text[2 + 2 * n]);
        if (high < 0 || low < 0) return false;
        rgb[n] = high * 16 + low;
    }
    const uint32_t wanted = (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | uint32_t(rgb[2]);
    // The way back to bytes truncates, so the plain conversion may come out one below; a nudge
    // of the input by less than one step finds the colour that gives the bytes exactly.
    Hls best = RgbToHls(static_cast<float>(rgb[0]), static_cast<float>(rgb[1]), static_cast<float>(rgb[2]));
    int best_distance = Distance(HlsToPacked(best), wanted);
    for (int r = 0; r < 10 && best_distance > 0; ++r) {
        for (int g = 0; g < 10 && best_distance > 0; ++g) {
            for (int b = 0; b < 10 && best_distance > 0; ++b) {
                const Hls candidate = RgbToHls(static_cast<float>(rgb[0]) + 0.1f * static_cast<float>(r),
                                               static_cast<float>(rgb[1]) + 0.1f * static_cast<float>(g),
                                               static_cast<float>(rgb[2]) + 0.1f * static_cast<float>(b));
                const int distance = Distance(HlsToPacked(candidate), wanted);
                if (distance < best_distance) {
                    best = candidate;
                    best_distance = distance;
                }
            }
        }
    }
    colour = best;
    return true;
}

}  // namespace qv::cli
