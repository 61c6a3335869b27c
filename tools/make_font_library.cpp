// Builds the installation's font library from the font files named in the manifest: the shape
// library basgl.bgd from the symbol fonts, in manifest order, and embedded/emb1..11.gld from
// the text fonts, one archive per tab, each sorted by face name, and embedded/index.txt, which
// says where each face lies so that a process needing a few faces reads only those. The
// licence texts of the font packages are copied beside them, and fontcategories.txt gives each
// text face's category. The fallback faces go, in manifest order, to embedded/fallback.gld,
// apart from the tabs.
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
#include "render/library_scramble.h"
#include "render/typeface_category.h"

namespace {

struct ManifestLine {
    std::string kind;
    std::string package;
    std::string path;
    std::string category;
    int line = 0;
};

struct Font {
    std::string name;
    std::string package;
    std::string path;
    std::string category;
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
        const bool paths = static_cast<bool>(fields >> line.package >> line.path);
        fields >> line.category;
        std::string extra;
        const bool text_line = line.kind == "text" && qv::IsTypefaceCategory(line.category);
        const bool plain_line =
            (line.kind == "symbol" || line.kind == "fallback") && line.category.empty();
        if (!paths || fields >> extra || (!text_line && !plain_line)) {
            std::fprintf(stderr,
                         "%s:%d: expected 'text PACKAGE PATH CATEGORY' (CATEGORY one of serif, sans, "
                         "slab, script, handwriting, display, monospace) or "
                         "'symbol|fallback PACKAGE PATH'\n",
                         path.c_str(), number);
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

// Writes the archive of one category and adds its fonts to the index, placed as the archive
// itself says: the written bytes are read back rather than their layout assumed.
bool WriteArchive(const std::string& out_dir, int category, const std::vector<const Font*>& fonts,
                  qv::LibraryIndex& index) {
    const std::string path = out_dir + "/" + qv::LibraryArchivePath(category);
    std::vector<qv::LibraryArchiveEntry> entries;
    entries.reserve(fonts.size());
    for (const Font* font : fonts) {
        entries.push_back({font->package + "/" + FileName(font->path), font->data});
    }
    const std::vector<uint8_t> bytes = qv::BuildLibraryArchive(entries);
    if (!qv::WriteFileAtomically(path, bytes)) {
        std::fprintf(stderr, "qorvan-mkfonts: cannot write %s\n", path.c_str());
        return false;
    }
    std::vector<uint8_t> plain = bytes;
    qv::DescrambleLibrary(plain.data(), plain.size());
    std::vector<qv::ArchiveEntryPlace> places;
    if (!qv::ListArchiveEntries(plain.data(), plain.size(), places) || places.size() != fonts.size()) {
        std::fprintf(stderr, "qorvan-mkfonts: %s does not read back\n", path.c_str());
        return false;
    }
    index.archive_size[category + 1] = bytes.size();
    for (size_t n = 0; n < fonts.size(); ++n) index.fonts.push_back({fonts[n]->name, category, places[n]});
    return true;
}

// A name on a line of its own; a line break in a face name would end it early.
bool FitsIndex(const qv::LibraryIndex& index) {
    for (const qv::LibraryIndexFont& font : index.fonts) {
        if (font.name.find_first_of("\r\n") != std::string::npos) return false;
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
    std::vector<Font> fallbacks;
    std::set<std::string> names;
    std::set<std::string> fallback_names;
    for (const ManifestLine& line : lines) {
        Font font{"", line.package, line.path, line.category, {}};
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
        // Fallback faces are found by character, never by name, so they may share a name with
        // a text face.
        if (line.kind == "fallback") {
            if (fallback_names.insert(font.name).second) fallbacks.push_back(std::move(font));
            continue;
        }
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
    qv::LibraryIndex index;
    std::vector<const Font*> symbol_fonts;
    for (const Font& font : symbols) symbol_fonts.push_back(&font);
    if (!WriteArchive(out_dir, -1, symbol_fonts, index)) return 1;

    std::vector<const Font*> tabs[qv::FontRegistry::kCategories];
    for (const Font& font : texts) tabs[qv::FontCategoryForName(font.name)].push_back(&font);
    for (int tab = 0; tab < qv::FontRegistry::kCategories; ++tab) {
        std::sort(tabs[tab].begin(), tabs[tab].end(),
                  [](const Font* a, const Font* b) { return a->name < b->name; });
        if (!WriteArchive(out_dir, tab, tabs[tab], index)) return 1;
        std::printf("  %-6s %3zu text fonts\n", qv::kFontCategoryNames[tab], tabs[tab].size());
    }
    {
        std::vector<qv::LibraryArchiveEntry> entries;
        for (const Font& font : fallbacks) {
            entries.push_back({font.package + "/" + FileName(font.path), font.data});
        }
        const std::string path = out_dir + "/" + qv::kFallbackArchivePath;
        if (!qv::WriteFileAtomically(path, qv::BuildLibraryArchive(entries))) {
            std::fprintf(stderr, "qorvan-mkfonts: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("  %zu fallback fonts\n", fallbacks.size());
    }
    // Without an index every process reads the whole library, which is slower but the same.
    const std::string index_path = out_dir + "/" + qv::kLibraryIndexPath;
    if (FitsIndex(index)) {
        const std::string text = qv::FormatLibraryIndex(index);
        if (!qv::WriteFileAtomically(index_path, std::vector<uint8_t>(text.begin(), text.end()))) {
            std::fprintf(stderr, "qorvan-mkfonts: cannot write %s\n", index_path.c_str());
            return 1;
        }
    } else {
        std::fprintf(stderr, "qorvan-mkfonts: a face name holds a line break; no index written\n");
        std::remove(index_path.c_str());
    }

    std::string categories;
    for (const Font& font : texts) categories += font.name + "\t" + font.category + "\n";
    const std::string categories_path = out_dir + "/" + qv::kTypefaceCategoriesPath;
    if (!qv::WriteFileAtomically(categories_path, std::vector<uint8_t>(categories.begin(), categories.end()))) {
        std::fprintf(stderr, "qorvan-mkfonts: cannot write %s\n", categories_path.c_str());
        return 1;
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
