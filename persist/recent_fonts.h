#pragma once

#include <string>
#include <vector>

namespace qv {

// The text fonts the user chose last, most recent first, kept in the user's config folder so
// that every editor offers the same "Recently used" list.
class RecentFonts {
public:
    static constexpr size_t kLimit = 12;

    // Reads the list from `file` (by default recent-fonts in the config folder); a missing or
    // unreadable file is an empty list, and lines beyond the limit are ignored.
    explicit RecentFonts(std::string file = DefaultFile());

    // Puts `face` first, dropping an older entry for it and anything beyond the limit, and
    // writes the list back. False when the file cannot be written.
    bool Add(const std::string& face);

    const std::vector<std::string>& faces() const { return faces_; }
    static std::string DefaultFile();

private:
    std::string file_;
    std::vector<std::string> faces_;
};

}  // namespace qv
