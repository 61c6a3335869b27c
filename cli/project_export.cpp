#include "cli/project_export.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/fault_report.h"
#include "app/file_io.h"
#include "app/user_message.h"
#include "document/missing_faces.h"
#include "cli/option_reader.h"
#include "output/bitmap_import.h"
#include "persist/project_file.h"

namespace qv::cli {
namespace {

// The canvas of the editor's window at its usual size; only objects' own sizes matter here.
constexpr int kEditorCanvasWidth = 1180;
constexpr int kEditorCanvasHeight = 780;

// A private folder for the image while it is made: the output is written only once the whole
// logo has been drawn without a fault.
class StagingFolder {
public:
    StagingFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qorvan-logo-cli-XXXXXX";
        if (mkdtemp(pattern.data())) folder_ = pattern;
    }
    ~StagingFolder() {
        if (folder_.empty()) return;
        unlink(File().c_str());
        rmdir(folder_.c_str());
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    bool ok() const { return !folder_.empty(); }
    std::string File() const { return folder_ + "/image"; }

private:
    std::string folder_;
};

// While it lives, messages name the output instead of the staging file.
class MessageRewrite {
public:
    MessageRewrite(std::string from, std::string to) {
        previous_ = SetMessageHandler([this, from = std::move(from), to = std::move(to)](const std::string& text) {
            std::string shown = text;
            for (auto at = shown.find(from); at != std::string::npos; at = shown.find(from, at + to.size())) {
                shown.replace(at, from.size(), to);
            }
            previous_(shown);
        });
    }
    ~MessageRewrite() { SetMessageHandler(std::move(previous_)); }
    MessageRewrite(const MessageRewrite&) = delete;
    MessageRewrite& operator=(const MessageRewrite&) = delete;

private:
    MessageHandler previous_;
};

std::string OutputName(const std::string& output) {
    return output == kStandardOutput ? std::string("standard output") : output;
}

// The scale that brings one side (margins included) nearest to `want` pixels; false when no
// scale from 1 to 10000 % reaches it.
bool ScaleForSide(int want, int logo_side, int margins, int& scale) {
    const long long inner = static_cast<long long>(want) - 2LL * margins;
    if (inner < 1) return false;
    const long long guess = inner * 100 / logo_side;
    long long best = -1;
    long long best_miss = 0;
    for (long long s = guess - 1; s <= guess + 1; ++s) {
        if (s < 1 || s > 10000) continue;
        const long long miss = std::llabs(s * logo_side / 100 - inner);
        if (best < 0 || miss < best_miss) {
            best = s;
            best_miss = miss;
        }
    }
    if (best < 0) return false;
    scale = static_cast<int>(best);
    return true;
}

// Turns --width or --height into a scale. Returns the exit status of a refusal, or 0.
int ApplyRequestedSize(const std::string& project, const ExportSubject& subject, const ExportOptions& options,
                       ExportSettings& settings) {
    const bool by_width = options.width > 0;
    const int want = by_width ? options.width : options.height;
    if (want <= 0) return kExitOk;
    const int side = by_width ? subject.width : subject.height;
    const char* option = by_width ? "--width" : "--height";
    // An empty logo has no size to scale; the export reports it.
    if (side <= 0) return kExitOk;
    if (subject.has_custom_bitmap) {
        const OutputSize fixed = ExportOutputSize(subject, settings);
        if ((by_width ? fixed.width : fixed.height) == want) return kExitOk;
        std::fprintf(stderr,
                     "qorvan-logo-cli: %s holds an imported picture and is exported at 100 %% only, "
                     "%d x %d pixels; %s %d cannot be met\n",
                     project.c_str(), fixed.width, fixed.height, option, want);
        return kExitUsage;
    }
    int scale = 0;
    if (!ScaleForSide(want, side, settings.margins, scale)) {
        std::fprintf(stderr,
                     "qorvan-logo-cli: %s %d cannot be met for %s: its logo is %d pixels %s, which "
                     "a scale from 1 to 10000 %% with margins of %d turns into %lld to %lld\n",
                     option, want, project.c_str(), side, by_width ? "wide" : "high", settings.margins,
                     2LL * settings.margins + side / 100, 2LL * settings.margins + 100LL * side);
        return kExitUsage;
    }
    settings.scale = scale;
    const OutputSize size = ExportOutputSize(subject, settings);
    if ((by_width ? size.width : size.height) != want) {
        std::fprintf(stderr,
                     "qorvan-logo-cli: %s is exported at %d x %d pixels (scale %d %%), the nearest "
                     "to %s %d a whole percent gives\n",
                     project.c_str(), size.width, size.height, scale, option, want);
    }
    return kExitOk;
}

bool Publish(const std::vector<uint8_t>& bytes, const std::string& output) {
    if (output == kStandardOutput) {
        if (WriteAllToDescriptor(STDOUT_FILENO, bytes)) return true;
        std::fprintf(stderr, "qorvan-logo-cli: the image could not be written to standard output\n");
        return false;
    }
    if (WriteFileAtomically(output, bytes)) return true;
    ShowMessage("Can't open file " + output + " for writing...");
    return false;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

void WarnMissingFaces(const std::string& project, LeFile& lf) {
    for (const MissingFace& face : MissingFaces(lf)) {
        std::fprintf(stderr, "qorvan-logo-cli: %s: warning: the font \"%s\" is not installed; \"%s\" is used instead\n",
                     project.c_str(), face.face.c_str(), face.used_instead.c_str());
    }
}

int ExportProject(const std::string& project, const std::string& output, const ExportOptions& options) {
    if (output != kStandardOutput && SameFile(project, output)) {
        std::fprintf(stderr, "qorvan-logo-cli: %s is the project itself; choose another output name\n",
                     output.c_str());
        return kExitUsage;
    }
    const int faults_before = FaultsReported();
    const auto drawn_as_designed = [&] { return FaultsReported() == faults_before; };

    LeFile lf;
    if (!LoadProject(project, lf)) return kExitFailure;
    WarnMissingFaces(project, lf);
    std::string problem;
    if (!ApplyTextEdits(lf, options.texts, problem)) {
        std::fprintf(stderr, "qorvan-logo-cli: %s: %s\n", project.c_str(), problem.c_str());
        return kExitUsage;
    }
    if (options.background) lf.bgc = *options.background;
    // The editor composes a loaded logo before anything else, which gives every object the
    // size of its picture; the export takes the logo's size from those.
    lf.Update(kEditorCanvasWidth, kEditorCanvasHeight, -1, -1);
    // Then as the export dialog does from opening to Save.
    const ExportSubject subject = PrepareExportSubject(lf);
    ExportSettings settings = options.settings;
    settings.title = BitmapTitle(project);
    if (const int refused = ApplyRequestedSize(project, subject, options, settings)) return refused;

    StagingFolder staging;
    if (!staging.ok()) {
        std::fprintf(stderr, "qorvan-logo-cli: no temporary folder could be made for the image\n");
        return kExitFailure;
    }
    bool ok = false;
    {
        const MessageRewrite rewrite(staging.File(), OutputName(output));
        ok = ExportLogoImage(lf, subject, settings, staging.File());
    }
    if (ok && !drawn_as_designed()) {
        std::fprintf(stderr, "qorvan-logo-cli: %s could not be drawn as designed; nothing was written\n",
                     project.c_str());
        ok = false;
    }
    if (!ok) return kExitFailure;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(staging.File(), bytes)) {
        std::fprintf(stderr, "qorvan-logo-cli: the image made for %s could not be read back\n", project.c_str());
        return kExitFailure;
    }
    return Publish(bytes, output) ? kExitOk : kExitFailure;
}

}  // namespace qv::cli
