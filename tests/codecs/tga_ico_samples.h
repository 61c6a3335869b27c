#pragma once

// Targa and icon sample files, written byte by byte.

#include <utility>

#include "codecs/encode.h"
#include "tests/codecs/sample_files.h"

namespace qv::test {

inline Bytes TgaHeader(int map_type, int type, int map_first, int map_length, int map_depth, int w,
                       int h, int depth, int descriptor) {
    Bytes b;
    b.U8(0).U8(map_type).U8(type).U16(map_first).U16(map_length).U8(map_depth);
    b.U16(0).U16(0).U16(w).U16(h).U8(depth).U8(descriptor);
    return b;
}

inline void AppendBgr(Bytes& b, uint32_t c) {
    b.U8(ArgbB(c)).U8(ArgbG(c)).U8(ArgbR(c));
}

// Uncompressed Targa files in file row order, with `top` choosing the origin.
inline Sample TgaTrueColour(int depth, bool top) {
    const int w = 5, h = 3;
    Bytes b = TgaHeader(0, 2, 0, 0, 0, w, h, depth, (top ? 0x20 : 0) | (depth == 32 ? 8 : 0));
    auto colour = [&](int x, int row) -> uint32_t {
        if (depth == 16) {
            return MakeArgb(Scale5(C5(x, row, 0)), Scale5(C5(x, row, 1)), Scale5(C5(x, row, 2)));
        }
        return depth == 32 ? (Rgb(x, row) & 0xFFFFFF) | (uint32_t{AlphaAt(x, row)} << 24)
                           : Rgb(x, row);
    };
    for (int i = 0; i < h; ++i) {
        const int row = top ? h - 1 - i : i;
        for (int x = 0; x < w; ++x) {
            if (depth == 16) {
                b.U16((C5(x, row, 0) << 10) | (C5(x, row, 1) << 5) | C5(x, row, 2));
                continue;
            }
            AppendBgr(b, colour(x, row));
            if (depth == 32) b.U8(ArgbA(colour(x, row)));
        }
    }
    return {"tga" + std::to_string(depth) + (top ? "-top" : "-bottom"), kImageTga, b.v,
            MakeExpected(w, h, depth == 32, colour)};
}

inline Sample TgaMapped() {
    const int w = 4, h = 3, first = 2, length = 18;
    Bytes b = TgaHeader(1, 1, first, length, 24, w, h, 8, 0);
    for (int i = 0; i < length; ++i) AppendBgr(b, PaletteColour(i));
    auto index = [](int x, int row) { return (x + 4 * row) % 16; };
    for (int row = 0; row < h; ++row) {
        for (int x = 0; x < w; ++x) b.U8(index(x, row) + first);
    }
    return {"tga-mapped", kImageTga, b.v, MakeExpected(w, h, false, [&](int x, int row) {
                return PaletteColour(index(x, row));
            })};
}

inline Sample TgaGrey() {
    Bytes b = TgaHeader(0, 3, 0, 0, 0, 3, 2, 8, 0);
    b.List({0, 100, 200, 30, 60, 255});
    const uint8_t grey[2][3] = {{0, 100, 200}, {30, 60, 255}};
    return {"tga-grey", kImageTga, b.v, MakeExpected(3, 2, false, [&](int x, int row) {
                return MakeArgb(grey[row][x], grey[row][x], grey[row][x]);
            })};
}

// Compressed files; the true-colour one has packets that run across rows.
inline std::vector<Sample> TgaRle() {
    std::vector<Sample> out;
    const uint32_t a = MakeArgb(10, 20, 30), bb = MakeArgb(40, 50, 60), c = MakeArgb(70, 80, 90),
                   d = MakeArgb(100, 110, 120), e = MakeArgb(130, 140, 150);
    Bytes t = TgaHeader(0, 10, 0, 0, 0, 4, 3, 24, 0x20);
    t.U8(0x80 | 5), AppendBgr(t, a);
    t.U8(2), AppendBgr(t, bb), AppendBgr(t, c), AppendBgr(t, d);
    t.U8(0x80 | 2), AppendBgr(t, e);
    const uint32_t rows[3][4] = {{d, e, e, e}, {a, a, bb, c}, {a, a, a, a}};
    out.push_back({"tga-rle24-top", kImageTga, t.v,
                   MakeExpected(4, 3, false, [&](int x, int row) { return rows[row][x]; })});

    Bytes m = TgaHeader(1, 9, 0, 5, 24, 3, 2, 8, 0x10);
    for (int i = 0; i < 5; ++i) AppendBgr(m, PaletteColour(i));
    m.List({0x80 | 2, 1, 2, 2, 3, 4});
    const int mapped[2][3] = {{1, 1, 1}, {4, 3, 2}};
    out.push_back(
        {"tga-rle-mapped-right", kImageTga, m.v,
         MakeExpected(3, 2, false, [&](int x, int row) { return PaletteColour(mapped[row][x]); })});

    Bytes g = TgaHeader(0, 11, 0, 0, 0, 3, 2, 8, 0);
    g.List({0x80 | 3, 0x80, 1, 0x10, 0x20});
    const uint8_t grey[2][3] = {{0x80, 0x80, 0x80}, {0x80, 0x10, 0x20}};
    out.push_back({"tga-rle-grey", kImageTga, g.v, MakeExpected(3, 2, false, [&](int x, int row) {
                       return MakeArgb(grey[row][x], grey[row][x], grey[row][x]);
                   })});
    return out;
}

// An icon directory; each entry is the image bytes and the size the directory claims.
inline std::vector<uint8_t> IconFile(
    const std::vector<std::pair<std::vector<uint8_t>, int>>& entries) {
    Bytes b;
    b.U16(0).U16(1).U16(static_cast<unsigned>(entries.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (const auto& [bytes, claimed] : entries) {
        b.U8(claimed).U8(claimed).U8(0).U8(0).U16(1).U16(32);
        b.U32(static_cast<uint32_t>(bytes.size())).U32(offset);
        offset += static_cast<uint32_t>(bytes.size());
    }
    for (const auto& entry : entries) b.Append(entry.first);
    return b.v;
}

inline std::vector<uint8_t> IconDib(int w, int h, int bpp, const std::vector<uint8_t>& bits,
                                    const std::function<bool(int, int)>& masked) {
    Bytes d = InfoHeader(w, 2 * h, bpp, 0, 0);
    if (bpp <= 8) AppendPalette(d, 1 << bpp);
    d.Append(bits);
    d.Append(PackRows(w, h, 1, false, [&](int x, int row) { return masked(x, row) ? 1u : 0u; }));
    return d.v;
}

inline std::vector<Sample> IconSamples() {
    std::vector<Sample> out;
    auto index = [](int x, int row) { return static_cast<uint32_t>(SampleIndex(x, row, 4)); };
    auto masked = [](int x, int row) { return (x + row) % 3 == 0; };
    const std::vector<uint8_t> dib4 = IconDib(5, 3, 4, PackRows(5, 3, 4, false, index), masked);
    out.push_back({"ico-bmp4-mask", kImageIco, IconFile({{dib4, 5}}),
                   MakeExpected(5, 3, true, [&](int x, int row) {
                       const uint32_t c = PaletteColour(index(x, row));
                       return masked(x, row) ? c & 0xFFFFFF : c;
                   })});

    auto argb = [](int x, int row) {
        return (Rgb(x, row) & 0xFFFFFF) | (uint32_t{AlphaAt(x, row)} << 24);
    };
    const std::vector<uint8_t> dib32 =
        IconDib(4, 3, 32, PackRows(4, 3, 32, false, argb), [](int, int) { return false; });
    out.push_back(
        {"ico-bmp32-alpha", kImageIco, IconFile({{dib32, 4}}), MakeExpected(4, 3, true, argb)});

    // The directory undersells the PNG entry; the larger picture wins all the same.
    Image png_picture = MakeExpected(6, 4, true, argb);
    std::vector<uint8_t> png;
    EncodeImage(png_picture, kImagePng, png);
    out.push_back({"ico-png-largest", kImageIco, IconFile({{dib4, 5}, {png, 1}}), png_picture});
    return out;
}

inline std::vector<Sample> HandMadeSamples() {
    std::vector<Sample> s = {BmpIndexed(1, false),
                             BmpIndexed(4, false),
                             BmpIndexed(8, false),
                             BmpIndexed(8, true),
                             BmpIndexed(8, false, true),
                             Bmp16(false),
                             Bmp16(true),
                             Bmp24(false),
                             Bmp24(true),
                             Bmp32(0),
                             Bmp32(1),
                             Bmp32(2),
                             BmpRle(false),
                             BmpRle(true),
                             TgaTrueColour(24, false),
                             TgaTrueColour(32, true),
                             TgaTrueColour(16, false),
                             TgaMapped(),
                             TgaGrey()};
    for (auto* group : {&TgaRle, &IconSamples}) {
        for (Sample& x : (*group)()) s.push_back(std::move(x));
    }
    return s;
}

}  // namespace qv::test
