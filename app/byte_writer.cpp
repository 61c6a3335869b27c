#include "app/byte_writer.h"

#include <cstring>

#include "app/unicode_text.h"

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

void ByteWriter::WriteLength(size_t n) {
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
}

void ByteWriter::WriteString(const std::string& value) {
    WriteLength(value.size());
    WriteBytes(value.data(), value.size());
}

void ByteWriter::WriteText(const std::string& utf8) {
    std::string bytes;
    if (TextToCp1252(utf8, bytes)) {
        WriteString(bytes);
        return;
    }
    const std::u16string units = Utf8ToUtf16(utf8);
    WriteU8(0xFF);
    WriteU16(0xFFFE);
    WriteLength(units.size());
    for (char16_t unit : units) WriteU16(static_cast<uint16_t>(unit));
}

}  // namespace qv
