#pragma once

#include <string>
#include <vector>

#include "document/le_file.h"
#include "document/obj_style.h"

namespace qv {

inline constexpr int kMaxStyles = 1000;
inline constexpr const char* kStyleLibraryMessage =
    "Style library could not be opened. Please reinstall software.";

// The ready-made looks: object 0 of styles/1.kuz, 2.kuz, ... up to the first gap.
class StyleLibrary {
public:
    // Loads from `install_dir`/styles. A missing 1.kuz or a file that is not a valid project
    // shows the library message; a style file without objects is a fault and contributes
    // nothing.
    void Load(const std::string& install_dir);

    int count() const { return static_cast<int>(stfile.size()); }
    std::vector<ObjStyle> stfile;
};

// The hue offset of style button n of a row of `buttons`: n * 239 / buttons.
float StyleButtonHueOffset(int n, int buttons);

// `style` with the hues of its five colours raised by `offset`, wrapping above 239.
ObjStyle ShiftStyleHues(const ObjStyle& style, float offset);

// Gives the current object the look of `lt_style` (colours, outline, shadow, gradient); its
// text, font, shape, size and geometry stay. False when the document has no current object.
// Recomposing and the undo snapshot are the caller's.
bool ApplyStyle(LeFile& lf, const ObjStyle& lt_style);

}  // namespace qv
