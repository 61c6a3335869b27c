#pragma once

namespace qv::ui {

// The option bars that edit one aspect of the current object, or of the whole logo.
enum class OptionBar { kText, kImage, kShape, kEffects, kGradient, kTransform, kColors, kLogo };

// What the editor asks the option bars to open: `bar` for object `object` (the current one),
// with `new_kind` >= 0 when the bar is for a new object of that kind (0 text, 1 shape), and the
// colour `slot` of the Colors bar (0 solid ... 5 background).
struct BarRequest {
    OptionBar bar = OptionBar::kText;
    int object = -1;
    int new_kind = -1;
    int slot = 0;
};

const char* BarName(OptionBar bar);

}  // namespace qv::ui
