#include "persist/template_library.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/file_io.h"
#include "app/guard.h"
#include "app/user_message.h"
#include "codecs/decode.h"
#include "codecs/encode.h"
#include "output/colour_reduction.h"
#include "output/logo_export.h"
#include "output/octree_quantizer.h"
#include "persist/project_file.h"
#include "persist/user_folders.h"

namespace qv {
namespace {

struct Listed {
    std::string title;
    std::string path;
};

std::vector<Listed> ListProjects(const std::vector<std::string>& folders) {
    std::vector<Listed> listed;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::filesystem::path& p = entry.path();
            if (p.extension() != ".kuz" || !entry.is_regular_file(error)) continue;
            listed.push_back({p.stem().string(), p.string()});
        }
    }
    // Byte for byte, so capitals come first; the installation's folder wins a tie.
    std::stable_sort(listed.begin(), listed.end(),
                     [](const Listed& a, const Listed& b) { return a.title < b.title; });
    return listed;
}

bool WritePreview(const PixelBuffer& buffer, const std::string& path) {
    Image image;
    if (!BufferToImage(buffer.data(), buffer.width(), buffer.height(), image)) return false;
    const std::vector<PaletteEntry> palette = BuildOctreePalette(image);
    if (!QV_CHECK_T("xi.DecreaseBpp(8,true,pal)", DecreaseBpp(image, palette))) return false;
    if (!SaveImageFile(image, path, kImageGif)) {
        ShowMessage("Can't open file " + path + " for writing...");
        return false;
    }
    return true;
}

bool IsWritableFolder(const std::string& folder) {
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

TemplateLibrary& TemplateLibrary::Instance() {
    static TemplateLibrary library;
    return library;
}

int TemplateLibrary::ReloadTmps(bool free) {
    if (free) FreeTmps();
    templates_.clear();
    std::vector<Listed> listed = ListProjects(folders_);
    if (listed.size() > kMaxTemplates) listed.resize(kMaxTemplates);
    for (const Listed& entry : listed) {
        auto t = std::make_unique<LogoTemplate>();
        t->title = entry.title;
        t->path = entry.path;
        QV_CHECK_T("CKuzDlg::LoadProject(fp,lfs[n])", (LoadProject(entry.path, t->lf), true));
        const std::string prefix = entry.path.substr(0, entry.path.size() - 4);
        const std::string a_path = prefix + "a.bpr";
        const std::string c_path = prefix + "c.bpr";
        if (!DecodeImageFile(a_path, kImageGif, t->xia)) {
            ShowMessage("File could not be opened: " + a_path);
        } else if (!DecodeImageFile(c_path, kImageGif, t->xib) &&
                   !DecodeImageFile(a_path, kImageGif, t->xib)) {
            ShowMessage("File could not be opened: " + c_path);
        }
        templates_.push_back(std::move(t));
    }
    return 0;
}

int TemplateLibrary::FreeTmps() {
    templates_.clear();
    return 0;
}

int TemplatePager::Visible(int count) const {
    return std::clamp(count - ctm, 0, kTemplatesPerPage);
}

float PreviewScale(int w, int h, bool fixed_canvas) {
    const float sx = w > 0 ? static_cast<float>(kPreviewWidth) / static_cast<float>(w) : 0.0f;
    const float sy = h > 0 ? static_cast<float>(kPreviewHeight) / static_cast<float>(h) : 0.0f;
    if (sx == 0.0f && sy == 0.0f) return 1.0f;
    if (sx == 0.0f) return sy;
    if (sy == 0.0f) return sx;
    return fixed_canvas ? std::max(sx, sy) : std::min(sx, sy);
}

bool SavePreview(LeFile& lf, const std::string& prev1_path, const std::string& prev2_path) {
    int w = 0, h = 0;
    if (lf.fixed) {
        w = lf.cw;
        h = lf.ch;
    } else {
        lf.CenterObjects(w, h);
    }
    const float sc = PreviewScale(w, h, lf.fixed != 0);
    PixelBuffer buffer;
    if (!buffer.Allocate(kPreviewWidth, kPreviewHeight)) return false;
    QV_CHECK_T("Export2(dta,w,h,scf)", Export(lf, buffer.data(), kPreviewWidth, kPreviewHeight, sc) == 0);
    bool ok = WritePreview(buffer, prev1_path);
    // The highlighted copy: every channel 10 lighter, capped.
    uint32_t* p = buffer.data();
    for (size_t i = 0; i < size_t(kPreviewWidth) * kPreviewHeight; ++i) {
        const uint32_t r = std::min(RedOf(p[i]) + 10, 255u);
        const uint32_t g = std::min(GreenOf(p[i]) + 10, 255u);
        const uint32_t b = std::min(BlueOf(p[i]) + 10, 255u);
        p[i] = RGB_MAKE(r, g, b);
    }
    ok = WritePreview(buffer, prev2_path) && ok;
    return ok;
}

bool TemplateNameIsSafe(const std::string& name) {
    if (name.empty() || name[0] == '.') return false;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) return false;
    }
    return true;
}

std::string UserTemplateFolder() { return UserDataFolder() + "/templates"; }

std::string WritableTemplateFolder(const std::string& install_dir) {
    const std::string installed = install_dir + "/templates";
    if (IsWritableFolder(installed)) return installed;
    const std::string user = UserTemplateFolder();
    if (MakeDirectories(user) && IsWritableFolder(user)) return user;
    return {};
}

bool SaveAsTemplate(LeFile& lf, const std::string& install_dir, const std::string& name) {
    if (!TemplateNameIsSafe(name)) {
        ShowMessage(kUnsafeTemplateNameMessage);
        return false;
    }
    const std::string folder = WritableTemplateFolder(install_dir);
    if (folder.empty()) {
        ShowMessage("File could not be saved: " + UserTemplateFolder() + "/" + name + ".kuz");
        return false;
    }
    const std::string base = folder + "/" + name;
    SavePreview(lf, base + "a.bpr", base + "c.bpr");
    const bool saved = SaveProject(base + ".kuz", lf);
    TemplateLibrary::Instance().changed = true;
    return saved;
}

}  // namespace qv
