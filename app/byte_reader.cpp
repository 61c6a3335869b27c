#include "app/byte_reader.h"

#include <cstring>

#include "app/codepage1252.h"
#include "app/unicode_text.h"

namespace qv {

bool ByteReader::ReadBytes(void* out, size_t count) {
    if (count > Remaining()) return false;
    if (count > 0) std::memcpy(out, data_ + pos_, count);
    pos_ += count;
    return true;
}

bool ByteReader::Skip(size_t count) {
    if (count > Remaining()) return false;
    pos_ += count;
    return true;
}

bool ByteReader::ReadU8(uint8_t& value) { return ReadBytes(&value, 1); }

bool ByteReader::ReadU16(uint16_t& value) {
    uint8_t b[2];
    if (!ReadBytes(b, 2)) return false;
    value = static_cast<uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool ByteReader::ReadU32(uint32_t& value) {
    uint8_t b[4];
    if (!ReadBytes(b, 4)) return false;
    value = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
    return true;
}

bool ByteReader::ReadI32(int32_t& value) {
    uint32_t u = 0;
    if (!ReadU32(u)) return false;
    value = static_cast<int32_t>(u);
    return true;
}

bool ByteReader::ReadF32(float& value) {
    uint32_t u = 0;
    if (!ReadU32(u)) return false;
    std::memcpy(&value, &u, sizeof value);
    return true;
}

bool ByteReader::ReadLength(uint32_t& length, bool& utf16) {
    const size_t start = pos_;
    uint8_t b = 0;
    if (!ReadU8(b)) return false;
    if (b < 0xFF) {
        length = b;
        return true;
    }
    uint16_t w = 0;
    if (!ReadU16(w)) {
        pos_ = start;
        return false;
    }
    if (w == 0xFFFE) {
        // The wide-string marker: the real prefix follows in the same scheme.
        if (utf16) {  // a second marker is not a valid prefix
            pos_ = start;
            return false;
        }
        utf16 = true;
        if (!ReadLength(length, utf16)) {
            pos_ = start;
            return false;
        }
        return true;
    }
    if (w < 0xFFFF) {
        length = w;
        return true;
    }
    if (!ReadU32(length)) {
        pos_ = start;
        return false;
    }
    return true;
}

bool ByteReader::ReadUnits(uint32_t length, std::u16string& units, bool& cut) {
    cut = false;
    uint64_t whole = length;
    if (uint64_t(length) * 2 > Remaining()) {
        // Only a string that ends in half a unit at the very end of the block is kept.
        if (uint64_t(length) * 2 - 1 != Remaining()) return false;
        whole = length - 1;
        cut = true;
    }
    units.assign(static_cast<size_t>(whole), u'\0');
    for (uint64_t i = 0; i < whole; ++i) {
        uint16_t unit = 0;
        ReadU16(unit);
        units[static_cast<size_t>(i)] = static_cast<char16_t>(unit);
    }
    if (cut) Skip(1);
    return true;
}

bool ByteReader::ReadString(std::string& value) {
    const size_t start = pos_;
    uint32_t length = 0;
    bool utf16 = false;
    if (!ReadLength(length, utf16)) return false;
    const uint64_t bytes = utf16 ? uint64_t(length) * 2 : length;
    if (bytes > Remaining()) {
        pos_ = start;
        return false;
    }
    if (!utf16) {
        value.assign(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length;
        return true;
    }
    std::u16string units;
    bool cut = false;
    ReadUnits(length, units, cut);
    value = Utf16ToCp1252(units);
    return true;
}

bool ByteReader::ReadText(std::string& utf8) {
    const size_t start = pos_;
    uint32_t length = 0;
    bool utf16 = false;
    if (!ReadLength(length, utf16)) return false;
    if (!utf16) {
        if (length > Remaining()) {
            pos_ = start;
            return false;
        }
        utf8 = TextFromCp1252(std::string_view(reinterpret_cast<const char*>(data_ + pos_), length));
        pos_ += length;
        return true;
    }
    std::u16string units;
    bool cut = false;
    if (!ReadUnits(length, units, cut)) {
        pos_ = start;
        return false;
    }
    if (cut) units.push_back(static_cast<char16_t>(kReplacementCharacter));
    utf8 = Utf16ToUtf8(units);
    return true;
}

}  // namespace qv
