#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "app/byte_reader.h"
#include "app/guard.h"
#include "app/install_dir.h"
#include "app/user_message.h"
#include "render/ft_text.h"
#include "render/library_scramble.h"

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


}  // namespace

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
    for (FontRecord& record : reg.fonts) {
        FT_Face face = record.face;
        QV_FT_T("FT_Done_Face(fonts[n].face)", FT_Done_Face(face));
        record.face = nullptr;
        record.fdt.reset();
    }
    reg.fonts.clear();
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
