#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/byte_writer.h"
#include "persist/project_file.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> v;
    for (int b : values) v.push_back(static_cast<uint8_t>(b));
    return v;
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& v, size_t from, size_t count) {
    return {v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(from + count)};
}

// A document that exercises every field of the format.
void FillSample(LeFile& lf) {
    lf.bgc = {12.5f, 240, 7};
    lf.fixed = 1;
    lf.cw = 640;
    lf.ch = 480;
    LogoObj* text = lf.AddObj(0);
    text->lt.str = "Caf\xC3\xA9 du Monde";  // UTF-8, written in code page 1252
    text->lt.font = "Some \xC3\xBF\xC3\xBE Face";
    text->x = -120;
    text->y = -33;
    text->w = 300;
    text->h = 90;
    text->lt.spacing = -3;
    text->lt.rotation = 0.125f;
    text->lt.grad = 1;
    text->lt.grad_color2 = {255, 255, 255};
    text->lt.shadow_opacity = 0.3f;
    LogoObj* shape = lf.AddObj(1);
    shape->lt.glyph = 77;
    shape->lt.width = 120;
    shape->lt.outline = 1;
    shape->x = 15;
    lf.cur = -1;
}

void ExpectSameValue(const LeFile& a, const LeFile& b) {
    EXPECT_EQ(a.objs, b.objs);
    EXPECT_EQ(a.cur, b.cur);
    EXPECT_EQ(a.bgc, b.bgc);
    EXPECT_EQ(a.fixed, b.fixed);
    EXPECT_EQ(a.cw, b.cw);
    EXPECT_EQ(a.ch, b.ch);
    for (int n = 0; n < std::min(a.objs, b.objs); ++n) {
        const LogoObj& x = *a.obj[n];
        const LogoObj& y = *b.obj[n];
        EXPECT_EQ(x.lt, y.lt) << n;
        EXPECT_EQ(x.path, y.path);
        EXPECT_EQ(x.x, y.x);
        EXPECT_EQ(x.y, y.y);
        EXPECT_EQ(x.w, y.w);
        EXPECT_EQ(x.h, y.h);
        EXPECT_EQ(x.type, y.type);
    }
}

TEST(ProjectFile, EmptyDocumentIsFortyBytes) {
    LeFile lf;
    lf.cw = 3;
    lf.ch = 4;
    const std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    ASSERT_EQ(bytes.size(), 40u);
    EXPECT_EQ(Slice(bytes, 0, 8), Bytes({0xDF, 0x39, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(Slice(bytes, 8, 12), Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x70, 0x43}));  // (0,0,240)
    EXPECT_EQ(Slice(bytes, 20, 20),
              Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}));
}

TEST(ProjectFile, DefaultTextObjectRecordLayout) {
    LeFile lf;
    LogoObj* o = lf.AddObj(0);
    o->lt.font = "Accidental Presidency Regular";  // 29 characters
    const std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    ASSERT_EQ(bytes.size(), 40u + 219u);
    const size_t rec = 40;
    EXPECT_EQ(Slice(bytes, rec, 12), Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes[rec + 12], 8);  // "New Text"
    EXPECT_EQ(std::string(bytes.begin() + rec + 13, bytes.begin() + rec + 21), "New Text");
    const size_t font = rec + 12 + 9 + 144;
    EXPECT_EQ(Slice(bytes, font, 4), Bytes({0x1D, 0, 0, 0}));
    EXPECT_EQ(bytes[font + 4], 'A');
    EXPECT_EQ(bytes[font + 5], 'c' + 1);
    EXPECT_EQ(bytes[font + 4 + 28], static_cast<uint8_t>('r' + 28));
    EXPECT_EQ(bytes[font + 33], 0);  // empty source path
    EXPECT_EQ(Slice(bytes, font + 34, 20), Bytes({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ProjectFile, ShiftedNameWrapsModulo256) {
    LeFile lf;
    LogoObj* o = lf.AddObj(0);
    o->lt.font = "abc";
    o->lt.str = "";
    std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    const size_t font = 40 + 12 + 1 + 144;
    EXPECT_EQ(Slice(bytes, font, 7), Bytes({3, 0, 0, 0, 0x61, 0x63, 0x65}));
    o->lt.font = "\xC3\xBF\xC3\xBE\xC3\xBD";  // code page bytes FF FE FD
    bytes = WriteProjectBytes(lf);
    EXPECT_EQ(Slice(bytes, font + 4, 3), Bytes({0xFF, 0xFF, 0xFF}));
    LeFile back;
    ASSERT_EQ(ReadProjectBytes(bytes.data(), bytes.size(), back), ProjectReadResult::kOk);
    EXPECT_EQ(back.GetObj(0)->lt.font, "\xC3\xBF\xC3\xBE\xC3\xBD");
}

TEST(ProjectFile, LongTextsTakeTheLongerPrefix) {
    LeFile lf;
    LogoObj* o = lf.AddObj(0);
    o->lt.str = std::string(254, 'x');
    EXPECT_EQ(WriteProjectBytes(lf)[40 + 12], 0xFE);
    o->lt.str = std::string(255, 'x');
    EXPECT_EQ(Slice(WriteProjectBytes(lf), 40 + 12, 3), Bytes({0xFF, 0xFF, 0x00}));
}

TEST(ProjectFile, RoundTripKeepsEveryField) {
    LeFile lf;
    FillSample(lf);
    const std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    LeFile back;
    ASSERT_EQ(ReadProjectBytes(bytes.data(), bytes.size(), back), ProjectReadResult::kOk);
    ExpectSameValue(lf, back);
    EXPECT_EQ(back.GetObj(0)->lt.grad_color2, (Hls{255, 255, 255}));
    EXPECT_EQ(back.GetObj(0)->hint, 0);
    EXPECT_EQ(WriteProjectBytes(back), bytes);
}

// Texts and names beyond code page 1252: the texts in the UTF-16
// form, the face name as UTF-8 in its shifted field; every character read back, and the file
// written again byte for byte.
TEST(ProjectFile, UnicodeTextsRoundTripByteForByte) {
    const std::string lodz = "\xC5\x81\xC3\xB3\x64\xC5\xBA";
    const std::string arabic = "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85 \xF0\x9F\x98\x80";
    const std::string cyrillic_face = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 Sans";
    LeFile lf;
    FillSample(lf);
    lf.GetObj(0)->lt.str = lodz;
    lf.GetObj(0)->lt.font = cyrillic_face;
    LogoObj* second = lf.AddObj(0);
    second->lt.str = arabic;
    const std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    const size_t text = 40 + 12;
    EXPECT_EQ(Slice(bytes, text, 12), Bytes({0xFF, 0xFE, 0xFF, 0x04, 0x41, 0x01, 0xF3, 0x00, 0x64, 0x00, 0x7A, 0x01}));
    const size_t font = text + 12 + 144;
    EXPECT_EQ(Slice(bytes, font, 4), Bytes({int(cyrillic_face.size()), 0, 0, 0}));
    EXPECT_EQ(bytes[font + 4], 0xD0);
    EXPECT_EQ(bytes[font + 5], 0x9C + 1);
    LeFile back;
    ASSERT_EQ(ReadProjectBytes(bytes.data(), bytes.size(), back), ProjectReadResult::kOk);
    ExpectSameValue(lf, back);
    EXPECT_EQ(back.GetObj(0)->lt.str, lodz);
    EXPECT_EQ(back.GetObj(0)->lt.font, cyrillic_face);
    EXPECT_EQ(back.GetObj(2)->lt.str, arabic);
    EXPECT_EQ(WriteProjectBytes(back), bytes);
}

// A lone surrogate in a file reads as U+FFFD and the rest of the project reads on.
TEST(ProjectFile, LoneSurrogateReadsAsTheReplacementCharacter) {
    LeFile lf;
    LogoObj* o = lf.AddObj(0);
    o->lt.str = "\xD0\x96z";  // Zhe, z: the UTF-16 form
    o->x = 77;
    std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    const size_t text = 40 + 12;
    ASSERT_EQ(Slice(bytes, text, 8), Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x16, 0x04, 0x7A, 0x00}));
    bytes[text + 4] = 0x00;
    bytes[text + 5] = 0xD8;
    LeFile back;
    ASSERT_EQ(ReadProjectBytes(bytes.data(), bytes.size(), back), ProjectReadResult::kOk);
    EXPECT_EQ(back.GetObj(0)->lt.str, "\xEF\xBF\xBDz");
    EXPECT_EQ(back.GetObj(0)->x, 77);
}

TEST(ProjectFile, VersionOneHasNoCanvasFields) {
    ByteWriter w;
    w.WriteI32(14815);
    w.WriteI32(1);
    w.WriteF32(0);
    w.WriteF32(0);
    w.WriteF32(120);
    w.WriteI32(1);
    w.WriteI32(0);
    LeFile one;
    one.AddObj(0)->lt.str = "old";
    const std::vector<uint8_t> v2 = WriteProjectBytes(one);
    w.WriteBytes(v2.data() + 40, v2.size() - 40);  // the record right at offset 28

    LeFile lf;
    lf.cw = 321;
    lf.ch = 123;
    lf.fixed = 1;
    ASSERT_EQ(ReadProjectBytes(w.Bytes().data(), w.Bytes().size(), lf), ProjectReadResult::kOk);
    EXPECT_EQ(lf.fixed, 0);
    EXPECT_EQ(lf.cw, 321);
    EXPECT_EQ(lf.ch, 123);
    ASSERT_EQ(lf.objs, 1);
    EXPECT_EQ(lf.GetObj(0)->lt.str, "old");
}

TEST(ProjectFile, CurrentIndexOutOfRangeIsCorrected) {
    LeFile lf;
    FillSample(lf);
    std::vector<uint8_t> bytes = WriteProjectBytes(lf);
    for (int32_t cur : {2, 99, -2, INT32_MIN}) {
        for (int k = 0; k < 4; ++k) bytes[24 + size_t(k)] = static_cast<uint8_t>(uint32_t(cur) >> (8 * k));
        LeFile back;
        ASSERT_EQ(ReadProjectBytes(bytes.data(), bytes.size(), back), ProjectReadResult::kOk);
        EXPECT_EQ(back.cur, -1) << cur;
    }
}

// A read that fails leaves the document exactly as it was, whatever was wrong with the file.
TEST(ProjectFile, DamagedFilesLeaveTheDocumentUnchanged) {
    LeFile sample;
    FillSample(sample);
    const std::vector<uint8_t> good = WriteProjectBytes(sample);

    std::vector<std::pair<std::string, std::vector<uint8_t>>> broken;
    auto with = [&](size_t at, std::initializer_list<int> values) {
        std::vector<uint8_t> b = good;
        size_t i = at;
        for (int v : values) b[i++] = static_cast<uint8_t>(v);
        return b;
    };
    broken.push_back({"magic", with(0, {0xDE})});
    broken.push_back({"version 3", with(4, {3})});
    broken.push_back({"version -1", with(4, {0xFF, 0xFF, 0xFF, 0xFF})});
    broken.push_back({"record marker", with(40, {1})});
    broken.push_back({"style version", with(44, {9})});
    broken.push_back({"count 101", with(20, {101})});
    broken.push_back({"count huge", with(20, {0xFF, 0xFF, 0xFF, 0x7F})});
    broken.push_back({"count negative", with(20, {0xFF, 0xFF, 0xFF, 0xFF})});
    broken.push_back({"count beyond data", with(20, {3})});
    broken.push_back({"text length beyond end", with(52, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})});
    broken.push_back({"type 7", with(good.size() - 4, {7})});
    for (size_t keep = 0; keep < good.size(); ++keep) {
        broken.push_back({"cut at " + std::to_string(keep), Slice(good, 0, keep)});
    }
    const size_t font_count = 40 + 12 + 1 + 15 + 144;
    broken.push_back({"font length beyond end", with(font_count, {0xFF, 0xFF, 0xFF, 0x70})});

    for (const auto& [what, bytes] : broken) {
        SCOPED_TRACE(what);
        LeFile lf;
        lf.AddObj(1)->x = 42;
        lf.bgc = {1, 2, 3};
        EXPECT_NE(ReadProjectBytes(bytes.data(), bytes.size(), lf), ProjectReadResult::kOk);
        ASSERT_EQ(lf.objs, 1);
        EXPECT_EQ(lf.GetObj(0)->x, 42);
        EXPECT_EQ(lf.bgc, (Hls{1, 2, 3}));
    }
}

TEST(ProjectFile, LoadAndSaveReportWithTheirMessages) {
    test::FaultCapture capture;
    test::TempDir dir;
    LeFile lf;
    EXPECT_FALSE(LoadProject(dir.File("missing.kuz"), lf));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0], "File could not be opened: " + dir.File("missing.kuz"));

    test::WriteAll(dir.File("other.kuz"), Bytes({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(LoadProject(dir.File("other.kuz"), lf));
    EXPECT_EQ(capture.messages[1], "File could not be opened by this version of the software.");

    EXPECT_FALSE(SaveProject(dir.File("no/such/folder.kuz"), lf));
    EXPECT_EQ(capture.messages[2], "File could not be saved: " + dir.File("no/such/folder.kuz"));

    FillSample(lf);
    ASSERT_TRUE(SaveProject(dir.File("a.kuz"), lf));
    LeFile back;
    ASSERT_TRUE(LoadProject(dir.File("a.kuz"), back));
    ExpectSameValue(lf, back);
    EXPECT_EQ(capture.messages.size(), 3u);
}

// A project path that is a FIFO or a device is refused at once instead of being waited on or
// read without end.
TEST(ProjectFile, AFifoOrDeviceIsNotAProject) {
    test::FaultCapture capture;
    test::TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe.kuz").c_str(), 0600), 0);
    LeFile lf;
    EXPECT_FALSE(LoadProject(dir.File("pipe.kuz"), lf));
    EXPECT_FALSE(LoadProject("/dev/zero", lf));
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0], "File could not be opened: " + dir.File("pipe.kuz"));
    EXPECT_EQ(lf.objs, 0);
}

TEST(ProjectFile, AFailedSaveKeepsThePreviousFile) {
    test::FaultCapture capture;
    test::TempDir dir;
    const std::string path = dir.File("logo.kuz");
    LeFile first;
    first.AddObj(0)->lt.str = "first";
    ASSERT_TRUE(SaveProject(path, first));
    const std::vector<uint8_t> before = test::ReadAll(path);

    // Block the temporary file the save writes first, so the write fails part-way.
    ASSERT_EQ(mkdir((path + ".tmp" + std::to_string(getpid())).c_str(), 0755), 0);
    LeFile second;
    FillSample(second);
    EXPECT_FALSE(SaveProject(path, second));
    EXPECT_EQ(test::ReadAll(path), before);
    EXPECT_EQ(capture.messages.back(), "File could not be saved: " + path);
}

TEST(ProjectFile, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    test::FaultCapture capture;
    test::TempDir dir;
    const std::string path = dir.File("logo.kuz");
    LeFile lf;
    ASSERT_TRUE(SaveProject(path, lf));
    const std::vector<uint8_t> before = test::ReadAll(path);
    chmod(dir.path().c_str(), 0555);
    lf.AddObj(0);
    EXPECT_FALSE(SaveProject(path, lf));
    chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(test::ReadAll(path), before);
}

}  // namespace
}  // namespace qv
