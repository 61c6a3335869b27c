#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "codecs/codec_internal.h"

namespace qv::codec {

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

int ReadInput(GifFileType* gif, GifByteType* buffer, int count) {
    auto* in = static_cast<Input*>(gif->UserData);
    if (count <= 0) return 0;
    const size_t n = std::min(static_cast<size_t>(count), in->size - in->pos);
    std::memcpy(buffer, in->data + in->pos, n);
    in->pos += n;
    return static_cast<int>(n);
}

int WriteOutput(GifFileType* gif, const GifByteType* bytes, int count) {
    if (count < 0) return 0;
    return static_cast<MemoryOutput*>(gif->UserData)->Write(bytes, static_cast<size_t>(count))
               ? count
               : 0;
}

struct DecoderCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
struct EncoderCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Reads extensions up to the first image, keeping the transparent index of its graphics
// control block; -1 when there is none.
bool SkipToImage(GifFileType* gif, int& transparent) {
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) return false;
        if (record == IMAGE_DESC_RECORD_TYPE) return true;
        if (record != EXTENSION_RECORD_TYPE) return false;  // the file ends without an image
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] == 4) {
            GraphicsControlBlock gcb{};
            if (DGifExtensionToGCB(4, block + 1, &gcb) == GIF_OK)
                transparent = gcb.TransparentColor;
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
        }
    }
}

}  // namespace

// Only the first frame is read. When it does not cover the logical screen, the canvas is the
// screen (grown to hold the frame if the screen is too small) and the rest is transparent.
DecodeStatus DecodeGif(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out) {
    const DecodeStatus damaged = DecodeStatus::kDamaged;
    if (size < 6 || std::memcmp(data, "GIF", 3) != 0) return damaged;
    Input in{data, size, 0};
    int error = 0;
    std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&in, ReadInput, &error));
    if (!gif) return damaged;
    // The screen alone makes the canvas, so a screen beyond the limits is refused before the
    // frame is looked at. An empty screen is common and harmless: the frame sets the size.
    if (!limits.Allows(std::max(gif->SWidth, 1), std::max(gif->SHeight, 1))) {
        return DecodeStatus::kTooLarge;
    }
    int transparent = -1;
    if (!SkipToImage(gif.get(), transparent) || DGifGetImageDesc(gif.get()) == GIF_ERROR) {
        return damaged;
    }
    const GifImageDesc& frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0) return damaged;
    const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    if (map == nullptr || map->Colors == nullptr || map->ColorCount <= 0) return damaged;
    const int64_t canvas_w = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
    const int64_t canvas_h = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
    // The frame lies within the canvas, so the canvas passing means the frame does too.
    if (const DecodeStatus s = SizeVerdict(canvas_w, canvas_h, limits); s != DecodeStatus::kOk) {
        return s;
    }

    uint32_t colours[256];
    for (int i = 0; i < 256; ++i) {
        const GifColorType c = i < map->ColorCount ? map->Colors[i] : GifColorType{0, 0, 0};
        colours[i] = MakeArgb(c.Red, c.Green, c.Blue, i == transparent ? 0 : 255);
    }
    const int w = static_cast<int>(canvas_w);
    const int h = static_cast<int>(canvas_h);
    if (!out.Create24(w, h)) return damaged;
    const bool covered = frame.Left == 0 && frame.Top == 0 && frame.Width == w && frame.Height == h;
    if (!covered) std::fill(out.pixels.begin(), out.pixels.end(), 0u);

    std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
    // Interlaced frames arrive as every eighth row from 0, every eighth from 4, every fourth
    // from 2, then the odd rows.
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int step = frame.Interlace ? kStep[pass] : 1;
        for (int y = frame.Interlace ? kStart[pass] : 0; y < frame.Height; y += step) {
            if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) return damaged;
            uint32_t* row = out.Row(h - 1 - (frame.Top + y)) + frame.Left;
            for (int x = 0; x < frame.Width; ++x) row[x] = colours[line[x]];
        }
    }
    out.has_alpha = !covered || (transparent >= 0 && transparent < 256);
    return DecodeStatus::kOk;
}

bool EncodeGif(const Image& img, std::vector<uint8_t>& out) {
    if (img.bpp != 8 || !IndicesWithinPalette(img)) return false;
    // The colour table size is a power of two; the entries past the palette stay black.
    int table_size = 2;
    while (table_size < img.palette_size) table_size *= 2;
    GifColorType colours[256] = {};
    int transparent = -1;
    for (int i = 0; i < img.palette_size; ++i) {
        const PaletteEntry& e = img.palette[i];
        colours[i] = GifColorType{e.r, e.g, e.b};
        if (e.a == 0 && transparent < 0) transparent = i;
    }
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(table_size, colours));
    if (!map) return false;

    MemoryOutput memory;
    int error = 0;
    std::unique_ptr<GifFileType, EncoderCloser> gif(EGifOpen(&memory, WriteOutput, &error));
    if (!gif) return false;
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), img.width, img.height, 8, 0, map.get()) == GIF_ERROR) {
        return false;
    }
    if (transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.DelayTime = 0;
        gcb.TransparentColor = transparent;
        GifByteType block[4];
        const size_t length = EGifGCBToExtension(&gcb, block);
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block) ==
            GIF_ERROR) {
            return false;
        }
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, img.width, img.height, false, nullptr) == GIF_ERROR) {
        return false;
    }
    // giflib masks the line it is given in place, so it gets a copy.
    std::vector<GifPixelType> line(static_cast<size_t>(img.width));
    for (int y = img.height - 1; y >= 0; --y) {
        std::copy_n(img.IndexRow(y), img.width, line.begin());
        if (EGifPutLine(gif.get(), line.data(), img.width) == GIF_ERROR) return false;
    }
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) return false;
    memory.CopyTo(out);
    return true;
}

}  // namespace qv::codec
