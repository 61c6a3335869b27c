#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// Little-endian writer into memory; the counterpart of ByteReader.
class ByteWriter {
public:
    void WriteU8(uint8_t value) { bytes_.push_back(value); }
    void WriteU16(uint16_t value);
    void WriteU32(uint32_t value);
    void WriteI32(int32_t value) { WriteU32(static_cast<uint32_t>(value)); }
    void WriteF32(float value);
    void WriteBytes(const void* data, size_t count);
    // The length-prefixed 8-bit string, bytes as they are.
    void WriteString(const std::string& value);
    // Document text (UTF-8): a text code page 1252 can hold goes out in the 8-bit form, byte
    // for byte as older versions wrote it; any other in the UTF-16 form (0xFF, 0xFFFE, the
    // length again in units, then UTF-16LE).
    void WriteText(const std::string& utf8);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t>& Bytes() { return bytes_; }

private:
    void WriteLength(size_t n);

    std::vector<uint8_t> bytes_;
};

}  // namespace qv
