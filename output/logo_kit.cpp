#include "output/logo_kit.h"

#include <memory>
#include <set>

#include "app/fault_report.h"
#include "app/file_io.h"
#include "app/user_message.h"
#include "codecs/encode.h"
#include "codecs/ico_encoder.h"
#include "output/brand_page.h"
#include "output/favicon.h"
#include "output/font_licences.h"
#include "output/kit_files.h"
#include "output/kit_folder.h"
#include "output/kit_queue.h"
#include "output/kit_vector.h"
#include "output/logo_export.h"
#include "output/one_colour.h"
#include "output/transparent_export.h"
#include "render/fallback_faces.h"
#include "render/ft_text.h"

namespace qv {
namespace {

using Buffer = std::shared_ptr<PixelBuffer>;
using Bytes = std::shared_ptr<std::vector<uint8_t>>;

// A licence text is a few kilobytes; a huge one is not what we shipped.
constexpr size_t kMaxLicenceBytes = 4 * 1024 * 1024;

Buffer DrawWithAlpha(LeFile& doc, const KitRender& r) {
    auto buffer = std::make_shared<PixelBuffer>();
    if (!ExportWithAlpha(doc, r.width, r.height, r.scale, *buffer)) buffer->Free();
    return buffer;
}

Buffer DrawOpaque(LeFile& doc, const KitRender& r) {
    auto buffer = std::make_shared<PixelBuffer>();
    if (buffer->Allocate(r.width, r.height)) Export(doc, buffer->data(), r.width, r.height, r.scale);
    return buffer;
}

std::string Encoded(const Image& image, int type, const std::string& path, const Bytes& keep) {
    std::vector<uint8_t> bytes;
    if (!EncodeImage(image, type, bytes)) return "The picture " + path + " could not be made.";
    if (!WriteFileAtomically(path, bytes)) return "Can't open file " + path + " for writing...";
    if (keep) *keep = std::move(bytes);
    return {};
}

std::string OutOfMemory(const std::string& path) { return "Not enough memory to make " + path + "."; }

// The jobs that turn finished drawings into files.
class KitJobs {
public:
    KitJobs(KitQueue& queue, const KitStaging& staging) : queue_(queue), staging_(staging) {}

    void AlphaPng(const Buffer& buffer, const char* name, const Bytes& keep = nullptr) {
        queue_.Push([buffer, path = staging_.File(name), keep] {
            Image image;
            if (!AlphaBufferToImage(*buffer, image)) return OutOfMemory(path);
            return Encoded(image, kImagePng, path, keep);
        });
    }
    void OneColourPng(const Buffer& buffer, uint32_t rgb, const char* name, const Bytes& keep) {
        queue_.Push([buffer, rgb, path = staging_.File(name), keep] {
            Image image;
            if (!AlphaBufferToImage(*buffer, image)) return OutOfMemory(path);
            PaintVisiblePixels(image, rgb);
            return Encoded(image, kImagePng, path, keep);
        });
    }
    void OverColour(const Buffer& buffer, uint32_t rgb, int type, int quality, const char* name) {
        queue_.Push([buffer, rgb, type, quality, path = staging_.File(name)] {
            Image image;
            if (!OverColourToImage(*buffer, rgb, image)) return OutOfMemory(path);
            image.quality = quality;
            return Encoded(image, type, path, nullptr);
        });
    }
    void OpaquePng(const Buffer& buffer, const char* name) {
        queue_.Push([buffer, path = staging_.File(name)] {
            Image image;
            if (!OpaqueBufferToImage(*buffer, image)) return OutOfMemory(path);
            return Encoded(image, kImagePng, path, nullptr);
        });
    }
    void Icon(std::vector<Buffer> large, const char* name) {
        queue_.Push([large, path = staging_.File(name)] {
            std::vector<Image> icons(large.size());
            std::vector<const Image*> order;
            for (size_t i = 0; i < large.size(); ++i) {
                if (!ReduceByArea(*large[i], kIconOversampling, icons[i])) return OutOfMemory(path);
                order.push_back(&icons[i]);
            }
            std::vector<uint8_t> bytes;
            if (!EncodeIcoImages(order, bytes)) return "The icon " + path + " could not be made.";
            if (!WriteFileAtomically(path, bytes)) return "Can't open file " + path + " for writing...";
            return std::string();
        });
    }

private:
    KitQueue& queue_;
    const KitStaging& staging_;
};

// The fonts of the logo with their licences, whose texts are copied into the kit's folder.
std::vector<BrandFont> CopyFontLicences(const LeFile& lf, const std::string& install_dir, const KitStaging& staging,
                                        std::string& problem) {
    std::set<std::string> faces;
    for (int n = 0; n < lf.objs; ++n) {
        const LogoObj* o = lf.obj[n].get();
        if (o && o->type != LogoObj::kCustom && !o->lt.font.empty()) faces.insert(o->lt.font);
        // Characters drawn from a fallback face bring that face's licence along.
        if (o && o->type == LogoObj::kText) {
            for (std::string& name : FallbackFaceNames(FtText::FindFace(o->lt.font), o->lt.str)) {
                faces.insert(std::move(name));
            }
        }
    }
    std::vector<BrandFont> fonts;
    if (faces.empty()) return fonts;
    const auto packages = ReadFontPackages(install_dir);
    const std::string folder = staging.File(kKitLicenceFolder);
    for (const std::string& face : faces) {
        BrandFont font{face, {}, {}};
        const auto found = packages.find(face);
        std::vector<uint8_t> text;
        if (found != packages.end() && ReadFileBytes(LicencePath(install_dir, found->second), text) &&
            text.size() <= kMaxLicenceBytes) {
            font.licences = LicenceNames(std::string(text.begin(), text.end()));
            font.licence_file = std::string(kKitLicenceFolder) + "/" + found->second + ".txt";
            if (!MakeDirectories(folder) || !WriteFileAtomically(staging.File(font.licence_file), text)) {
                problem = "Can't open file " + staging.File(font.licence_file) + " for writing...";
                return {};
            }
        }
        fonts.push_back(std::move(font));
    }
    return fonts;
}

bool AnyPicture(const LeFile& lf) {
    for (int n = 0; n < lf.objs; ++n) {
        if (lf.obj[n] && lf.obj[n]->type == LogoObj::kCustom) return true;
    }
    return false;
}

// The first picture that cannot be read, or an empty string.
std::string MissingPicture(LeFile& lf) {
    for (int n = 0; n < lf.objs; ++n) {
        LogoObj* o = lf.obj[n].get();
        if (o && o->type == LogoObj::kCustom && o->cust.empty() && !o->LoadPixels()) return o->path;
    }
    return {};
}

}  // namespace

bool WriteLogoKit(LeFile& lf, const KitRequest& request, const KitProgress& progress) {
    const ExportSubject subject = PrepareExportSubject(lf);
    if (lf.objs == 0 || subject.width < 1 || subject.height < 1) {
        ShowMessage(kNothingToExportMessage);
        return false;
    }
    if (const std::string missing = MissingPicture(lf); !missing.empty()) {
        ShowMessage(MissingPictureMessage(missing));
        return false;
    }
    KitStaging staging(request.folder, kKitPageName);
    if (!staging.ok()) {
        ShowMessage(staging.problem());
        return false;
    }
    const bool vector = KitVectorAvailable();
    const int draw_steps = 10 + (vector ? 1 : 0);
    const int total = draw_steps + 2;
    int drawn = 0;
    const auto step = [&] { return !progress || progress(++drawn, total); };

    const int faults_before = FaultsReported();
    const uint32_t background = HlsToPacked(lf.bgc) & 0xFFFFFFu;
    LeFile black;
    MakeOneColourCopy(lf, kOneColourBlack, black);
    LeFile shape;
    const bool has_shape = CopyFrontmostShape(lf, shape);
    const ExportSubject shape_subject = has_shape ? PrepareExportSubject(shape) : subject;

    const Bytes colour512 = std::make_shared<std::vector<uint8_t>>();
    const Bytes black1024 = std::make_shared<std::vector<uint8_t>>();
    const Bytes white1024 = std::make_shared<std::vector<uint8_t>>();
    std::vector<std::string> problems;
    {
        KitQueue queue;
        KitJobs jobs(queue, staging);
        // Largest first, so that the worker has the longest encodings early.
        const Buffer large = DrawWithAlpha(lf, LongerSide(subject, 2048));
        jobs.AlphaPng(large, "logo-2048.png");
        // The picture with alpha laid over the background is the ordinary export within 1 per
        // channel, so the JPEG needs no drawing of its own.
        jobs.OverColour(large, background, kImageJpeg, kKitJpegQuality, "logo.jpg");
        bool going = step();
        if (going) {
            jobs.AlphaPng(DrawWithAlpha(lf, LongerSide(subject, 1024)), "logo-1024.png");
            going = step();
        }
        if (going) {
            jobs.AlphaPng(DrawWithAlpha(lf, LongerSide(subject, 512)), "logo-512.png", colour512);
            going = step();
        }
        if (going) {
            // One drawing gives both: the coverage is the same, only the colour differs.
            const Buffer one = DrawWithAlpha(black, LongerSide(subject, 1024));
            jobs.OneColourPng(one, 0x000000, "logo-black.png", black1024);
            jobs.OneColourPng(one, 0xFFFFFF, "logo-white.png", white1024);
            going = step();
        }
        if (going) {
            jobs.AlphaPng(DrawWithAlpha(lf, FittedSquare(subject, 512)), "icon-512.png");
            going = step();
        }
        if (going) {
            jobs.AlphaPng(DrawWithAlpha(lf, FittedSquare(subject, 192)), "icon-192.png");
            going = step();
        }
        if (going) {
            jobs.OpaquePng(DrawOpaque(lf, FittedSquare(subject, 180)), "icon-180.png");
            going = step();
        }
        if (going) {
            jobs.OpaquePng(DrawOpaque(lf, FittedSquare(subject, 400, 1.0f - 2 * kSocialMargin)), "social-400.png");
            going = step();
        }
        if (going) {
            jobs.OpaquePng(DrawOpaque(lf, FittedSquare(subject, 1080, 1.0f - 2 * kSocialMargin)), "social-1080.png");
            going = step();
        }
        if (going) {
            LeFile& small = has_shape ? shape : lf;
            jobs.Icon({DrawWithAlpha(small, FittedSquare(shape_subject, 16 * kIconOversampling)),
                       DrawWithAlpha(small, FittedSquare(shape_subject, 32 * kIconOversampling)),
                       DrawWithAlpha(lf, FittedSquare(subject, 48 * kIconOversampling))},
                      "favicon.ico");
            going = step();
        }
        if (going && vector) {
            // The vector writers draw glyphs too, so they stay on this thread.
            ExportSettings settings;
            settings.transparent = true;
            LeFile white;
            MakeOneColourCopy(lf, kOneColourWhite, white);
            if (!KitWriteSvg(lf, subject, settings, staging.File("logo.svg")) ||
                !KitWritePdf(lf, subject, settings, staging.File("logo.pdf"), request.title) ||
                !KitWriteSvg(black, subject, settings, staging.File("logo-black.svg")) ||
                !KitWriteSvg(white, subject, settings, staging.File("logo-white.svg"))) {
                return false;  // the writer said why
            }
            going = step();
        }
        problems = queue.Finish();
        if (!going) return false;
    }
    if (!problems.empty()) {
        // The user knows the target, not the folder the kit was made in.
        std::string shown = problems.front();
        const auto at = shown.find(staging.folder());
        if (at != std::string::npos) shown.replace(at, staging.folder().size(), KitTargetPath(request.folder));
        ShowMessage(shown);
        return false;
    }
    if (FaultsReported() != faults_before) {
        ShowMessage("The logo could not be drawn as designed; the logo kit was not written.");
        return false;
    }
    if (!step()) return false;

    BrandPageContent page;
    page.title = request.title;
    page.pictures = {{"Colour, on light", *colour512, false},
                     {"Colour, on dark", *colour512, true},
                     {"Black, on light", *black1024, false},
                     {"White, on dark", *white1024, true}};
    page.colours = LogoColours(lf);
    std::string problem;
    page.fonts = CopyFontLicences(lf, request.install_dir, staging, problem);
    if (!problem.empty()) {
        ShowMessage(problem);
        return false;
    }
    page.has_picture_objects = AnyPicture(lf);
    page.vector_files = vector;
    for (const KitFile& file : KitFiles()) {
        if (!file.vector || vector) page.files.emplace_back(file.name, file.description);
    }
    for (const BrandFont& font : page.fonts) {
        if (!font.licence_file.empty()) page.files.emplace_back(font.licence_file, "licence of " + font.name);
    }
    const std::string html = BrandPageHtml(page);
    const std::string page_path = staging.File(kKitPageName);
    if (!WriteFileAtomically(page_path, std::vector<uint8_t>(html.begin(), html.end()))) {
        ShowMessage("Can't open file " + page_path + " for writing...");
        return false;
    }
    if (!staging.Commit()) {
        ShowMessage(staging.problem());
        return false;
    }
    step();
    return true;
}

}  // namespace qv
