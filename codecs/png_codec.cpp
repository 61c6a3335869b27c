#include <png.h>

#include <csetjmp>
#include <cstring>

#include "codecs/codec_internal.h"

namespace qv::codec {

namespace {

// libpng reports failure by longjmp to the frame that called setjmp. The functions that call
// setjmp below hold nothing with a destructor; what must be freed lives in their callers.

void OnError(png_structp png, png_const_charp /*message*/) {
    png_longjmp(png, 1);
}
void OnWarning(png_structp /*png*/, png_const_charp /*message*/) {}

struct PngInput {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* in = static_cast<PngInput*>(png_get_io_ptr(png));
    if (count > in->size - in->pos) png_error(png, "unexpected end of file");
    std::memcpy(out, in->data + in->pos, count);
    in->pos += count;
}

void WriteToMemory(png_structp png, png_bytep data, size_t count) {
    if (!static_cast<MemoryOutput*>(png_get_io_ptr(png))->Write(data, count)) {
        png_error(png, "out of memory");
    }
}

void Flush(png_structp /*png*/) {}

DecodeStatus ReadPng(png_structp png, png_infop info, const DecodeLimits& limits, Image& out) {
    if (setjmp(png_jmpbuf(png))) return DecodeStatus::kDamaged;
    const png_uint_32 side = limits.max_side > 0 ? static_cast<png_uint_32>(limits.max_side) : 1;
    png_set_user_limits(png, side, side);
    // Only the chunks that make the pixels are read. Others are skipped unread: libpng would
    // otherwise allocate whatever length an ancillary chunk claims, gigabytes for a few bytes.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
#ifdef QV_FUZZING
    // Mutated files hardly ever carry right checksums; ignoring them lets the fuzzer reach the
    // code behind.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colour = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colour, nullptr, nullptr, nullptr);
    const DecodeStatus size = SizeVerdict(w, h, limits);
    if (size != DecodeStatus::kOk) return size;
    const bool transparent =
        (colour & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;

    // Every colour type and depth becomes B, G, R, A bytes: a 0xAARRGGBB pixel.
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!transparent) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t{w} * 4) return DecodeStatus::kDamaged;

    if (!out.Create24(static_cast<int>(w), static_cast<int>(h))) return DecodeStatus::kDamaged;
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < h; ++y) {
            png_read_row(png, reinterpret_cast<png_bytep>(out.Row(static_cast<int>(h - 1 - y))),
                         nullptr);
        }
    }
    out.has_alpha = transparent;
    return DecodeStatus::kOk;
}

// The header chunk comes first in every file, at a fixed place. Its size is judged here, before
// libpng is involved, because libpng reports its own size limit as a plain error.
DecodeStatus HeaderSizeVerdict(const uint8_t* data, size_t size, const DecodeLimits& limits) {
    if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return DecodeStatus::kOk;
    auto big_endian = [](const uint8_t* p) {
        return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
    };
    const uint32_t w = big_endian(data + 16), h = big_endian(data + 20);
    // A zero side is left to libpng to reject as damage.
    if (w == 0 || h == 0) return DecodeStatus::kOk;
    return SizeVerdict(w, h, limits);
}

bool WritePng(png_structp png, png_infop info, const Image& img) {
    if (setjmp(png_jmpbuf(png))) return false;
    const bool palette = img.bpp == 8;
    const int colour = palette         ? PNG_COLOR_TYPE_PALETTE
                       : img.has_alpha ? PNG_COLOR_TYPE_RGB_ALPHA
                                       : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.width),
                 static_cast<png_uint_32>(img.height), 8, colour, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (palette) {
        png_color colours[256];
        png_byte alphas[256];
        int translucent_end = 0;
        for (int i = 0; i < img.palette_size; ++i) {
            const PaletteEntry& e = img.palette[i];
            colours[i] = png_color{e.r, e.g, e.b};
            alphas[i] = e.a;
            if (e.a != 255) translucent_end = i + 1;
        }
        png_set_PLTE(png, info, colours, img.palette_size);
        // The transparency chunk may stop after the last entry that is not opaque.
        if (translucent_end > 0) png_set_tRNS(png, info, alphas, translucent_end, nullptr);
    }
    png_write_info(png, info);
    if (!palette) {
        png_set_bgr(png);
        if (!img.has_alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    }
    for (int y = img.height - 1; y >= 0; --y) {
        png_write_row(png,
                      palette ? img.IndexRow(y) : reinterpret_cast<png_const_bytep>(img.Row(y)));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

DecodeStatus DecodePng(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out) {
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return DecodeStatus::kDamaged;
    if (const DecodeStatus s = HeaderSizeVerdict(data, size, limits); s != DecodeStatus::kOk) {
        return s;
    }
    struct Reader {
        png_structp png =
            png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
        png_infop info = png ? png_create_info_struct(png) : nullptr;
        ~Reader() {
            if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        }
    } reader;
    if (reader.png == nullptr || reader.info == nullptr) return DecodeStatus::kDamaged;
    PngInput in{data, size, 0};
    png_set_read_fn(reader.png, &in, ReadFromMemory);
    return ReadPng(reader.png, reader.info, limits, out);
}

bool EncodePng(const Image& img, std::vector<uint8_t>& out) {
    if (img.bpp == 8 && !IndicesWithinPalette(img)) return false;
    struct Writer {
        png_structp png =
            png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
        png_infop info = png ? png_create_info_struct(png) : nullptr;
        ~Writer() {
            if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
        }
    } writer;
    if (writer.png == nullptr || writer.info == nullptr) return false;
    MemoryOutput memory;
    png_set_write_fn(writer.png, &memory, WriteToMemory, Flush);
    if (!WritePng(writer.png, writer.info, img)) return false;
    memory.CopyTo(out);
    return true;
}

}  // namespace qv::codec
