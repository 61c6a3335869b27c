#include <gtest/gtest.h>

#include "document/bar_mappings.h"
#include "document/obj_style.h"
#include "document/role_faces.h"

namespace qv {
namespace {

TEST(ObjStyle, DefaultsOfANewRecord) {
    const ObjStyle lt;
    EXPECT_EQ(lt.str, "New Text");
    EXPECT_EQ(lt.font, role::kDefaultTextFace);
    EXPECT_EQ(lt.glyph, -1);
    EXPECT_EQ(lt.size, 48);
    EXPECT_EQ(lt.width, 48);
    EXPECT_EQ(lt.aspect, 1.0f);
    EXPECT_EQ(lt.strength, 1);
    EXPECT_EQ(lt.outline_sharpness, 0.5f);
    EXPECT_EQ(lt.outline_color, (Hls{0, 0, 100}));
    EXPECT_EQ(lt.shadow_angle, 45);
    EXPECT_EQ(lt.shadow_distance, 5);
    EXPECT_EQ(lt.shadow_opacity, 0.5f);
    EXPECT_EQ(lt.grad_color2, (Hls{255, 255, 255}));
    EXPECT_EQ(lt.grad_opacity1, 1.0f);
    EXPECT_EQ(lt.grad, 0);
    EXPECT_EQ(lt.transform, 0);
}

TEST(ObjStyle, LookCopyTakesOnlyTheLookBlock) {
    ObjStyle target;
    target.str = "Cafe";
    target.font = "Some Face Bold";
    target.size = 90;
    target.spacing = -2;
    target.rotation = 0.25f;
    target.transform = 1;

    ObjStyle style;
    style.str = "style text";
    style.size = 12;
    style.color = {10, 20, 30};
    style.outline = 1;
    style.shadow = 1;
    style.strength = 7;
    style.shadow_color = {1, 2, 3};
    style.grad = 1;
    style.grad_color2 = {4, 5, 6};
    style.grad_opacity2 = 0.25f;

    ObjStyle expected_look = style;
    target.CopyLook(style);
    EXPECT_EQ(target.str, "Cafe");
    EXPECT_EQ(target.font, "Some Face Bold");
    EXPECT_EQ(target.size, 90);
    EXPECT_EQ(target.spacing, -2);
    EXPECT_EQ(target.rotation, 0.25f);
    EXPECT_EQ(target.transform, 1);
    // With the content block put back, the records are equal: every look field came across.
    expected_look.str = target.str;
    expected_look.font = target.font;
    expected_look.size = target.size;
    expected_look.spacing = target.spacing;
    expected_look.rotation = target.rotation;
    expected_look.transform = target.transform;
    EXPECT_EQ(target, expected_look);
}

TEST(ObjStyle, CopiesOwnTheirStrings) {
    ObjStyle a;
    ObjStyle b = a;
    b.str = "changed";
    EXPECT_EQ(a.str, "New Text");
}

TEST(BarMappings, AspectRatioSlider) {
    EXPECT_FLOAT_EQ(AspectFromSlider(0.0f), 0.5f);
    EXPECT_FLOAT_EQ(AspectFromSlider(0.5f), 1.0f);
    EXPECT_FLOAT_EQ(AspectFromSlider(1.0f), 2.0f);
    EXPECT_FLOAT_EQ(AspectFromSlider(0.25f), 0.7f);
    EXPECT_FLOAT_EQ(AspectFromSlider(0.76f), 1.5f);
    EXPECT_FLOAT_EQ(SliderFromAspect(1.0f), 0.5f);
    EXPECT_FLOAT_EQ(SliderFromAspect(2.0f), 1.0f);
    EXPECT_FLOAT_EQ(SliderFromAspect(0.5f), 0.0f);
    // Reopening a bar puts the slider where the stored value came from.
    for (float a : {0.5f, 0.7f, 1.0f, 1.4f, 2.0f}) {
        EXPECT_NEAR(AspectFromSlider(SliderFromAspect(a) + 1e-4f), a, 1e-5f);
    }
}

TEST(BarMappings, SliderRangesAndClamping) {
    EXPECT_EQ(SliderValue(0.0f, 10, 100), 10);
    EXPECT_EQ(SliderValue(1.0f, 10, 100), 100);
    EXPECT_EQ(SliderValue(0.5f, -5, 20), 7);
    EXPECT_FLOAT_EQ(SliderFraction(55, 10, 100), 0.5f);
    EXPECT_FLOAT_EQ(SliderFraction(300, 10, 100), 1.0f);
    EXPECT_FLOAT_EQ(SliderFraction(4, 10, 100), 0.0f);
}

TEST(BarMappings, ImageRotationBackToZeroClearsTheTransform) {
    EXPECT_EQ(ImageRotationFromSlider(0.3f).transform, 1);
    EXPECT_FLOAT_EQ(ImageRotationFromSlider(0.3f).rotation, 0.3f);
    EXPECT_EQ(ImageRotationFromSlider(0.0f).transform, 0);
}

}  // namespace
}  // namespace qv
