#include "tests/support/test_fonts.h"

#include <string>
#include <vector>

#include "app/file_io.h"
#include "app/install_dir.h"
#include "render/ft_text.h"
#include "render/library_archive.h"

namespace qv::test {
namespace {

std::vector<uint8_t> FontFile(const char* path) {
    std::vector<uint8_t> bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

void WriteArchive(const std::string& path, const std::vector<LibraryArchiveEntry>& entries) {
    WriteAll(path, BuildLibraryArchive(entries));
}

}  // namespace

TestFonts::TestFonts(Fallbacks fallbacks) {
    FtText::FreeFt();
    MakeDirectories(dir_.path() + "/embedded");
    WriteArchive(dir_.path() + "/basgl.bgd", {{"mono", FontFile(QV_TEST_FONT_MONO)}});
    WriteArchive(dir_.path() + "/embedded/emb4.gld", {{"sans", FontFile(QV_TEST_FONT_SANS)}});
    for (int n = 1; n <= 11; ++n) {
        if (n == 4) continue;
        std::vector<LibraryArchiveEntry> entries;
        if (n == 11) entries.push_back({"serif", FontFile(QV_TEST_FONT_SERIF)});
        if (n == 3 && fallbacks == Fallbacks::kNoto) {
            entries.push_back({"latin", FontFile(QV_TEST_FONT_LATIN_ONLY)});
        }
        WriteArchive(dir_.path() + "/embedded/emb" + std::to_string(n) + ".gld", entries);
    }
    if (fallbacks == Fallbacks::kNoto) {
        WriteArchive(dir_.path() + "/" + kFallbackArchivePath,
                     {{"noto", FontFile(QV_TEST_FONT_FALLBACK_LATIN)},
                      {"arabic", FontFile(QV_TEST_FONT_FALLBACK_ARABIC)}});
    }
    SetInstallDir(dir_.path());
    FtText::InitFt();
}

TestFonts::~TestFonts() { FtText::FreeFt(); }

}  // namespace qv::test
