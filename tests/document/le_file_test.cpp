#include "document/le_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "document/role_faces.h"
#include "render/ft_text.h"
#include "tests/support/fault_capture.h"
#include "tests/support/test_fonts.h"

namespace qv {
namespace {

// Images the loader hook can "decode", by path, and how often it was asked.
struct FakeImage {
    int w = 0;
    int h = 0;
    uint32_t argb = 0;
};
std::map<std::string, FakeImage> g_images;
int g_loads = 0;

bool FakeLoader(const std::string& path, PixelBuffer& out) {
    ++g_loads;
    const auto it = g_images.find(path);
    if (it == g_images.end() || !out.Allocate(it->second.w, it->second.h)) return false;
    out.Fill(it->second.argb);
    return true;
}

// Installs the fake loader for as long as it lives.
class FakeImages {
public:
    FakeImages() : previous_(SetBitmapLoader(FakeLoader)) {
        g_images.clear();
        g_loads = 0;
    }
    ~FakeImages() {
        SetBitmapLoader(previous_);
        g_images.clear();
    }
    void Add(const std::string& path, int w, int h, uint32_t argb = 0xFF000000) {
        g_images[path] = FakeImage{w, h, argb};
    }

private:
    BitmapLoader previous_;
};

// Text objects named by the letters of `names`, back to front.
void AddTexts(LeFile& lf, const std::string& names) {
    for (char c : names) lf.AddObj(LogoObj::kText)->lt.str = std::string(1, c);
}

std::string Order(const LeFile& lf) {
    std::string s;
    for (int n = 0; n < lf.objs; ++n) s += lf.obj[n]->lt.str;
    return s;
}

// The slots beyond the object count must stay empty.
bool TailIsEmpty(const LeFile& lf) {
    return std::all_of(lf.obj + lf.objs, lf.obj + kMaxObjects, [](const auto& o) { return !o; });
}

TEST(LogoObj, ShapeNameFromFaceAndGlyph) {
    LogoObj o;
    o.lt.font = "Starburst Regular";
    const std::vector<std::pair<int, std::string>> cases = {
        {19, "TAR0019"}, {5, "TAR005"}, {123, "TAR0123"}, {12345, "TAR12345"}};
    for (const auto& [glyph, name] : cases) {
        o.lt.glyph = glyph;
        o.MakeShapeName();
        EXPECT_EQ(o.lt.str, name) << glyph;
    }
    // Digits, punctuation below 'A' and bytes from 0x80 up are passed over; the first character
    // never counts.
    o.lt.font = "Xa1 \xC9z-b~q";
    o.lt.glyph = 7;
    o.MakeShapeName();
    EXPECT_EQ(o.lt.str, "AZB007");
    o.lt.font = "Qr";
    o.MakeShapeName();
    EXPECT_EQ(o.lt.str, "R007");
}

TEST(LogoObj, ValueCopyLeavesTheRenderingStateBehind) {
    FakeImages images;
    images.Add("/p/a.png", 3, 2);
    LogoObj source;
    source.type = LogoObj::kCustom;
    source.path = "/p/a.png";
    source.lt.str = "a";
    source.x = 4;
    source.y = -6;
    source.hint = 9;
    ASSERT_TRUE(source.LoadPixels());
    EXPECT_EQ(source.w, 3);
    EXPECT_EQ(source.h, 2);

    LogoObj copy;
    ASSERT_TRUE(copy.cust.Allocate(1, 1));
    copy.CopyValueFrom(source);
    EXPECT_EQ(copy.lt, source.lt);
    EXPECT_EQ(copy.path, source.path);
    EXPECT_EQ(copy.x, 4);
    EXPECT_EQ(copy.y, -6);
    EXPECT_EQ(copy.w, 3);
    EXPECT_EQ(copy.h, 2);
    EXPECT_EQ(copy.type, LogoObj::kCustom);
    EXPECT_EQ(copy.hint, 9);
    EXPECT_TRUE(copy.cust.empty());
    EXPECT_FALSE(source.cust.empty());
}

TEST(LogoObj, LoadingWithoutALoaderOrFileFailsAndKeepsTheObject) {
    LogoObj o;
    o.path = "/p/a.png";
    {
        const BitmapLoader previous = SetBitmapLoader(nullptr);
        EXPECT_FALSE(o.LoadPixels());
        SetBitmapLoader(previous);
    }
    FakeImages images;
    images.Add("/p/a.png", 5, 4);
    ASSERT_TRUE(o.LoadPixels());
    o.path = "/p/missing.png";
    EXPECT_FALSE(o.LoadPixels());
    EXPECT_EQ(o.cust.width(), 5);
    EXPECT_EQ(o.w, 5);
    EXPECT_EQ(o.h, 4);
}

TEST(LeFile, NewAndClearedDocuments) {
    LeFile lf;
    EXPECT_EQ(lf.GetCount(), 0);
    EXPECT_EQ(lf.cur, -1);
    EXPECT_EQ(lf.bgc, (Hls{0, 0, 240}));
    EXPECT_EQ(lf.fixed, 0);
    EXPECT_EQ(lf.cw, 1);
    EXPECT_EQ(lf.ch, 1);
    EXPECT_TRUE(TailIsEmpty(lf));

    AddTexts(lf, "AB");
    lf.fixed = 1;
    lf.SetCanvasSize(300, 200);
    lf.Clear();
    EXPECT_EQ(lf.objs, 0);
    EXPECT_EQ(lf.cur, -1);
    EXPECT_EQ(lf.bgc, (Hls{0, 240, 240}));
    EXPECT_EQ(lf.fixed, 0);
    EXPECT_EQ(lf.cw, 300);
    EXPECT_EQ(lf.ch, 200);
    EXPECT_TRUE(TailIsEmpty(lf));
}

TEST(LeFile, RestackingKeepsTheCurrentObjectWithItsPlace) {
    test::FaultCapture capture;
    LeFile lf;
    AddTexts(lf, "ABC");
    lf.SetCurObj(1);
    lf.Bring2Front();
    EXPECT_EQ(Order(lf), "ACB");
    EXPECT_EQ(lf.cur, 2);
    lf.Send2Back();
    EXPECT_EQ(Order(lf), "BAC");
    EXPECT_EQ(lf.cur, 0);

    // At either end the step towards that end changes nothing.
    lf.SendFarther();
    lf.Send2Back();
    EXPECT_EQ(Order(lf), "BAC");
    EXPECT_EQ(lf.cur, 0);
    lf.SetCurObj(2);
    lf.BringCloser();
    lf.Bring2Front();
    EXPECT_EQ(Order(lf), "BAC");
    EXPECT_EQ(lf.cur, 2);

    lf.SendFarther();
    EXPECT_EQ(Order(lf), "BCA");
    EXPECT_EQ(lf.cur, 1);
    lf.BringCloser();
    EXPECT_EQ(Order(lf), "BAC");
    EXPECT_EQ(lf.cur, 2);
    EXPECT_TRUE(capture.faults.empty());
}

TEST(LeFile, RestackingWithoutTwoObjectsOrACurrentOneIsAFault) {
    test::FaultCapture capture;
    LeFile lf;
    AddTexts(lf, "A");
    lf.Bring2Front();
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(0), "objs>1");

    AddTexts(lf, "B");
    lf.cur = -1;
    lf.SendFarther();
    ASSERT_EQ(capture.faults.size(), 2u);
    EXPECT_EQ(capture.FailedExpression(1), "cur>=0");
    lf.cur = 2;
    lf.Send2Back();
    ASSERT_EQ(capture.faults.size(), 3u);
    EXPECT_EQ(capture.FailedExpression(2), "cur<objs");
    EXPECT_EQ(Order(lf), "AB");
}

TEST(LeFile, SelectionWrapsRound) {
    LeFile lf;
    lf.NextObj();
    lf.PrevObj();
    EXPECT_EQ(lf.cur, -1);

    AddTexts(lf, "ABCD");
    lf.cur = -1;
    lf.PrevObj();
    EXPECT_EQ(lf.cur, 3);
    lf.NextObj();
    EXPECT_EQ(lf.cur, 0);
    lf.PrevObj();
    EXPECT_EQ(lf.cur, 3);
    lf.cur = -1;
    lf.NextObj();
    EXPECT_EQ(lf.cur, 0);
    lf.NextObj();
    EXPECT_EQ(lf.cur, 1);
}

TEST(LeFile, FirstShapeIsTheFrontmostOne) {
    test::FaultCapture capture;
    LeFile lf;
    lf.SelFstObj();
    EXPECT_EQ(lf.cur, -1);

    AddTexts(lf, "AB");
    lf.SetCurObj(1);
    lf.SelFstObj();
    EXPECT_EQ(lf.cur, 1);

    lf.AddObj(LogoObj::kShape);
    AddTexts(lf, "C");
    lf.AddObj(LogoObj::kShape);
    AddTexts(lf, "D");
    lf.SetCurObj(0);
    lf.SelFstObj();
    EXPECT_EQ(lf.cur, 4);
    EXPECT_TRUE(capture.faults.empty());
}

TEST(LeFile, IndexFaultsLeaveTheDocumentAlone) {
    test::FaultCapture capture;
    LeFile lf;
    EXPECT_EQ(lf.GetCurObj(), nullptr);
    AddTexts(lf, "AB");
    EXPECT_EQ(lf.GetObj(2), nullptr);
    EXPECT_EQ(lf.GetObj(-1), nullptr);
    lf.SetCurObj(2);
    lf.SetCurObj(-1);
    EXPECT_EQ(lf.cur, 1);
    EXPECT_EQ(lf.GetObj(1), lf.GetCurObj());
    std::vector<std::string> texts;
    for (size_t i = 0; i < capture.faults.size(); ++i) texts.push_back(capture.FailedExpression(i));
    EXPECT_EQ(texts, (std::vector<std::string>{"cur!=-1", "n<objs", "n<objs", "n>=0&&n<objs",
                                               "n>=0&&n<objs"}));
}

TEST(LeFile, DeletingMakesTheBackObjectCurrent) {
    test::FaultCapture capture;
    LeFile lf;
    AddTexts(lf, "ABC");
    lf.DeleteCur();
    EXPECT_EQ(Order(lf), "AB");
    EXPECT_EQ(lf.cur, 0);
    AddTexts(lf, "C");
    lf.SetCurObj(1);
    lf.DeleteCur();
    EXPECT_EQ(Order(lf), "AC");
    EXPECT_EQ(lf.cur, 0);
    EXPECT_TRUE(TailIsEmpty(lf));

    lf.Clear();
    AddTexts(lf, "A");
    lf.DeleteCur();
    EXPECT_EQ(lf.objs, 0);
    EXPECT_EQ(lf.cur, -1);
    EXPECT_TRUE(TailIsEmpty(lf));
    EXPECT_TRUE(capture.faults.empty());
    lf.DeleteCur();
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(), "cur>=0");
}

TEST(LeFile, NewObjectsSitAQuarterOfTheLogoHeightAboveTheCentre) {
    FakeImages images;
    images.Add("/p/pic.png", 7, 3);
    LeFile lf;
    lf.ob.dh = 170;
    LogoObj* text = lf.AddObj(LogoObj::kText);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->lt, ObjStyle());
    EXPECT_EQ(text->type, LogoObj::kText);
    EXPECT_EQ(text->x, 0);
    EXPECT_EQ(text->y, -42);
    EXPECT_EQ(text->w, 1);
    EXPECT_EQ(text->h, 1);

    LogoObj* shape = lf.AddObj(LogoObj::kShape);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->lt.font, role::kDefaultShapeFace);
    EXPECT_EQ(shape->lt.glyph, role::kDefaultShapeGlyph);
    LogoObj named;
    named.lt.font = role::kDefaultShapeFace;
    named.lt.glyph = role::kDefaultShapeGlyph;
    named.MakeShapeName();
    EXPECT_EQ(shape->lt.str, named.lt.str);
    EXPECT_EQ(shape->y, -42);
    EXPECT_EQ(lf.cur, 1);

    lf.ob.dh = 7;
    LogoObj* pic = lf.AddObj(LogoObj::kCustom, "/p/pic.png", "pic");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->y, -1);
    EXPECT_EQ(pic->lt.str, "pic");
    EXPECT_EQ(pic->path, "/p/pic.png");
    EXPECT_EQ(pic->w, 7);
    EXPECT_EQ(pic->h, 3);
}

TEST(LeFile, ImportedBitmapGoesToTheBackAndIsCurrent) {
    test::FaultCapture capture;
    FakeImages images;
    images.Add("/p/pic.png", 2, 2);
    LeFile lf;
    LogoObj* only = lf.AddObj(LogoObj::kCustom, "/p/pic.png", "P");
    EXPECT_EQ(lf.GetCurObj(), only);

    lf.Clear();
    AddTexts(lf, "AB");
    LogoObj* pic = lf.AddObj(LogoObj::kCustom, "/p/pic.png", "P");
    EXPECT_EQ(Order(lf), "PAB");
    EXPECT_EQ(lf.cur, 0);
    EXPECT_EQ(lf.obj[0].get(), pic);
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_TRUE(capture.messages.empty());
}

TEST(LeFile, BitmapThatCannotBeOpenedAddsNothing) {
    test::FaultCapture capture;
    FakeImages images;
    LeFile lf;
    AddTexts(lf, "AB");
    lf.SetCurObj(1);
    EXPECT_EQ(lf.AddObj(LogoObj::kCustom, "/p/gone.png", "gone"), nullptr);
    EXPECT_EQ(capture.messages, std::vector<std::string>{"File could not be opened: /p/gone.png"});
    EXPECT_EQ(Order(lf), "AB");
    EXPECT_EQ(lf.cur, 1);
    EXPECT_TRUE(TailIsEmpty(lf));

    // Without a path or a name the call itself is wrong.
    EXPECT_EQ(lf.AddObj(LogoObj::kCustom, nullptr, "gone"), nullptr);
    EXPECT_EQ(lf.AddObj(LogoObj::kCustom, "/p/gone.png"), nullptr);
    ASSERT_EQ(capture.faults.size(), 2u);
    EXPECT_EQ(capture.FailedExpression(0), "cust!=NULL&&cust2!=NULL");
    EXPECT_EQ(capture.FailedExpression(1), "cust!=NULL&&cust2!=NULL");
    EXPECT_EQ(g_loads, 1);
    EXPECT_EQ(lf.objs, 2);
}

TEST(LeFile, DuplicateGoesInFrontAboveTheCentre) {
    FakeImages images;
    images.Add("/p/pic.png", 6, 4);
    LeFile lf;
    AddTexts(lf, "A");
    LogoObj* pic = lf.AddObj(LogoObj::kCustom, "/p/pic.png", "P");
    pic->x = 33;
    pic->y = 44;
    pic->hint = 5;
    pic->lt.color = Hls{10, 20, 30};
    lf.ob.dh = 230;
    ASSERT_EQ(lf.cur, 0);
    lf.DuplicateCur();
    ASSERT_EQ(lf.objs, 3);
    EXPECT_EQ(lf.cur, 2);
    const LogoObj& copy = *lf.obj[2];
    EXPECT_EQ(Order(lf), "PAP");
    EXPECT_EQ(copy.x, 0);
    EXPECT_EQ(copy.y, -57);
    EXPECT_EQ(copy.lt, pic->lt);
    EXPECT_EQ(copy.path, "/p/pic.png");
    EXPECT_EQ(copy.type, LogoObj::kCustom);
    EXPECT_EQ(copy.hint, 5);
    EXPECT_EQ(copy.w, 6);
    EXPECT_EQ(copy.h, 4);
    // The copy decodes its own pixels when it is first drawn.
    EXPECT_TRUE(copy.cust.empty());
    EXPECT_EQ(pic->x, 33);
}

TEST(LeFile, CentringMovesTheCommonBoxToTheMiddle) {
    LeFile lf;
    int w = -7, h = -8;
    lf.CenterObjects(w, h);
    EXPECT_EQ(w, -7);
    EXPECT_EQ(h, -8);

    AddTexts(lf, "AB");
    auto place = [](LogoObj& o, int x, int y, int ow, int oh) {
        o.x = x;
        o.y = y;
        o.w = ow;
        o.h = oh;
    };
    place(*lf.obj[0], -100, 0, 100, 50);
    place(*lf.obj[1], 300, 20, 100, 50);
    lf.CenterObjects(w, h);
    EXPECT_EQ(lf.obj[0]->x, -200);
    EXPECT_EQ(lf.obj[0]->y, -10);
    EXPECT_EQ(lf.obj[1]->x, 200);
    EXPECT_EQ(lf.obj[1]->y, 10);
    EXPECT_EQ(w, 500);
    EXPECT_EQ(h, 70);

    // A centre of -2.5 moves by -2: the halves truncate toward zero.
    lf.DeleteCur();
    place(*lf.obj[0], -3, -3, 1, 1);
    lf.CenterObjects(w, h);
    EXPECT_EQ(lf.obj[0]->x, -1);
    EXPECT_EQ(lf.obj[0]->y, -1);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
}

TEST(LeFile, CanvasSettings) {
    LeFile lf;
    lf.SetCanvasSize(4, 3001);
    EXPECT_EQ(lf.cw, 5);
    EXPECT_EQ(lf.ch, 3000);
    lf.SetCanvasSize(640, 5);
    EXPECT_EQ(lf.cw, 640);
    EXPECT_EQ(lf.ch, 5);

    lf.ob.dw = 230;
    lf.ob.dh = 170;
    lf.SetFixedCanvas(true);
    EXPECT_EQ(lf.fixed, 1);
    EXPECT_EQ(lf.cw, 230);
    EXPECT_EQ(lf.ch, 170);
    lf.ob.dw = 100;
    lf.SetFixedCanvas(false);
    EXPECT_EQ(lf.fixed, 0);
    EXPECT_EQ(lf.cw, 100);
}

TEST(LeFile, CopyIsIndependentOfItsSource) {
    test::FaultCapture capture;
    FakeImages images;
    images.Add("/p/pic.png", 6, 4);
    LeFile source;
    AddTexts(source, "AB");
    LogoObj* shape = source.AddObj(LogoObj::kShape);
    shape->hint = 17;
    shape->lt.str = "S";
    source.AddObj(LogoObj::kCustom, "/p/pic.png", "P");
    source.SetCurObj(2);
    source.bgc = Hls{1, 2, 3};
    source.fixed = 1;
    source.SetCanvasSize(320, 240);
    source.obj[1]->x = 12;

    LeFile target;
    AddTexts(target, "XYZWV");
    target.ob.dh = 99;
    target.CopyFrom(source);
    EXPECT_EQ(Order(target), "PABS");
    EXPECT_EQ(target.cur, 2);
    EXPECT_EQ(target.bgc, (Hls{1, 2, 3}));
    EXPECT_EQ(target.fixed, 1);
    EXPECT_EQ(target.cw, 320);
    EXPECT_EQ(target.ch, 240);
    EXPECT_EQ(target.ob.dh, 99);
    EXPECT_TRUE(TailIsEmpty(target));
    for (int n = 0; n < source.objs; ++n) {
        EXPECT_NE(target.obj[n].get(), source.obj[n].get());
        EXPECT_EQ(target.obj[n]->lt, source.obj[n]->lt);
        EXPECT_EQ(target.obj[n]->type, source.obj[n]->type);
        EXPECT_EQ(target.obj[n]->hint, source.obj[n]->hint);
        EXPECT_EQ(target.obj[n]->x, source.obj[n]->x);
        EXPECT_EQ(target.obj[n]->w, source.obj[n]->w);
    }
    EXPECT_TRUE(target.obj[0]->cust.empty());

    source.obj[2]->lt.str = "changed";
    source.obj[2]->x = 500;
    source.DeleteCur();
    source.Clear();
    EXPECT_EQ(Order(target), "PABS");
    EXPECT_EQ(target.obj[2]->x, 0);

    target.CopyFrom(target);
    EXPECT_EQ(target.objs, 4);
    EXPECT_TRUE(capture.faults.empty());
}

TEST(LeFile, NoAddingBeyondOneHundredObjects) {
    test::FaultCapture capture;
    FakeImages images;
    images.Add("/p/pic.png", 6, 4);
    LeFile lf;
    for (int n = 0; n < kMaxObjects; ++n) ASSERT_NE(lf.AddObj(LogoObj::kText), nullptr);
    lf.obj[kMaxObjects - 1]->lt.str = "last";
    lf.SetCurObj(40);
    EXPECT_FALSE(lf.CanAdd());

    EXPECT_EQ(lf.AddObj(LogoObj::kText), nullptr);
    EXPECT_EQ(lf.AddObj(LogoObj::kShape), nullptr);
    EXPECT_EQ(lf.AddObj(LogoObj::kCustom, "/p/pic.png", "P"), nullptr);
    lf.DuplicateCur();
    EXPECT_EQ(lf.objs, kMaxObjects);
    EXPECT_EQ(lf.cur, 40);
    EXPECT_EQ(lf.obj[kMaxObjects - 1]->lt.str, "last");
    // A full logo never gets as far as decoding the file.
    EXPECT_EQ(g_loads, 0);
    EXPECT_EQ(capture.messages, std::vector<std::string>(4, kLogoFullMessage));
    EXPECT_TRUE(capture.faults.empty());

    lf.DeleteCur();
    EXPECT_TRUE(lf.CanAdd());
    EXPECT_NE(lf.AddObj(LogoObj::kCustom, "/p/pic.png", "P"), nullptr);
    EXPECT_EQ(lf.objs, kMaxObjects);
}

class LeFileLibraryShape : public ::testing::Test {
protected:
    // The expected name of shape n of the test library (from "DejaVu Sans Mono Book").
    static std::string NameOf(int glyph) {
        LogoObj o;
        o.lt.font = test::TestFonts::kMono;
        o.lt.glyph = glyph;
        o.MakeShapeName();
        return o.lt.str;
    }
    void SetUp() override {
        ASSERT_GT(FtText::ShapeCount(), 10);
        std::string label;
        FtText::GetSym(kShape, face_, label, glyph_);
    }

    static constexpr int kShape = 10;
    test::TestFonts fonts_;
    std::string face_;
    int glyph_ = 0;
};

TEST_F(LeFileLibraryShape, EmptyLogoGetsANewShape) {
    test::FaultCapture capture;
    LeFile lf;
    lf.ob.dh = 40;
    LogoObj* o = lf.ApplyLibraryShape(kShape);
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(lf.objs, 1);
    EXPECT_EQ(lf.GetCurObj(), o);
    EXPECT_EQ(o->type, LogoObj::kShape);
    EXPECT_EQ(o->lt.font, face_);
    EXPECT_EQ(o->lt.glyph, glyph_);
    EXPECT_EQ(o->lt.str.substr(0, 3), "EJA");
    EXPECT_EQ(o->lt.str, NameOf(glyph_));
    EXPECT_EQ(o->hint, kShape);
    EXPECT_EQ(o->y, -10);
    EXPECT_TRUE(capture.faults.empty());
}

TEST_F(LeFileLibraryShape, CurrentShapeChangesInPlaceAndTakesTheLargerSide) {
    LeFile lf;
    AddTexts(lf, "A");
    LogoObj* shape = lf.AddObj(LogoObj::kShape);
    shape->lt.size = 30;
    shape->lt.width = 70;
    shape->lt.outline = 1;
    EXPECT_EQ(lf.ApplyLibraryShape(kShape), shape);
    EXPECT_EQ(lf.objs, 2);
    EXPECT_EQ(shape->lt.glyph, glyph_);
    EXPECT_EQ(shape->lt.size, 70);
    EXPECT_EQ(shape->lt.width, 70);
    EXPECT_EQ(shape->lt.outline, 1);
}

TEST_F(LeFileLibraryShape, TextStaysAndANewShapeTakesItsLook) {
    LeFile lf;
    AddTexts(lf, "AB");
    lf.SetCurObj(0);
    LogoObj* text = lf.obj[0].get();
    text->lt.color = Hls{20, 30, 40};
    text->lt.outline = 1;
    text->lt.shadow = 1;
    text->lt.grad = 1;
    text->lt.grad_color1 = Hls{1, 2, 3};
    text->lt.size = 90;
    const ObjStyle before = text->lt;

    LogoObj* shape = lf.ApplyLibraryShape(kShape);
    ASSERT_NE(shape, nullptr);
    ASSERT_EQ(lf.objs, 3);
    EXPECT_EQ(lf.obj[2].get(), shape);
    EXPECT_EQ(lf.cur, 2);
    EXPECT_EQ(text->lt, before);
    EXPECT_EQ(shape->type, LogoObj::kShape);
    EXPECT_EQ(shape->lt.color, (Hls{20, 30, 40}));
    EXPECT_EQ(shape->lt.grad, 1);
    EXPECT_EQ(shape->lt.grad_color1, (Hls{1, 2, 3}));
    EXPECT_EQ(shape->lt.outline, 0);
    EXPECT_EQ(shape->lt.shadow, 0);
    // The content is the shape's own, not the text's.
    EXPECT_EQ(shape->lt.size, 48);
    EXPECT_EQ(shape->lt.str, NameOf(glyph_));
}

TEST_F(LeFileLibraryShape, OutOfRangeOrFullChangesNothing) {
    test::FaultCapture capture;
    LeFile lf;
    EXPECT_EQ(lf.ApplyLibraryShape(FtText::ShapeCount()), nullptr);
    EXPECT_EQ(lf.ApplyLibraryShape(-1), nullptr);
    EXPECT_EQ(lf.objs, 0);
    ASSERT_EQ(capture.faults.size(), 2u);
    EXPECT_EQ(capture.FailedExpression(0), "n<syms");

    lf.AddObj(LogoObj::kShape);
    for (int n = 1; n < kMaxObjects; ++n) lf.AddObj(LogoObj::kText);
    EXPECT_EQ(lf.ApplyLibraryShape(kShape), nullptr);
    EXPECT_EQ(lf.objs, kMaxObjects);
    EXPECT_EQ(lf.cur, kMaxObjects - 1);
    EXPECT_EQ(lf.GetCurObj()->lt, ObjStyle());
    EXPECT_EQ(capture.messages, std::vector<std::string>{kLogoFullMessage});

    // A shape can still be changed in a full logo: that adds nothing.
    lf.SetCurObj(0);
    EXPECT_EQ(lf.ApplyLibraryShape(kShape), lf.obj[0].get());
    EXPECT_EQ(lf.obj[0]->lt.glyph, glyph_);
    EXPECT_EQ(capture.faults.size(), 2u);
}

}  // namespace
}  // namespace qv
