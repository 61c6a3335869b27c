#include <gtest/gtest.h>

#include "app/file_io.h"
#include "document/undo_track.h"
#include "persist/project_file.h"
#include "persist/style_library.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

void WriteStyle(const test::TempDir& dir, int k, float hue, int objects = 1) {
    LeFile lf;
    for (int n = 0; n < objects; ++n) {
        LogoObj* o = lf.AddObj(0);
        o->lt.color = {hue, 240, 120};
        o->lt.outline = 1;
    }
    MakeDirectories(dir.path() + "/styles");
    ASSERT_TRUE(SaveProject(dir.path() + "/styles/" + std::to_string(k) + ".kuz", lf));
}

TEST(StyleLibrary, StopsAtTheFirstGapWithoutAMessage) {
    test::FaultCapture capture;
    test::TempDir dir;
    WriteStyle(dir, 1, 10);
    WriteStyle(dir, 2, 20);
    WriteStyle(dir, 4, 40);
    StyleLibrary library;
    library.Load(dir.path());
    ASSERT_EQ(library.count(), 2);
    EXPECT_EQ(library.stfile[1].color.h, 20.0f);
    EXPECT_TRUE(capture.messages.empty());
}

TEST(StyleLibrary, MissingFirstFileAndBrokenFilesSaySo) {
    test::FaultCapture capture;
    test::TempDir dir;
    StyleLibrary library;
    library.Load(dir.path());
    EXPECT_EQ(library.count(), 0);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], "Style library could not be opened. Please reinstall software.");

    WriteStyle(dir, 1, 10);
    test::WriteAll(dir.path() + "/styles/2.kuz", {9, 9, 9, 9, 9, 9, 9, 9});
    WriteStyle(dir, 3, 30, 0);  // no objects
    WriteStyle(dir, 4, 40);
    library.Load(dir.path());
    EXPECT_EQ(library.count(), 2);
    EXPECT_EQ(capture.messages.size(), 2u);
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(), "n<objs");
}

TEST(StyleButtons, HueOffsetsRotateEveryColourAndWrap) {
    EXPECT_FLOAT_EQ(StyleButtonHueOffset(0, 8), 0.0f);
    EXPECT_FLOAT_EQ(StyleButtonHueOffset(3, 8), 89.625f);
    ObjStyle style;
    style.color = {200, 240, 120};
    style.outline_color = {10, 0, 0};
    style.grad_color2 = {255, 255, 255};
    const ObjStyle shifted = ShiftStyleHues(style, StyleButtonHueOffset(3, 8));
    EXPECT_FLOAT_EQ(shifted.color.h, 200 + 89.625f - 239);
    EXPECT_FLOAT_EQ(shifted.outline_color.h, 99.625f);
    EXPECT_FLOAT_EQ(shifted.grad_color2.h, 255 + 89.625f - 239);
    EXPECT_EQ(shifted.color.s, 240.0f);
    // Button 0 keeps the style's colours; a stored hue above 239 (the default second gradient
    // colour) wraps even there, and still converts to the same white.
    const ObjStyle first = ShiftStyleHues(style, 0.0f);
    EXPECT_EQ(first.color, style.color);
    EXPECT_EQ(first.outline_color, style.outline_color);
    EXPECT_EQ(HlsToPacked(first.grad_color2), HlsToPacked(style.grad_color2));
}

TEST(StyleButtons, ClickingTakesTheLookAndKeepsTheContentOneUndoAway) {
    LeFile lf;
    LogoObj* o = lf.AddObj(0);
    o->lt.str = "Bakery";
    o->lt.font = "Some Face";
    o->lt.size = 77;
    UndoTrack utrack;
    utrack.Reset(lf);
    const ObjStyle before = o->lt;

    ObjStyle style;
    style.str = "ignored";
    style.size = 10;
    style.color = {120, 200, 60};
    style.outline = 1;
    style.shadow = 1;
    style.grad = 1;
    style.grad_color1 = {5, 6, 7};
    ASSERT_TRUE(ApplyStyle(lf, style));
    utrack.Track(lf);
    const ObjStyle& now = lf.GetObj(0)->lt;
    EXPECT_EQ(now.str, "Bakery");
    EXPECT_EQ(now.font, "Some Face");
    EXPECT_EQ(now.size, 77);
    EXPECT_EQ(now.color, (Hls{120, 200, 60}));
    EXPECT_EQ(now.outline, 1);
    EXPECT_EQ(now.shadow, 1);
    EXPECT_EQ(now.grad_color1, (Hls{5, 6, 7}));
    utrack.Undo(lf);
    EXPECT_EQ(lf.GetObj(0)->lt, before);

    LeFile empty;
    EXPECT_FALSE(ApplyStyle(empty, style));
}

}  // namespace
}  // namespace qv
