#pragma once

#include <cairo.h>

#include <memory>

namespace qv {

// Owning handles for the cairo objects the vector writers create.
struct CairoSurfaceRelease {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoContextRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct CairoPatternRelease {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using CairoSurface = std::unique_ptr<cairo_surface_t, CairoSurfaceRelease>;
using CairoContext = std::unique_ptr<cairo_t, CairoContextRelease>;
using CairoPattern = std::unique_ptr<cairo_pattern_t, CairoPatternRelease>;

}  // namespace qv
