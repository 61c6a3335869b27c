#include "codecs/decode.h"

#include <vector>

#include "app/file_io.h"
#include "codecs/codec_internal.h"

namespace qv {

namespace {

using Decoder = bool (*)(const uint8_t* data, size_t size, Image& out);

// Indexed by ImageFileType.
constexpr Decoder kDecoders[kImageFileTypeCount] = {
    codec::DecodeBmp, codec::DecodeGif,  codec::DecodeJpeg, codec::DecodePng,
    codec::DecodeIco, codec::DecodeTiff, codec::DecodeTga,
};

}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, int type, Image& out) {
    out.Clear();
    if (type < 0 || type >= kImageFileTypeCount || data == nullptr || size == 0) return false;
    if (kDecoders[type](data, size, out) && out.IsValid()) return true;
    out.Clear();
    return false;
}

bool DecodeImageFile(const std::string& path, int type, Image& out) {
    out.Clear();
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    return DecodeImage(bytes.data(), bytes.size(), type, out);
}

}  // namespace qv
