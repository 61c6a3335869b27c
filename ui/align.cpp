#include "ui/align.h"

namespace qv::ui {

bool NeedsFixedCanvas(Alignment a) {
    return a != Alignment::kCentreH && a != Alignment::kCentreV && a != Alignment::kCentreBoth;
}

std::optional<IntPoint> AlignedPosition(Alignment a, int x, int y, int w, int h, bool fixed,
                                        int canvas_w, int canvas_h) {
    if (NeedsFixedCanvas(a) && !fixed) return std::nullopt;
    // An object is drawn with its left column at x - w / 2 from the canvas column canvas_w / 2.
    switch (a) {
        case Alignment::kCentreH:
            return IntPoint{0, y};
        case Alignment::kCentreV:
            return IntPoint{x, 0};
        case Alignment::kCentreBoth:
            return IntPoint{0, 0};
        case Alignment::kLeft:
            return IntPoint{w / 2 - canvas_w / 2, y};
        case Alignment::kRight:
            return IntPoint{canvas_w - canvas_w / 2 - w + w / 2, y};
        case Alignment::kTop:
            return IntPoint{x, h / 2 - canvas_h / 2};
        case Alignment::kBottom:
            return IntPoint{x, canvas_h - canvas_h / 2 - h + h / 2};
    }
    return std::nullopt;
}

}  // namespace qv::ui
