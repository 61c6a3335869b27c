#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qv {

// An owned block of bytes, allocated without throwing: coverage rasters and effects masks.
class ByteRaster {
public:
    // Replaces the content with `count` zero bytes. On failure it shows "not enough memory to
    // complete operation", ends up empty and returns false.
    bool Allocate(size_t count);
    void Free() {
        bytes_.reset();
        size_ = 0;
    }
    bool empty() const { return !bytes_; }
    size_t size() const { return size_; }
    uint8_t* data() { return bytes_.get(); }
    const uint8_t* data() const { return bytes_.get(); }
    uint8_t& operator[](size_t i) { return bytes_[i]; }
    uint8_t operator[](size_t i) const { return bytes_[i]; }
    void swap(ByteRaster& other) noexcept {
        bytes_.swap(other.bytes_);
        std::swap(size_, other.size_);
    }

private:
    std::unique_ptr<uint8_t[]> bytes_;
    size_t size_ = 0;
};

}  // namespace qv
