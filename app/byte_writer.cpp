#include "app/byte_writer.h"

#include <cstring>

namespace qv {

void ByteWriter::WriteU16(uint16_t value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::WriteU32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<uint8_t>(value >> shift));
}

void ByteWriter::WriteF32(float value) {
    uint32_t u = 0;
    std::memcpy(&u, &value, sizeof u);
    WriteU32(u);
}

void ByteWriter::WriteBytes(const void* data, size_t count) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
}

void ByteWriter::WriteString(const std::string& value) {
    const size_t n = value.size();
    if (n < 0xFF) {
        WriteU8(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<uint32_t>(n));
    }
    WriteBytes(value.data(), n);
}

}  // namespace qv
