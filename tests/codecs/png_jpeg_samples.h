#pragma once

// PNG and JPEG sample files made with libpng's and libjpeg's writers, for the variants
// our writers never produce: PNG bit depths, palettes and interlacing; progressive, grey, CMYK
// and YCCK JPEG.

#include <png.h>

#include <csetjmp>
#include <cstdlib>

// jpeglib.h uses size_t and FILE without including their headers.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include "tests/codecs/sample_files.h"

namespace qv::test {

struct PngLayout {
    int width = 0, height = 0, depth = 8, colour = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<std::vector<uint8_t>> rows;  // top row first, packed as the file stores them
    std::vector<png_color> palette;
    std::vector<uint8_t> alphas;  // tRNS for a palette
    int grey_transparent = -1;    // tRNS for grey

    PngLayout(int w, int h, int bit_depth, int colour_type, bool interlace = false)
        : width(w), height(h), depth(bit_depth), colour(colour_type), interlaced(interlace) {}
};

inline void PngAppend(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

// Kept apart so that the setjmp frame holds nothing with a destructor.
inline bool PngWriteLayout(png_structp png, png_infop info, const PngLayout* s) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, s->width, s->height, s->depth, s->colour,
                 s->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!s->palette.empty())
        png_set_PLTE(png, info, s->palette.data(), static_cast<int>(s->palette.size()));
    if (!s->alphas.empty())
        png_set_tRNS(png, info, s->alphas.data(), static_cast<int>(s->alphas.size()), nullptr);
    png_color_16 grey{};
    grey.gray = static_cast<png_uint_16>(s->grey_transparent);
    if (s->grey_transparent >= 0) png_set_tRNS(png, info, nullptr, 0, &grey);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (const auto& row : s->rows) png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    return true;
}

inline std::vector<uint8_t> WritePng(const PngLayout& layout) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, PngAppend, nullptr);
    if (!PngWriteLayout(png, info, &layout)) out.clear();
    png_destroy_write_struct(&png, &info);
    return out;
}

inline std::vector<Sample> PngSamples() {
    std::vector<Sample> out;
    PngLayout grey1{9, 3, 1, PNG_COLOR_TYPE_GRAY};
    auto bit = [](int x, int top_row) { return (x * 3 + top_row) % 4 == 0; };
    for (int y = 0; y < 3; ++y) {
        std::vector<uint8_t> row(2, 0);
        for (int x = 0; x < 9; ++x) row[x / 8] |= bit(x, y) ? 0x80 >> (x % 8) : 0;
        grey1.rows.push_back(row);
    }
    out.push_back(
        {"png-grey1", kImagePng, WritePng(grey1), MakeExpected(9, 3, false, [&](int x, int row) {
             const uint8_t v = bit(x, 2 - row) ? 255 : 0;
             return MakeArgb(v, v, v);
         })});

    PngLayout pal{7, 3, 4, PNG_COLOR_TYPE_PALETTE};
    for (int i = 0; i < 6; ++i) {
        const uint32_t c = PaletteColour(i);
        pal.palette.push_back({ArgbR(c), ArgbG(c), ArgbB(c)});
    }
    pal.alphas = {0, 128, 255, 40};
    auto index = [](int x, int top_row) { return (x + 2 * top_row) % 6; };
    for (int y = 0; y < 3; ++y) {
        std::vector<uint8_t> row(4, 0);
        for (int x = 0; x < 7; ++x) row[x / 2] |= index(x, y) << ((x % 2) ? 0 : 4);
        pal.rows.push_back(row);
    }
    out.push_back({"png-palette4-trns", kImagePng, WritePng(pal),
                   MakeExpected(7, 3, true, [&](int x, int row) {
                       const int i = index(x, 2 - row);
                       return (PaletteColour(i) & 0xFFFFFF) |
                              (uint32_t{i < 4 ? pal.alphas[i] : uint8_t{255}} << 24);
                   })});

    // 16-bit samples a little above each 8-bit level must round down to it.
    auto argb = [](int x, int row) {
        return (Rgb(x, row) & 0xFFFFFF) | (uint32_t{AlphaAt(x, row)} << 24);
    };
    PngLayout rgba16{5, 3, 16, PNG_COLOR_TYPE_RGB_ALPHA};
    for (int y = 0; y < 3; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 5; ++x) {
            const uint32_t c = argb(x, 2 - y);
            for (uint8_t v : {ArgbR(c), ArgbG(c), ArgbB(c), ArgbA(c)}) {
                const unsigned wide = v * 257u + (v < 255 ? 100 : 0);
                row.push_back(static_cast<uint8_t>(wide >> 8));
                row.push_back(static_cast<uint8_t>(wide));
            }
        }
        rgba16.rows.push_back(row);
    }
    out.push_back({"png-rgba16", kImagePng, WritePng(rgba16), MakeExpected(5, 3, true, argb)});

    // Large enough for every one of the seven passes to hold pixels.
    PngLayout interlaced{11, 9, 8, PNG_COLOR_TYPE_RGB, true};
    for (int y = 0; y < 9; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 11; ++x) {
            const uint32_t c = Rgb(x, 8 - y);
            row.insert(row.end(), {ArgbR(c), ArgbG(c), ArgbB(c)});
        }
        interlaced.rows.push_back(row);
    }
    out.push_back(
        {"png-interlaced", kImagePng, WritePng(interlaced), MakeExpected(11, 9, false, Rgb)});

    PngLayout grey_alpha{4, 2, 8, PNG_COLOR_TYPE_GRAY_ALPHA};
    grey_alpha.rows = {{10, 0, 20, 50, 30, 100, 40, 255}, {50, 7, 60, 8, 70, 9, 80, 10}};
    out.push_back({"png-grey-alpha", kImagePng, WritePng(grey_alpha),
                   MakeExpected(4, 2, true, [&](int x, int row) {
                       const auto& r = grey_alpha.rows[1 - row];
                       return MakeArgb(r[2 * x], r[2 * x], r[2 * x], r[2 * x + 1]);
                   })});

    PngLayout grey_key{3, 1, 8, PNG_COLOR_TYPE_GRAY};
    grey_key.rows = {{0x40, 0x41, 0x40}};
    grey_key.grey_transparent = 0x40;
    out.push_back(
        {"png-grey-key", kImagePng, WritePng(grey_key), MakeExpected(3, 1, true, [](int x, int) {
             return x == 1 ? MakeArgb(0x41, 0x41, 0x41) : MakeArgb(0x40, 0x40, 0x40, 0);
         })});
    return out;
}

struct JpegLayout {
    int width = 16, height = 16, components = 3;
    J_COLOR_SPACE colour = JCS_RGB;
    bool progressive = false, adobe_marker = true, ycck = false;
    std::vector<uint8_t> pixels;  // top row first, interleaved

    JpegLayout() = default;
    JpegLayout(int w, int h, int n, J_COLOR_SPACE space)
        : width(w), height(h), components(n), colour(space) {}
};

inline void JpegFail(j_common_ptr cinfo) {
    longjmp(*static_cast<jmp_buf*>(cinfo->client_data), 1);
}

inline bool JpegWriteLayout(jpeg_compress_struct* c, const JpegLayout* s, unsigned char** buf,
                            unsigned long* size) {
    if (setjmp(*static_cast<jmp_buf*>(c->client_data))) return false;
    jpeg_create_compress(c);
    jpeg_mem_dest(c, buf, size);
    c->image_width = s->width;
    c->image_height = s->height;
    c->input_components = s->components;
    c->in_color_space = s->colour;
    jpeg_set_defaults(c);
    jpeg_set_quality(c, 95, TRUE);
    if (s->ycck) jpeg_set_colorspace(c, JCS_YCCK);
    if (s->colour == JCS_CMYK) c->write_Adobe_marker = s->adobe_marker;
    if (s->progressive) jpeg_simple_progression(c);
    jpeg_start_compress(c, TRUE);
    while (c->next_scanline < c->image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(s->pixels.data() + c->next_scanline * s->width * s->components);
        jpeg_write_scanlines(c, &row, 1);
    }
    jpeg_finish_compress(c);
    return true;
}

inline std::vector<uint8_t> WriteJpeg(const JpegLayout& layout) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    jmp_buf jump;
    c.err = jpeg_std_error(&err);
    err.error_exit = JpegFail;
    c.client_data = &jump;
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    const bool ok = JpegWriteLayout(&c, &layout, &buf, &size);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out;
    if (ok) out.assign(buf, buf + size);
    std::free(buf);
    return out;
}

// Smooth pictures, since the comparison allows for the loss.
inline uint32_t Smooth(int x, int row) {
    return MakeArgb(static_cast<uint8_t>(x * 15), static_cast<uint8_t>(row * 15),
                    static_cast<uint8_t>(120 + x * 4 - row * 3));
}

inline std::vector<Sample> JpegSamples() {
    std::vector<Sample> out;
    for (bool progressive : {false, true}) {
        JpegLayout s;
        s.progressive = progressive;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const uint32_t c = Smooth(x, 15 - y);
                s.pixels.insert(s.pixels.end(), {ArgbR(c), ArgbG(c), ArgbB(c)});
            }
        }
        out.push_back({progressive ? "jpeg-progressive" : "jpeg-baseline", kImageJpeg, WriteJpeg(s),
                       MakeExpected(16, 16, false, Smooth), true});
    }
    JpegLayout grey{24, 8, 1, JCS_GRAYSCALE};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 24; ++x)
            grey.pixels.push_back(static_cast<uint8_t>(x * 10 + (7 - y) * 2));
    }
    out.push_back({"jpeg-grey", kImageJpeg, WriteJpeg(grey),
                   MakeExpected(24, 8, false,
                                [](int x, int row) {
                                    const uint8_t v = static_cast<uint8_t>(x * 10 + row * 2);
                                    return MakeArgb(v, v, v);
                                }),
                   true});
    // One flat colour, R 200 G 100 B 50: Adobe's files, the YCCK ones among them, store the
    // inks inverted.
    for (int kind = 0; kind < 3; ++kind) {
        const bool adobe = kind != 1;
        JpegLayout cmyk{16, 16, 4, JCS_CMYK};
        cmyk.adobe_marker = adobe;
        cmyk.ycck = kind == 2;
        const std::vector<uint8_t> ink =
            adobe ? std::vector<uint8_t>{200, 100, 50, 255} : std::vector<uint8_t>{55, 155, 205, 0};
        for (int i = 0; i < 256; ++i) cmyk.pixels.insert(cmyk.pixels.end(), ink.begin(), ink.end());
        const char* names[3] = {"jpeg-cmyk-adobe", "jpeg-cmyk", "jpeg-ycck"};
        out.push_back({names[kind], kImageJpeg, WriteJpeg(cmyk),
                       MakeExpected(16, 16, false, [](int, int) { return MakeArgb(200, 100, 50); }),
                       true});
    }
    return out;
}

}  // namespace qv::test
