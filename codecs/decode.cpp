#include "codecs/decode.h"

#include <vector>

#include "app/file_io.h"
#include "codecs/codec_internal.h"

namespace qv {

namespace {

using Decoder = DecodeStatus (*)(const uint8_t* data, size_t size, const DecodeLimits& limits,
                                 Image& out);

// Indexed by ImageFileType.
constexpr Decoder kDecoders[kImageFileTypeCount] = {
    codec::DecodeBmp, codec::DecodeGif,  codec::DecodeJpeg, codec::DecodePng,
    codec::DecodeIco, codec::DecodeTiff, codec::DecodeTga,
};

}  // namespace

DecodeStatus DecodeImageWithin(const uint8_t* data, size_t size, int type,
                               const DecodeLimits& limits, Image& out) {
    out.Clear();
    if (type < 0 || type >= kImageFileTypeCount || data == nullptr || size == 0) {
        return DecodeStatus::kDamaged;
    }
    DecodeStatus status = kDecoders[type](data, size, limits, out);
    if (status == DecodeStatus::kOk && !out.IsValid()) status = DecodeStatus::kDamaged;
    // Each decoder checks its header before allocating; this only keeps the promise should a
    // picture come out other than its header said.
    if (status == DecodeStatus::kOk && !limits.Allows(out.width, out.height)) {
        status = DecodeStatus::kTooLarge;
    }
    if (status != DecodeStatus::kOk) out.Clear();
    return status;
}

bool DecodeImage(const uint8_t* data, size_t size, int type, Image& out) {
    return DecodeImageWithin(data, size, type, DecodeLimits{}, out) == DecodeStatus::kOk;
}

bool DecodeImageFile(const std::string& path, int type, Image& out) {
    out.Clear();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    return DecodeImage(bytes.data(), bytes.size(), type, out);
}

}  // namespace qv
