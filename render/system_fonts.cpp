#include "render/system_fonts.h"

#include <dirent.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "app/bounded_read.h"
#include "app/file_io.h"
#include "app/user_message.h"
#include "render/ft_text.h"

namespace qv {
namespace {

constexpr uint64_t kMaxFontFileSize = 64u << 20;
// Deep enough for fonts sorted into folders by family, not a walk of the whole disk.
constexpr int kMaxFolderDepth = 4;

struct Listing {
    bool made = false;
    std::vector<SystemFont> fonts;
};

Listing& TheListing() {
    static Listing listing;
    return listing;
}

bool EndsWithFontExtension(const std::string& name) {
    if (name.size() < 5) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".ttf" || ext == ".otf";
}

// Runs `use` with the library's FreeType, or with one of its own while the library is closed.
template <typename Use>
bool WithFreeType(Use use) {
    if (FT_Library library = Registry().library) return use(library);
    FT_Library own = nullptr;
    if (FT_Init_FreeType(&own) != 0) return false;
    const bool ok = use(own);
    FT_Done_FreeType(own);
    return ok;
}

void ListUserFolder(const std::string& folder, int depth, std::set<std::string>& names,
                    std::vector<SystemFont>& fonts) {
    if (depth > kMaxFolderDepth) return;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> entries;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") entries.push_back(name);
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end());
    for (const std::string& entry : entries) {
        const std::string path = folder + "/" + entry;
        struct stat info {};
        if (stat(path.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            ListUserFolder(path, depth + 1, names, fonts);
            continue;
        }
        if (!S_ISREG(info.st_mode) || !EndsWithFontExtension(entry)) continue;
        std::vector<uint8_t> data;
        std::string face;
        const bool read = WithFreeType([&](FT_Library library) { return ReadFontFile(library, path, data, face); });
        if (!read) {
            ShowMessage("The font file " + path + " is damaged or not a font; it is left out.");
            continue;
        }
        if (FtText::HasFace(face) || !names.insert(face).second) continue;
        fonts.push_back({face, path, true});
    }
}

bool UnderFolder(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

void ListFontconfig(const std::string& user_folder, std::set<std::string>& names,
                    std::vector<SystemFont>& fonts) {
    // A configuration of its own, let go after the listing: the process keeps no fontconfig
    // state, and the toolkit's own use of fontconfig is left alone.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, FC_FONTFORMAT, nullptr);
    FcFontSet* set = pattern && objects ? FcFontList(config, pattern, objects) : nullptr;
    const char* home = std::getenv("HOME");
    const std::string old_user_folder = std::string(home ? home : "") + "/.fonts";
    for (int n = 0; set && n < set->nfont; ++n) {
        FcPattern* font = set->fonts[n];
        FcChar8* family = nullptr;
        FcChar8* style = nullptr;
        FcChar8* file = nullptr;
        FcChar8* format = nullptr;
        int index = 0;
        if (FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch ||
            FcPatternGetString(font, FC_STYLE, 0, &style) != FcResultMatch ||
            FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
            FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch || index != 0) {
            continue;
        }
        // Outline fonts only: the engine draws outlines at any size.
        const std::string kind = FcPatternGetString(font, FC_FONTFORMAT, 0, &format) == FcResultMatch
                                     ? reinterpret_cast<const char*>(format)
                                     : "";
        if (kind != "TrueType" && kind != "CFF") continue;
        const std::string path = reinterpret_cast<const char*>(file);
        if (UnderFolder(path, user_folder)) continue;  // listed from the folder itself
        const std::string name =
            std::string(reinterpret_cast<const char*>(family)) + " " + reinterpret_cast<const char*>(style);
        if (name.find_first_of("\r\n\t") != std::string::npos || FtText::HasFace(name) ||
            !names.insert(name).second) {
            continue;
        }
        fonts.push_back({name, path, UnderFolder(path, old_user_folder)});
    }
    if (set) FcFontSetDestroy(set);
    if (objects) FcObjectSetDestroy(objects);
    if (pattern) FcPatternDestroy(pattern);
    FcConfigDestroy(config);
}

}  // namespace

std::string UserFontFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return std::string(data) + "/fonts";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share/fonts";
}

bool FontFileFaceName(FT_Library library, const uint8_t* data, size_t size, std::string& name) {
    FT_Face face = nullptr;
    if (!library || size == 0 || FT_New_Memory_Face(library, data, FT_Long(size), 0, &face) != 0) return false;
    const bool usable = FT_IS_SCALABLE(face) && face->num_glyphs > 1 && face->family_name;
    if (usable) name = std::string(face->family_name) + " " + (face->style_name ? face->style_name : "");
    FT_Done_Face(face);
    return usable && name.find_first_of("\r\n\t") == std::string::npos;
}

bool ReadFontFile(FT_Library library, const std::string& path, std::vector<uint8_t>& data, std::string& name) {
    data.clear();
    if (ReadRegularFile(path, kMaxFontFileSize, data) != BoundedReadStatus::kOk) return false;
    return FontFileFaceName(library, data.data(), data.size(), name);
}

const std::vector<SystemFont>& SystemFonts() {
    Listing& listing = TheListing();
    if (!listing.made) {
        listing.made = true;
        std::set<std::string> names;
        const std::string user_folder = UserFontFolder();
        ListUserFolder(user_folder, 0, names, listing.fonts);
        ListFontconfig(user_folder, names, listing.fonts);
    }
    return listing.fonts;
}

void ForgetSystemFonts() {
    TheListing() = Listing{};
}

const SystemFont* FindSystemFont(const std::string& name) {
    if (name.empty()) return nullptr;
    for (const SystemFont& font : SystemFonts()) {
        if (font.name == name) return &font;
    }
    return nullptr;
}

FT_Face OpenSystemFace(const std::string& name) {
    FontRegistry& reg = Registry();
    for (const FontRecord& record : reg.system_fonts) {
        if (record.name == name) return record.face;
    }
    const SystemFont* font = FindSystemFont(name);
    if (!font || !reg.library) return nullptr;
    std::vector<uint8_t> data;
    std::string read_name;
    if (!ReadFontFile(reg.library, font->path, data, read_name)) return nullptr;
    FontRecord record;
    record.fdt.reset(new (std::nothrow) uint8_t[data.size()]);
    if (!record.fdt) return nullptr;
    std::copy(data.begin(), data.end(), record.fdt.get());
    record.fdt_size = data.size();
    if (FT_New_Memory_Face(reg.library, record.fdt.get(), FT_Long(data.size()), 0, &record.face) != 0) {
        return nullptr;
    }
    // Listed and found by the name the lists show.
    record.name = name;
    record.label = font->path;
    record.category = FontRecord::kSystemCategory;
    reg.system_fonts.push_back(std::move(record));
    return reg.system_fonts.back().face;
}

bool AddUserFontFile(const std::string& path, std::string& name, std::string& problem) {
    std::vector<uint8_t> data;
    const bool font = EndsWithFontExtension(path) &&
                      WithFreeType([&](FT_Library library) { return ReadFontFile(library, path, data, name); });
    if (!font) {
        problem = path + " is not a TrueType or OpenType font file.";
        return false;
    }
    const std::string folder = UserFontFolder();
    const size_t slash = path.rfind('/');
    const std::string target = folder + "/" + (slash == std::string::npos ? path : path.substr(slash + 1));
    if (!MakeDirectories(folder) || !WriteFileAtomically(target, data)) {
        problem = "The font could not be copied to " + folder + ".";
        return false;
    }
    // Listed from the folder itself the next time the fonts are asked for.
    ForgetSystemFonts();
    return true;
}

}  // namespace qv
