#pragma once

#include <string>
#include <vector>

namespace qv {

// The most-recent-first lists of the config folder (projects, fonts): distinct non-empty lines
// of a small file.

// Reads at most `limit` distinct lines of `file`; a missing, unreadable or oversized file is an
// empty list.
std::vector<std::string> ReadRecentLines(const std::string& file, size_t limit);

// Puts `entry` first in `lines`, dropping an older copy and anything beyond `limit`, and
// writes the list to `file`. False when the entry cannot be a line or the file cannot be
// written (the list in memory is still updated in the latter case).
bool PutRecentLine(std::vector<std::string>& lines, const std::string& entry, size_t limit,
                   const std::string& file);

}  // namespace qv
