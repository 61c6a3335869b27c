#include "persist/recent_lines.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#include "app/file_io.h"

namespace qv {

namespace {

// The lists hold a few names or paths; a larger file is not one of them.
constexpr off_t kMaxFileSize = 64 * 1024;

}  // namespace

std::vector<std::string> ReadRecentLines(const std::string& file, size_t limit) {
    std::vector<std::string> lines;
    struct stat info {};
    if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize) {
        return lines;
    }
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(file, bytes)) return lines;
    std::string line;
    for (const uint8_t b : bytes) {
        if (b != '\n') {
            line.push_back(static_cast<char>(b));
            continue;
        }
        if (!line.empty() && lines.size() < limit &&
            std::find(lines.begin(), lines.end(), line) == lines.end()) {
            lines.push_back(line);
        }
        line.clear();
    }
    return lines;
}

bool PutRecentLine(std::vector<std::string>& lines, const std::string& entry, size_t limit,
                   const std::string& file) {
    if (entry.empty() || entry.find('\n') != std::string::npos) return false;
    lines.erase(std::remove(lines.begin(), lines.end(), entry), lines.end());
    lines.insert(lines.begin(), entry);
    if (lines.size() > limit) lines.resize(limit);
    std::vector<uint8_t> bytes;
    for (const std::string& l : lines) {
        bytes.insert(bytes.end(), l.begin(), l.end());
        bytes.push_back('\n');
    }
    const auto slash = file.rfind('/');
    if (slash != std::string::npos && slash > 0) MakeDirectories(file.substr(0, slash));
    return WriteFileAtomically(file, bytes);
}

}  // namespace qv
