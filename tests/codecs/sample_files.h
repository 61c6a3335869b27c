#pragma once

// Small files of every variant the decoders read, written byte by byte from the formats' rules,
// each with the picture it must decode to; shared by the tests and the fuzzing seed program.
// This file has the common parts and the BMP files.

#include <cstdint>
#include <functional>
#include <string>
#include <ostream>
#include <vector>

#include "codecs/image.h"

namespace qv::test {

struct Sample {
    std::string name;
    int type = kImageBmp;
    std::vector<uint8_t> bytes;
    Image expected;
    bool lossy = false;
};

// Test output names a sample rather than dumping its bytes.
inline void PrintTo(const Sample& sample, std::ostream* out) { *out << sample.name; }

// Folder names of the formats, indexed by ImageFileType.
inline const char* FormatName(int type) {
    static const char* const kNames[kImageFileTypeCount] = {"bmp", "gif",  "jpeg", "png",
                                                            "ico", "tiff", "tga"};
    return type >= 0 && type < kImageFileTypeCount ? kNames[type] : "unknown";
}

// A little-endian byte builder (the formats here are little-endian, apart from PNG's sizes).
struct Bytes {
    std::vector<uint8_t> v;
    Bytes& U8(unsigned x) {
        v.push_back(static_cast<uint8_t>(x));
        return *this;
    }
    Bytes& U16(unsigned x) { return U8(x & 0xFF).U8((x >> 8) & 0xFF); }
    Bytes& U32(uint32_t x) { return U16(x & 0xFFFF).U16(x >> 16); }
    Bytes& Append(const std::vector<uint8_t>& b) {
        v.insert(v.end(), b.begin(), b.end());
        return *this;
    }
    Bytes& List(std::initializer_list<unsigned> b) {
        for (unsigned x : b) U8(x);
        return *this;
    }
};

// Distinct, repeatable colours for palettes.
inline uint32_t PaletteColour(int i) {
    return MakeArgb(static_cast<uint8_t>(i * 53 + 17), static_cast<uint8_t>(i * 97 + 101),
                    static_cast<uint8_t>(i * 29 + 201));
}

inline uint8_t Scale5(unsigned c) {
    return static_cast<uint8_t>((c * 255 + 15) / 31);
}
inline uint8_t Scale6(unsigned c) {
    return static_cast<uint8_t>((c * 255 + 31) / 63);
}

inline Image MakeExpected(int w, int h, bool alpha, const std::function<uint32_t(int, int)>& at) {
    Image img;
    img.Create24(w, h);
    for (int row = 0; row < h; ++row) {
        for (int x = 0; x < w; ++x) img.Row(row)[x] = at(x, row);
    }
    img.has_alpha = alpha;
    return img;
}

// Packs values of `bpp` bits into 32-bit aligned rows, in storage order.
inline std::vector<uint8_t> PackRows(int w, int h, int bpp, bool top_down,
                                     const std::function<uint32_t(int, int)>& value) {
    Bytes b;
    for (int i = 0; i < h; ++i) {
        const int row = top_down ? h - 1 - i : i;
        const size_t start = b.v.size();
        unsigned acc = 0;
        int bits = 0;
        for (int x = 0; x < w; ++x) {
            const uint32_t v = value(x, row);
            if (bpp < 8) {
                acc = (acc << bpp) | v;
                bits += bpp;
                if (bits == 8) b.U8(acc), acc = 0, bits = 0;
            } else {
                for (int k = 0; k < bpp / 8; ++k) b.U8((v >> (8 * k)) & 0xFF);
            }
        }
        if (bits > 0) b.U8(acc << (8 - bits));
        while ((b.v.size() - start) % 4 != 0) b.U8(0);
    }
    return b.v;
}

inline Bytes InfoHeader(int w, int h, int bpp, uint32_t compression, uint32_t colours_used) {
    Bytes b;
    b.U32(40).U32(static_cast<uint32_t>(w)).U32(static_cast<uint32_t>(h)).U16(1).U16(bpp);
    b.U32(compression).U32(0).U32(2835).U32(2835).U32(colours_used).U32(0);
    return b;
}

inline std::vector<uint8_t> BmpFile(const Bytes& header_and_palette,
                                    const std::vector<uint8_t>& bits) {
    Bytes f;
    const uint32_t offset = 14 + static_cast<uint32_t>(header_and_palette.v.size());
    f.U8('B').U8('M').U32(offset + static_cast<uint32_t>(bits.size())).U32(0).U32(offset);
    return f.Append(header_and_palette.v).Append(bits).v;
}

inline void AppendPalette(Bytes& b, int count, int entry_size = 4) {
    for (int i = 0; i < count; ++i) {
        const uint32_t c = PaletteColour(i);
        b.U8(ArgbB(c)).U8(ArgbG(c)).U8(ArgbR(c));
        if (entry_size == 4) b.U8(0);
    }
}

inline int SampleIndex(int x, int row, int bpp) {
    if (bpp == 1) return (x + row) % 2;
    if (bpp == 4) return (x + 3 * row) % 16;
    return (x * 37 + row * 71) % 200;
}

inline Sample BmpIndexed(int bpp, bool top_down, bool core_header = false) {
    const int w = 5 + bpp, h = 3;
    // The old core header has no colour count: its palette is always full.
    const int colours = bpp == 8 && !core_header ? 200 : 1 << bpp;
    Bytes header;
    if (core_header) {
        header.U32(12).U16(w).U16(h).U16(1).U16(bpp);
    } else {
        header = InfoHeader(w, top_down ? -h : h, bpp, 0, bpp == 8 ? colours : 0);
    }
    AppendPalette(header, colours, core_header ? 3 : 4);
    auto index = [bpp](int x, int row) { return static_cast<uint32_t>(SampleIndex(x, row, bpp)); };
    return {
        "bmp" + std::to_string(bpp) + (top_down ? "-top-down" : "") + (core_header ? "-core" : ""),
        kImageBmp, BmpFile(header, PackRows(w, h, bpp, top_down, index)),
        MakeExpected(w, h, false, [&](int x, int row) { return PaletteColour(index(x, row)); })};
}

inline unsigned C5(int x, int row, int k) {
    return static_cast<unsigned>(x * 7 + row * 3 + k * 11) & 31;
}

inline Sample Bmp16(bool bitfields565) {
    const int w = 5, h = 3;
    Bytes header = InfoHeader(w, h, 16, bitfields565 ? 3 : 0, 0);
    if (bitfields565) header.U32(0xF800).U32(0x07E0).U32(0x001F);
    auto raw = [&](int x, int row) -> uint32_t {
        const unsigned r = C5(x, row, 0), g = C5(x, row, 1) * (bitfields565 ? 2 : 1) + 1,
                       b = C5(x, row, 2);
        return bitfields565 ? (r << 11) | (g << 5) | b : (r << 10) | ((g & 31) << 5) | b;
    };
    auto colour = [&](int x, int row) {
        const uint32_t v = raw(x, row);
        if (bitfields565) return MakeArgb(Scale5(v >> 11), Scale6((v >> 5) & 63), Scale5(v & 31));
        return MakeArgb(Scale5(v >> 10), Scale5((v >> 5) & 31), Scale5(v & 31));
    };
    return {bitfields565 ? "bmp16-565" : "bmp16-555", kImageBmp,
            BmpFile(header, PackRows(w, h, 16, false, raw)), MakeExpected(w, h, false, colour)};
}

inline uint32_t Rgb(int x, int row) {
    return MakeArgb(static_cast<uint8_t>(x * 40 + row * 7), static_cast<uint8_t>(200 - row * 50),
                    static_cast<uint8_t>(x * 13 + row * 60));
}
inline uint8_t AlphaAt(int x, int row) {
    return static_cast<uint8_t>((x + row) % 3 == 0 ? 0 : 60 * x + 10);
}

inline Sample Bmp24(bool top_down) {
    const int w = 5, h = 3;
    return {top_down ? "bmp24-top-down" : "bmp24", kImageBmp,
            BmpFile(InfoHeader(w, top_down ? -h : h, 24, 0, 0),
                    PackRows(w, h, 24, top_down,
                             [](int x, int row) { return Rgb(x, row) & 0xFFFFFF; })),
            MakeExpected(w, h, false, Rgb)};
}

// `alpha`: 0 leaves the fourth byte zero (no alpha), 1 fills it, 2 uses a v5 header with masks
// in an unusual order.
inline Sample Bmp32(int alpha) {
    const int w = 4, h = 3;
    auto with_alpha = [](int x, int row) {
        return (Rgb(x, row) & 0xFFFFFF) | (uint32_t{AlphaAt(x, row)} << 24);
    };
    if (alpha == 2) {
        Bytes header;
        header.U32(124).U32(w).U32(h).U16(1).U16(32).U32(3).U32(0).U32(0).U32(0).U32(0).U32(0);
        header.U32(0x000000FF).U32(0x0000FF00).U32(0x00FF0000).U32(0xFF000000);
        while (header.v.size() < 124) header.U8(0);
        auto raw = [&](int x, int row) {
            const uint32_t c = with_alpha(x, row);
            return uint32_t{ArgbR(c)} | (uint32_t{ArgbG(c)} << 8) | (uint32_t{ArgbB(c)} << 16) |
                   (uint32_t{ArgbA(c)} << 24);
        };
        return {"bmp32-v5-masks", kImageBmp, BmpFile(header, PackRows(w, h, 32, false, raw)),
                MakeExpected(w, h, true, with_alpha)};
    }
    auto raw = [&](int x, int row) { return alpha ? with_alpha(x, row) : Rgb(x, row) & 0xFFFFFF; };
    return {alpha ? "bmp32-alpha" : "bmp32-zero-alpha", kImageBmp,
            BmpFile(InfoHeader(w, h, 32, 0, 0), PackRows(w, h, 32, false, raw)),
            MakeExpected(w, h, alpha != 0, alpha ? with_alpha : Rgb)};
}

// Runs, literal runs with and without padding, a run past the right edge, a jump and an end
// before the last rows; pixels nobody writes keep palette entry 0.
inline Sample BmpRle(bool four) {
    Bytes header = InfoHeader(four ? 7 : 8, four ? 3 : 4, four ? 4 : 8, four ? 2 : 1, 16);
    AppendPalette(header, 16);
    std::vector<std::vector<int>> rows;
    Bytes bits;
    if (four) {
        bits.List({5, 0x12, 0, 0});
        bits.List({0, 3, 0x34, 0x50, 0, 2, 2, 0, 2, 0x66, 0, 0});
        bits.List({0, 5, 0x78, 0x9A, 0xB0, 0, 0, 1});
        rows = {{1, 2, 1, 2, 1, 0, 0}, {3, 4, 5, 0, 0, 6, 6}, {7, 8, 9, 10, 11, 0, 0}};
    } else {
        bits.List({3, 1, 0, 3, 2, 3, 4, 0, 0, 0});
        bits.List({2, 5, 0, 2, 3, 1});
        bits.List({3, 6, 5, 7, 0, 0});
        bits.List({0, 4, 8, 9, 10, 11, 0, 1});
        rows = {{1, 1, 1, 2, 3, 4, 0, 0},
                {5, 5, 0, 0, 0, 0, 0, 0},
                {0, 0, 0, 0, 0, 6, 6, 6},
                {8, 9, 10, 11, 0, 0, 0, 0}};
    }
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    return {four ? "bmp-rle4" : "bmp-rle8", kImageBmp, BmpFile(header, bits.v),
            MakeExpected(w, h, false, [&](int x, int row) { return PaletteColour(rows[row][x]); })};
}

}  // namespace qv::test
