#pragma once

// Projects and image headers for the command-line tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "persist/project_file.h"

namespace qv::test {

// A logo of text lines back to front, the first with a gradient so that the dither would show
// any difference between two runs.
inline void WriteTextLogo(const std::string& path, const std::vector<std::string>& lines) {
    LeFile lf;
    int n = 0;
    for (const std::string& line : lines) {
        LogoObj* o = lf.AddObj(0);
        ASSERT_NE(o, nullptr);
        o->lt.str = line;
        o->y = 60 * n++;
        if (n == 1) {
            o->lt.grad = 1;
            o->lt.grad_color1 = {40, 240, 120};
            o->lt.shadow = 1;
        }
    }
    ASSERT_TRUE(SaveProject(path, lf));
}

// A logo the engine cannot draw as designed: one of its pictures is missing.
inline void WriteUndrawableLogo(const std::string& path) {
    LeFile lf;
    LogoObj* o = lf.AddObj(0);
    ASSERT_NE(o, nullptr);
    o->lt.str = "Logo";
    LogoObj* picture = lf.AddObj(0);
    ASSERT_NE(picture, nullptr);
    picture->type = LogoObj::kCustom;
    picture->path = path + ".missing.png";
    ASSERT_TRUE(SaveProject(path, lf));
}

struct PngHeader {
    bool valid = false;
    uint32_t width = 0;
    uint32_t height = 0;
    int colour_type = -1;  // 2 RGB, 3 palette, 6 RGBA
};

inline PngHeader ReadPngHeader(const std::vector<uint8_t>& bytes) {
    PngHeader header;
    static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 26 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) return header;
    const auto be32 = [&](size_t at) {
        return (uint32_t(bytes[at]) << 24) | (uint32_t(bytes[at + 1]) << 16) | (uint32_t(bytes[at + 2]) << 8) |
               uint32_t(bytes[at + 3]);
    };
    header.valid = true;
    header.width = be32(16);
    header.height = be32(20);
    header.colour_type = bytes[25];
    return header;
}

}  // namespace qv::test
