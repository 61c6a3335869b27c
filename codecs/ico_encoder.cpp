#include "codecs/ico_encoder.h"

#include "codecs/codec_internal.h"

namespace qv {
namespace {

constexpr int kIconDirectorySize = 6;
constexpr int kIconEntrySize = 16;
constexpr int kInfoHeaderSize = 40;
constexpr int kMaxIconSide = 256;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

// The mask rows are padded to whole 32-bit words.
size_t MaskRowBytes(int width) { return size_t((width + 31) / 32) * 4; }

size_t DibSize(const Image& img) {
    return kInfoHeaderSize + size_t(img.width) * size_t(img.height) * 4 + MaskRowBytes(img.width) * size_t(img.height);
}

// The bitmap of one icon: the info header with the doubled height the format wants, the
// BGRA pixels bottom row first (the image's own row order), then the mask, set where a
// pixel is fully transparent.
void AppendDib(const Image& img, std::vector<uint8_t>& out) {
    Put32(out, kInfoHeaderSize);
    Put32(out, uint32_t(img.width));
    Put32(out, uint32_t(img.height) * 2);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, 0);   // no compression
    Put32(out, uint32_t(size_t(img.width) * size_t(img.height) * 4));
    for (int i = 0; i < 4; ++i) Put32(out, 0);  // resolution and palette counts
    for (int row = 0; row < img.height; ++row) {
        const uint32_t* p = img.Row(row);
        for (int x = 0; x < img.width; ++x) {
            const uint8_t alpha = img.has_alpha ? ArgbA(p[x]) : 255;
            out.push_back(ArgbB(p[x]));
            out.push_back(ArgbG(p[x]));
            out.push_back(ArgbR(p[x]));
            out.push_back(alpha);
        }
    }
    const size_t row_bytes = MaskRowBytes(img.width);
    for (int row = 0; row < img.height; ++row) {
        std::vector<uint8_t> mask(row_bytes, 0);
        const uint32_t* p = img.Row(row);
        for (int x = 0; x < img.width; ++x) {
            if (img.has_alpha && ArgbA(p[x]) == 0) mask[size_t(x / 8)] |= uint8_t(0x80u >> (x % 8));
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
}

}  // namespace

bool EncodeIcoImages(const std::vector<const Image*>& images, std::vector<uint8_t>& out) {
    out.clear();
    if (images.empty() || images.size() > 255) return false;
    for (const Image* img : images) {
        if (!img || !img->IsValid() || img->width > kMaxIconSide || img->height > kMaxIconSide) return false;
    }
    Put16(out, 0);  // reserved
    Put16(out, 1);  // an icon
    Put16(out, uint32_t(images.size()));
    size_t offset = kIconDirectorySize + kIconEntrySize * images.size();
    for (const Image* img : images) {
        // 256 is written as 0.
        out.push_back(uint8_t(img->width == kMaxIconSide ? 0 : img->width));
        out.push_back(uint8_t(img->height == kMaxIconSide ? 0 : img->height));
        out.push_back(0);  // no palette
        out.push_back(0);  // reserved
        Put16(out, 1);     // planes
        Put16(out, 32);    // bits per pixel
        const size_t bytes = DibSize(*img);
        Put32(out, uint32_t(bytes));
        Put32(out, uint32_t(offset));
        offset += bytes;
    }
    for (const Image* img : images) AppendDib(*img, out);
    return true;
}

namespace codec {

bool EncodeIco(const Image& img, std::vector<uint8_t>& out) { return EncodeIcoImages({&img}, out); }

}  // namespace codec
}  // namespace qv
