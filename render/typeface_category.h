#pragma once

#include <map>
#include <string>
#include <string_view>

namespace qv {

// The kind of lettering a text face is (not its alphabetical tab): serif, sans, slab, script,
// handwriting, display or monospace.
inline constexpr int kTypefaceCategoryCount = 7;
extern const char* const kTypefaceCategories[kTypefaceCategoryCount];

bool IsTypefaceCategory(std::string_view name);

// A category for a face the library does not describe, from the words of its name ("Mono",
// "Serif", "Script", ...); "sans" when its name says nothing.
std::string GuessTypefaceCategory(const std::string& face_name);

// The file beside the font library, "face name<TAB>category" per shipped text face.
inline constexpr const char* kTypefaceCategoriesPath = "fontcategories.txt";

// Reads that file's text; lines that are not a face and a known category are skipped.
std::map<std::string, std::string> ParseTypefaceCategories(const std::string& text);

// The same from the installation file at `path` (at most a megabyte); empty when missing.
std::map<std::string, std::string> ReadTypefaceCategories(const std::string& path);

}  // namespace qv
