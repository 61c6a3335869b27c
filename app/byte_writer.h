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
    // The length-prefixed 8-bit string; the UTF-16 form is read but never written.
    void WriteString(const std::string& value);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace qv
