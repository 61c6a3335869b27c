#include "render/byte_raster.h"

#include <cstring>
#include <new>

#include "app/fault_report.h"
#include "app/user_message.h"
#include "render/pixel_buffer.h"

namespace qv {

bool ByteRaster::Allocate(size_t count) {
    Free();
    if (count > kMaxPixels) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    bytes_.reset(new (std::nothrow) uint8_t[count > 0 ? count : 1]);
    if (!bytes_) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    std::memset(bytes_.get(), 0, count > 0 ? count : 1);
    size_ = count;
    return true;
}

}  // namespace qv
