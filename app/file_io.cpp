#include "app/file_io.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace qv {
namespace {

// The folder a path's last component lives in, usable as a prefix for a relative link target.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

bool ReadLink(const std::string& path, std::string& target) {
    std::vector<char> text(256);
    for (;;) {
        const ssize_t n = readlink(path.c_str(), text.data(), text.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) < text.size()) {
            target.assign(text.data(), static_cast<size_t>(n));
            return true;
        }
        if (text.size() >= 65536) {
            errno = ENAMETOOLONG;
            return false;
        }
        text.resize(text.size() * 2);
    }
}

// The links in /proc (which /dev/stdout and /dev/fd/N lead to) name open descriptors, not
// paths that could be renamed over.
bool InProcFilesystem(const std::string& folder) {
    struct statfs info {};
    return statfs(folder.c_str(), &info) == 0 && info.f_type == PROC_SUPER_MAGIC;
}

struct Destination {
    std::string path;
    bool direct = false;  // write through the given path itself, in place
    int descriptor = -1;  // or through this descriptor of our own
};

// The descriptor a name such as /dev/stdout or /dev/fd/3 stands for, when it is open in this
// process and still the file the name leads to; -1 otherwise. Writing through it keeps the
// descriptor's offset and append mode, as a shell's ">>" asks.
int OwnDescriptorFor(const std::string& path) {
    std::string number;
    if (path == "/dev/stdout") {
        number = "1";
    } else if (path == "/dev/stderr") {
        number = "2";
    } else {
        for (const std::string& prefix : {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
                                         "/proc/" + std::to_string(getpid()) + "/fd/"}) {
            if (path.compare(0, prefix.size(), prefix) == 0) number = path.substr(prefix.size());
        }
    }
    if (number.empty() || number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    const int fd = std::stoi(number);
    struct stat by_descriptor {};
    struct stat by_name {};
    if (fstat(fd, &by_descriptor) != 0 || stat(path.c_str(), &by_name) != 0) return -1;
    if (by_descriptor.st_dev != by_name.st_dev || by_descriptor.st_ino != by_name.st_ino) return -1;
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return -1;
    return fd;
}

// Where the bytes for `path` go. A symbolic link is followed link by link, so that a link to a
// file that does not exist yet still leads to that file.
bool FindDestination(const std::string& path, Destination& out) {
    if (const int fd = OwnDescriptorFor(path); fd >= 0) {
        out = {path, true, fd};
        return true;
    }
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        out = {path, true};
        return true;
    }
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            out = {current, false};
            return true;
        }
        const std::string folder = FolderOf(current);
        if (InProcFilesystem(folder)) {
            out = {path, true};
            return true;
        }
        std::string target;
        if (!ReadLink(current, target) || target.empty()) return false;
        current = target[0] == '/' ? target : JoinPath(folder, target);
    }
    errno = ELOOP;
    return false;
}

bool WriteInPlace(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    bool ok = WriteAllToDescriptor(fd, bytes);
    struct stat info {};
    if (ok && fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && fsync(fd) != 0) ok = false;
    if (close(fd) != 0) ok = false;
    return ok;
}

// A temporary file of our own beside `path`; -1 when none can be created. It is created
// afresh, never through a link someone left under its name; a stale file of an earlier process
// with the same id is removed first.
int CreateTemporary(const std::string& path, mode_t mode, std::string& temp) {
    // The process id keeps two writers of the same target from sharing a temporary file.
    temp = path + ".tmp" + std::to_string(getpid());
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = open(temp.c_str(), flags, mode);
    if (fd < 0 && errno == EEXIST && unlink(temp.c_str()) == 0) fd = open(temp.c_str(), flags, mode);
    return fd;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool ReplaceThroughTemporary(const std::string& path, const std::vector<uint8_t>& bytes) {
    struct stat old {};
    const bool replacing = stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // A new file gets what open() gives ordinary programs: 0666 less the umask.
    std::string temp;
    const int fd = CreateTemporary(path, replacing ? 0600 : 0666, temp);
    if (fd < 0) return false;
    bool ok = true;
    if (replacing) {
        // The owner first: changing it clears the set-id bits a chmod would have restored.
        if (fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give a file away; the writer's own ownership is the fallback.
        }
        if (fchmod(fd, old.st_mode & 07777) != 0) ok = false;
    }
    if (ok) ok = WriteAllToDescriptor(fd, bytes);
    if (ok && fsync(fd) != 0) ok = false;
    if (close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        const int saved = errno;
        unlink(temp.c_str());
        errno = saved;
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

}  // namespace

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

bool WriteAllToDescriptor(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    Destination destination;
    if (path.empty() || !FindDestination(path, destination)) return false;
    if (destination.descriptor >= 0) return WriteAllToDescriptor(destination.descriptor, bytes);
    return destination.direct ? WriteInPlace(destination.path, bytes)
                              : ReplaceThroughTemporary(destination.path, bytes);
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
