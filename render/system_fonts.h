#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// A font of the system or of the user that the library does not ship, named "Family Style"
// like the library's faces.
struct SystemFont {
    std::string name;
    std::string path;
    bool user = false;  // in the user's font folder rather than the system's
};

// $XDG_DATA_HOME/fonts, or ~/.local/share/fonts.
std::string UserFontFolder();

// The "Family Style" name of face 0 of the font in `data`; false when FreeType refuses it or it
// has no outlines to draw. Nothing of `data` is kept.
bool FontFileFaceName(FT_Library library, const uint8_t* data, size_t size, std::string& name);

// Reads a font file: a regular file of at most 64 MB whose face 0 FreeType opens.
bool ReadFontFile(FT_Library library, const std::string& path, std::vector<uint8_t>& data,
                  std::string& name);

// The fonts of the user's folder (first) and of the system through fontconfig, without the
// shipped names, each name once; listed on the first call, not at start-up. A damaged file in
// the user's folder is left out with a message naming it.
const std::vector<SystemFont>& SystemFonts();
// The next SystemFonts lists again (a font was added).
void ForgetSystemFonts();

// The listed font called `name`, or null.
const SystemFont* FindSystemFont(const std::string& name);

// Opens the listed font called `name` and keeps it open beside the library until FreeFt; its
// face, or null when there is none or its file no longer reads.
FT_Face OpenSystemFace(const std::string& name);

// Copies the TrueType or OpenType file at `path` into the user's font folder, keeping its
// file name. False with `problem` said when it is not such a font or cannot be copied; the
// name it is listed by goes to `name`.
bool AddUserFontFile(const std::string& path, std::string& name, std::string& problem);

}  // namespace qv
