#pragma once

#include <optional>

#include "document/obj_style.h"

namespace qv {

// Style values as the renderer may use them. A project, style or template file can hold any
// number in any field; what is drawn is held to what the editor itself can produce, so that a
// damaged or hostile file can neither hang the blur, overflow an integer nor ask for a raster
// of gigabytes. The stored record is never changed: a resave writes back what was read.
namespace bounds {

inline constexpr int kMaxTextChars = 499;    // the layout's capacity, FtText::kMaxGlyphs - 1
inline constexpr int kMinSize = 1;            // text height and shape width and height
inline constexpr int kMaxSize = 3000;
inline constexpr int kMaxSpacing = 3000;      // either way
inline constexpr int kMaxStrength = 10;
inline constexpr int kMaxShadowDistance = 3000;
inline constexpr float kMinAspect = 0.5f;
inline constexpr float kMaxAspect = 2.0f;
// Object centres relative to the logo centre (the centring box starts from +-10000) and
// extents read back from files.
inline constexpr int kMaxPosition = 10000;
inline constexpr int kMaxExtent = 32768;
// A fixed canvas side.
inline constexpr int kMaxCanvasSide = 16384;

}  // namespace bounds

// True when every field the renderer reads is already within its bounds, which is the case
// for everything the editor produces; then the record is used as it is.
bool StyleWithinBounds(const ObjStyle& lt);

// The record with every field the renderer reads held to its bounds: a NaN or infinity takes
// the field's default, a number out of range its nearest bound, a rotation beyond a whole turn
// its equivalent within one turn.
ObjStyle BoundedStyle(const ObjStyle& lt);

// An object centre, extent or canvas side as drawing and placement use it.
int BoundedPosition(int v);
int BoundedExtent(int v);
int BoundedCanvasSide(int v);

}  // namespace qv

namespace qv {

// The record a drawing step uses: `lt` itself when it is within bounds (no copy), otherwise a
// bounded copy held for the step's duration.
class UsableStyle {
public:
    explicit UsableStyle(const ObjStyle& lt) : use_(&lt) {
        if (!StyleWithinBounds(lt)) use_ = &copy_.emplace(BoundedStyle(lt));
    }
    UsableStyle(const UsableStyle&) = delete;
    UsableStyle& operator=(const UsableStyle&) = delete;
    const ObjStyle& get() const { return *use_; }

private:
    const ObjStyle* use_;
    std::optional<ObjStyle> copy_;
};

}  // namespace qv
