#include "render/library_scramble.h"

#include <array>

namespace qv {
namespace {

// The key laid out 64 times (plus one period for the starting phase): a whole number of key
// periods that is also a whole number of vector widths, so the main loop is a plain
// element-wise operation the compiler vectorises.
constexpr size_t kBlock = kLibraryKeyLength * 64;

constexpr std::array<uint8_t, kBlock + kLibraryKeyLength> MakeKeyBlock() {
    std::array<uint8_t, kBlock + kLibraryKeyLength> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(kLibraryKey[i % kLibraryKeyLength]);
    }
    return bytes;
}

constexpr std::array<uint8_t, kBlock + kLibraryKeyLength> kKeyBlock = MakeKeyBlock();

template <bool kAdd>
void ApplyBlock(uint8_t* __restrict data, const uint8_t* __restrict key, size_t count) {
    for (size_t j = 0; j < count; ++j) {
        data[j] = kAdd ? static_cast<uint8_t>(data[j] + key[j]) : static_cast<uint8_t>(data[j] - key[j]);
    }
}

template <bool kAdd>
void Apply(uint8_t* data, size_t size, size_t offset) {
    // Starting inside the block at the key phase of `offset` keeps every block aligned to it.
    const uint8_t* key = kKeyBlock.data() + offset % kLibraryKeyLength;
    size_t i = 0;
    for (; i + kBlock <= size; i += kBlock) ApplyBlock<kAdd>(data + i, key, kBlock);
    ApplyBlock<kAdd>(data + i, key, size - i);
}

}  // namespace

void DescrambleLibrary(uint8_t* data, size_t size, size_t offset) { Apply<false>(data, size, offset); }

void ScrambleLibrary(uint8_t* data, size_t size, size_t offset) { Apply<true>(data, size, offset); }

}  // namespace qv
