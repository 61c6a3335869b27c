#pragma once

#include <string>
#include <vector>

namespace qv {

// The projects the user loaded or saved last, most recent first, kept in the user's config
// folder so that every editor sees the same list.
class RecentProjects {
public:
    static constexpr size_t kLimit = 8;

    // Reads the list from `file` (by default recent-projects in the config folder); a missing
    // or unreadable file is an empty list.
    explicit RecentProjects(std::string file = DefaultFile());

    // Puts `path` first, dropping an older entry for it and anything beyond the limit, and
    // writes the list back. False when the file cannot be written (the list in memory is
    // still updated).
    bool Add(const std::string& path);

    const std::vector<std::string>& paths() const { return paths_; }
    // Whether an entry still names an existing file (the menu greys the others).
    static bool Exists(const std::string& path);

    static std::string DefaultFile();

private:
    std::string file_;
    std::vector<std::string> paths_;
};

}  // namespace qv
