#include "ui/editor_layout.h"

#include <algorithm>
#include <cmath>

#include "app/guard.h"
#include "persist/style_library.h"

namespace qv::ui {

EditorLayout ComputeEditorLayout(int cx, int cy) {
    EditorLayout l;
    if (cx < 100 || cy < 100 || cx > 10000 || cy > 10000) return l;
    const int right = cx - 7;
    if (right <= 217) return l;
    const int bottom = cy - 50;
    l.accepted = true;

    const int canvas_width = cx - 224;
    int span = canvas_width;
    if (canvas_width > 650) {
        l.brand_visible = true;
        l.brand = QRect(767, 7, cx - 774, 30);
        span = 550;
    }

    const float w = float(span - 20) * 0.2f;
    if (w < 31.0f) return l;
    l.has_bar_buttons = true;
    l.bar_button_width = w;
    float x = 217.0f;
    for (int k = 0; k < 5; ++k) {
        l.bar_buttons[k] = QRect(int(x), 7, int(w), 30);
        x = x + w + 5.0f;
    }

    l.has_main = true;
    l.canvas = QRect(217, 44, canvas_width, bottom - 44);
    const int h = std::min(cy / 5, 200);
    l.preview = QRect(7, 44, 200, h);
    l.current_object = QRect(7, 7, 120, 30);
    l.previous_object = QRect(132, 7, 35, 30);
    l.next_object = QRect(172, 7, 35, 30);
    l.library_caption = QRect(2, h + 49, 213, 17);
    const int slider_y = h + 68;
    l.library_left = QRect(7, slider_y, 17, 17);
    l.library_slider = QRect(24, slider_y, 166, 17);
    l.library_right = QRect(190, slider_y, 17, 17);

    if (h + 110 >= bottom) return l;
    l.has_lower = true;
    l.library_search = QRect(7, h + 86, 200, 22);
    l.library_grid = QRect(7, h + 110, 200, bottom - h - 110);
    l.rule = QRect(7, bottom + 10, 201, 1);
    l.text_box = QRect(7, bottom + 11, 200, 20);
    l.strip = QRect(7, bottom + 31, 201, 10);
    const int style_y = bottom + 8;
    l.style_left = QRect(217, style_y, 17, 17);
    l.style_slider = QRect(234, style_y, 155, 17);
    l.style_right = QRect(389, style_y, 17, 17);
    l.style_caption = QRect(209, bottom + 26, 205, 17);

    const int available = right - 416;
    int n = available / 32;
    if (n < 2) return l;
    if (!QV_CHECK_T("nb<300", n < kMaxStyleButtons)) n = kMaxStyleButtons - 1;
    l.has_style_buttons = true;
    const float gap = float(available - 32 * n) / float(n - 1);
    float bx = 416.0f;
    for (int i = 0; i < n; ++i) {
        l.style_buttons.push_back(QRect(int(bx), style_y, 32, 32));
        l.style_hues.push_back(StyleButtonHueOffset(i, n));
        bx += 32.0f + gap;
    }
    l.style_row = QRect(416, style_y, right - 416, 32);
    return l;
}

}  // namespace qv::ui
