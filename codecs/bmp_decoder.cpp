#include <algorithm>
#include <bit>

#include "app/byte_reader.h"
#include "codecs/codec_internal.h"

namespace qv::codec {

namespace {

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6 };

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits whatever its width.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit Channel(uint32_t m = 0) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        max = mask >> shift;
    }
    uint8_t Get(uint32_t v) const {
        if (mask == 0) return 0;
        const uint64_t x = (v & mask) >> shift;
        return static_cast<uint8_t>((x * 255 + max / 2) / max);
    }
};

struct DibHeader {
    int64_t width = 0;
    int64_t height = 0;
    bool top_down = false;
    unsigned bpp = 0;
    uint32_t compression = kRgb;
    uint32_t colors_used = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool has_masks = false;
    size_t palette_entry = 4;
};

bool ReadHeader(ByteReader& r, DibHeader& h) {
    uint32_t header_size = 0;
    if (!r.ReadU32(header_size)) return false;
    if (header_size == 12) {
        uint16_t w = 0, ht = 0, planes = 0, bpp = 0;
        if (!r.ReadU16(w) || !r.ReadU16(ht) || !r.ReadU16(planes) || !r.ReadU16(bpp)) return false;
        h.width = w;
        h.height = ht;
        h.bpp = bpp;
        h.palette_entry = 3;
        return true;
    }
    if (header_size < 40) return false;
    int32_t w = 0, ht = 0;
    uint16_t planes = 0, bpp = 0;
    uint32_t image_size = 0, important = 0;
    if (!r.ReadI32(w) || !r.ReadI32(ht) || !r.ReadU16(planes) || !r.ReadU16(bpp) ||
        !r.ReadU32(h.compression) || !r.ReadU32(image_size) || !r.Skip(8) ||
        !r.ReadU32(h.colors_used) || !r.ReadU32(important)) {
        return false;
    }
    h.width = w;
    h.height = ht;
    if (ht < 0) {
        h.top_down = true;
        h.height = -int64_t{ht};
    }
    h.bpp = bpp;
    // The 64-byte header of the older OS/2 form has other fields where the masks would be.
    const bool masks_in_header = header_size >= 52 && header_size != 64;
    if (masks_in_header) {
        const int count = header_size >= 56 ? 4 : 3;
        for (int i = 0; i < count; ++i) {
            if (!r.ReadU32(h.masks[i])) return false;
        }
        h.has_masks = true;
    }
    if (!r.Skip(header_size - (masks_in_header ? (header_size >= 56 ? 56 : 52) : 40))) return false;
    if (!masks_in_header && (h.compression == kBitfields || h.compression == kAlphaBitfields)) {
        const int count = h.compression == kAlphaBitfields ? 4 : 3;
        for (int i = 0; i < count; ++i) {
            if (!r.ReadU32(h.masks[i])) return false;
        }
        h.has_masks = true;
    }
    return true;
}

bool FormatSupported(const DibHeader& h) {
    switch (h.compression) {
        case kRgb:
            return h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 16 || h.bpp == 24 ||
                   h.bpp == 32;
        case kRle8:
            return h.bpp == 8;
        case kRle4:
            return h.bpp == 4;
        case kBitfields:
        case kAlphaBitfields:
            return h.bpp == 16 || h.bpp == 32;
        default:
            return false;
    }
}

// Run-length bits fill the rows they reach; what they skip keeps palette entry 0, the
// background colour the format implies.
bool DecodeRle(ByteReader& r, const DibHeader& h, const uint32_t* palette, Image& out) {
    const bool four = h.compression == kRle4;
    const int w = out.width;
    const int ht = out.height;
    std::fill(out.pixels.begin(), out.pixels.end(), palette[0]);
    int x = 0;
    int y = 0;
    auto put = [&](int index) {
        if (x < w && y < ht) out.Row(h.top_down ? ht - 1 - y : y)[x] = palette[index];
        ++x;
    };
    for (;;) {
        uint8_t count = 0, value = 0;
        if (!r.ReadU8(count) || !r.ReadU8(value)) return false;
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 15 : value >> 4) : value);
            x = std::min(x, w);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            if (++y >= ht) return true;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // move right and up
            uint8_t dx = 0, dy = 0;
            if (!r.ReadU8(dx) || !r.ReadU8(dy)) return false;
            x = std::min(x + dx, w);
            y += dy;
            if (y >= ht) return true;
        } else {  // literal pixels, padded to 16 bits
            const size_t bytes = four ? (value + 1u) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (r.Remaining() < bytes) return false;
            const uint8_t* p = r.Current();
            for (int i = 0; i < value; ++i)
                put(four ? ((i & 1) ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
            x = std::min(x, w);
            if (!r.Skip(std::min(padded, r.Remaining()))) return false;
        }
    }
}

void DecodeRow(const uint8_t* p, const DibHeader& h, const uint32_t* palette, const Channel* ch,
               uint32_t* row, int w, bool& any_alpha) {
    for (int x = 0; x < w; ++x) {
        switch (h.bpp) {
            case 1:
                row[x] = palette[(p[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                row[x] = palette[(p[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
                break;
            case 8:
                row[x] = palette[p[x]];
                break;
            case 24:
                row[x] = MakeArgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
                break;
            default: {
                const uint32_t v = h.bpp == 16
                                       ? uint32_t{p[2 * x]} | (uint32_t{p[2 * x + 1]} << 8)
                                       : uint32_t{p[4 * x]} | (uint32_t{p[4 * x + 1]} << 8) |
                                             (uint32_t{p[4 * x + 2]} << 16) |
                                             (uint32_t{p[4 * x + 3]} << 24);
                const uint8_t a = ch[3].Get(v);
                if (a != 0) any_alpha = true;
                row[x] = MakeArgb(ch[0].Get(v), ch[1].Get(v), ch[2].Get(v), a);
            }
        }
    }
}

}  // namespace

DecodeStatus DecodeDib(const uint8_t* dib, size_t size, size_t bits_offset, bool icon,
                       const DecodeLimits& limits, Image& out) {
    const DecodeStatus damaged = DecodeStatus::kDamaged;
    ByteReader r(dib, size);
    DibHeader h;
    if (!ReadHeader(r, h) || !FormatSupported(h)) return damaged;
    if (icon) {
        if (h.top_down) return damaged;
        h.height /= 2;
    }
    if (const DecodeStatus s = SizeVerdict(h.width, h.height, limits); s != DecodeStatus::kOk) {
        return s;
    }

    uint32_t palette[256];
    std::fill(std::begin(palette), std::end(palette), MakeArgb(0, 0, 0));
    if (h.bpp <= 8) {
        const size_t count =
            h.colors_used == 0 || h.colors_used > 256u ? (1u << h.bpp) : h.colors_used;
        for (size_t i = 0; i < count; ++i) {
            uint8_t e[4] = {0, 0, 0, 0};
            if (!r.ReadBytes(e, h.palette_entry)) return damaged;
            palette[i] = MakeArgb(e[2], e[1], e[0]);
        }
    } else if (bits_offset == 0 && !r.Skip(size_t{h.colors_used} * h.palette_entry)) {
        return damaged;
    }
    const size_t bits_start = bits_offset != 0 ? bits_offset : r.Position();
    if (bits_start > size) return damaged;
    ByteReader bits(dib + bits_start, size - bits_start);

    const int w = static_cast<int>(h.width);
    const int ht = static_cast<int>(h.height);
    if (h.compression == kRle8 || h.compression == kRle4) {
        if (icon || !out.Create24(w, ht)) return damaged;
        return OkOrDamaged(DecodeRle(bits, h, palette, out));
    }

    const uint64_t stride = (uint64_t{h.bpp} * static_cast<uint64_t>(w) + 31) / 32 * 4;
    const uint64_t last_row = (uint64_t{h.bpp} * static_cast<uint64_t>(w) + 7) / 8;
    const uint64_t mask_stride = (static_cast<uint64_t>(w) + 31) / 32 * 4;
    if (stride * (ht - 1) + last_row > bits.Remaining()) return damaged;

    uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
    // Uncompressed bits ignore any masks a newer header carries.
    if (h.compression == kRgb || !h.has_masks || (masks[0] | masks[1] | masks[2]) == 0) {
        const bool wide = h.bpp == 32;
        masks[0] = wide ? 0xFF0000u : 0x7C00u;
        masks[1] = wide ? 0xFF00u : 0x3E0u;
        masks[2] = wide ? 0xFFu : 0x1Fu;
        if (h.compression == kRgb) masks[3] = wide ? 0xFF000000u : 0;
    }
    const Channel channels[4] = {Channel(masks[0]), Channel(masks[1]), Channel(masks[2]),
                                 Channel(masks[3])};

    if (!out.Create24(w, ht)) return damaged;
    bool any_alpha = false;
    for (int i = 0; i < ht; ++i) {
        const uint8_t* p = bits.Current() + stride * i;
        DecodeRow(p, h, palette, channels, out.Row(h.top_down ? ht - 1 - i : i), w, any_alpha);
    }
    // Most 32-bit files leave the fourth byte zero; only a file that uses it has alpha.
    if (any_alpha) {
        out.has_alpha = true;
    } else {
        for (uint32_t& p : out.pixels) p |= 0xFF000000u;
    }
    if (!icon || out.has_alpha) return DecodeStatus::kOk;

    const uint64_t mask_start = stride * ht;
    if (mask_start + mask_stride * ht > bits.Remaining()) return damaged;
    for (int y = 0; y < ht; ++y) {
        const uint8_t* m = bits.Current() + mask_start + mask_stride * y;
        uint32_t* row = out.Row(y);
        for (int x = 0; x < w; ++x) {
            if ((m[x >> 3] >> (7 - (x & 7))) & 1) {
                row[x] &= 0x00FFFFFFu;
                out.has_alpha = true;
            }
        }
    }
    return DecodeStatus::kOk;
}

DecodeStatus DecodeBmp(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out) {
    ByteReader r(data, size);
    uint8_t b = 0, m = 0;
    uint32_t file_size = 0, reserved = 0, bits_offset = 0;
    if (!r.ReadU8(b) || !r.ReadU8(m) || b != 'B' || m != 'M') return DecodeStatus::kDamaged;
    if (!r.ReadU32(file_size) || !r.ReadU32(reserved) || !r.ReadU32(bits_offset)) {
        return DecodeStatus::kDamaged;
    }
    if (bits_offset > size) return DecodeStatus::kDamaged;
    const size_t dib_offset = bits_offset > 14 ? bits_offset - 14 : 0;
    return DecodeDib(data + 14, size - 14, dib_offset, false, limits, out);
}

}  // namespace qv::codec
