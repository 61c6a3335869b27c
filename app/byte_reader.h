#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// A bounds-checked little-endian reader over a block of memory. Every read either succeeds
// completely or fails without moving and without touching anything past the block.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    const uint8_t* Current() const { return data_ + pos_; }

    bool ReadU8(uint8_t& value);
    bool ReadU16(uint16_t& value);
    bool ReadU32(uint32_t& value);
    bool ReadI32(int32_t& value);
    bool ReadF32(float& value);
    bool Skip(size_t count);
    bool ReadBytes(void* out, size_t count);

    // The length-prefixed string of the archive format: a byte below 255 is the length;
    // otherwise a 16-bit length follows, where 0xFFFF announces a 32-bit length and 0xFFFE a
    // string of UTF-16 units (with a second prefix), converted to code page 1252 on reading.
    // A length longer than what is left of the block fails before anything is allocated.
    bool ReadString(std::string& value);
    // The same string as document text, UTF-8: the 8-bit form is code page 1252, the UTF-16
    // form keeps every character. A lone surrogate, or a last unit cut in half by the end of
    // the block, reads as U+FFFD.
    bool ReadText(std::string& utf8);

private:
    bool ReadLength(uint32_t& length, bool& utf16);
    bool ReadUnits(uint32_t length, std::u16string& units, bool& cut);

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace qv
