#include "document/colour_shift.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/le_file.h"

namespace qv {
namespace {

// Control value v as the slider position the shift works with.
float P(int v) {
    return (v + 100) / 200.0f;
}

TEST(ColourShift, HueWrapsWithAPeriodOf239) {
    EXPECT_EQ(ShiftColour(Hls{200, 100, 100}, P(100), P(0), P(0)), (Hls{81, 100, 100}));
    EXPECT_EQ(ShiftColour(Hls{50, 100, 100}, P(-100), P(0), P(0)), (Hls{169, 100, 100}));
    EXPECT_EQ(ShiftColour(Hls{119, 0, 0}, P(100), P(0), P(0)).h, 239.0f);
    EXPECT_EQ(ShiftColour(Hls{120, 0, 0}, P(-100), P(0), P(0)).h, 0.0f);
    EXPECT_EQ(ShiftColour(Hls{10, 0, 0}, P(50), P(0), P(0)).h, 70.0f);
    EXPECT_EQ(ShiftColour(Hls{123.5f, 7, 9}, P(0), P(0), P(0)), (Hls{123.5f, 7, 9}));
}

TEST(ColourShift, SaturationAndLightnessScaleWithinRange) {
    EXPECT_EQ(ShiftColour(Hls{0, 100, 100}, P(0), P(100), P(0)).s, 200.0f);
    EXPECT_EQ(ShiftColour(Hls{0, 150, 100}, P(0), P(100), P(0)).s, 240.0f);
    EXPECT_EQ(ShiftColour(Hls{0, 150, 100}, P(0), P(-100), P(0)).s, 0.0f);
    EXPECT_EQ(ShiftColour(Hls{0, 100, 100}, P(0), P(-50), P(0)).s, 50.0f);
    EXPECT_EQ(ShiftColour(Hls{0, 100, 130}, P(0), P(0), P(100)).l, 240.0f);
    EXPECT_EQ(ShiftColour(Hls{0, 100, 130}, P(0), P(0), P(-100)).l, 0.0f);
    EXPECT_EQ(ShiftColour(Hls{0, 100, 100}, P(0), P(0), P(50)).l, 150.0f);
}

class ColourShiftSet : public ::testing::Test {
protected:
    void SetUp() override {
        current_only_ = ColourShift::CurrentOnly();
        background_ = ColourShift::Background();
    }
    void TearDown() override {
        ColourShift::SetCurrentOnly(current_only_);
        ColourShift::SetBackground(background_);
    }
    // An object whose five colours are distinct.
    static void AddCoded(LeFile& lf, float code) {
        LogoObj* o = lf.AddObj(LogoObj::kText);
        o->lt.color = Hls{code, 10, 10};
        o->lt.outline_color = Hls{code + 1, 10, 10};
        o->lt.shadow_color = Hls{code + 2, 10, 10};
        o->lt.grad_color1 = Hls{code + 3, 10, 10};
        o->lt.grad_color2 = Hls{code + 4, 10, 10};
    }
    static std::vector<const Hls*> Targets(const ColourShift& set) {
        std::vector<const Hls*> out;
        for (const auto& e : set.entries()) out.push_back(e.colour);
        return out;
    }

    bool current_only_ = false;
    bool background_ = true;
};

TEST_F(ColourShiftSet, ProgramStartsWithBackgroundOnAndAllObjects) {
    // Only meaningful while no other test has toggled them; they are restored after each test.
    EXPECT_FALSE(ColourShift::CurrentOnly());
    EXPECT_TRUE(ColourShift::Background());
}

TEST_F(ColourShiftSet, BackgroundFirstThenFiveColoursPerObjectInOrder) {
    ColourShift::SetCurrentOnly(false);
    ColourShift::SetBackground(true);
    LeFile lf;
    AddCoded(lf, 10);
    AddCoded(lf, 20);
    ColourShift set;
    set.Build(lf);
    std::vector<const Hls*> want = {&lf.bgc};
    for (int n = 0; n < 2; ++n) {
        const ObjStyle& lt = lf.obj[n]->lt;
        want.insert(want.end(), {&lt.color, &lt.outline_color, &lt.shadow_color, &lt.grad_color1,
                                 &lt.grad_color2});
    }
    EXPECT_EQ(Targets(set), want);
    EXPECT_EQ(set.entries()[7].base, (Hls{21, 10, 10}));

    ColourShift::SetBackground(false);
    ColourShift::SetCurrentOnly(true);
    lf.SetCurObj(0);
    set.Build(lf);
    EXPECT_EQ(Targets(set), std::vector<const Hls*>(want.begin() + 1, want.begin() + 6));
}

TEST_F(ColourShiftSet, EmptyLogoShiftsOnlyTheBackground) {
    ColourShift::SetCurrentOnly(true);
    ColourShift::SetBackground(true);
    LeFile lf;
    lf.bgc = Hls{100, 100, 100};
    ColourShift set;
    set.Build(lf);
    ASSERT_EQ(set.entries().size(), 1u);
    set.Apply(100, 0, 0);
    EXPECT_EQ(lf.bgc, (Hls{220, 100, 100}));

    ColourShift::SetBackground(false);
    set.Build(lf);
    EXPECT_TRUE(set.entries().empty());
}

TEST_F(ColourShiftSet, ControlsBackAtZeroRestoreTheBases) {
    ColourShift::SetCurrentOnly(false);
    ColourShift::SetBackground(true);
    LeFile lf;
    lf.bgc = Hls{5, 60, 200};
    AddCoded(lf, 100);
    ColourShift set;
    set.Build(lf);
    set.Apply(-100, 100, -50);
    EXPECT_EQ(lf.bgc, (Hls{124, 120, 100}));
    EXPECT_EQ(lf.obj[0]->lt.color, (Hls{219, 20, 5}));
    set.Apply(40, -70, 90);
    set.Apply(0, 0, 0);
    EXPECT_EQ(lf.bgc, (Hls{5, 60, 200}));
    EXPECT_EQ(lf.obj[0]->lt.color, (Hls{100, 10, 10}));
    EXPECT_EQ(lf.obj[0]->lt.grad_color2, (Hls{104, 10, 10}));

    // A rebuilt set takes the shifted colours as its new bases.
    set.Apply(0, 100, 0);
    set.Build(lf);
    set.Apply(0, 0, 0);
    EXPECT_EQ(lf.obj[0]->lt.color, (Hls{100, 20, 10}));
}

TEST_F(ColourShiftSet, NeverMoreThanAThousandEntries) {
    ColourShift::SetCurrentOnly(false);
    ColourShift::SetBackground(true);
    LeFile lf;
    for (int n = 0; n < kMaxObjects; ++n) lf.AddObj(LogoObj::kText);
    ColourShift set;
    set.Build(lf);
    EXPECT_EQ(set.entries().size(), 501u);

    std::vector<Hls> colours(ColourShift::kMaxEntries + 1);
    for (size_t n = 501; n < static_cast<size_t>(ColourShift::kMaxEntries); ++n) {
        ASSERT_TRUE(set.Add(colours[n]));
    }
    EXPECT_FALSE(set.Add(colours.back()));
    EXPECT_EQ(set.entries().size(), static_cast<size_t>(ColourShift::kMaxEntries));
    colours.back() = Hls{7, 7, 7};
    set.Apply(100, 100, 100);
    EXPECT_EQ(colours.back(), (Hls{7, 7, 7}));
}

}  // namespace
}  // namespace qv
