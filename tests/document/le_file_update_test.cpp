#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "document/colour_model.h"
#include "document/le_file.h"
#include "render/pixel_buffer.h"
#include "tests/support/fault_capture.h"
#include "tests/support/test_fonts.h"

namespace qv {
namespace {

// Images the loader hook can "decode": size and a pixel function (x, y) -> 0xAARRGGBB.
struct FakeImage {
    int w = 0;
    int h = 0;
    std::function<uint32_t(int, int)> pixel;
};
std::map<std::string, FakeImage> g_images;

bool FakeLoader(const std::string& path, PixelBuffer& out) {
    const auto it = g_images.find(path);
    if (it == g_images.end() || !out.Allocate(it->second.w, it->second.h)) return false;
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) out.at(x, y) = it->second.pixel(x, y);
    }
    return true;
}

class FakeImages {
public:
    FakeImages() : previous_(SetBitmapLoader(FakeLoader)) { g_images.clear(); }
    ~FakeImages() {
        SetBitmapLoader(previous_);
        g_images.clear();
    }
    void Add(const std::string& path, int w, int h, std::function<uint32_t(int, int)> pixel) {
        g_images[path] = FakeImage{w, h, std::move(pixel)};
    }
    void Solid(const std::string& path, int w, int h, uint32_t argb) {
        Add(path, w, h, [argb](int, int) { return argb; });
    }

private:
    BitmapLoader previous_;
};

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kSentinel = 0x00123456;

// Every pixel of `buf` inside [x0, x1) x [y0, y1) equals `inside`, every other one
// outside(x, y).
::testing::AssertionResult RectOver(const PixelBuffer& buf, int x0, int y0, int x1, int y1,
                                    uint32_t inside,
                                    const std::function<uint32_t(int, int)>& outside) {
    for (int y = 0; y < buf.height(); ++y) {
        for (int x = 0; x < buf.width(); ++x) {
            const bool in = x >= x0 && x < x1 && y >= y0 && y < y1;
            const uint32_t want = in ? inside : outside(x, y);
            if (buf.at(x, y) != want) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << "," << y << ") is " << std::hex << buf.at(x, y)
                       << ", expected " << want;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RectIs(const PixelBuffer& buf, int x0, int y0, int x1, int y1,
                                  uint32_t inside, uint32_t outside) {
    return RectOver(buf, x0, y0, x1, y1, inside, [outside](int, int) { return outside; });
}

uint32_t PreviewChess(int x, int y) {
    return ((x / 8 + y / 8) % 2) ? kPreviewChessB : kPreviewChessA;
}

// A document with one bitmap object of w x h at (x, y).
LogoObj* AddBitmap(LeFile& lf, FakeImages& images, const std::string& path, int w, int h,
                   uint32_t argb, int x = 0, int y = 0) {
    images.Solid(path, w, h, argb);
    LogoObj* o = lf.AddObj(LogoObj::kCustom, path.c_str(), "t");
    if (o) {
        o->x = x;
        o->y = y;
    }
    return o;
}

TEST(LeFileUpdate, TooSmallCanvasChangesNothing) {
    LeFile lf;
    lf.Update(400, 300, 50, 40);
    const uint32_t* dta = lf.ob.dta.data();
    lf.bgc = Hls{80, 120, 120};
    lf.Update(9, 300, 70, 70);
    lf.Update(400, 9, 70, 70);
    EXPECT_EQ(lf.ob.dw, 200);
    EXPECT_EQ(lf.ob.dh, 150);
    EXPECT_EQ(lf.ob.cdw, 50);
    EXPECT_EQ(lf.ob.cdh, 40);
    EXPECT_EQ(lf.ob.dta.data(), dta);
    EXPECT_EQ(lf.ob.dta.at(0, 0), 0xFFFFFFu);
}

TEST(LeFileUpdate, EmptyLogoIsHalfTheCanvasInBackgroundColour) {
    LeFile lf;
    lf.bgc = Hls{80, 120, 120};
    lf.Update(401, 301, 50, 40);
    EXPECT_EQ(lf.ob.dw, 200);
    EXPECT_EQ(lf.ob.dh, 150);
    ASSERT_EQ(lf.ob.dta.width(), 200);
    ASSERT_EQ(lf.ob.dta.height(), 150);
    EXPECT_TRUE(RectIs(lf.ob.dta, 0, 0, 0, 0, 0, HlsToPacked(lf.bgc)));
    ASSERT_EQ(lf.ob.cdta.width(), 50);
    ASSERT_EQ(lf.ob.cdta.height(), 40);
    EXPECT_TRUE(RectOver(lf.ob.cdta, 0, 0, 0, 0, 0, PreviewChess));

    // Without a new preview size the previous one stays.
    lf.Update(100, 100, -1, 0);
    EXPECT_EQ(lf.ob.cdta.width(), 50);
    EXPECT_EQ(lf.ob.cdta.height(), 40);
    EXPECT_EQ(lf.ob.dw, 50);
}

TEST(LeFileUpdate, LogoBufferLiesHalfwayBetweenObjectsAndCanvas) {
    test::FaultCapture capture;
    FakeImages images;
    LeFile lf;
    AddBitmap(lf, images, "/p/a.png", 60, 40, kRed);
    lf.Update(400, 300, 80, 60);
    EXPECT_EQ(lf.ob.dw, 230);
    EXPECT_EQ(lf.ob.dh, 170);
    // The centre offsets are (115, 85), so the bitmap spans 85..144 x 65..104.
    EXPECT_TRUE(RectIs(lf.ob.dta, 85, 65, 145, 105, 0xFF0000, 0xFFFFFF));
    // The preview shows the current object centred.
    EXPECT_TRUE(RectOver(lf.ob.cdta, 10, 10, 70, 50, 0xFF0000, PreviewChess));

    // An object far out is limited to the canvas: the buffer becomes the whole canvas.
    lf.obj[0]->x = 1000;
    lf.Update(400, 300, -1, -1);
    EXPECT_EQ(lf.ob.dw, 400);
    EXPECT_EQ(lf.ob.dh, 170);
    EXPECT_TRUE(capture.faults.empty());
}

TEST(LeFileUpdate, FixedCanvasSetsTheBufferAndTheOrigin) {
    FakeImages images;
    LeFile lf;
    AddBitmap(lf, images, "/p/a.png", 60, 40, kRed);
    lf.fixed = 1;
    lf.SetCanvasSize(300, 100);
    lf.Update(400, 300, 10, 10);
    EXPECT_EQ(lf.ob.dw, 300);
    EXPECT_EQ(lf.ob.dh, 100);
    EXPECT_TRUE(RectIs(lf.ob.dta, 120, 30, 180, 70, 0xFF0000, 0xFFFFFF));

    // A canvas larger than the window keeps its own centre and is cut to the window.
    lf.SetCanvasSize(600, 100);
    lf.Update(400, 300, 10, 10);
    EXPECT_EQ(lf.ob.dw, 400);
    EXPECT_EQ(lf.ob.dh, 100);
    EXPECT_TRUE(RectIs(lf.ob.dta, 270, 30, 330, 70, 0xFF0000, 0xFFFFFF));
}

TEST(LeFileUpdate, LaterObjectsCoverEarlierOnes) {
    FakeImages images;
    LeFile lf;
    AddBitmap(lf, images, "/p/back.png", 20, 20, kRed, -5, 0);
    AddBitmap(lf, images, "/p/front.png", 20, 20, kBlue, 5, 0);
    // Imports go to the back; bring the blue one forward again.
    ASSERT_EQ(lf.obj[0]->path, "/p/front.png");
    lf.Bring2Front();
    lf.Update(100, 100, 40, 40);
    const int dox = lf.ob.dw / 2;
    const int doy = lf.ob.dh / 2;
    EXPECT_EQ(lf.ob.dta.at(dox - 14, doy), 0xFF0000u);
    EXPECT_EQ(lf.ob.dta.at(dox - 5, doy), 0x0000FFu);
    EXPECT_EQ(lf.ob.dta.at(dox + 14, doy), 0x0000FFu);
    // The preview holds the current (blue) object alone.
    EXPECT_TRUE(RectOver(lf.ob.cdta, 10, 10, 30, 30, 0x0000FF, PreviewChess));
}

// Past the budget check (here: none), a buffer the allocator refuses is left empty and not
// drawn into, while the other one still is.
TEST(LeFileUpdate, BuffersThatCannotBeAllocatedAreNotDrawnInto) {
    test::FaultCapture capture;
    FakeImages images;
    LeFile lf;
    lf.Update(60000, 60000, 30, 30, UINT64_MAX);
    EXPECT_TRUE(lf.ob.dta.empty());
    EXPECT_EQ(lf.ob.dw, 30000);
    EXPECT_TRUE(capture.faults.empty());
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], kOutOfMemory);

    AddBitmap(lf, images, "/p/a.png", 60, 40, kRed, 29000, 0);
    lf.Update(60000, 60000, 80, 60, UINT64_MAX);
    EXPECT_TRUE(lf.ob.dta.empty());
    EXPECT_EQ(capture.messages.size(), 2u);
    // The preview could be made and still shows the object.
    EXPECT_EQ(lf.ob.cdta.at(40, 30), 0xFF0000u);
}

// A logo whose rasters and buffers would need more than the budget is refused before anything
// large is allocated: nothing is drawn, the message comes once however often the logo is
// refreshed, and the next logo that fits is drawn as usual.
TEST(LeFileUpdate, ALogoBeyondTheMemoryBudgetIsRefusedOnce) {
    test::FaultCapture capture;
    FakeImages images;
    LeFile lf;
    AddBitmap(lf, images, "/p/a.png", 60, 40, kRed);
    constexpr uint64_t kBudget = 200 * 1000;  // 400 x 300 x 4 = 480,000 bytes of logo buffer
    lf.Update(800, 600, 80, 60, kBudget);
    lf.Update(800, 600, 80, 60, kBudget);
    EXPECT_TRUE(lf.ob.dta.empty());
    EXPECT_TRUE(lf.ob.cdta.empty());
    EXPECT_TRUE(capture.faults.empty());
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], kOutOfMemory);

    lf.Update(120, 100, 80, 60, kBudget);
    ASSERT_FALSE(lf.ob.dta.empty());
    EXPECT_EQ(lf.ob.dta.at(lf.ob.dw / 2, lf.ob.dh / 2), 0xFF0000u);
    lf.Update(800, 600, 80, 60, kBudget);
    EXPECT_EQ(capture.messages.size(), 2u);
}

class BltCust : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(buf_.Allocate(20, 10));
        buf_.Fill(kSentinel);
    }
    void Draw(int w, int h, uint32_t argb, int ox, int oy) {
        images_.Solid("/p/b.png", w, h, argb);
        LogoObj o;
        o.path = "/p/b.png";
        o.BltCust(buf_.data(), buf_.width(), buf_.height(), ox, oy);
    }

    FakeImages images_;
    PixelBuffer buf_;
};

TEST_F(BltCust, HangingOffAnyEdgeIsClippedWithoutWrapping) {
    // 6 x 4 bitmaps: the top-left pixel goes to (ox - 3, oy - 2).
    Draw(6, 4, kRed, 1, 4);  // off the left edge
    EXPECT_TRUE(RectIs(buf_, 0, 2, 4, 6, 0xFF0000, kSentinel));
    SetUp();
    Draw(6, 4, kRed, 19, 4);  // off the right edge: nothing may reach the next rows' starts
    EXPECT_TRUE(RectIs(buf_, 16, 2, 20, 6, 0xFF0000, kSentinel));
    SetUp();
    Draw(6, 4, kRed, 10, 0);  // off the top
    EXPECT_TRUE(RectIs(buf_, 7, 0, 13, 2, 0xFF0000, kSentinel));
    SetUp();
    Draw(6, 4, kRed, 10, 10);  // off the bottom
    EXPECT_TRUE(RectIs(buf_, 7, 8, 13, 10, 0xFF0000, kSentinel));
    SetUp();
    Draw(60, 40, kRed, 10, 5);  // larger than the buffer on every side
    EXPECT_TRUE(RectIs(buf_, 0, 0, 20, 10, 0xFF0000, kSentinel));
    SetUp();
    Draw(6, 4, kRed, -3, 4);  // wholly outside
    Draw(6, 4, kRed, 10, 100000);
    Draw(6, 4, kRed, 2147483647, -2147483647);
    EXPECT_TRUE(RectIs(buf_, 0, 0, 0, 0, 0, kSentinel));
}

TEST_F(BltCust, CentredWithTruncatingHalves) {
    PixelBuffer big;
    ASSERT_TRUE(big.Allocate(200, 100));
    big.Fill(0xFFFFFF);
    images_.Solid("/p/b.png", 101, 51, kBlue);
    LogoObj o;
    o.path = "/p/b.png";
    o.BltCust(big.data(), 200, 100, 100, 50);
    EXPECT_TRUE(RectIs(big, 50, 25, 151, 76, 0x0000FF, 0xFFFFFF));
    EXPECT_EQ(o.w, 101);
    EXPECT_EQ(o.h, 51);
}

TEST_F(BltCust, EachPixelBlendsWithItsOwnAlpha) {
    buf_.Fill(0xFFFFFF);
    // Left half transparent, right half black at 128, bottom row full red.
    images_.Add("/p/b.png", 4, 2, [](int x, int y) -> uint32_t {
        if (y == 1) return kRed;
        return x < 2 ? 0x00ABCDEF : 0x80000000;
    });
    LogoObj o;
    o.path = "/p/b.png";
    o.BltCust(buf_.data(), 20, 10, 2, 1);
    EXPECT_EQ(buf_.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(buf_.at(1, 0), 0xFFFFFFu);
    EXPECT_EQ(buf_.at(2, 0), RGB_MAKE(127, 127, 127));
    EXPECT_EQ(buf_.at(3, 0), RGB_MAKE(127, 127, 127));
    EXPECT_EQ(buf_.at(0, 1), 0xFF0000u);
    EXPECT_EQ(buf_.at(4, 0), 0xFFFFFFu);
}

TEST_F(BltCust, MissingPixelsAreLoadedOrNothingIsDrawn) {
    test::FaultCapture capture;
    LogoObj o;
    o.path = "/p/gone.png";
    o.BltCust(buf_.data(), 20, 10, 10, 5);
    EXPECT_TRUE(RectIs(buf_, 0, 0, 0, 0, 0, kSentinel));
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_TRUE(capture.messages.empty());

    // A duplicate has no pixels of its own; drawing it decodes them again.
    images_.Solid("/p/b.png", 2, 2, kRed);
    LeFile lf;
    lf.AddObj(LogoObj::kCustom, "/p/b.png", "b");
    lf.DuplicateCur();
    ASSERT_TRUE(lf.obj[1]->cust.empty());
    lf.Update(100, 100, 10, 10);
    EXPECT_EQ(lf.obj[1]->cust.width(), 2);
    EXPECT_EQ(lf.ob.cdta.at(5, 5), 0xFF0000u);
}

// Text and shape objects are rendered afresh by every Update and take their extent from it.
TEST(LeFileUpdate, TextObjectsAreRenderedEveryTime) {
    test::FaultCapture capture;
    test::TestFonts fonts;
    LeFile lf;
    LogoObj* o = lf.AddObj(LogoObj::kText);
    o->lt.font = test::TestFonts::kSans;
    o->lt.str = "I";
    o->lt.color = Hls{0, 0, 0};
    lf.Update(400, 300, 100, 100);
    const int narrow = o->w;
    EXPECT_EQ(o->w, o->ft.szx);
    EXPECT_EQ(o->h, o->ft.szy);
    EXPECT_GT(o->h, 20);

    o->lt.str = "WWWW";
    lf.Update(400, 300, 100, 100);
    EXPECT_GT(o->w, narrow);
    EXPECT_EQ(o->w, o->ft.szx);
    // Black text lands at the logo centre and in the preview.
    const int dox = lf.ob.dw / 2;
    const int doy = lf.ob.dh / 2;
    bool drawn = false;
    for (int x = dox - 20; x < dox + 20; ++x) drawn |= lf.ob.dta.at(x, doy) != 0xFFFFFF;
    EXPECT_TRUE(drawn);
    bool previewed = false;
    for (int x = 30; x < 70; ++x) previewed |= RedOf(lf.ob.cdta.at(x, 50)) < 128;
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(capture.faults.empty()) << capture.faults[0].report;
}

}  // namespace
}  // namespace qv
