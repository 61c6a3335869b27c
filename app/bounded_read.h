#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

enum class BoundedReadStatus {
    kOk,
    kCannotOpen,      // missing, not permitted, or a read failed
    kNotRegularFile,  // a FIFO, device, directory or socket: refused before anything is read
    kTooLarge,        // more than the cap, whether said by its size or found while reading
};

// Reads a whole regular file of at most `max_bytes`, for files named by documents or users,
// which may point anywhere. Nothing else is opened for reading: a FIFO would never end and a
// device such as /dev/zero never stops giving. The size is checked before reading and the read
// itself is capped, since the file may grow meanwhile. `bytes` is set only on kOk.
BoundedReadStatus ReadRegularFile(const std::string& path, uint64_t max_bytes,
                                  std::vector<uint8_t>& bytes);

}  // namespace qv
