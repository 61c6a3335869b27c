#include "ui/library/shape_index.h"

#include <string>

#include "document/logo_obj.h"
#include "render/ft_text.h"

namespace qv::ui {

int ShapeIndexOf(LogoObj& o) {
    const int count = FtText::ShapeCount();
    std::string face, label;
    int glyph = 0;
    if (o.hint >= 0 && o.hint < count) {
        FtText::GetSym(o.hint, face, label, glyph);
        if (face == o.lt.font && glyph == o.lt.glyph) return o.hint;
    }
    for (int n = 0; n < count; ++n) {
        FtText::GetSym(n, face, label, glyph);
        if (face == o.lt.font && glyph == o.lt.glyph) {
            o.hint = n;
            return n;
        }
    }
    return -1;
}

}  // namespace qv::ui
