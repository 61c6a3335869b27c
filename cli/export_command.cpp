#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/guard.h"
#include "cli/commands.h"
#include "output/bitmap_import.h"
#include "output/logo_export.h"
#include "persist/project_file.h"
#include "render/ft_text.h"

namespace qv::cli {
namespace {

bool ParseFormat(const std::string& name, ExportFormat& format) {
    static const std::pair<const char*, ExportFormat> kNames[] = {
        {"png24", ExportFormat::kPng24}, {"png8", ExportFormat::kPng8}, {"gif", ExportFormat::kGif8},
        {"bmp", ExportFormat::kBmp24},   {"jpeg", ExportFormat::kJpeg}, {"jpg", ExportFormat::kJpeg},
        {"tiff", ExportFormat::kTiff},   {"tif", ExportFormat::kTiff},
    };
    for (const auto& [text, value] : kNames) {
        if (name == text) {
            format = value;
            return true;
        }
    }
    return false;
}

// The format an output name asks for by its extension; PNG 24 when it names none we write.
ExportFormat FormatForPath(const std::string& path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return ExportFormat::kPng24;
    }
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ExportFormat format = ExportFormat::kPng24;
    if (ext == "png") return ExportFormat::kPng24;
    return ParseFormat(ext, format) ? format : ExportFormat::kPng24;
}

bool ParseInt(const std::string& text, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < -1000000 || v > 1000000) return false;
    value = static_cast<int>(v);
    return true;
}

int Usage(const char* problem) {
    std::fprintf(stderr, "qorvan-logo-cli export: %s\n", problem);
    std::fprintf(stderr,
                 "usage: qorvan-logo-cli export PROJECT OUTPUT [OPTIONS]\n"
                 "       qorvan-logo-cli export PROJECT... --output-dir DIR [--jobs N] [OPTIONS]\n"
                 "options: --format png24|png8|gif|bmp|jpeg|tiff  --scale PERCENT  --margins PIXELS\n"
                 "         --quality PERCENT  --transparent\n");
    return 2;
}

// The canvas of the editor's window at its usual size; only objects' own sizes matter here.
constexpr int kEditorCanvasWidth = 1180;
constexpr int kEditorCanvasHeight = 780;

}  // namespace

bool ExportProject(const std::string& project, const std::string& output, const ExportSettings& settings) {
    LeFile lf;
    if (!LoadProject(project, lf)) return false;
    // The editor composes a loaded logo before anything else, which gives every object the
    // size of its picture; the export takes the logo's size from those.
    lf.Update(kEditorCanvasWidth, kEditorCanvasHeight, -1, -1);
    // Then as the export dialog does from opening to Save.
    const ExportSubject subject = PrepareExportSubject(lf);
    return ExportLogoImage(lf, subject, settings, output);
}

int RunExport(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    ExportSettings settings;
    bool format_given = false;
    std::string output_dir;
    int jobs = 1;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (a == "--format") {
            const std::string* v = value();
            if (!v || !ParseFormat(*v, settings.format)) {
                return Usage("--format needs png24, png8, gif, bmp, jpeg or tiff");
            }
            format_given = true;
        } else if (a == "--scale" || a == "--margins" || a == "--quality" || a == "--jobs") {
            const std::string* v = value();
            int n = 0;
            if (!v || !ParseInt(*v, n)) return Usage((a + " needs a whole number").c_str());
            if (a == "--jobs" && n < 1) return Usage("--jobs needs at least 1");
            (a == "--scale"     ? settings.scale
             : a == "--margins" ? settings.margins
             : a == "--quality" ? settings.quality
                                : jobs) = n;
        } else if (a == "--transparent") {
            settings.transparent = true;
        } else if (a == "--output-dir") {
            const std::string* v = value();
            if (!v || v->empty()) return Usage("--output-dir needs a folder");
            output_dir = *v;
        } else if (!a.empty() && a[0] == '-') {
            return Usage(("unknown option " + a).c_str());
        } else {
            files.push_back(a);
        }
    }
    if (settings.transparent && !FormatAllowsTransparency(settings.format) && format_given) {
        return Usage("--transparent needs png24, png8, gif or tiff");
    }
    QV_CHECK_T("FtText::InitFt()", FtText::InitFt() == 0);
    InstallBitmapLoader();
    int status = 0;
    if (!output_dir.empty()) {
        if (files.empty()) return Usage("needs at least one project");
        status = RunBatchExport(files, output_dir, settings, jobs);
    } else {
        if (files.size() != 2) return Usage("needs a project and an output file, or --output-dir");
        if (!format_given) settings.format = FormatForPath(files[1]);
        if (settings.transparent && !FormatAllowsTransparency(settings.format)) {
            return Usage("--transparent needs a PNG, GIF or TIFF output");
        }
        status = ExportProject(files[0], files[1], settings) ? 0 : 1;
    }
    FtText::FreeFt();
    return status;
}

int RunResave(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: qorvan-logo-cli resave PROJECT OUTPUT\n");
        return 2;
    }
    LeFile lf;
    if (!LoadProject(args[0], lf)) return 1;
    return SaveProject(args[1], lf) ? 0 : 1;
}

}  // namespace qv::cli
