#include "codecs/encode.h"

#include <cstdlib>
#include <cstring>

#include "app/file_io.h"
#include "codecs/codec_internal.h"

namespace qv {

namespace codec {

MemoryOutput::~MemoryOutput() {
    std::free(data_);
}

bool MemoryOutput::Reserve(size_t wanted) {
    if (wanted <= capacity_) return true;
    size_t capacity = capacity_ < 4096 ? 4096 : capacity_;
    while (capacity < wanted) {
        if (capacity > SIZE_MAX / 2) return false;
        capacity *= 2;
    }
    void* grown = std::realloc(data_, capacity);
    if (grown == nullptr) return false;
    data_ = static_cast<uint8_t*>(grown);
    capacity_ = capacity;
    return true;
}

bool MemoryOutput::Write(const void* bytes, size_t count) {
    if (count > SIZE_MAX - pos_) return false;
    const size_t end = pos_ + count;
    if (!Reserve(end)) return false;
    if (pos_ > size_) std::memset(data_ + size_, 0, pos_ - size_);
    if (count > 0) std::memcpy(data_ + pos_, bytes, count);
    pos_ = end;
    if (end > size_) size_ = end;
    return true;
}

bool MemoryOutput::Seek(uint64_t position) {
    if (position > SIZE_MAX / 2) return false;
    pos_ = static_cast<size_t>(position);
    return true;
}

void MemoryOutput::CopyTo(std::vector<uint8_t>& out) const {
    if (size_ == 0) {
        out.clear();
        return;
    }
    out.assign(data_, data_ + size_);
}

}  // namespace codec

namespace {

using Encoder = bool (*)(const Image& img, std::vector<uint8_t>& out);

// Indexed by ImageFileType; Targa files are only imported.
constexpr Encoder kEncoders[kImageFileTypeCount] = {
    codec::EncodeBmp,  codec::EncodeGif,  codec::EncodeJpeg, codec::EncodePng,
    codec::EncodeIco,  codec::EncodeTiff, nullptr,
};

}  // namespace

bool EncodeImage(const Image& img, int type, std::vector<uint8_t>& out) {
    out.clear();
    if (type < 0 || type >= kImageFileTypeCount || kEncoders[type] == nullptr) return false;
    if (!img.IsValid()) return false;
    if (kEncoders[type](img, out)) return true;
    out.clear();
    return false;
}

bool SaveImageFile(const Image& img, const std::string& path, int type) {
    std::vector<uint8_t> bytes;
    return EncodeImage(img, type, bytes) && WriteFileAtomically(path, bytes);
}

}  // namespace qv
