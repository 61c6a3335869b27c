#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/le_file.h"

namespace qv {

// A colour of the logo and what it colours ("fill", "gradient", "outline", "shadow",
// "background").
struct BrandColour {
    std::string role;
    uint32_t rgb;  // 0xRRGGBB
};

// Each colour the logo shows once, with the roles it plays, the background last.
std::vector<BrandColour> LogoColours(const LeFile& lf);

// "#rrggbb".
std::string HexColour(uint32_t rgb);
// The naive CMYK approximation: K = 1 - max(R, G, B), C = (1 - R - K) / (1 - K) and so on, in
// whole percent ("C 0 M 45 Y 90 K 10").
std::string NaiveCmyk(uint32_t rgb);

struct BrandFont {
    std::string name;
    std::vector<std::string> licences;  // the names its licence text declares
    std::string licence_file;           // in the kit, empty when the installation lacks it
};

// A picture the page shows, as PNG bytes embedded in the page.
struct BrandPicture {
    std::string caption;
    std::vector<uint8_t> png;
    bool on_dark;
};

struct BrandPageContent {
    std::string title;
    std::vector<BrandPicture> pictures;
    std::vector<BrandColour> colours;
    std::vector<BrandFont> fonts;
    std::vector<std::pair<std::string, std::string>> files;  // name, description
    bool has_picture_objects = false;
    bool vector_files = false;
};

// One self-contained page: the pictures as data: addresses, no outside resources.
std::string BrandPageHtml(const BrandPageContent& content);

}  // namespace qv
