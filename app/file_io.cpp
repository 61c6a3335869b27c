#include "app/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace qv {

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::vector<uint8_t> data;
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > 0) data.reserve(static_cast<size_t>(info.st_size));
    uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        data.insert(data.end(), chunk, chunk + n);
    }
    close(fd);
    if (ok) bytes = std::move(data);
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    // The process id keeps two writers of the same target from sharing a temporary file.
    const std::string temp = path + ".tmp" + std::to_string(getpid());
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (ok && fsync(fd) != 0) ok = false;
    if (close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        const int saved = errno;
        unlink(temp.c_str());
        errno = saved;
    }
    return ok;
}

bool MakeDirectories(const std::string& path) {
    if (path.empty()) return false;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeDirectories(path.substr(0, slash));
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace qv
