#include "output/bitmap_import.h"

#include <cctype>

#include "codecs/decode.h"

namespace qv {

int ImageTypeForPath(const std::string& path) {
    if (path.size() < 3) return -1;
    std::string ending = path.substr(path.size() - 3);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const char* const kEndings[] = {"bmp", "gif", "jpg", "png", "ico", "tif", "tga"};
    for (int type = 0; type < 7; ++type) {
        if (ending == kEndings[type]) return type;
    }
    return -1;
}

bool LoadBitmapPixels(const std::string& path, PixelBuffer& out) {
    const int type = ImageTypeForPath(path);
    if (type < 0) return false;
    Image image;
    if (!DecodeImageFile(path, type, image) || !image.IsValid()) return false;
    PixelBuffer pixels;
    if (!pixels.Allocate(image.width, image.height)) return false;
    // The image counts rows from the bottom; the pixel buffer from the top.
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = image.Row(image.height - 1 - y);
        uint32_t* dst = pixels.data() + size_t(y) * size_t(image.width);
        for (int x = 0; x < image.width; ++x) {
            dst[x] = image.has_alpha ? src[x] : (src[x] | 0xFF000000u);
        }
    }
    out = std::move(pixels);
    return true;
}

void InstallBitmapLoader() { SetBitmapLoader(&LoadBitmapPixels); }

std::string BitmapTitle(const std::string& path) {
    const auto slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

LogoObj* ImportImage(LeFile& lf, const std::string& path) {
    InstallBitmapLoader();
    const std::string title = BitmapTitle(path);
    return lf.AddObj(LogoObj::kCustom, path.c_str(), title.c_str());
}

}  // namespace qv
