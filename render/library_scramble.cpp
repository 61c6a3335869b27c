#include "render/library_scramble.h"

namespace qv {
namespace {

// The key laid out 64 times: a whole number of key periods that is also a whole number of
// vector widths, so the main loop is a plain element-wise subtraction the compiler vectorises.
constexpr size_t kBlock = kLibraryKeyLength * 64;

struct KeyBlock {
    uint8_t bytes[kBlock + kLibraryKeyLength];
    KeyBlock() {
        for (size_t i = 0; i < sizeof bytes; ++i) {
            bytes[i] = static_cast<uint8_t>(kLibraryKey[i % kLibraryKeyLength]);
        }
    }
};

const KeyBlock& Key() {
    static const KeyBlock key;
    return key;
}

template <bool kAdd>
void Apply(uint8_t* data, size_t size, size_t offset) {
    // Starting inside the block at the key phase of `offset` keeps every block aligned to it.
    const uint8_t* key = Key().bytes + offset % kLibraryKeyLength;
    size_t i = 0;
    for (; i + kBlock <= size; i += kBlock) {
        uint8_t* p = data + i;
        for (size_t j = 0; j < kBlock; ++j) {
            p[j] = kAdd ? static_cast<uint8_t>(p[j] + key[j]) : static_cast<uint8_t>(p[j] - key[j]);
        }
    }
    for (size_t j = 0; i < size; ++i, ++j) {
        data[i] = kAdd ? static_cast<uint8_t>(data[i] + key[j]) : static_cast<uint8_t>(data[i] - key[j]);
    }
}

}  // namespace

void DescrambleLibrary(uint8_t* data, size_t size, size_t offset) { Apply<false>(data, size, offset); }

void ScrambleLibrary(uint8_t* data, size_t size, size_t offset) { Apply<true>(data, size, offset); }

}  // namespace qv
