#pragma once

#include <memory>
#include <string>
#include <vector>

#include "codecs/image.h"
#include "document/le_file.h"

namespace qv {

inline constexpr int kMaxTemplates = 1000;
inline constexpr int kPreviewWidth = 262;
inline constexpr int kPreviewHeight = 157;
inline constexpr int kTemplatesPerPage = 4;

// One ready-made logo with its two previews: as it is, and lightened for the mouse-over.
struct LogoTemplate {
    std::string title;
    std::string path;
    LeFile lf;
    Image xia;
    Image xib;
};

// The templates of the installation and of the user, loaded once and kept while the program
// runs. Both folders are listed together, sorted by title byte for byte.
class TemplateLibrary {
public:
    // The process-wide library.
    static TemplateLibrary& Instance();

    // The folders listed: the installation's templates/ and the user's own.
    void SetFolders(std::vector<std::string> folders) { folders_ = std::move(folders); }
    const std::vector<std::string>& folders() const { return folders_; }

    // (Re)loads every template; messages for unreadable projects and previews.
    int ReloadTmps(bool free);
    int FreeTmps();

    int count() const { return static_cast<int>(templates_.size()); }
    const LogoTemplate& at(int n) const { return *templates_[static_cast<size_t>(n)]; }

    // Set by "Save As Template..." so that the next template browser reloads.
    bool changed = false;

private:
    std::vector<std::string> folders_;
    std::vector<std::unique_ptr<LogoTemplate>> templates_;
};

// The paging of the template browser: `ctm` is the first template of the page.
struct TemplatePager {
    int ctm = 0;
    bool PreviousEnabled() const { return ctm > 3; }
    bool NextEnabled(int count) const { return ctm + kTemplatesPerPage < count; }
    void Previous() {
        if (PreviousEnabled()) ctm -= kTemplatesPerPage;
    }
    void Next(int count) {
        if (NextEnabled(count)) ctm += kTemplatesPerPage;
    }
    // How many preview buttons the page shows.
    int Visible(int count) const;
};

// The scale of a preview for a logo of w x h: fitted inside 262 x 157, or, with a fixed canvas,
// covering it. A side of 0 does not constrain; with no size at all (an empty logo) the scale
// is 1.
float PreviewScale(int w, int h, bool fixed_canvas);

// Writes the two GIF previews of the document (centring its objects unless the canvas is
// fixed). False, after the message "Can't open file " + path + " for writing...", when a file
// cannot be written.
bool SavePreview(LeFile& lf, const std::string& prev1_path, const std::string& prev2_path);

// Whether a typed template name can be used as a file name: not empty, no '/', no leading dot
// (which also rules out "." and ".."), no control characters.
bool TemplateNameIsSafe(const std::string& name);
inline constexpr const char* kUnsafeTemplateNameMessage =
    "This name cannot be used for a template. Please use a name that is not empty, does not "
    "begin with a dot and has no \"/\" in it.";

// The user's own template folder: $XDG_DATA_HOME/qorvan-logo/templates, by default
// ~/.local/share/qorvan-logo/templates.
std::string UserTemplateFolder();

// The folder "Save As Template..." writes into: the installation's templates/ when it can be
// written, else the user's folder (created when needed). Empty when neither can.
std::string WritableTemplateFolder(const std::string& install_dir);

// "Save As Template...": the previews, then the project, under `name` in the writable folder;
// sets the library's changed flag. False, after a message, when the name is unsafe or nothing
// could be written.
bool SaveAsTemplate(LeFile& lf, const std::string& install_dir, const std::string& name);

}  // namespace qv
