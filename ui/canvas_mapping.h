#pragma once

// How the canvas maps its client pixels to logo coordinates at a zoom, and the zoom steps.
// Pure functions, so that hit-testing and dragging at any zoom can be checked without a window.

namespace qv::ui {

inline constexpr double kMinZoom = 0.10;
inline constexpr double kMaxZoom = 8.00;

// The canvas view: a client area of width x height, the zoom (1 = 100 %) and the scroll offset
// in client pixels. The logo centre sits at the client centre less the scroll offset.
struct CanvasMapping {
    int width = 0;
    int height = 0;
    double zoom = 1.0;
    int scroll_x = 0;
    int scroll_y = 0;
};

struct IntPoint {
    int x = 0;
    int y = 0;
    bool operator==(const IntPoint&) const = default;
};

// The logo point under client pixel (cx, cy), rounded toward minus infinity; at 100 % without
// scrolling it is (cx - width / 2, cy - height / 2), as it always was.
IntPoint LogoPointAt(const CanvasMapping& m, int cx, int cy);
// The first client pixel (from the top left) that shows logo point (lx, ly): LogoPointAt
// gives (lx, ly) back at zooms of 100 % and more.
IntPoint ClientPointOf(const CanvasMapping& m, double lx, double ly);

// Held to 10 %..800 %; NaN gives 100 %.
double ClampZoom(double zoom);
// The next zoom step in (direction > 0) or out from `zoom`, within 10 %..800 %.
double StepZoom(double zoom, int direction);
// The largest zoom at which a logo of logo_w x logo_h fits the view with a 10-pixel border,
// as a whole percent.
double FitZoom(int logo_w, int logo_h, int view_w, int view_h);

// The view at `zoom` with the logo point under client pixel (cx, cy) kept there.
CanvasMapping ZoomAbout(const CanvasMapping& m, double zoom, int cx, int cy);

// How far the view may scroll each way for a logo of logo_w x logo_h: until the logo's edge,
// with a 10-pixel border, reaches the view's edge; 0 while it fits.
IntPoint ScrollLimit(const CanvasMapping& m, int logo_w, int logo_h);
// The view with its scroll offset held within ScrollLimit.
CanvasMapping ClampScroll(const CanvasMapping& m, int logo_w, int logo_h);

// The position an object's centre is held to when a drag or a nudge ends: inside the logo area
// of area_w x area_h (logo coordinates), so nothing is lost off the edge.
IntPoint ClampToLogoArea(int x, int y, int area_w, int area_h);

}  // namespace qv::ui
