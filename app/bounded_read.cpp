#include "app/bounded_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

namespace qv {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Reads up to `want` bytes at `into`, less only at the end of the file; -1 on an error.
ssize_t ReadFully(int fd, uint8_t* into, size_t want) {
    size_t done = 0;
    while (done < want) {
        const ssize_t n = read(fd, into + done, want - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

BoundedReadStatus ReadRegularFile(const std::string& path, uint64_t max_bytes,
                                  std::vector<uint8_t>& bytes) {
    // A look before opening spares devices the open itself, which for some has effects; the
    // look after opening is the one that counts, as the path may have changed in between.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return BoundedReadStatus::kCannotOpen;
    if (!S_ISREG(info.st_mode)) return BoundedReadStatus::kNotRegularFile;
    // Non-blocking, so that a FIFO put in the file's place cannot hold up the open.
    const FileDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return BoundedReadStatus::kCannotOpen;
    if (fstat(fd.get(), &info) != 0) return BoundedReadStatus::kCannotOpen;
    if (!S_ISREG(info.st_mode)) return BoundedReadStatus::kNotRegularFile;
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > max_bytes) {
        return BoundedReadStatus::kTooLarge;
    }

    // One byte more than the cap is asked for, to tell a file that grew past it.
    const uint64_t stated = static_cast<uint64_t>(info.st_size);
    std::vector<uint8_t> data;
    try {
        data.resize(static_cast<size_t>(stated) + 1);
        for (size_t filled = 0;;) {
            const ssize_t n = ReadFully(fd.get(), data.data() + filled, data.size() - filled);
            if (n < 0) return BoundedReadStatus::kCannotOpen;
            filled += static_cast<size_t>(n);
            if (filled > max_bytes) return BoundedReadStatus::kTooLarge;
            if (filled < data.size()) {
                data.resize(filled);
                break;
            }
            // The file grew while read: go on in steps, still within the cap plus one.
            const uint64_t grown = std::min<uint64_t>(uint64_t{filled} * 2, max_bytes + 1);
            data.resize(static_cast<size_t>(std::max<uint64_t>(grown, filled + 1)));
        }
    } catch (const std::bad_alloc&) {
        return BoundedReadStatus::kCannotOpen;
    }
    bytes = std::move(data);
    return BoundedReadStatus::kOk;
}

}  // namespace qv
