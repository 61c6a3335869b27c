#pragma once

namespace qv {
class LogoObj;
}

namespace qv::ui {

// The index in the shape table of the shape a shape object shows, or -1 when its face and glyph
// are not in the table (a project made with other fonts). The index is kept in the object as a
// hint, so following the current shape does not search the table every time.
int ShapeIndexOf(LogoObj& o);

}  // namespace qv::ui
