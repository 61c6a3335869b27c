#pragma once

// GIF and TIFF sample files made with giflib's and libtiff's writers: transparency,
// interlacing and small frames; the layouts that go through libtiff's RGBA interface.

#include <gif_lib.h>
#include <tiffio.h>

#include <cstring>
#include <utility>

#include "tests/codecs/sample_files.h"

namespace qv::test {

inline int GifAppend(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

// One frame of `fw` x `fh` at (left, top) on a `sw` x `sh` screen; rows are written in file
// order, which for an interlaced frame is the order of its passes.
inline std::vector<uint8_t> WriteGif(int sw, int sh, int left, int top, int fw, int fh,
                                     bool interlaced, int transparent, int colours,
                                     const std::function<int(int, int)>& index_at_top_row) {
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, GifAppend, &error);
    std::vector<GifColorType> table(colours);
    for (int i = 0; i < colours; ++i) {
        const uint32_t c = PaletteColour(i);
        table[i] = {ArgbR(c), ArgbG(c), ArgbB(c)};
    }
    ColorMapObject* map = GifMakeMapObject(colours, table.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, sw, sh, 8, 0, interlaced ? nullptr : map);
    if (transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = transparent;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    }
    EGifPutImageDesc(gif, left, top, fw, fh, interlaced, interlaced ? map : nullptr);
    std::vector<int> order;
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int y = interlaced ? start[pass] : 0; y < fh; y += interlaced ? step[pass] : 1)
            order.push_back(y);
    }
    for (int y : order) {
        std::vector<GifPixelType> line(fw);
        for (int x = 0; x < fw; ++x) line[x] = static_cast<GifPixelType>(index_at_top_row(x, y));
        EGifPutLine(gif, line.data(), fw);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

inline std::vector<Sample> GifSamples() {
    std::vector<Sample> out;
    auto index = [](int x, int top_row) { return (x + top_row) % 4; };
    out.push_back({"gif-transparent", kImageGif, WriteGif(5, 3, 0, 0, 5, 3, false, 2, 4, index),
                   MakeExpected(5, 3, true, [&](int x, int row) {
                       const int i = index(x, 2 - row);
                       return i == 2 ? PaletteColour(i) & 0xFFFFFF : PaletteColour(i);
                   })});
    auto index16 = [](int x, int top_row) { return (x * 5 + top_row * 3) % 16; };
    out.push_back({"gif-interlaced", kImageGif, WriteGif(7, 9, 0, 0, 7, 9, true, -1, 16, index16),
                   MakeExpected(7, 9, false, [&](int x, int row) {
                       return PaletteColour(index16(x, 8 - row));
                   })});
    // A 3 x 2 frame at (1, 1) on a 5 x 4 screen: the rest of the screen is transparent.
    out.push_back({"gif-small-frame", kImageGif, WriteGif(5, 4, 1, 1, 3, 2, false, -1, 4, index),
                   MakeExpected(5, 4, true, [&](int x, int row) -> uint32_t {
                       const int top_row = 3 - row;
                       if (x < 1 || x > 3 || top_row < 1 || top_row > 2) return 0;
                       return PaletteColour(index(x - 1, top_row - 1));
                   })});
    return out;
}

inline tmsize_t TiffRead(thandle_t, void*, tmsize_t) {
    return 0;
}
inline tmsize_t TiffWrite(thandle_t h, void* data, tmsize_t n) {
    auto* f = static_cast<std::pair<std::vector<uint8_t>, size_t>*>(h);
    const size_t count = static_cast<size_t>(n);
    if (f->second + count > f->first.size()) f->first.resize(f->second + count);
    std::memcpy(f->first.data() + f->second, data, count);
    f->second += count;
    return n;
}
inline toff_t TiffSeek(thandle_t h, toff_t off, int whence) {
    auto* f = static_cast<std::pair<std::vector<uint8_t>, size_t>*>(h);
    f->second = whence == SEEK_SET   ? off
                : whence == SEEK_CUR ? f->second + off
                                     : f->first.size() + off;
    return f->second;
}
inline int TiffClose(thandle_t) {
    return 0;
}
inline toff_t TiffSize(thandle_t h) {
    return static_cast<std::pair<std::vector<uint8_t>, size_t>*>(h)->first.size();
}
inline int TiffMap(thandle_t, void**, toff_t*) {
    return 0;
}
inline void TiffUnmap(thandle_t, void*, toff_t) {}

struct TiffLayout {
    int width = 5, height = 3, bits = 8, samples = 3, photometric = PHOTOMETRIC_RGB;
    int orientation = ORIENTATION_TOPLEFT, extra = -1, tile = 0, compression = COMPRESSION_NONE;
    std::vector<uint16_t> map;    // red, green, blue curves of a palette image
    std::vector<uint8_t> pixels;  // rows in file order, interleaved; 16-bit samples native
};

inline std::vector<uint8_t> WriteTiff(const TiffLayout& s) {
    std::pair<std::vector<uint8_t>, size_t> file;
    TIFF* t = TIFFClientOpen("sample", "w", &file, TiffRead, TiffWrite, TiffSeek, TiffClose,
                             TiffSize, TiffMap, TiffUnmap);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, s.bits);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, s.samples);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ORIENTATION, s.orientation);
    TIFFSetField(t, TIFFTAG_COMPRESSION, s.compression);
    const uint16_t extra[1] = {static_cast<uint16_t>(s.extra)};
    if (s.extra >= 0) TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, extra);
    const size_t n = s.map.size() / 3;
    if (n > 0)
        TIFFSetField(t, TIFFTAG_COLORMAP, s.map.data(), s.map.data() + n, s.map.data() + 2 * n);
    const size_t line = static_cast<size_t>(s.width) * s.samples * (s.bits / 8);
    if (s.tile > 0) {
        TIFFSetField(t, TIFFTAG_TILEWIDTH, s.tile);
        TIFFSetField(t, TIFFTAG_TILELENGTH, s.tile);
        const size_t px = static_cast<size_t>(s.samples) * (s.bits / 8);
        std::vector<uint8_t> tile(static_cast<size_t>(s.tile) * s.tile * px, 0);
        for (int ty = 0; ty < s.height; ty += s.tile) {
            for (int tx = 0; tx < s.width; tx += s.tile) {
                std::fill(tile.begin(), tile.end(), 0);
                for (int y = 0; y < s.tile && ty + y < s.height; ++y) {
                    for (int x = 0; x < s.tile && tx + x < s.width; ++x) {
                        std::memcpy(&tile[(y * s.tile + x) * px],
                                    &s.pixels[(ty + y) * line + (tx + x) * px], px);
                    }
                }
                TIFFWriteTile(t, tile.data(), tx, ty, 0, 0);
            }
        }
    } else {
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 2);
        for (int y = 0; y < s.height; ++y) {
            TIFFWriteScanline(t, const_cast<uint8_t*>(s.pixels.data() + y * line), y, 0);
        }
    }
    TIFFClose(t);
    return file.first;
}

inline std::vector<Sample> TiffSamples() {
    std::vector<Sample> out;
    auto rgb_rows = [](int w, int h, bool bottom_first, int bytes) {
        std::vector<uint8_t> p;
        for (int i = 0; i < h; ++i) {
            const int row = bottom_first ? i : h - 1 - i;
            for (int x = 0; x < w; ++x) {
                const uint32_t c = Rgb(x, row);
                for (uint8_t v : {ArgbR(c), ArgbG(c), ArgbB(c)}) {
                    if (bytes == 2) {
                        const uint16_t wide = static_cast<uint16_t>(v * 257);
                        p.insert(p.end(),
                                 {static_cast<uint8_t>(wide), static_cast<uint8_t>(wide >> 8)});
                    } else {
                        p.push_back(v);
                    }
                }
            }
        }
        return p;
    };
    TiffLayout rgb;
    rgb.pixels = rgb_rows(5, 3, false, 1);
    rgb.compression = COMPRESSION_PACKBITS;
    out.push_back(
        {"tiff-rgb-packbits", kImageTiff, WriteTiff(rgb), MakeExpected(5, 3, false, Rgb)});

    TiffLayout wide;
    wide.bits = 16;
    wide.pixels = rgb_rows(5, 3, false, 2);
    out.push_back({"tiff-rgb16", kImageTiff, WriteTiff(wide), MakeExpected(5, 3, false, Rgb)});

    TiffLayout bottom;
    bottom.orientation = ORIENTATION_BOTLEFT;
    bottom.pixels = rgb_rows(5, 3, true, 1);
    out.push_back(
        {"tiff-bottom-left", kImageTiff, WriteTiff(bottom), MakeExpected(5, 3, false, Rgb)});

    TiffLayout tiled;
    tiled.width = 20;
    tiled.height = 18;
    tiled.tile = 16;
    tiled.compression = COMPRESSION_LZW;
    tiled.pixels = rgb_rows(20, 18, false, 1);
    out.push_back({"tiff-tiled", kImageTiff, WriteTiff(tiled), MakeExpected(20, 18, false, Rgb)});

    TiffLayout grey;
    grey.samples = 1;
    grey.photometric = PHOTOMETRIC_MINISBLACK;
    grey.pixels = {0, 50, 100, 150, 200, 10, 20, 30, 40, 250, 255, 1, 2, 3, 4};
    out.push_back(
        {"tiff-grey", kImageTiff, WriteTiff(grey), MakeExpected(5, 3, false, [&](int x, int row) {
             const uint8_t v = grey.pixels[(2 - row) * 5 + x];
             return MakeArgb(v, v, v);
         })});

    TiffLayout pal;
    pal.samples = 1;
    pal.photometric = PHOTOMETRIC_PALETTE;
    pal.map.assign(3 * 256, 0);
    for (int i = 0; i < 256; ++i) {
        const uint32_t c = PaletteColour(i);
        pal.map[i] = ArgbR(c) * 257;
        pal.map[256 + i] = ArgbG(c) * 257;
        pal.map[512 + i] = ArgbB(c) * 257;
    }
    for (int i = 0; i < 15; ++i) pal.pixels.push_back(static_cast<uint8_t>(i * 17));
    out.push_back(
        {"tiff-palette", kImageTiff, WriteTiff(pal), MakeExpected(5, 3, false, [](int x, int row) {
             return PaletteColour(((2 - row) * 5 + x) * 17);
         })});

    // Premultiplied alpha, with values that come back exactly once divided out again.
    TiffLayout assoc;
    assoc.samples = 4;
    assoc.extra = EXTRASAMPLE_ASSOCALPHA;
    const uint8_t straight[3][4] = {{255, 0, 255, 128}, {0, 0, 0, 0}, {255, 255, 255, 255}};
    for (int i = 0; i < 15; ++i) {
        const uint8_t* s = straight[i % 3];
        for (int k = 0; k < 4; ++k)
            assoc.pixels.push_back(k < 3 ? static_cast<uint8_t>(s[k] * s[3] / 255) : s[3]);
    }
    out.push_back({"tiff-associated-alpha", kImageTiff, WriteTiff(assoc),
                   MakeExpected(5, 3, true, [&](int x, int row) {
                       const uint8_t* s = straight[((2 - row) * 5 + x) % 3];
                       return MakeArgb(s[0], s[1], s[2], s[3]);
                   })});
    return out;
}

}  // namespace qv::test
