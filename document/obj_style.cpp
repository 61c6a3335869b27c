#include "document/obj_style.h"

#include "document/role_faces.h"

namespace qv {

ObjStyle::ObjStyle() : str("New Text"), font(role::kDefaultTextFace) {}

void ObjStyle::CopyLook(const ObjStyle& o) {
    color = o.color;
    outline = o.outline;
    shadow = o.shadow;
    strength = o.strength;
    outline_opacity = o.outline_opacity;
    outline_sharpness = o.outline_sharpness;
    outline_color = o.outline_color;
    shadow_angle = o.shadow_angle;
    shadow_distance = o.shadow_distance;
    shadow_opacity = o.shadow_opacity;
    shadow_color = o.shadow_color;
    grad = o.grad;
    grad_angle = o.grad_angle;
    grad_color1 = o.grad_color1;
    grad_color2 = o.grad_color2;
    grad_opacity1 = o.grad_opacity1;
    grad_opacity2 = o.grad_opacity2;
}

}  // namespace qv
