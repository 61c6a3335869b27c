#include <algorithm>
#include <vector>

#include "app/byte_reader.h"
#include "codecs/codec_internal.h"

namespace qv::codec {

namespace {

enum TgaType : uint8_t {
    kMapped = 1,
    kTrueColour = 2,
    kGrey = 3,
    kRleMapped = 9,
    kRleTrueColour = 10,
    kRleGrey = 11,
};

struct TgaHeader {
    uint8_t id_length = 0;
    uint8_t map_type = 0;
    uint8_t type = 0;
    uint16_t map_first = 0;
    uint16_t map_length = 0;
    uint8_t map_depth = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t depth = 0;
    uint8_t descriptor = 0;
};

bool ReadHeader(ByteReader& r, TgaHeader& h) {
    uint16_t x_origin = 0, y_origin = 0;
    return r.ReadU8(h.id_length) && r.ReadU8(h.map_type) && r.ReadU8(h.type) &&
           r.ReadU16(h.map_first) && r.ReadU16(h.map_length) && r.ReadU8(h.map_depth) &&
           r.ReadU16(x_origin) && r.ReadU16(y_origin) && r.ReadU16(h.width) &&
           r.ReadU16(h.height) && r.ReadU8(h.depth) && r.ReadU8(h.descriptor);
}

// 15- and 16-bit values are 5-5-5; the top bit is an attribute that files rarely fill in
// meaningfully, so it is not taken as alpha.
uint32_t FromBytes(const uint8_t* p, int depth) {
    switch (depth) {
        case 8:
            return MakeArgb(p[0], p[0], p[0]);
        case 15:
        case 16: {
            const unsigned v = p[0] | (p[1] << 8);
            auto scale = [](unsigned c) { return static_cast<uint8_t>((c * 255 + 15) / 31); };
            return MakeArgb(scale((v >> 10) & 31), scale((v >> 5) & 31), scale(v & 31));
        }
        case 24:
            return MakeArgb(p[2], p[1], p[0]);
        default:
            return MakeArgb(p[2], p[1], p[0], p[3]);
    }
}

bool ValidDepths(const TgaHeader& h) {
    switch (h.type) {
        case kMapped:
        case kRleMapped:
            return h.map_type == 1 && (h.depth == 8 || h.depth == 16) &&
                   (h.map_depth == 15 || h.map_depth == 16 || h.map_depth == 24 ||
                    h.map_depth == 32);
        case kTrueColour:
        case kRleTrueColour:
            return h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32;
        case kGrey:
        case kRleGrey:
            return h.depth == 8 || h.depth == 16;
        default:
            return false;
    }
}

}  // namespace

DecodeStatus DecodeTga(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out) {
    const DecodeStatus damaged = DecodeStatus::kDamaged;
    ByteReader r(data, size);
    TgaHeader h;
    if (!ReadHeader(r, h) || h.map_type > 1 || !ValidDepths(h)) return damaged;
    if (const DecodeStatus s = SizeVerdict(h.width, h.height, limits); s != DecodeStatus::kOk) {
        return s;
    }
    if (!r.Skip(h.id_length)) return damaged;

    const bool mapped = h.type == kMapped || h.type == kRleMapped;
    const int map_bytes = (h.map_depth + 7) / 8;
    std::vector<uint32_t> map;
    if (h.map_type == 1) {
        // A map is skipped even when the image does not use it.
        if (r.Remaining() < size_t{h.map_length} * map_bytes) return damaged;
        if (mapped) map.resize(h.map_length);
        for (size_t i = 0; i < h.map_length; ++i) {
            if (mapped) map[i] = FromBytes(r.Current(), h.map_depth);
            r.Skip(map_bytes);
        }
    }

    const int pixel_bytes = (h.depth + 7) / 8;
    const bool rle = h.type >= kRleMapped;
    const size_t count = size_t{h.width} * h.height;
    if (!rle && r.Remaining() / pixel_bytes < count) return damaged;
    // A packet makes at most 128 pixels from a header byte and a pixel, so a file too short for
    // its size is refused before the image is allocated.
    if (rle && r.Remaining() / (1 + pixel_bytes) < (count + 127) / 128) return damaged;
    if (!out.Create24(h.width, h.height)) return damaged;

    const bool top_origin = (h.descriptor & 0x20) != 0;
    const bool right_origin = (h.descriptor & 0x10) != 0;
    bool any_alpha = false;
    auto convert = [&](const uint8_t* p) -> uint32_t {
        if (mapped) {
            const unsigned index = (pixel_bytes == 2 ? p[0] | (p[1] << 8) : p[0]) - h.map_first;
            return index < map.size() ? map[index] : MakeArgb(0, 0, 0);
        }
        if (h.type == kGrey || h.type == kRleGrey) {
            if (h.depth == 16) {
                any_alpha |= p[1] != 0;
                return MakeArgb(p[0], p[0], p[0], p[1]);
            }
            return FromBytes(p, 8);
        }
        const uint32_t v = FromBytes(p, h.depth);
        any_alpha |= h.depth == 32 && ArgbA(v) != 0;
        return v;
    };
    auto place = [&](size_t i, uint32_t v) {
        const int file_row = static_cast<int>(i / h.width);
        const int col = static_cast<int>(i % h.width);
        const int row = top_origin ? h.height - 1 - file_row : file_row;
        out.Row(row)[right_origin ? h.width - 1 - col : col] = v;
    };

    size_t i = 0;
    while (i < count) {
        if (!rle) {
            place(i++, convert(r.Current()));
            r.Skip(pixel_bytes);
            continue;
        }
        // Packets may run across rows; each one makes at least one pixel, so this ends.
        uint8_t packet = 0;
        if (!r.ReadU8(packet)) return damaged;
        const size_t run = std::min<size_t>((packet & 0x7F) + 1u, count - i);
        if (packet & 0x80) {
            if (r.Remaining() < size_t(pixel_bytes)) return damaged;
            const uint32_t v = convert(r.Current());
            r.Skip(pixel_bytes);
            for (size_t k = 0; k < run; ++k) place(i++, v);
        } else {
            if (r.Remaining() / pixel_bytes < run) return damaged;
            for (size_t k = 0; k < run; ++k) {
                place(i++, convert(r.Current()));
                r.Skip(pixel_bytes);
            }
        }
    }
    // As in BMP, a fourth byte that is zero everywhere is padding rather than transparency.
    if (any_alpha) {
        out.has_alpha = true;
    } else {
        for (uint32_t& p : out.pixels) p |= 0xFF000000u;
    }
    return DecodeStatus::kOk;
}

}  // namespace qv::codec
