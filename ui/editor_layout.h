#pragma once

#include <QRect>
#include <vector>

namespace qv::ui {

// Where the size handler puts every child of the editor for a client area of cx x cy. The
// handler stops early for small sizes; each group says whether it was reached, and a group
// that was not keeps its previous geometry.
struct EditorLayout {
    // Step 1: sizes outside 100..10000, or a client too narrow for anything, change nothing.
    bool accepted = false;

    // Step 2: the brand button, shown only on a wide window.
    bool brand_visible = false;
    QRect brand;

    // Step 3: the five option-bar buttons (1106, 1107, 1090, 1091, 1092).
    bool has_bar_buttons = false;
    float bar_button_width = 0.0f;
    QRect bar_buttons[5];

    // Steps 4 to 7.
    bool has_main = false;
    QRect canvas;
    QRect preview;
    QRect current_object;   // 1108
    QRect previous_object;  // 1109
    QRect next_object;      // 1110
    QRect library_caption;  // 1018
    QRect library_left;     // 1111
    QRect library_slider;   // 1113
    QRect library_right;    // 1112

    // Steps 8 to 10.
    bool has_lower = false;
    QRect library_search;  // the shape search field above the grid
    QRect library_grid;   // 1021
    QRect rule;           // 1088
    QRect text_box;       // 1034
    QRect strip;          // 1089
    QRect style_left;     // 1114
    QRect style_slider;   // 1116
    QRect style_right;    // 1115
    QRect style_caption;  // 1019

    // Step 11: the style buttons (ids 50000 + i) with their hue offsets i * 239 / n.
    bool has_style_buttons = false;
    std::vector<QRect> style_buttons;
    std::vector<float> style_hues;
    // The rectangle that holds the whole row of style buttons.
    QRect style_row;
};

inline constexpr int kMaxStyleButtons = 300;

EditorLayout ComputeEditorLayout(int cx, int cy);

}  // namespace qv::ui
