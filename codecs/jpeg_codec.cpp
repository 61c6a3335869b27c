#include <bit>
#include <csetjmp>
#include <cstdlib>

// jpeglib.h uses size_t and FILE without including their headers.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "codecs/codec_internal.h"

namespace qv::codec {

namespace {

static_assert(std::endian::native == std::endian::little,
              "pixels are handed to libjpeg as B, G, R, A bytes");

// libjpeg reports failure through error_exit, which must not return: it longjmps to the frame
// that called setjmp. Those frames hold nothing with a destructor; the rows come from
// libjpeg's own pools.
struct ErrorManager {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void OnError(j_common_ptr cinfo) {
    longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
void OnMessage(j_common_ptr /*cinfo*/, int /*level*/) {}

// A progressive file can hold any number of scans, each one a full pass over the image;
// thousands of tiny ones would keep us busy for minutes.
constexpr int kMaxScans = 500;

void OnProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans) OnError(cinfo);
}

// The whole file is in memory from the start; asking for more means it was cut short, which
// fails the decode rather than showing a grey remainder.
void InitSource(j_decompress_ptr /*cinfo*/) {}
boolean FillInput(j_decompress_ptr cinfo) {
    ERREXIT(cinfo, JERR_INPUT_EOF);
    return FALSE;
}
void SkipInput(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    if (static_cast<unsigned long>(count) > cinfo->src->bytes_in_buffer)
        ERREXIT(cinfo, JERR_INPUT_EOF);
    cinfo->src->next_input_byte += count;
    cinfo->src->bytes_in_buffer -= static_cast<size_t>(count);
}
void TermSource(j_decompress_ptr /*cinfo*/) {}

void SetUpErrors(ErrorManager& errors, j_common_ptr cinfo) {
    cinfo->err = jpeg_std_error(&errors.mgr);
    errors.mgr.error_exit = OnError;
    errors.mgr.emit_message = OnMessage;
}

uint8_t Mul255(unsigned a, unsigned b) {
    return static_cast<uint8_t>((a * b + 127) / 255);
}

// The header names the size before libjpeg allocates anything of that size, which happens in
// jpeg_start_decompress.
DecodeStatus ReadJpeg(jpeg_decompress_struct* cinfo, jpeg_source_mgr* source,
                      jpeg_progress_mgr* progress, const DecodeLimits& limits, Image& out) {
    ErrorManager* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (setjmp(errors->jump)) return DecodeStatus::kDamaged;
    jpeg_create_decompress(cinfo);
    cinfo->src = source;
    cinfo->progress = progress;
    jpeg_read_header(cinfo, TRUE);
    const DecodeStatus size = SizeVerdict(cinfo->image_width, cinfo->image_height, limits);
    if (size != DecodeStatus::kOk) return size;
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(cinfo);
    const int w = static_cast<int>(cinfo->output_width);
    const int h = static_cast<int>(cinfo->output_height);
    if (cinfo->output_components != 4 || !out.Create24(w, h)) return DecodeStatus::kDamaged;
    JSAMPARRAY cmyk_row = cmyk
                              ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                            JPOOL_IMAGE, cinfo->output_width * 4, 1)
                              : nullptr;
    // Adobe's writers store CMYK inverted, and most CMYK files come from them.
    const bool inverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < cinfo->output_height) {
        uint32_t* row = out.Row(h - 1 - static_cast<int>(cinfo->output_scanline));
        JSAMPROW target = cmyk ? cmyk_row[0] : reinterpret_cast<JSAMPROW>(row);
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) return DecodeStatus::kDamaged;
        if (!cmyk) continue;
        const uint8_t* p = cmyk_row[0];
        for (int x = 0; x < w; ++x, p += 4) {
            const unsigned k = inverted ? p[3] : 255 - p[3];
            auto channel = [&](uint8_t v) { return Mul255(inverted ? v : 255 - v, k); };
            row[x] = MakeArgb(channel(p[0]), channel(p[1]), channel(p[2]));
        }
    }
    // The end-of-image marker is not waited for: every row has been read.
    return DecodeStatus::kOk;
}

bool WriteJpeg(jpeg_compress_struct* cinfo, const Image& img, unsigned char** buffer,
               unsigned long* size) {
    ErrorManager* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (setjmp(errors->jump)) return false;
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, buffer, size);
    cinfo->image_width = static_cast<JDIMENSION>(img.width);
    cinfo->image_height = static_cast<JDIMENSION>(img.height);
    cinfo->input_components = 4;
    cinfo->in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(cinfo);
    const int quality = img.quality < 10 ? 10 : img.quality > 100 ? 100 : img.quality;
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        const int y = img.height - 1 - static_cast<int>(cinfo->next_scanline);
        // libjpeg reads the row and never writes to it.
        JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(img.Row(y)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}  // namespace

DecodeStatus DecodeJpeg(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out) {
    if (size < 3 || data[0] != 0xFF || data[1] != 0xD8) return DecodeStatus::kDamaged;
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    SetUpErrors(errors, reinterpret_cast<j_common_ptr>(&cinfo));
    jpeg_source_mgr source{};
    source.next_input_byte = data;
    source.bytes_in_buffer = size;
    source.init_source = InitSource;
    source.fill_input_buffer = FillInput;
    source.skip_input_data = SkipInput;
    source.resync_to_restart = jpeg_resync_to_restart;
    source.term_source = TermSource;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnProgress;
    const DecodeStatus status = ReadJpeg(&cinfo, &source, &progress, limits, out);
    jpeg_destroy_decompress(&cinfo);
    return status;
}

bool EncodeJpeg(const Image& img, std::vector<uint8_t>& out) {
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    SetUpErrors(errors, reinterpret_cast<j_common_ptr>(&cinfo));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = WriteJpeg(&cinfo, img, &buffer, &size);
    jpeg_destroy_compress(&cinfo);
    if (ok) out.assign(buffer, buffer + size);
    std::free(buffer);
    return ok;
}

}  // namespace qv::codec
