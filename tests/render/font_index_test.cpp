#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/install_dir.h"
#include "document/role_faces.h"
#include "render/ft_text.h"
#include "render/library_archive.h"
#include "render/library_scramble.h"
#include "tests/support/fault_capture.h"
#include "tests/support/temp_dir.h"

namespace qv {
namespace {

std::string ReadText(const std::string& path) {
    const std::vector<uint8_t> bytes = test::ReadAll(path);
    return {bytes.begin(), bytes.end()};
}

void WriteText(const std::string& path, const std::string& text) {
    test::WriteAll(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string ShippedIndexText() { return ReadText(std::string(QV_TEST_INSTALL_TREE) + "/" + kLibraryIndexPath); }

// The names of the faces loaded, in registry order.
std::vector<std::string> LoadedNames() {
    std::vector<std::string> names;
    for (const FontRecord& record : Registry().fonts) names.push_back(record.name);
    return names;
}

// What the whole shipped library answers, taken once.
struct WholeLibrary {
    int fonts = 0;
    int symbol_fonts = 0;
    std::string fallback;  // the face FindFace gives for a name it lacks
    std::vector<std::string> names;
};

const WholeLibrary& Whole() {
    static const WholeLibrary whole = [] {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        WholeLibrary w;
        FtText::InitFt();
        w.fonts = FtText::FontCount();
        w.symbol_fonts = FtText::SymbolFontCount();
        const FontRecord* first = FtText::TextFont(0);
        w.fallback = first ? first->name : "";
        w.names = LoadedNames();
        FtText::FreeFt();
        return w;
    }();
    return whole;
}

TEST(LibraryIndex, TheShippedIndexListsEveryFaceInLibraryOrder) {
    LibraryIndex index;
    ASSERT_TRUE(ParseLibraryIndex(ShippedIndexText(), index));
    std::vector<std::string> names;
    for (const LibraryIndexFont& font : index.fonts) names.push_back(font.name);
    EXPECT_EQ(names, Whole().names);
    EXPECT_EQ(FormatLibraryIndex(index), ShippedIndexText());
    for (int category = -1; category < FontRegistry::kCategories; ++category) {
        struct stat info {};
        const std::string path = std::string(QV_TEST_INSTALL_TREE) + "/" + LibraryArchivePath(category);
        ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
        EXPECT_EQ(static_cast<uint64_t>(info.st_size), index.archive_size[category + 1]) << path;
    }
}

TEST(LibraryIndex, RefusesTextThatIsNotAWholeIndex) {
    const std::string good = ShippedIndexText();
    LibraryIndex index;
    ASSERT_TRUE(ParseLibraryIndex(good, index));
    const size_t first_font = good.find("\nfont\t") + 1;
    const std::string first_line = good.substr(first_font, good.find('\n', first_font) - first_font + 1);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::vector<std::pair<const char*, std::string>> bad = {
        {"empty", ""},
        {"other header", replaced("qorvan-font-index 1", "qorvan-font-index 2")},
        {"no final newline", good.substr(0, good.size() - 1)},
        {"cut in a line", good.substr(0, first_font + 9)},
        {"archive line missing", replaced("archive\t-1\tbasgl.bgd\t", "")},
        {"archive under another path", replaced("\tbasgl.bgd\t", "\t../basgl.bgd\t")},
        {"tab out of range", replaced("font\t-1\t", "font\t11\t")},
        {"negative offset", replaced(first_line, "font\t-1\t-8\t20\t10\tX\n")},
        {"font past its archive", replaced(first_line, "font\t-1\t8\t20\t4294967295\tX\n")},
        {"font inside the header", replaced(first_line, "font\t-1\t2\t20\t10\tX\n")},
        {"number with trailing text", replaced(first_line, "font\t-1\t8\t20x\t10\tX\n")},
        {"unknown kind of line", good + "shape\t-1\t8\t20\t10\tX\n"},
        {"a tab before the symbol fonts", good + first_line},
    };
    for (const auto& [what, text] : bad) EXPECT_FALSE(ParseLibraryIndex(text, index)) << what;

    // More fonts than the library holds.
    std::string crowded = good;
    for (int n = 0; n < FontRegistry::kMaxFonts; ++n) crowded += "font\t10\t8\t20\t10\tX\n";
    EXPECT_FALSE(ParseLibraryIndex(crowded, index));
}

TEST(LibraryIndex, ArchiveEntriesAreListedWhereTheArchiveHoldsThem) {
    const std::vector<LibraryArchiveEntry> entries = {
        {"pkg/a.ttf", {1, 2, 3}}, {std::string(300, 'L'), {}}, {"pkg/c.otf", std::vector<uint8_t>(70000, 9)}};
    std::vector<uint8_t> plain = BuildLibraryArchive(entries);
    DescrambleLibrary(plain.data(), plain.size());
    std::vector<ArchiveEntryPlace> places;
    ASSERT_TRUE(ListArchiveEntries(plain.data(), plain.size(), places));
    ASSERT_EQ(places.size(), entries.size());
    for (size_t n = 0; n < entries.size(); ++n) {
        EXPECT_EQ(places[n].font_length, entries[n].data.size());
        EXPECT_TRUE(std::equal(entries[n].data.begin(), entries[n].data.end(),
                               plain.begin() + static_cast<long>(places[n].font_offset)));
    }
    EXPECT_EQ(places[0].entry_offset, 8u);
    EXPECT_EQ(places[1].entry_offset, places[0].font_offset + 3);
    plain.pop_back();
    EXPECT_FALSE(ListArchiveEntries(plain.data(), plain.size(), places));
}

class FewFaces : public testing::Test {
protected:
    // The whole library's answers are taken first, from the shipped installation.
    void SetUp() override {
        SetInstallDir(QV_TEST_INSTALL_TREE);
        Whole();
    }
    void TearDown() override {
        FtText::FreeFt();
        SetInstallDir(QV_TEST_INSTALL_TREE);
    }
};

TEST_F(FewFaces, OpensOnlyTheNamedFacesAndTheFallback) {
    const WholeLibrary& whole = Whole();
    test::FaultCapture capture;
    const std::vector<std::string> wanted = {role::kCaptionFace, role::kDefaultShapeFace, "No Such Face Regular",
                                             role::kCaptionFace};
    ASSERT_EQ(FtText::InitFtFor(wanted), 0);
    EXPECT_TRUE(capture.faults.empty());
    EXPECT_TRUE(capture.messages.empty());
    // Library order: the symbol font, then the fallback, then the caption face.
    EXPECT_EQ(LoadedNames(),
              (std::vector<std::string>{role::kDefaultShapeFace, whole.fallback, role::kCaptionFace}));
    EXPECT_EQ(FtText::SymbolFontCount(), 1);
    EXPECT_EQ(FtText::ShapeCount(), 0);
    EXPECT_TRUE(FtText::HasFace(role::kCaptionFace));
    EXPECT_TRUE(FtText::HasFace(role::kDefaultShapeFace));
    EXPECT_FALSE(FtText::HasFace("No Such Face Regular"));
    EXPECT_FALSE(FtText::HasFace(role::kBrandFace));
    FT_Face missing = FtText::FindFace("No Such Face Regular");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(std::string(missing->family_name) + " " + missing->style_name, whole.fallback);
    for (const FontRecord& record : Registry().fonts) EXPECT_FALSE(record.label.empty()) << record.name;
}

TEST_F(FewFaces, NoNamesStillGiveTheFallback) {
    ASSERT_EQ(FtText::InitFtFor({}), 0);
    EXPECT_EQ(LoadedNames(), std::vector<std::string>{Whole().fallback});
    EXPECT_EQ(FtText::SymbolFontCount(), 0);
}

// Renders the same records with the whole library and with only their faces.
TEST_F(FewFaces, RasterIsTheSameAsWithTheWholeLibrary) {
    std::vector<ObjStyle> styles(3);
    styles[0].str = "Qorvan";
    styles[0].font = role::kBrandFace;
    styles[0].outline = styles[0].shadow = 1;
    styles[0].strength = 4;
    styles[1].str = "Fallback";
    styles[1].font = "No Such Face Regular";
    styles[2].str = "shape";
    styles[2].font = role::kArrowFace;
    styles[2].glyph = role::kArrowGlyph;
    styles[2].outline = 1;
    const auto render_all = [&] {
        std::vector<std::vector<uint8_t>> out;
        for (const ObjStyle& lt : styles) {
            FtText ft;
            ft.scale = 3.0f;
            ft.Render(lt, 0, 1);
            out.emplace_back(ft.raster.data(), ft.raster.data() + ft.raster.size());
            out.emplace_back(ft.mask.data(), ft.mask.data() + ft.mask.size());
        }
        return out;
    };
    ASSERT_EQ(FtText::InitFt(), 0);
    const auto whole = render_all();
    FtText::FreeFt();
    ASSERT_EQ(FtText::InitFtFor({role::kBrandFace, "No Such Face Regular", role::kArrowFace}), 0);
    ASSERT_LT(FtText::FontCount(), 5);
    EXPECT_EQ(render_all(), whole);
    EXPECT_FALSE(whole[0].empty());
    EXPECT_FALSE(whole[4].empty());
}

// An installation whose archives are the shipped ones and whose index is whatever a case
// writes.
class IndexedInstallation : public FewFaces {
protected:
    void SetUp() override {
        FewFaces::SetUp();
        const std::string shipped = QV_TEST_INSTALL_TREE;
        ASSERT_EQ(mkdir(dir_.File("embedded").c_str(), 0700), 0);
        for (int category = -1; category < FontRegistry::kCategories; ++category) {
            const std::string path = LibraryArchivePath(category);
            ASSERT_EQ(symlink((shipped + "/" + path).c_str(), dir_.File(path).c_str()), 0);
        }
        SetInstallDir(dir_.path());
    }
    void WriteIndex(const std::string& text) { WriteText(dir_.File(kLibraryIndexPath), text); }
    // Loads with a few names; true when that read the whole library instead, without a word.
    bool LoadedTheWholeLibrary() {
        test::FaultCapture capture;
        EXPECT_EQ(FtText::InitFtFor({role::kBrandFace}), 0);
        EXPECT_TRUE(capture.faults.empty());
        EXPECT_TRUE(capture.messages.empty());
        EXPECT_TRUE(FtText::HasFace(role::kBrandFace));
        return LoadedNames() == Whole().names && FtText::ShapeCount() > 0;
    }
    test::TempDir dir_;
};

TEST_F(IndexedInstallation, AGoodIndexIsUsed) {
    WriteIndex(ShippedIndexText());
    EXPECT_FALSE(LoadedTheWholeLibrary());
    EXPECT_EQ(FtText::FontCount(), 2);
}

// The damage is reported as the whole library's reader reports it, though the named face is
// elsewhere.
TEST_F(IndexedInstallation, AMissingArchiveIsReportedEvenWhenNoNamedFaceIsInIt) {
    WriteIndex(ShippedIndexText());
    ASSERT_EQ(unlink(dir_.File(LibraryArchivePath(2)).c_str()), 0);
    test::FaultCapture capture;
    EXPECT_EQ(FtText::InitFtFor({role::kBrandFace}), FtText::kArchiveDamaged);
    EXPECT_EQ(capture.messages, std::vector<std::string>{kDamagedInstallationMessage});
    EXPECT_TRUE(FtText::HasFace(role::kBrandFace));
}

TEST_F(IndexedInstallation, WithoutAnIndexTheWholeLibraryIsRead) { EXPECT_TRUE(LoadedTheWholeLibrary()); }

TEST_F(IndexedInstallation, ADamagedIndexMeansTheWholeLibrary) {
    WriteIndex(ShippedIndexText().substr(0, 200));
    EXPECT_TRUE(LoadedTheWholeLibrary());
}

TEST_F(IndexedInstallation, AnIndexThatDoesNotFitTheArchivesMeansTheWholeLibrary) {
    LibraryIndex shipped;
    ASSERT_TRUE(ParseLibraryIndex(ShippedIndexText(), shipped));
    LibraryIndexFont* brand = nullptr;
    for (LibraryIndexFont& font : shipped.fonts) {
        if (font.name == role::kBrandFace) brand = &font;
    }
    ASSERT_NE(brand, nullptr);
    const LibraryIndexFont kept = *brand;
    const auto fails_with = [&](const char* what, auto change) {
        SCOPED_TRACE(what);
        LibraryIndex index = shipped;
        for (LibraryIndexFont& font : index.fonts) {
            if (font.name == role::kBrandFace) change(index, font);
        }
        WriteIndex(FormatLibraryIndex(index));
        EXPECT_TRUE(LoadedTheWholeLibrary());
        FtText::FreeFt();
    };
    fails_with("font moved", [](LibraryIndex&, LibraryIndexFont& font) { ++font.place.font_offset; });
    fails_with("font shorter", [](LibraryIndex&, LibraryIndexFont& font) { --font.place.font_length; });
    fails_with("entry moved", [](LibraryIndex&, LibraryIndexFont& font) { font.place.entry_offset += 3; });
    fails_with("archive of another size",
               [](LibraryIndex& index, LibraryIndexFont& font) { ++index.archive_size[font.category + 1]; });
    fails_with("another face's place", [&](LibraryIndex& index, LibraryIndexFont& font) {
        for (const LibraryIndexFont& other : index.fonts) {
            if (other.category == kept.category && other.name != kept.name) {
                font.place = other.place;
                break;
            }
        }
    });
}

}  // namespace
}  // namespace qv
