#include <cctype>
#include <cstdio>
#include <string>

#include "cli/background_colour.h"
#include "cli/commands.h"
#include "cli/font_setup.h"
#include "cli/option_reader.h"
#include "cli/project_export.h"
#include "output/bitmap_import.h"

namespace qv::cli {
namespace {

constexpr const char* kFormatList = "png24, png8, gif, bmp, jpeg, tiff, svg or pdf";
constexpr const char* kExtensionList = ".png, .gif, .bmp, .jpg, .jpeg, .tif, .tiff, .svg or .pdf";

bool ParseFormat(const std::string& name, ExportFormat& format) {
    static const std::pair<const char*, ExportFormat> kNames[] = {
        {"png24", ExportFormat::kPng24}, {"png8", ExportFormat::kPng8}, {"gif", ExportFormat::kGif8},
        {"bmp", ExportFormat::kBmp24},   {"jpeg", ExportFormat::kJpeg}, {"jpg", ExportFormat::kJpeg},
        {"tiff", ExportFormat::kTiff},   {"tif", ExportFormat::kTiff},  {"svg", ExportFormat::kSvg},
        {"pdf", ExportFormat::kPdf},
    };
    for (const auto& [text, value] : kNames) {
        if (name == text) {
            format = value;
            return true;
        }
    }
    return false;
}

// The format an output name asks for by its extension: PNG 24 without one; false for an
// extension that names no format we write.
bool FormatForPath(const std::string& path, ExportFormat& format) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == path.size() ||
        dot == (slash == std::string::npos ? 0 : slash + 1)) {
        format = ExportFormat::kPng24;
        return true;
    }
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "png") {
        format = ExportFormat::kPng24;
        return true;
    }
    return ext != "png24" && ext != "png8" && ParseFormat(ext, format);
}

// "#rrggbb" as a stored colour, or "none" for a transparent canvas.
bool ParseBackground(const std::string& text, std::optional<Hls>& colour, bool& transparent) {
    if (text == "none") {
        transparent = true;
        return true;
    }
    Hls hls;
    if (!ParseHexColour(text, hls)) return false;
    colour = hls;
    return true;
}

enum OptionCode {
    kOutput = 'o',
    kHelp = 'h',
    kFormat = 256,
    kScale,
    kWidth,
    kHeight,
    kMargins,
    kQuality,
    kTransparent,
    kBackground,
    kSetText,
    kOutputDir,
    kJobs,
};

const option kOptions[] = {
    {"output", required_argument, nullptr, kOutput},
    {"format", required_argument, nullptr, kFormat},
    {"scale", required_argument, nullptr, kScale},
    {"width", required_argument, nullptr, kWidth},
    {"height", required_argument, nullptr, kHeight},
    {"margins", required_argument, nullptr, kMargins},
    {"quality", required_argument, nullptr, kQuality},
    {"transparent", no_argument, nullptr, kTransparent},
    {"background", required_argument, nullptr, kBackground},
    {"set-text", required_argument, nullptr, kSetText},
    {"output-dir", required_argument, nullptr, kOutputDir},
    {"jobs", required_argument, nullptr, kJobs},
    {"help", no_argument, nullptr, kHelp},
    {nullptr, 0, nullptr, 0},
};

struct ExportRequest {
    std::vector<std::string> projects;
    std::string output;
    bool output_given = false;
    std::string output_dir;
    int jobs = 1;
    bool format_given = false;
    bool scale_given = false;
    bool transparent_given = false;
    ExportOptions options;
};

// Reads the command line into `request`. Returns -1 to go on, else the exit status.
int ParseExport(const std::vector<std::string>& args, ExportRequest& request) {
    OptionReader reader("export", args, "o:h", kOptions);
    ExportSettings& settings = request.options.settings;
    std::string problem;
    const auto ranged = [&](const char* name, int low, int high, int& value) {
        return ParseRanged(name, reader.Value(), low, high, value, problem);
    };
    for (int code = reader.Next(); code != -1; code = reader.Next()) {
        switch (code) {
            case kOutput:
                request.output = reader.Value();
                request.output_given = true;
                if (request.output.empty()) return UsageError("export", "-o needs a file name, or - for standard output");
                break;
            case kFormat:
                if (!ParseFormat(reader.Value(), settings.format)) {
                    return UsageError("export", "--format must be " + std::string(kFormatList) + ", not '" +
                                                    reader.Value() + "'");
                }
                request.format_given = true;
                break;
            case kScale:
                if (!ranged("--scale", 1, 10000, settings.scale)) return UsageError("export", problem);
                request.scale_given = true;
                break;
            case kWidth:
                if (!ranged("--width", 1, 32768, request.options.width)) return UsageError("export", problem);
                break;
            case kHeight:
                if (!ranged("--height", 1, 32768, request.options.height)) return UsageError("export", problem);
                break;
            case kMargins:
                if (!ranged("--margins", 0, 100, settings.margins)) return UsageError("export", problem);
                break;
            case kQuality:
                if (!ranged("--quality", 10, 100, settings.quality)) return UsageError("export", problem);
                break;
            case kTransparent:
                settings.transparent = true;
                request.transparent_given = true;
                break;
            case kBackground: {
                request.options.background.reset();
                bool none = false;
                if (!ParseBackground(reader.Value(), request.options.background, none)) {
                    return UsageError("export", "--background must be #rrggbb or none, not '" + reader.Value() + "'");
                }
                if (none) settings.transparent = true;
                break;
            }
            case kSetText: {
                TextEdit edit;
                if (!ParseTextEdit(reader.Value(), edit, problem)) return UsageError("export", problem);
                request.options.texts.push_back(std::move(edit));
                break;
            }
            case kOutputDir:
                request.output_dir = reader.Value();
                if (request.output_dir.empty()) return UsageError("export", "--output-dir needs a folder");
                break;
            case kJobs:
                if (!ranged("--jobs", 1, 64, request.jobs)) return UsageError("export", problem);
                break;
            case kHelp:
                PrintCommandHelp("export");
                return kExitOk;
            default:
                return UsageError("export", "");
        }
    }
    request.projects = reader.Operands();
    return -1;
}

// Checks what the options mean together and settles the format. Returns -1 to go on, else the
// exit status.
int SettleExport(ExportRequest& request) {
    ExportOptions& options = request.options;
    ExportSettings& settings = options.settings;
    if (options.width > 0 && options.height > 0) {
        return UsageError("export", "give --width or --height, not both: the logo keeps its proportions");
    }
    if ((options.width > 0 || options.height > 0) && request.scale_given) {
        return UsageError("export", "give --scale or --width/--height, not both");
    }
    if (options.background && settings.transparent) {
        return UsageError("export", "--background with a colour and a transparent canvas exclude each other");
    }
    if (!request.output_dir.empty()) {
        if (request.output_given) return UsageError("export", "give -o for one project or --output-dir for several, not both");
        if (request.projects.empty()) return UsageError("export", "needs at least one project");
    } else {
        if (!request.output_given && request.projects.size() == 2) {
            request.output = request.projects.back();
            request.projects.pop_back();
            request.output_given = true;
        }
        if (request.projects.empty() || !request.output_given) {
            return UsageError("export", "needs a project and an output: PROJECT -o OUTPUT, or --output-dir DIR");
        }
        if (request.projects.size() > 1) {
            return UsageError("export", "exports one project to -o; use --output-dir DIR for several");
        }
        if (!request.format_given && request.output != kStandardOutput &&
            !FormatForPath(request.output, settings.format)) {
            return UsageError("export", "cannot tell the image format from the name " + request.output +
                                            ": give it " + kExtensionList + ", or use --format " +
                                            "png24|png8|gif|bmp|jpeg|tiff|svg|pdf");
        }
    }
    if (settings.transparent && !FormatAllowsTransparency(settings.format)) {
        return UsageError("export", "a transparent canvas needs PNG, GIF, TIFF, SVG or PDF, not " +
                                        std::string(FormatInfo(settings.format).caption));
    }
    return -1;
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
    ExportRequest request;
    if (const int status = ParseExport(args, request); status >= 0) return status;
    if (const int status = SettleExport(request); status >= 0) return status;
    if (!LoadFontLibraryFor(request.projects)) return kExitFailure;
    InstallBitmapLoader();
    const int status = request.output_dir.empty()
                           ? ExportProject(request.projects[0], request.output, request.options)
                           : RunBatchExport(request.projects, request.output_dir, request.options, request.jobs);
    FreeFontLibrary();
    return status;
}

}  // namespace qv::cli
