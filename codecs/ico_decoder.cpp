#include <cstring>

#include "app/byte_reader.h"
#include "codecs/codec_internal.h"

namespace qv::codec {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct Candidate {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool png = false;
    int64_t area = 0;
    unsigned depth = 0;
};

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The directory's sizes stop at 256 and are often wrong, so the entries are measured from
// their own headers. An entry beyond the limits is kTooLarge and is not a candidate: it could
// not be decoded anyway, and its area could overflow.
DecodeStatus Measure(Candidate& c, const DecodeLimits& limits) {
    if (c.size >= 24 && std::memcmp(c.data, kPngSignature, 8) == 0) {
        c.png = true;
        const uint32_t w = BigEndian32(c.data + 16), h = BigEndian32(c.data + 20);
        const DecodeStatus size = SizeVerdict(w, h, limits);
        if (size != DecodeStatus::kOk) return size;
        c.area = int64_t{w} * h;
        c.depth = 32;
        return DecodeStatus::kOk;
    }
    ByteReader r(c.data, c.size);
    uint32_t header_size = 0;
    int32_t w = 0, h = 0;
    uint16_t planes = 0, depth = 0;
    if (!r.ReadU32(header_size) || header_size < 40 || !r.ReadI32(w) || !r.ReadI32(h) ||
        !r.ReadU16(planes) || !r.ReadU16(depth)) {
        return DecodeStatus::kDamaged;
    }
    const DecodeStatus size = SizeVerdict(w, h / 2, limits);
    if (size != DecodeStatus::kOk) return size;
    c.area = int64_t{w} * (h / 2);
    c.depth = depth;
    return DecodeStatus::kOk;
}

}  // namespace

DecodeStatus DecodeIco(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out) {
    const DecodeStatus damaged = DecodeStatus::kDamaged;
    ByteReader r(data, size);
    uint16_t reserved = 0, kind = 0, count = 0;
    if (!r.ReadU16(reserved) || !r.ReadU16(kind) || !r.ReadU16(count)) return damaged;
    // Kind 1 is an icon, 2 a cursor; both store their images the same way.
    if (reserved != 0 || (kind != 1 && kind != 2) || count == 0) return damaged;

    Candidate best;
    bool any_too_large = false;
    for (int i = 0; i < count; ++i) {
        uint8_t dims[4];
        uint16_t planes = 0, depth = 0;
        uint32_t bytes = 0, offset = 0;
        if (!r.ReadBytes(dims, 4) || !r.ReadU16(planes) || !r.ReadU16(depth) || !r.ReadU32(bytes) ||
            !r.ReadU32(offset)) {
            return damaged;
        }
        if (offset > size || bytes > size - offset) continue;
        Candidate c{data + offset, bytes};
        const DecodeStatus measured = Measure(c, limits);
        if (measured == DecodeStatus::kTooLarge) any_too_large = true;
        if (measured != DecodeStatus::kOk) continue;
        if (c.area > best.area || (c.area == best.area && c.depth > best.depth)) best = c;
    }
    if (best.data == nullptr) return any_too_large ? DecodeStatus::kTooLarge : damaged;
    if (best.png) return DecodePng(best.data, best.size, limits, out);
    return DecodeDib(best.data, best.size, 0, true, limits, out);
}

}  // namespace qv::codec
