#pragma once

// Shared by the codec files only.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs/decode.h"
#include "codecs/image.h"

namespace qv::codec {

// Each decoder checks the size its header claims against `limits` before it allocates the
// picture, and leaves `out` to be cleared by its caller when it does not return kOk.
DecodeStatus DecodeBmp(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out);
DecodeStatus DecodeGif(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out);
DecodeStatus DecodeJpeg(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out);
DecodeStatus DecodePng(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out);
DecodeStatus DecodeIco(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out);
DecodeStatus DecodeTiff(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out);
DecodeStatus DecodeTga(const uint8_t* data, size_t size, const DecodeLimits& limits, Image& out);

// A device-independent bitmap: the info header, the palette and the bits, as found after the
// file header of a BMP or alone inside an icon. `bits_offset` counts from the info header; 0
// means the bits follow the palette. In an icon the height covers the colour bits and the AND
// mask after them, which becomes the alpha unless 32-bit bits carry their own.
DecodeStatus DecodeDib(const uint8_t* dib, size_t size, size_t bits_offset, bool icon,
                       const DecodeLimits& limits, Image& out);

// The verdict on the size a header claims: no pixels at all is damage, too many is kTooLarge.
inline DecodeStatus SizeVerdict(int64_t width, int64_t height, const DecodeLimits& limits) {
    if (width < 1 || height < 1) return DecodeStatus::kDamaged;
    return limits.Allows(width, height) ? DecodeStatus::kOk : DecodeStatus::kTooLarge;
}

// For the decoders' many plain outcomes.
inline DecodeStatus OkOrDamaged(bool ok) {
    return ok ? DecodeStatus::kOk : DecodeStatus::kDamaged;
}

bool EncodeBmp(const Image& img, std::vector<uint8_t>& out);
bool EncodeGif(const Image& img, std::vector<uint8_t>& out);
// One image up to 256 x 256 as an icon (codecs/ico_encoder.h writes several).
bool EncodeIco(const Image& img, std::vector<uint8_t>& out);
bool EncodeJpeg(const Image& img, std::vector<uint8_t>& out);
bool EncodePng(const Image& img, std::vector<uint8_t>& out);
bool EncodeTiff(const Image& img, std::vector<uint8_t>& out);

// A growable block for the C libraries' write callbacks. It never throws and lives outside
// the setjmp frames, so a longjmp out of a library cannot leak it.
class MemoryOutput {
public:
    MemoryOutput() = default;
    ~MemoryOutput();
    MemoryOutput(const MemoryOutput&) = delete;
    MemoryOutput& operator=(const MemoryOutput&) = delete;

    // Writes at the current position, growing the block, and moves past what was written.
    bool Write(const void* bytes, size_t count);
    // A position past the end is allowed; the gap reads as zeros once something is written.
    bool Seek(uint64_t position);
    size_t Position() const { return pos_; }
    size_t Size() const { return size_; }
    const uint8_t* Data() const { return data_; }
    void CopyTo(std::vector<uint8_t>& out) const;

private:
    bool Reserve(size_t wanted);

    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    size_t pos_ = 0;
};

// The palette writers refuse an 8-bit form whose indices point past its palette.
inline bool IndicesWithinPalette(const Image& img) {
    for (uint8_t index : img.indices) {
        if (index >= img.palette_size) return false;
    }
    return true;
}

// Turns a premultiplied channel back into a straight one, with rounding.
inline uint8_t Unpremultiply(uint8_t value, uint8_t alpha) {
    if (alpha == 0) return 0;
    const unsigned v = (unsigned{value} * 255 + alpha / 2) / alpha;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}

}  // namespace qv::codec
