#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <new>
#include <set>

#include "app/byte_reader.h"
#include "app/guard.h"
#include "app/install_dir.h"
#include "app/user_message.h"
#include "render/fallback_faces.h"
#include "render/ft_text.h"
#include "render/text_shaping.h"
#include "render/library_archive.h"
#include "render/library_scramble.h"
#include "render/system_fonts.h"

namespace qv {
namespace {

constexpr uint32_t kArchiveMagic = 11671;

// Closes the descriptor on every path out of ReadLib.
struct FileHandle {
    int fd = -1;
    ~FileHandle() {
        if (fd >= 0) close(fd);
    }
};

bool ReadWhole(int fd, uint8_t* data, size_t size, size_t& got) {
    got = 0;
    while (got < size) {
        const ssize_t n = read(fd, data + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        got += static_cast<size_t>(n);
    }
    return true;
}

bool ReadWholeAt(int fd, uint8_t* data, size_t size, uint64_t offset) {
    size_t got = 0;
    while (got < size) {
        const ssize_t n = pread(fd, data + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<size_t>(n);
    }
    return true;
}

// The index is a few tens of kilobytes; a larger file is not one.
constexpr off_t kMaxIndexSize = 1 << 22;

bool ReadIndex(const std::string& path, LibraryIndex& index) {
    FileHandle file;
    file.fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > kMaxIndexSize) {
        return false;
    }
    std::string text(static_cast<size_t>(info.st_size), '\0');
    return ReadWholeAt(file.fd, reinterpret_cast<uint8_t*>(text.data()), text.size(), 0) &&
           ParseLibraryIndex(text, index);
}

// The archives an indexed load reads from, each opened once and checked against the index:
// the size it was built with and the magic number at its head.
class IndexedArchives {
public:
    IndexedArchives(std::string folder, const LibraryIndex& index)
        : folder_(std::move(folder)), index_(index) {}

    // True when every archive is there with the size it was indexed with, so that a process
    // reading a few faces still learns of an archive missing or cut short.
    bool AllPresent() const {
        for (int category = -1; category < FontRegistry::kCategories; ++category) {
            struct stat info {};
            const std::string path = folder_ + "/" + LibraryArchivePath(category);
            if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
                static_cast<uint64_t>(info.st_size) != index_.archive_size[category + 1]) {
                return false;
            }
        }
        return true;
    }

    // The descriptor of the archive of `category`, or -1 when it is not the one indexed.
    int Open(int category) {
        auto found = files_.find(category);
        if (found != files_.end()) return found->second.fd;
        FileHandle& file = files_[category];
        file.fd = open((folder_ + "/" + LibraryArchivePath(category)).c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        uint8_t head[4] = {};
        if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) ||
            static_cast<uint64_t>(info.st_size) != index_.archive_size[category + 1] ||
            !ReadWholeAt(file.fd, head, sizeof head, 0)) {
            return -1;
        }
        DescrambleLibrary(head, sizeof head, 0);
        uint32_t magic = 0;
        if (!ByteReader(head, sizeof head).ReadU32(magic) || magic != kArchiveMagic) return -1;
        return file.fd;
    }

private:
    std::string folder_;
    const LibraryIndex& index_;
    std::map<int, FileHandle> files_;
};

// Reads one indexed entry and opens its face. False when the bytes there are not the entry the
// index describes, or not the face it names.
bool OpenIndexedFace(FT_Library library, int fd, const LibraryIndexFont& font, FontRecord& record) {
    const ArchiveEntryPlace& place = font.place;
    const size_t head_size = static_cast<size_t>(place.font_offset - place.entry_offset);
    std::vector<uint8_t> head(head_size);
    if (!ReadWholeAt(fd, head.data(), head.size(), place.entry_offset)) return false;
    DescrambleLibrary(head.data(), head.size(), static_cast<size_t>(place.entry_offset));
    ByteReader in(head.data(), head.size());
    uint32_t length = 0;
    if (!in.ReadString(record.label) || !in.ReadU32(length) || length != place.font_length ||
        in.Remaining() != 0) {
        return false;
    }
    record.fdt.reset(new (std::nothrow) uint8_t[length > 0 ? length : 1]);
    if (!record.fdt) {
        ShowMessage(kOutOfMemory);
        return false;
    }
    record.fdt_size = length;
    if (!ReadWholeAt(fd, record.fdt.get(), length, place.font_offset)) return false;
    DescrambleLibrary(record.fdt.get(), length, static_cast<size_t>(place.font_offset));
    if (FT_New_Memory_Face(library, record.fdt.get(), static_cast<FT_Long>(length), 0, &record.face) != 0) {
        record.face = nullptr;
        return false;
    }
    record.name = std::string(record.face->family_name ? record.face->family_name : "") + " " +
                  (record.face->style_name ? record.face->style_name : "");
    record.category = font.category;
    return record.name == font.name;
}

// The fonts of the index a process naming `wanted` needs, in library order: the symbol fonts
// named, the first text font (what FindFace falls back to) and the text fonts named.
std::vector<const LibraryIndexFont*> FontsNeeded(const LibraryIndex& index,
                                                 const std::vector<std::string>& wanted) {
    const std::set<std::string> names(wanted.begin(), wanted.end());
    std::vector<const LibraryIndexFont*> needed;
    bool first_text = true;
    for (const LibraryIndexFont& font : index.fonts) {
        const bool text = font.category >= 0;
        if ((text && first_text) || names.count(font.name) > 0) needed.push_back(&font);
        if (text) first_text = false;
    }
    return needed;
}

}  // namespace

int FtText::InitFtFor(const std::vector<std::string>& face_names) {
    FontRegistry& reg = Registry();
    if (!QV_CHECK_T("n_fonts==0", reg.fonts.empty())) return 0;
    const std::string& ep = InstallDir();
    LibraryIndex index;
    if (!ReadIndex(ep + "/" + kLibraryIndexPath, index)) return InitFt();
    FT_Library library = nullptr;
    if (!QV_FT(FT_Init_FreeType(&library))) return 0;
    reg.library = library;

    // Anything that does not match the index sends the process to the whole library, whose
    // reader says what is wrong with the installation.
    IndexedArchives archives(ep, index);
    bool matches = archives.AllPresent();
    for (const LibraryIndexFont* font : FontsNeeded(index, face_names)) {
        if (!matches) break;
        const int fd = archives.Open(font->category);
        FontRecord record;
        const bool opened = fd >= 0 && OpenIndexedFace(library, fd, *font, record);
        // A face that opened under another name is still closed with the others.
        if (record.face) reg.fonts.push_back(std::move(record));
        if (!opened) {
            matches = false;
            break;
        }
        if (font->category < 0) reg.n_symfonts = static_cast<int>(reg.fonts.size());
    }
    if (matches) return 0;
    FreeFt();
    return InitFt();
}

int FtText::InitFt() {
    FontRegistry& reg = Registry();
    if (!QV_CHECK_T("n_fonts==0", reg.fonts.empty())) return 0;
    FT_Library library = nullptr;
    if (!QV_FT(FT_Init_FreeType(&library))) return 0;
    reg.library = library;
    const std::string& ep = InstallDir();
    // A missing or damaged archive is the installation's fault, not the program's: the user is
    // told once, and whatever could be read is used.
    bool damaged = ReadLib(-1, ep + "/basgl.bgd") != 0;
    reg.n_symfonts = static_cast<int>(reg.fonts.size());
    QV_CHECK_T("PrepSymLib()", PrepSymLib() == 0);
    for (int ncat = 0; ncat < FontRegistry::kCategories; ++ncat) {
        const std::string path = ep + "/embedded/emb" + std::to_string(ncat + 1) + ".gld";
        if (ReadLib(ncat, path) != 0) damaged = true;
    }
    if (damaged) {
        ShowMessage(kDamagedInstallationMessage);
        return kArchiveDamaged;
    }
    return 0;
}

int FtText::ReadLib(int category, const std::string& path) {
    FileHandle file;
    file.fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (file.fd < 0 || fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return kArchiveDamaged;
    const size_t infl = static_cast<size_t>(info.st_size);
    std::unique_ptr<uint8_t[]> dta(new (std::nothrow) uint8_t[infl > 0 ? infl : 1]);
    if (!dta) {
        ShowMessage(kOutOfMemory);
        return kArchiveDamaged;
    }
    size_t got = 0;
    const bool read_ok = ReadWhole(file.fd, dta.get(), infl, got);
    if (!read_ok || got != infl) return kArchiveDamaged;
    return ReadLibBuffer(category, dta.get(), infl);
}

int FtText::ReadLibBuffer(int category, uint8_t* dta, size_t infl) {
    FontRegistry& reg = Registry();
    DescrambleLibrary(dta, infl);

    ByteReader iar(dta, infl);
    uint32_t magic = 0;
    if (!iar.ReadU32(magic) || magic != kArchiveMagic) {
        ShowMessageAndQuit(kDamagedInstallationMessage);
    }
    uint32_t count = 0;
    if (!iar.ReadU32(count)) return kArchiveDamaged;

    // A damaged archive stops at the damage, keeping the fonts before it.
    int status = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (!QV_CHECK_T("n_fonts<1000", reg.fonts.size() < FontRegistry::kMaxFonts)) break;
        FontRecord fd;
        uint32_t ffl = 0;
        // A length beyond the end of the archive is a short read; nothing is allocated for it.
        if (!iar.ReadString(fd.label) || !iar.ReadU32(ffl) || ffl > iar.Remaining()) {
            status = kArchiveDamaged;
            break;
        }
        fd.fdt.reset(new (std::nothrow) uint8_t[ffl > 0 ? ffl : 1]);
        if (!fd.fdt) {
            ShowMessage(kOutOfMemory);
            status = kArchiveDamaged;
            break;
        }
        fd.fdt_size = ffl;
        iar.ReadBytes(fd.fdt.get(), ffl);
        // A font FreeType refuses is left out rather than recorded without a face.
        if (FT_New_Memory_Face(reg.library, fd.fdt.get(), static_cast<FT_Long>(ffl), 0, &fd.face) != 0) {
            fd.face = nullptr;
            status = kArchiveDamaged;
            continue;
        }
        fd.name = std::string(fd.face->family_name ? fd.face->family_name : "") + " " +
                  (fd.face->style_name ? fd.face->style_name : "");
        fd.category = category;
        reg.fonts.push_back(std::move(fd));
    }
    return status;
}

int FtText::FreeFt() {
    FontRegistry& reg = Registry();
    // The shaper reads the faces, and the fallback faces belong to the same FreeType.
    ForgetShapingFonts();
    FreeFallbackFaces();
    for (FontRecord& record : reg.fonts) {
        FT_Face face = record.face;
        QV_FT_T("FT_Done_Face(fonts[n].face)", FT_Done_Face(face));
        record.face = nullptr;
        record.fdt.reset();
    }
    reg.fonts.clear();
    for (FontRecord& record : reg.system_fonts) {
        FT_Done_Face(record.face);
        record.face = nullptr;
        record.fdt.reset();
    }
    reg.system_fonts.clear();
    reg.shapes.clear();
    reg.n_symfonts = 0;
    if (reg.library) {
        FT_Library library = reg.library;
        QV_FT(FT_Done_FreeType(library));
        reg.library = nullptr;
    }
    return 0;
}

FT_Face FtText::FindFace(const std::string& name) {
    const FontRegistry& reg = Registry();
    for (const FontRecord& record : reg.fonts) {
        if (record.name == name) return record.face;
    }
    // A face the library lacks may be one of the system's or the user's.
    if (reg.library && !name.empty()) {
        if (FT_Face face = OpenSystemFace(name)) return face;
    }
    if (static_cast<size_t>(reg.n_symfonts) < reg.fonts.size()) {
        return reg.fonts[static_cast<size_t>(reg.n_symfonts)].face;
    }
    return nullptr;
}

bool FtText::HasFace(const std::string& name) {
    for (const FontRecord& record : Registry().fonts) {
        if (record.name == name) return true;
    }
    return false;
}

bool FtText::CanDraw(const std::string& name) {
    return HasFace(name) || FindSystemFont(name) != nullptr;
}

const FontRecord* FtText::TextFont(int nf) {
    const FontRegistry& reg = Registry();
    const int n = reg.n_symfonts + nf;
    if (!QV_CHECK_T("nf>0", TextFontCount() > 0)) return nullptr;
    if (!QV_CHECK_T("nf<n_fonts", nf >= 0 && n < FontCount())) return nullptr;
    return &reg.fonts[static_cast<size_t>(n)];
}

std::vector<std::string> FtText::TextFontNames(int category) {
    std::vector<std::string> names;
    const FontRegistry& reg = Registry();
    for (size_t n = static_cast<size_t>(reg.n_symfonts); n < reg.fonts.size(); ++n) {
        if (reg.fonts[n].category == category) names.push_back(reg.fonts[n].name);
    }
    return names;
}

}  // namespace qv
