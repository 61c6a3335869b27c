#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "codecs/codec_internal.h"

namespace qv::codec {

namespace {

// libtiff allocates strip buffers from sizes found in the file; no single block may exceed
// what the largest image we accept needs.
constexpr tmsize_t kMaxSingleAllocation = tmsize_t{1} << 30;

int Quiet(TIFF* /*tif*/, void* /*user*/, const char* /*module*/, const char* /*fmt*/,
          va_list /*args*/) {
    return 1;
}

// Per-handle handlers cover almost everything; the process-wide ones catch the rest, which
// would otherwise print to stderr.
struct Options {
    TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
    Options() {
        static const bool silenced = [] {
            TIFFSetErrorHandler(nullptr);
            TIFFSetWarningHandler(nullptr);
            return true;
        }();
        (void)silenced;
        if (opts == nullptr) return;
        TIFFOpenOptionsSetErrorHandlerExtR(opts, Quiet, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(opts, Quiet, nullptr);
        TIFFOpenOptionsSetMaxSingleMemAlloc(opts, kMaxSingleAllocation);
    }
    ~Options() { TIFFOpenOptionsFree(opts); }
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;
};

struct Closer {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, Closer>;

// Seeking arithmetic shared by the reader and the writer: offsets arrive unsigned, negative
// relative moves wrapped around.
toff_t Seek(uint64_t pos, uint64_t size, toff_t offset, int whence) {
    const int64_t base = whence == SEEK_CUR   ? static_cast<int64_t>(pos)
                         : whence == SEEK_END ? static_cast<int64_t>(size)
                                              : 0;
    const int64_t target = base + static_cast<int64_t>(offset);
    return target < 0 ? static_cast<toff_t>(-1) : static_cast<toff_t>(target);
}

struct Input {
    const uint8_t* data;
    size_t size;
    uint64_t pos;
    // libtiff shrugs off some reads past the end, such as a colour map cut off, and goes on
    // with a different picture; for us that file is truncated.
    bool short_read;
};

tmsize_t ReadInput(thandle_t handle, void* buffer, tmsize_t count) {
    auto* in = static_cast<Input*>(handle);
    if (count <= 0) return 0;
    const size_t n = in->pos >= in->size ? 0 : std::min<uint64_t>(count, in->size - in->pos);
    if (n < static_cast<size_t>(count)) in->short_read = true;
    if (n > 0) std::memcpy(buffer, in->data + in->pos, n);
    in->pos += n;
    return static_cast<tmsize_t>(n);
}
tmsize_t WriteInput(thandle_t /*handle*/, void* /*buffer*/, tmsize_t /*count*/) {
    return 0;
}
toff_t SeekInput(thandle_t handle, toff_t offset, int whence) {
    auto* in = static_cast<Input*>(handle);
    const toff_t target = Seek(in->pos, in->size, offset, whence);
    if (target != static_cast<toff_t>(-1)) in->pos = target;
    return target;
}
toff_t InputSize(thandle_t handle) {
    return static_cast<Input*>(handle)->size;
}

tmsize_t ReadOutput(thandle_t handle, void* buffer, tmsize_t count) {
    auto* out = static_cast<MemoryOutput*>(handle);
    if (count <= 0 || out->Position() >= out->Size()) return 0;
    const size_t n = std::min<size_t>(static_cast<size_t>(count), out->Size() - out->Position());
    std::memcpy(buffer, out->Data() + out->Position(), n);
    out->Seek(out->Position() + n);
    return static_cast<tmsize_t>(n);
}
tmsize_t WriteOutput(thandle_t handle, void* buffer, tmsize_t count) {
    if (count < 0 ||
        !static_cast<MemoryOutput*>(handle)->Write(buffer, static_cast<size_t>(count))) {
        return -1;
    }
    return count;
}
toff_t SeekOutput(thandle_t handle, toff_t offset, int whence) {
    auto* out = static_cast<MemoryOutput*>(handle);
    const toff_t target = Seek(out->Position(), out->Size(), offset, whence);
    if (target == static_cast<toff_t>(-1) || !out->Seek(target)) return static_cast<toff_t>(-1);
    return target;
}
toff_t OutputSize(thandle_t handle) {
    return static_cast<MemoryOutput*>(handle)->Size();
}

int Close(thandle_t /*handle*/) {
    return 0;
}
int Map(thandle_t /*handle*/, void** /*base*/, toff_t* /*size*/) {
    return 0;
}
void Unmap(thandle_t /*handle*/, void* /*base*/, toff_t /*size*/) {}

enum class Path { kNotApplicable, kDone, kFailed };

// Straight-alpha 8-bit RGB(A) strips, what our own writer makes, are read directly: the RGBA
// interface would premultiply the alpha and lose precision in the translucent pixels.
Path ReadStraightRgb(TIFF* tif, int w, int h, Image& out) {
    uint16_t photometric = 0, bits = 0, samples = 0, planar = 0, orientation = 0;
    uint16_t extra_count = 0;
    uint16_t* extra = nullptr;
    if (TIFFIsTiled(tif) || !TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) ||
        photometric != PHOTOMETRIC_RGB) {
        return Path::kNotApplicable;
    }
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    TIFFGetFieldDefaulted(tif, TIFFTAG_EXTRASAMPLES, &extra_count, &extra);
    const bool rgb = samples == 3 && extra_count == 0;
    const bool rgba =
        samples == 4 && extra_count == 1 && extra != nullptr && extra[0] == EXTRASAMPLE_UNASSALPHA;
    if (bits != 8 || planar != PLANARCONFIG_CONTIG || orientation != ORIENTATION_TOPLEFT ||
        !(rgb || rgba)) {
        return Path::kNotApplicable;
    }
    if (TIFFScanlineSize(tif) != tmsize_t{w} * samples || !out.Create24(w, h)) {
        return Path::kFailed;
    }
    std::vector<uint8_t> line(static_cast<size_t>(w) * samples);
    for (int y = 0; y < h; ++y) {
        if (TIFFReadScanline(tif, line.data(), static_cast<uint32_t>(y), 0) < 0) {
            return Path::kFailed;
        }
        uint32_t* row = out.Row(h - 1 - y);
        const uint8_t* p = line.data();
        for (int x = 0; x < w; ++x, p += samples) {
            row[x] = MakeArgb(p[0], p[1], p[2], rgba ? p[3] : 255);
        }
    }
    out.has_alpha = rgba;
    return Path::kDone;
}

}  // namespace

// Opening reads the first directory, which allocates no more than its own tables; the picture
// is allocated only after its size has been judged.
DecodeStatus DecodeTiff(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out) {
    const DecodeStatus damaged = DecodeStatus::kDamaged;
    if (size < 8) return damaged;
    const bool intel = data[0] == 'I' && data[1] == 'I';
    const bool motorola = data[0] == 'M' && data[1] == 'M';
    if (!intel && !motorola) return damaged;
    Options options;
    if (options.opts == nullptr) return damaged;
    Input in{data, size, 0, false};
    TiffHandle tif(TIFFClientOpenExt("memory", "rm", &in, ReadInput, WriteInput, SeekInput, Close,
                                     InputSize, Map, Unmap, options.opts));
    if (!tif) return damaged;
    uint32_t w = 0, h = 0;
    if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &w) ||
        !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &h)) {
        return damaged;
    }
    if (const DecodeStatus s = SizeVerdict(w, h, limits); s != DecodeStatus::kOk) return s;
    const Path direct = ReadStraightRgb(tif.get(), static_cast<int>(w), static_cast<int>(h), out);
    if (direct != Path::kNotApplicable) {
        return OkOrDamaged(direct == Path::kDone && !in.short_read);
    }

    char message[1024];
    TIFFRGBAImage rgba{};
    if (!TIFFRGBAImageOK(tif.get(), message) || !TIFFRGBAImageBegin(&rgba, tif.get(), 1, message)) {
        return damaged;
    }
    rgba.req_orientation = ORIENTATION_BOTLEFT;
    const bool ok = rgba.width == w && rgba.height == h &&
                    out.Create24(static_cast<int>(w), static_cast<int>(h)) &&
                    TIFFRGBAImageGet(&rgba, out.pixels.data(), w, h) != 0;
    const bool alpha = rgba.alpha != 0;
    TIFFRGBAImageEnd(&rgba);
    if (!ok || in.short_read) return damaged;
    // libtiff packs A, B, G, R from the top byte down, always premultiplied.
    for (uint32_t& p : out.pixels) {
        const uint8_t r = static_cast<uint8_t>(TIFFGetR(p));
        const uint8_t g = static_cast<uint8_t>(TIFFGetG(p));
        const uint8_t b = static_cast<uint8_t>(TIFFGetB(p));
        const uint8_t a = alpha ? static_cast<uint8_t>(TIFFGetA(p)) : 255;
        p = alpha ? MakeArgb(Unpremultiply(r, a), Unpremultiply(g, a), Unpremultiply(b, a), a)
                  : MakeArgb(r, g, b);
    }
    out.has_alpha = alpha;
    return DecodeStatus::kOk;
}

bool EncodeTiff(const Image& img, std::vector<uint8_t>& out) {
    Options options;
    if (options.opts == nullptr) return false;
    MemoryOutput memory;
    TiffHandle tif(TIFFClientOpenExt("memory", "w", &memory, ReadOutput, WriteOutput, SeekOutput,
                                     Close, OutputSize, Map, Unmap, options.opts));
    if (!tif) return false;
    TIFF* t = tif.get();
    const uint16_t samples = img.has_alpha ? 4 : 3;
    const uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
    bool ok = TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(img.width)) &&
              TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(img.height)) &&
              TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples) &&
              TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
              TIFFSetField(t, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
              TIFFSetField(t, TIFFTAG_XRESOLUTION, 72.0) &&
              TIFFSetField(t, TIFFTAG_YRESOLUTION, 72.0) &&
              TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) &&
              TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    if (ok && img.has_alpha) ok = TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, extra);
    if (!ok) return false;

    std::vector<uint8_t> line(static_cast<size_t>(img.width) * samples);
    for (int y = 0; y < img.height; ++y) {
        const uint32_t* row = img.Row(img.height - 1 - y);
        uint8_t* p = line.data();
        for (int x = 0; x < img.width; ++x, p += samples) {
            p[0] = ArgbR(row[x]);
            p[1] = ArgbG(row[x]);
            p[2] = ArgbB(row[x]);
            if (img.has_alpha) p[3] = ArgbA(row[x]);
        }
        if (TIFFWriteScanline(t, line.data(), static_cast<uint32_t>(y), 0) < 0) return false;
    }
    if (!TIFFWriteDirectory(t)) return false;
    tif.reset();
    memory.CopyTo(out);
    return !out.empty();
}

}  // namespace qv::codec
