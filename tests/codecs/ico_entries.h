#pragma once

#include <cstdint>
#include <vector>

#include "codecs/decode.h"

namespace qv::test {

// One entry of an icon's directory and its image, decoded on its own: our decoder gives the
// largest image of a file, so each entry is wrapped into an icon of one entry first.
struct IcoEntry {
    int width = 0;   // as the directory says, 0 read as 256
    int height = 0;
    int planes = 0;
    int bpp = 0;
    Image image;
    bool decoded = false;
};

inline uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | (at + size_t(i) < b.size() ? b[at + size_t(i)] : 0u);
    return v;
}

// The entries of an icon file; empty when its header is not an icon's.
inline std::vector<IcoEntry> ReadIcoEntries(const std::vector<uint8_t>& file) {
    std::vector<IcoEntry> entries;
    if (file.size() < 6 || Le(file, 0, 2) != 0 || Le(file, 2, 2) != 1) return entries;
    const size_t count = Le(file, 4, 2);
    if (file.size() < 6 + 16 * count) return entries;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + 16 * i;
        IcoEntry e;
        e.width = file[at] == 0 ? 256 : file[at];
        e.height = file[at + 1] == 0 ? 256 : file[at + 1];
        e.planes = int(Le(file, at + 4, 2));
        e.bpp = int(Le(file, at + 6, 2));
        const size_t size = Le(file, at + 8, 4), offset = Le(file, at + 12, 4);
        if (offset <= file.size() && size <= file.size() - offset) {
            std::vector<uint8_t> one(file.begin(), file.begin() + 6);
            one[4] = 1;
            one[5] = 0;
            one.insert(one.end(), file.begin() + long(at), file.begin() + long(at) + 12);
            const uint32_t new_offset = 6 + 16;
            for (int k = 0; k < 4; ++k) one.push_back(uint8_t(new_offset >> (8 * k)));
            one.insert(one.end(), file.begin() + long(offset), file.begin() + long(offset + size));
            e.decoded = DecodeImage(one.data(), one.size(), kImageIco, e.image);
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

}  // namespace qv::test
