// qorvan-mkshapes: names and keywords for every shape of the built font library, written to
// shapes.txt beside it. A shape is named, in this order of preference, by the curated names
// file, by the Unicode name of the symbol it is drawn for, by the glyph's own name in its font
// where that name describes the picture, or by the word the font's ligatures spell for it.
// A mistake in the keyword or names file fails the build with its line.
//
//   qorvan-mkshapes DATA_DIR INSTALL_DIR

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/fault_report.h"
#include "app/file_io.h"
#include "app/install_dir.h"
#include "app/user_message.h"
#include "render/ft_text.h"
#include "render/shape_catalogue.h"
#include "render/shape_keywords.h"
#include "render/shape_text.h"
#include "tools/gsub_ligatures.h"

namespace {

constexpr const char* kTool = "qorvan-mkshapes";

// True when `text` is `least` to `most` characters, all of `allowed`.
bool AllOf(const std::string& text, size_t least, size_t most, const char* allowed) {
    return text.size() >= least && text.size() <= most &&
           text.find_first_not_of(allowed) == std::string::npos;
}

constexpr const char* kDigits = "0123456789";
constexpr const char* kHex = "0123456789ABCDEFabcdef";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool ReadText(const std::string& path, std::string& text) {
    std::vector<uint8_t> bytes;
    if (!qv::ReadFileBytes(path, bytes)) {
        std::fprintf(stderr, "%s: cannot read %s\n", kTool, path.c_str());
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

// Curated names: "face<TAB>glyph<TAB>name", or '*' for the glyph to name every unnamed shape
// of the face by the name and its number within the face.
struct CuratedNames {
    std::map<std::pair<std::string, int>, std::string> glyphs;
    std::map<std::string, std::string> faces;
};

bool ParseNames(const std::string& path, const std::string& text, CuratedNames& names) {
    const std::vector<std::string> lines = Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> fields = Split(line, '\t');
        const std::string name = fields.size() == 3 ? qv::NormalizeSearchText(fields[2]) : "";
        bool ok = fields.size() == 3 && !fields[0].empty() && !name.empty();
        if (ok && fields[1] == "*") {
            ok = names.faces.emplace(fields[0], name).second;
        } else if (ok) {
            ok = AllOf(fields[1], 1, 6, kDigits) &&
                 names.glyphs.emplace(std::make_pair(fields[0], std::stoi(fields[1])), name).second;
        }
        if (!ok) {
            std::fprintf(stderr, "%s:%zu: expected 'face<TAB>glyph or *<TAB>name', once per glyph\n",
                         path.c_str(), n + 1);
            return false;
        }
    }
    return true;
}

bool ParseUnicodeNames(const std::string& path, const std::string& text,
                       std::map<unsigned long, std::string>& names) {
    const std::vector<std::string> lines = Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        if (lines[n].empty() || lines[n][0] == '#') continue;
        const std::vector<std::string> fields = Split(lines[n], '\t');
        if (fields.size() != 2 || !AllOf(fields[0], 4, 6, "0123456789ABCDEF") ||
            fields[1].empty()) {
            std::fprintf(stderr, "%s:%zu: expected 'HEX<TAB>name'\n", path.c_str(), n + 1);
            return false;
        }
        names[std::stoul(fields[0], nullptr, 16)] = qv::NormalizeSearchText(fields[1]);
    }
    return true;
}

bool PrivateUse(unsigned long code) {
    return (code >= 0xE000 && code <= 0xF8FF) || code >= 0xF0000;
}

// What one symbol face says about its glyphs.
struct FaceNames {
    std::map<unsigned, unsigned long> code;  // the character a glyph is drawn for
    std::map<unsigned, std::vector<std::string>> ligatures;
    FT_Face face = nullptr;
};

FaceNames ReadFace(FT_Face face) {
    FaceNames names;
    names.face = face;
    FT_UInt glyph = 0;
    // A glyph drawn for several characters is named by a symbol's, before a private one's,
    // before a letter's.
    const auto rank = [](unsigned long code) { return code >= 0x2000 ? (PrivateUse(code) ? 1 : 2) : 0; };
    for (FT_ULong code = FT_Get_First_Char(face, &glyph); glyph != 0;
         code = FT_Get_Next_Char(face, code, &glyph)) {
        auto [at, inserted] = names.code.emplace(glyph, code);
        if (!inserted && rank(code) > rank(at->second)) at->second = code;
    }
    names.ligatures = LigatureWords(face);
    return names;
}

// A glyph name that describes the picture, normalised; empty for names that only number the
// glyph or name the letter it replaces.
std::string DescriptiveGlyphName(const std::string& raw) {
    const auto numbered = [&raw](const char* prefix, size_t least, size_t most, const char* allowed) {
        return StartsWith(raw, prefix) && AllOf(raw.substr(std::string(prefix).size()), least, most, allowed);
    };
    if (raw.size() < 3 || raw[0] == '.' || raw == "space" || raw == "nonmarkingreturn" ||
        numbered("uni", 4, 64, kHex) || numbered("u", 4, 6, kHex) || numbered("_", 1, 9, kDigits) ||
        numbered("glyph", 0, 9, kDigits) || numbered("g", 1, 9, kDigits) || numbered("a", 1, 9, kDigits) ||
        numbered("icon", 0, 9, kDigits)) {
        return "";
    }
    std::string name = qv::NormalizeSearchText(raw);
    // Icon fonts mark the outlined variant with "-o".
    if (name.size() > 2 && name.compare(name.size() - 2, 2, " o") == 0) {
        name.replace(name.size() - 2, 2, " outline");
    }
    return name;
}

// The code a "uniXXXX" or "uXXXXX" glyph name spells, or 0.
unsigned long CodeFromGlyphName(const std::string& raw) {
    const size_t prefix = StartsWith(raw, "uni") ? 3 : StartsWith(raw, "u") ? 1 : 0;
    if (prefix == 0 || !AllOf(raw.substr(prefix), 4, 6, kHex)) return 0;
    return std::stoul(raw.substr(prefix), nullptr, 16);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_DIR INSTALL_DIR\n", kTool);
        return 2;
    }
    const std::string data_dir = argv[1];
    const std::string install_dir = argv[2];
    const std::string keyword_path = data_dir + "/shapes/keywords.txt";
    const std::string names_path = data_dir + "/shapes/names.txt";
    const std::string unicode_path = data_dir + "/shapes/unicode-names.txt";

    std::string text;
    std::vector<qv::KeywordEntry> keywords;
    qv::KeywordFileError error;
    if (!ReadText(keyword_path, text)) return 1;
    if (!qv::ParseKeywordFile(text, keywords, error)) {
        std::fprintf(stderr, "%s:%d: %s\n", keyword_path.c_str(), error.line, error.message.c_str());
        return 1;
    }
    CuratedNames curated;
    if (!ReadText(names_path, text) || !ParseNames(names_path, text, curated)) return 1;
    std::map<unsigned long, std::string> unicode;
    if (!ReadText(unicode_path, text) || !ParseUnicodeNames(unicode_path, text, unicode)) return 1;

    int problems = 0;
    qv::SetFaultHandler([&](int, const std::string& report) {
        std::fprintf(stderr, "%s: fault:\n%s\n", kTool, report.c_str());
        ++problems;
    });
    qv::SetMessageHandler([&](const std::string& message) {
        std::fprintf(stderr, "%s: %s\n", kTool, message.c_str());
        ++problems;
    });
    qv::SetInstallDir(install_dir);
    qv::FtText::InitFt();
    if (problems > 0) {
        std::fprintf(stderr, "%s: the font library in %s could not be loaded\n", kTool,
                     install_dir.c_str());
        return 1;
    }

    std::map<std::string, FaceNames> faces;
    for (int n = 0; n < qv::FtText::SymbolFontCount(); ++n) {
        const qv::FontRecord& record = qv::Registry().fonts[static_cast<size_t>(n)];
        faces.emplace(record.name, ReadFace(record.face));
    }

    std::vector<qv::CatalogueEntry> entries;
    std::map<std::string, int> numbered;
    int named = 0;
    int with_keywords = 0;
    for (const qv::ShapeEntry& shape : qv::Registry().shapes) {
        const FaceNames& face = faces.at(shape.name);
        const unsigned glyph = static_cast<unsigned>(shape.glyph);
        std::vector<std::string> aliases;
        std::string name;
        const auto curated_name = curated.glyphs.find({shape.name, shape.glyph});
        if (curated_name != curated.glyphs.end()) name = curated_name->second;

        char raw[128] = "";
        if (FT_HAS_GLYPH_NAMES(face.face)) FT_Get_Glyph_Name(face.face, glyph, raw, sizeof raw);
        const auto code = face.code.find(glyph);
        const bool letter = code != face.code.end() && code->second < 0x2000;
        // The character's own name reads best; glyph names tend to run words together.
        unsigned long symbol = code != face.code.end() && !PrivateUse(code->second) ? code->second : 0;
        if (symbol == 0) symbol = CodeFromGlyphName(raw);
        const auto character = unicode.find(symbol);
        if (character != unicode.end()) {
            if (name.empty()) {
                name = character->second;
            } else if (character->second != name) {
                aliases.push_back(character->second);
            }
        }
        const std::string descriptive = letter ? "" : DescriptiveGlyphName(raw);
        if (name.empty()) name = descriptive;

        const auto words = face.ligatures.find(glyph);
        if (words != face.ligatures.end()) {
            for (const std::string& word : words->second) {
                const std::string spelled = qv::NormalizeSearchText(word);
                if (name.empty()) {
                    name = spelled;
                } else if (spelled != name) {
                    aliases.push_back(spelled);
                }
            }
        }
        const auto face_name = curated.faces.find(shape.name);
        if (name.empty() && face_name != curated.faces.end()) {
            name = face_name->second + " " + std::to_string(++numbered[shape.name]);
        }

        qv::CatalogueEntry entry{shape.name, shape.glyph, {}};
        if (name.empty()) {
            name = qv::NormalizeSearchText(qv::ShapeCodeName(shape.name, shape.glyph));
        } else {
            ++named;
        }
        entry.text.name = name;
        entry.text.keywords = qv::KeywordsForName(name, keywords);
        for (const std::string& alias : aliases) {
            for (const std::string& more : qv::KeywordsForName(alias, keywords)) {
                if (more != name) entry.text.keywords.push_back(more);
            }
        }
        for (const std::string& alias : aliases) entry.text.keywords.push_back(alias);
        // Repeats cost search time and say nothing.
        std::vector<std::string> unique;
        for (const std::string& keyword : entry.text.keywords) {
            bool seen = keyword == name;
            for (const std::string& kept : unique) seen = seen || kept == keyword;
            if (!seen && keyword.find_first_of(",\t\n") == std::string::npos) unique.push_back(keyword);
        }
        entry.text.keywords = std::move(unique);
        if (!entry.text.keywords.empty()) ++with_keywords;
        entries.push_back(std::move(entry));
    }
    qv::FtText::FreeFt();

    const std::string out = qv::FormatShapeCatalogue(entries);
    const std::string path = install_dir + "/" + qv::kShapeCataloguePath;
    if (!qv::WriteFileAtomically(path, std::vector<uint8_t>(out.begin(), out.end()))) {
        std::fprintf(stderr, "%s: cannot write %s\n", kTool, path.c_str());
        return 1;
    }
    std::printf("shape catalogue: %zu shapes, %d named, %d with keywords (%zu keyword entries)\n",
                entries.size(), named, with_keywords, keywords.size());
    return 0;
}
