#pragma once

#include <string>

#include "document/colour_model.h"

namespace qv {

// Everything that decides what one logo object looks like. A plain value: copied whole for
// undo snapshots and duplicates, never shared.
struct ObjStyle {
    ObjStyle();

    // Content block.
    std::string str;         // text line; a shape's name; an imported image's file title
    std::string font;        // face name of the text font, or of the symbol font of a shape
    int glyph = -1;          // shape glyph index; -1 for text
    int size = 48;           // text height, or shape height, in pixels at render scale 1
    int width = 48;          // shape width in pixels (shapes only)
    int spacing = 0;         // extra pixels between characters, may be negative
    float rotation = 0.0f;   // fraction of a full turn; acts only with `transform`
    float bend = 0.0f;       // bend radius 0..1; acts only with `transform` and `bend_on`
    float aspect = 1.0f;     // text width factor 0.5..2.0
    int bend_inside = 0;     // 1: "Bend Inside", 0: "Bend Outside"
    int bend_on = 0;         // "Bend Object:"
    int transform = 0;       // "Transform Object:"

    // Look block: what styles and library shapes carry from one object to another.
    Hls color{0, 0, 0};                 // solid fill, unless `grad` is set
    int outline = 0;                    // "Has Outline:"
    int shadow = 0;                     // "Has Shadow:"
    int strength = 1;                   // effects strength 0..10
    float outline_opacity = 1.0f;
    float outline_sharpness = 0.5f;
    Hls outline_color{0, 0, 100};
    int shadow_angle = 45;              // degrees
    int shadow_distance = 5;            // pixels at render scale 1
    float shadow_opacity = 0.5f;
    Hls shadow_color{0, 0, 0};
    int grad = 0;                       // "Gradient Overlay": replaces the fill colour
    int grad_angle = 0;                 // degrees
    Hls grad_color1{0, 0, 0};
    Hls grad_color2{255, 255, 255};     // deliberately above range: it converts to white
    float grad_opacity1 = 1.0f;
    float grad_opacity2 = 1.0f;

    // Copies the look block of `other`, leaving the content block as it is.
    void CopyLook(const ObjStyle& other);

    bool operator==(const ObjStyle&) const = default;
};

}  // namespace qv
