#include "output/bitmap_import.h"

#include <cctype>
#include <vector>

#include "app/bounded_read.h"
#include "app/user_message.h"
#include "codecs/decode.h"

namespace qv {

namespace {

// The texts name the limits; these keep them honest.
static_assert(kPictureLimits.max_side == 16384);
static_assert(kPictureLimits.max_pixels == int64_t{64} * 1024 * 1024);
static_assert(kMaxPictureFileBytes == uint64_t{256} * 1024 * 1024);

PictureLoad Failure(const std::string& path, PictureStatus status) {
    return PictureLoad{status, PictureMessage(path, status)};
}

PictureStatus FromRead(BoundedReadStatus status) {
    switch (status) {
        case BoundedReadStatus::kOk:
            return PictureStatus::kOk;
        case BoundedReadStatus::kNotRegularFile:
            return PictureStatus::kNotRegularFile;
        case BoundedReadStatus::kTooLarge:
            return PictureStatus::kFileTooLarge;
        case BoundedReadStatus::kCannotOpen:
            break;
    }
    return PictureStatus::kUnreadable;
}

// The file is read and decoded in here, so that its bytes are gone before the pixel buffer is
// allocated.
PictureStatus DecodePicture(const std::string& path, int type, Image& image) {
    std::vector<uint8_t> bytes;
    const PictureStatus read = FromRead(ReadRegularFile(path, kMaxPictureFileBytes, bytes));
    if (read != PictureStatus::kOk) return read;
    switch (DecodeImageWithin(bytes.data(), bytes.size(), type, kPictureLimits, image)) {
        case DecodeStatus::kOk:
            return PictureStatus::kOk;
        case DecodeStatus::kTooLarge:
            return PictureStatus::kTooLarge;
        case DecodeStatus::kDamaged:
            break;
    }
    return PictureStatus::kUnreadable;
}

}  // namespace

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

std::string PictureMessage(const std::string& path, PictureStatus status) {
    switch (status) {
        case PictureStatus::kOk:
            return "";
        case PictureStatus::kTooLarge:
            return "The picture " + path +
                   " is too large: pictures are limited to 16384 pixels a side and 64 megapixels.";
        case PictureStatus::kNotRegularFile:
            return "The picture " + path + " is not a regular file.";
        case PictureStatus::kFileTooLarge:
            return "The picture " + path + " is larger than 256 MB.";
        case PictureStatus::kUnreadable:
            break;
    }
    return "The picture " + path + " could not be read.";
}

PictureLoad LoadPicture(const std::string& path, PixelBuffer& out) {
    const int type = ImageTypeForPath(path);
    if (type < 0) return Failure(path, PictureStatus::kUnreadable);
    Image image;
    const PictureStatus decoded = DecodePicture(path, type, image);
    if (decoded != PictureStatus::kOk) return Failure(path, decoded);
    PixelBuffer pixels;
    if (!pixels.Allocate(image.width, image.height)) {
        return Failure(path, PictureStatus::kUnreadable);
    }
    // The image counts rows from the bottom; the pixel buffer from the top.
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* src = image.Row(image.height - 1 - y);
        uint32_t* dst = pixels.data() + size_t(y) * size_t(image.width);
        for (int x = 0; x < image.width; ++x) {
            dst[x] = image.has_alpha ? src[x] : (src[x] | 0xFF000000u);
        }
    }
    out = std::move(pixels);
    return PictureLoad{};
}

bool LoadBitmapPixels(const std::string& path, PixelBuffer& out) {
    return LoadPicture(path, out).status == PictureStatus::kOk;
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
    // The document reports only that a picture could not be opened, so the reasons worth
    // telling apart are found first. A full logo is left to the document, which says so.
    if (lf.CanAdd()) {
        PixelBuffer unused;
        const PictureLoad look = LoadPicture(path, unused);
        if (look.status != PictureStatus::kOk && look.status != PictureStatus::kUnreadable) {
            ShowMessage(look.message);
            return nullptr;
        }
    }
    const std::string title = BitmapTitle(path);
    return lf.AddObj(LogoObj::kCustom, path.c_str(), title.c_str());
}

}  // namespace qv
