#pragma once

#include <cstdint>

#include "document/obj_style.h"

namespace qv {

// trunc(opacity * 255), held to 0..255.
uint32_t OpacityByte(float opacity);

// How many blur passes the effects mask gets: 1 + floor((scale + 1) * strength / 2), so
// strength + 1 on screen.
int BlurPassCount(float render_scale, int strength);

// Maps a mask value to outline strength; harder and wider with more sharpness.
void BuildOutlineCurve(float sharpness, int curve[256]);

struct ShadowOffset {
    int dx;
    int dy;
};
// Angle 0 points right and 90 down; the distance is in pixels at render scale 1.
ShadowOffset ShadowOffsetFor(float render_scale, int distance, int angle);

// Where a raster lands in a destination buffer, and the part of it that is inside.
struct RasterPlacement {
    const uint8_t* coverage;
    const uint8_t* mask;  // may be null
    int szx;
    int szy;
    int x0;  // destination column of raster column 0
    int y0;  // destination row of raster row 0
};

void DrawShadow(const ObjStyle& lt, const RasterPlacement& r, float render_scale, uint32_t* dta,
                int dw, int dh);
void DrawSolidFill(const ObjStyle& lt, const RasterPlacement& r, uint32_t* dta, int dw, int dh);
void DrawOutline(const ObjStyle& lt, const RasterPlacement& r, const int curve[256], uint32_t* dta,
                 int dw, int dh);

}  // namespace qv
