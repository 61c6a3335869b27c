// qorvan-mkfontmap: which package each shipped face comes from, so that a logo kit can name a
// font's licence and copy its text. Reads the font manifest and writes lines of
// "face name<TAB>package", the face named by FreeType's family and style as the font library
// names it. The first file of a name wins, as in the library.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/file_io.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qorvan-mkfontmap MANIFEST OUTPUT_FILE\n");
        return 2;
    }
    std::ifstream manifest(argv[1]);
    if (!manifest) {
        std::fprintf(stderr, "qorvan-mkfontmap: cannot read %s\n", argv[1]);
        return 1;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "qorvan-mkfontmap: FreeType did not start\n");
        return 1;
    }
    std::set<std::string> names;
    std::string text;
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string kind, package, path;
        if (!(fields >> kind >> package >> path) || kind[0] == '#') continue;
        FT_Face face = nullptr;
        // The font library itself refuses a missing file; here it simply has no entry.
        if (FT_New_Face(library, path.c_str(), 0, &face) != 0) continue;
        const std::string name = std::string(face->family_name ? face->family_name : "") + " " +
                                 (face->style_name ? face->style_name : "");
        FT_Done_Face(face);
        if (names.insert(name).second) text += name + "\t" + package + "\n";
    }
    FT_Done_FreeType(library);
    if (!qv::WriteFileAtomically(argv[2], std::vector<uint8_t>(text.begin(), text.end()))) {
        std::fprintf(stderr, "qorvan-mkfontmap: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
