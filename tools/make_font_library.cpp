// Builds the installation's font library from the font files named in the manifest: the shape
// library basgl.bgd from the symbol fonts, in manifest order, and embedded/emb1..11.gld from
// the text fonts, one archive per tab, each sorted by face name. The licence texts of the font
// packages are copied beside them.
//
//   qorvan-mkfonts MANIFEST OUTPUT_DIR

#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/file_io.h"
#include "render/font_registry.h"
#include "render/library_archive.h"

namespace {

struct ManifestLine {
    std::string kind;
    std::string package;
    std::string path;
    int line = 0;
};

struct Font {
    std::string name;
    std::string package;
    std::string path;
    std::vector<uint8_t> data;
};

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

std::string FileName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ParseManifest(const std::string& path, std::vector<ManifestLine>& lines) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "qorvan-mkfonts: cannot read %s\n", path.c_str());
        return false;
    }
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        const auto hash = text.find('#');
        if (hash != std::string::npos) text.erase(hash);
        std::istringstream fields(text);
        ManifestLine line;
        line.line = number;
        if (!(fields >> line.kind)) continue;
        if (!(fields >> line.package >> line.path) || (line.kind != "text" && line.kind != "symbol")) {
            std::fprintf(stderr, "%s:%d: expected 'text|symbol PACKAGE PATH'\n", path.c_str(), number);
            return false;
        }
        lines.push_back(line);
    }
    return true;
}

bool HasLatin(FT_Face face) {
    for (const char* c = "AZaz09"; *c; ++c) {
        if (FT_Get_Char_Index(face, static_cast<FT_ULong>(*c)) == 0) return false;
    }
    return true;
}

bool WriteArchive(const std::string& path, const std::vector<const Font*>& fonts) {
    std::vector<qv::LibraryArchiveEntry> entries;
    entries.reserve(fonts.size());
    for (const Font* font : fonts) {
        entries.push_back({font->package + "/" + FileName(font->path), font->data});
    }
    if (!qv::WriteFileAtomically(path, qv::BuildLibraryArchive(entries))) {
        std::fprintf(stderr, "qorvan-mkfonts: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qorvan-mkfonts MANIFEST OUTPUT_DIR\n");
        return 2;
    }
    const std::string out_dir = argv[2];
    std::vector<ManifestLine> lines;
    if (!ParseManifest(argv[1], lines)) return 1;

    // Every missing package is named at once, so one apt-get call fixes the build.
    std::set<std::string> missing;
    for (const ManifestLine& line : lines) {
        if (!Exists(line.path)) missing.insert(line.package);
    }
    if (!missing.empty()) {
        std::string names;
        for (const std::string& name : missing) names += " " + name;
        std::fprintf(stderr,
                     "qorvan-mkfonts: font package(s) missing:%s\n"
                     "Install them with: apt-get install%s\n",
                     names.c_str(), names.c_str());
        return 1;
    }

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "qorvan-mkfonts: FreeType did not start\n");
        return 1;
    }
    std::vector<Font> symbols;
    std::vector<Font> texts;
    std::set<std::string> names;
    for (const ManifestLine& line : lines) {
        Font font{"", line.package, line.path, {}};
        if (!qv::ReadFileBytes(line.path, font.data)) {
            std::fprintf(stderr, "qorvan-mkfonts: cannot read %s\n", line.path.c_str());
            return 1;
        }
        FT_Face face = nullptr;
        if (FT_New_Memory_Face(library, font.data.data(), static_cast<FT_Long>(font.data.size()), 0,
                               &face) != 0) {
            std::fprintf(stderr, "qorvan-mkfonts: FreeType cannot open %s (%s)\n",
                         line.path.c_str(), line.package.c_str());
            return 1;
        }
        font.name = std::string(face->family_name ? face->family_name : "") + " " +
                    (face->style_name ? face->style_name : "");
        const bool latin = HasLatin(face);
        FT_Done_Face(face);
        if (!names.insert(font.name).second) {
            std::fprintf(stderr, "qorvan-mkfonts: %s repeats the face name \"%s\"; left out\n",
                         line.path.c_str(), font.name.c_str());
            continue;
        }
        if (line.kind == "text" && !latin) {
            std::fprintf(stderr, "qorvan-mkfonts: %s lacks basic Latin letters; left out\n",
                         line.path.c_str());
            continue;
        }
        (line.kind == "symbol" ? symbols : texts).push_back(std::move(font));
    }
    FT_Done_FreeType(library);

    if (!qv::MakeDirectories(out_dir + "/embedded") || !qv::MakeDirectories(out_dir + "/licenses")) {
        std::fprintf(stderr, "qorvan-mkfonts: cannot create folders in %s\n", out_dir.c_str());
        return 1;
    }
    std::vector<const Font*> symbol_fonts;
    for (const Font& font : symbols) symbol_fonts.push_back(&font);
    if (!WriteArchive(out_dir + "/basgl.bgd", symbol_fonts)) return 1;

    std::vector<const Font*> tabs[qv::FontRegistry::kCategories];
    for (const Font& font : texts) tabs[qv::FontCategoryForName(font.name)].push_back(&font);
    for (int tab = 0; tab < qv::FontRegistry::kCategories; ++tab) {
        std::sort(tabs[tab].begin(), tabs[tab].end(),
                  [](const Font* a, const Font* b) { return a->name < b->name; });
        const std::string path = out_dir + "/embedded/emb" + std::to_string(tab + 1) + ".gld";
        if (!WriteArchive(path, tabs[tab])) return 1;
        std::printf("  %-6s %3zu text fonts\n", qv::kFontCategoryNames[tab], tabs[tab].size());
    }

    std::set<std::string> packages;
    for (const ManifestLine& line : lines) packages.insert(line.package);
    for (const std::string& package : packages) {
        std::vector<uint8_t> licence;
        const std::string source = "/usr/share/doc/" + package + "/copyright";
        if (!qv::ReadFileBytes(source, licence) ||
            !qv::WriteFileAtomically(out_dir + "/licenses/" + package + ".txt", licence)) {
            std::fprintf(stderr, "qorvan-mkfonts: cannot copy the licence of %s\n", package.c_str());
            return 1;
        }
    }
    std::printf("font library: %zu symbol fonts, %zu text fonts from %zu packages\n",
                symbols.size(), texts.size(), packages.size());
    return 0;
}
