#include "app/byte_writer.h"
#include "codecs/codec_internal.h"

namespace qv::codec {

// Always 24-bit uncompressed: the one form every reader takes. Rows go bottom row first, the
// order the format and our images share.
bool EncodeBmp(const Image& img, std::vector<uint8_t>& out) {
    const uint32_t stride = (static_cast<uint32_t>(img.width) * 3 + 3) & ~3u;
    const uint64_t bits = uint64_t{stride} * static_cast<uint64_t>(img.height);
    constexpr uint32_t kHeaders = 14 + 40;
    if (bits > 0xFFFFFFFFu - kHeaders) return false;
    constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

    ByteWriter w;
    w.Bytes().reserve(kHeaders + bits);
    w.WriteU8('B');
    w.WriteU8('M');
    w.WriteU32(static_cast<uint32_t>(kHeaders + bits));
    w.WriteU32(0);
    w.WriteU32(kHeaders);
    w.WriteU32(40);
    w.WriteI32(img.width);
    w.WriteI32(img.height);
    w.WriteU16(1);
    w.WriteU16(24);
    w.WriteU32(0);  // uncompressed
    w.WriteU32(static_cast<uint32_t>(bits));
    w.WriteI32(kPixelsPerMetre);
    w.WriteI32(kPixelsPerMetre);
    w.WriteU32(0);
    w.WriteU32(0);
    for (int y = 0; y < img.height; ++y) {
        const uint32_t* row = img.Row(y);
        for (int x = 0; x < img.width; ++x) {
            w.WriteU8(ArgbB(row[x]));
            w.WriteU8(ArgbG(row[x]));
            w.WriteU8(ArgbR(row[x]));
        }
        for (uint32_t pad = static_cast<uint32_t>(img.width) * 3; pad < stride; ++pad) w.WriteU8(0);
    }
    out = std::move(w.Bytes());
    return true;
}

}  // namespace qv::codec
