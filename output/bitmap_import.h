#pragma once

#include <cstdint>
#include <string>

#include "codecs/image.h"
#include "document/le_file.h"
#include "render/pixel_buffer.h"

namespace qv {

// A picture object names a file that may come from anywhere, so pictures are held to tighter
// limits than the codecs' general ones: a tiny file can claim a huge picture, and every export
// pays for it again.
inline constexpr DecodeLimits kPictureLimits{16384, int64_t{64} * 1024 * 1024};
inline constexpr uint64_t kMaxPictureFileBytes = uint64_t{256} * 1024 * 1024;

// Why a picture gave no pixels.
enum class PictureStatus {
    kOk,
    kUnreadable,      // missing, unreadable, of no known type, or damaged
    kNotRegularFile,  // a FIFO, device, directory or socket
    kFileTooLarge,    // a file over kMaxPictureFileBytes
    kTooLarge,        // a picture beyond kPictureLimits
};

struct PictureLoad {
    PictureStatus status = PictureStatus::kOk;
    std::string message;  // for the user, naming the path; empty for kOk
};

// The codec file type for a path by its last three characters, case ignored ("bmp", "gif",
// "jpg", "png", "ico", "tif", "tga"); -1 for anything else, "jpeg" and "tiff" included.
int ImageTypeForPath(const std::string& path);

// The text that tells the user why the picture at `path` gave no pixels; empty for kOk.
std::string PictureMessage(const std::string& path, PictureStatus status);

// Decodes a picture file within kPictureLimits into 0xAARRGGBB pixels, top row first, with
// alpha 255 where the file has none. Unless the status is kOk, `out` is unchanged and the
// message says why. Nothing is shown to the user.
PictureLoad LoadPicture(const std::string& path, PixelBuffer& out);

// LoadPicture as the custom-bitmap loader wants it: true for kOk.
bool LoadBitmapPixels(const std::string& path, PixelBuffer& out);

// Makes LoadBitmapPixels the loader of every custom-bitmap object.
void InstallBitmapLoader();

// The file name without folder and extension: the name a custom bitmap is given.
std::string BitmapTitle(const std::string& path);

// Imports an image file as a custom bitmap: at the back, current. Null when it cannot be
// added; the document is then unchanged. A picture that is too large, not a regular file or
// over the file size cap gets its own message from PictureMessage; any other failure the
// message "File could not be opened: " + path.
LogoObj* ImportImage(LeFile& lf, const std::string& path);

}  // namespace qv
