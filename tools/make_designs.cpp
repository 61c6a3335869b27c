// Builds the installation's ready-made designs from the JSON files of the data folder:
// styles/*.json become styles/1.kuz, 2.kuz, ... in file-name order, and every
// templates/<Title>.json becomes templates/<Title>.kuz with its previews <Title>a.bpr and
// <Title>c.bpr. The files are written by the engine itself, so they are exactly what the editor
// reads. Before anything is written every design is checked against the built font library: a
// face it names must be shipped, a shape must be one its face offers, and every character of a
// text must be in its face. Any problem fails the build with the file, face and glyph named.
// data/README.md describes the JSON.
//
//   qorvan-mkdesigns DATA_DIR INSTALL_DIR [STAMP]
//
// STAMP, when given, lists the files made, one a line relative to INSTALL_DIR; the next run
// reads it to remove what is no longer made (a renamed template, a dropped style).

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/codepage1252.h"
#include "app/unicode_text.h"
#include "app/fault_report.h"
#include "app/file_io.h"
#include "app/install_dir.h"
#include "app/user_message.h"
#include "document/colour_model.h"
#include "document/le_file.h"
#include "persist/project_file.h"
#include "persist/style_library.h"
#include "persist/template_library.h"
#include "render/ft_text.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

constexpr const char* kTool = "qorvan-mkdesigns";
// The editor's canvas at its usual size: objects are rendered there before they are saved, so
// their extents are the ones the editor would find.
constexpr int kCanvasWidth = 1180;
constexpr int kCanvasHeight = 780;
constexpr int kMinTemplateObjects = 2;
constexpr int kMaxTemplateObjects = 6;

// Collects the problems of one design file; every one is printed as it is found, so a single
// run reports all of them.
class Checker {
public:
    explicit Checker(std::string file) : file_(std::move(file)) {}

    void Fail(const std::string& where, const std::string& what) {
        if (where.empty()) {
            std::fprintf(stderr, "%s: %s: %s\n", kTool, file_.c_str(), what.c_str());
        } else {
            std::fprintf(stderr, "%s: %s: %s: %s\n", kTool, file_.c_str(), where.c_str(),
                         what.c_str());
        }
        ok_ = false;
    }
    bool ok() const { return ok_; }

private:
    std::string file_;
    bool ok_ = true;
};

// Typed access to the members of one JSON object. Every read names the member it wanted, and
// Finish() reports members nobody asked for: a misspelt key would otherwise be ignored quietly.
class Fields {
public:
    Fields(const json& value, std::string where, Checker& check)
        : value_(value), where_(std::move(where)), check_(check) {
        if (!value_.is_object()) check_.Fail(where_, "expected an object");
    }

    bool Has(const char* key) {
        used_.insert(key);
        return value_.is_object() && value_.contains(key);
    }

    std::string Where(const char* key) const {
        return where_.empty() ? std::string(key) : where_ + "." + key;
    }

    const json* Get(const char* key) {
        if (!Has(key)) return nullptr;
        return &value_.at(key);
    }

    std::string String(const char* key, const std::string& fallback, bool required = false) {
        const json* v = Get(key);
        if (!v) {
            if (required) check_.Fail(Where(key), "missing");
            return fallback;
        }
        if (!v->is_string()) {
            check_.Fail(Where(key), "expected a string");
            return fallback;
        }
        return v->get<std::string>();
    }

    double Number(const char* key, double fallback, double lo, double hi) {
        const json* v = Get(key);
        if (!v) return fallback;
        if (!v->is_number()) {
            check_.Fail(Where(key), "expected a number");
            return fallback;
        }
        const double d = v->get<double>();
        if (!(d >= lo && d <= hi)) {
            check_.Fail(Where(key), "must lie within " + Format(lo) + ".." + Format(hi));
            return fallback;
        }
        return d;
    }

    int Int(const char* key, int fallback, int lo, int hi) {
        const json* v = Get(key);
        if (!v) return fallback;
        if (!v->is_number_integer()) {
            check_.Fail(Where(key), "expected a whole number");
            return fallback;
        }
        const long long n = v->get<long long>();
        if (n < lo || n > hi) {
            check_.Fail(Where(key),
                        "must lie within " + std::to_string(lo) + ".." + std::to_string(hi));
            return fallback;
        }
        return static_cast<int>(n);
    }

    bool Bool(const char* key, bool fallback) {
        const json* v = Get(key);
        if (!v) return fallback;
        if (!v->is_boolean()) {
            check_.Fail(Where(key), "expected true or false");
            return fallback;
        }
        return v->get<bool>();
    }

    // "#RRGGBB" as the stored hue, saturation and lightness.
    qv::Hls Colour(const char* key, const qv::Hls& fallback, bool required = false) {
        const json* v = Get(key);
        if (!v) {
            if (required) check_.Fail(Where(key), "missing");
            return fallback;
        }
        const std::string text = v->is_string() ? v->get<std::string>() : std::string();
        int rgb[3] = {0, 0, 0};
        bool good = text.size() == 7 && text[0] == '#';
        for (size_t i = 1; good && i < 7; ++i) {
            const int digit = HexDigit(text[i]);
            good = digit >= 0;
            rgb[(i - 1) / 2] = rgb[(i - 1) / 2] * 16 + digit;
        }
        if (!good) {
            check_.Fail(Where(key), "expected a colour as \"#RRGGBB\", not " +
                                        v->dump(-1, ' ', false, json::error_handler_t::replace));
            return fallback;
        }
        return qv::RgbToHls(static_cast<float>(rgb[0]), static_cast<float>(rgb[1]),
                            static_cast<float>(rgb[2]));
    }

    void Finish() {
        if (!value_.is_object()) return;
        for (const auto& [key, unused] : value_.items()) {
            if (!used_.count(key)) check_.Fail(Where(key.c_str()), "unknown member");
        }
    }

    Checker& check() { return check_; }

private:
    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    static std::string Format(double d) {
        std::ostringstream out;
        out << d;
        return out.str();
    }

    const json& value_;
    std::string where_;
    Checker& check_;
    std::set<std::string> used_;
};

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

// The look members: fill or gradient, outline, shadow and the strength of both.
void ReadLook(Fields& f, qv::ObjStyle& lt) {
    lt.color = f.Colour("fill", lt.color);
    lt.strength = f.Int("strength", lt.strength, 0, 10);
    if (const json* g = f.Get("gradient")) {
        Fields gf(*g, f.Where("gradient"), f.check());
        lt.grad = 1;
        lt.grad_color1 = gf.Colour("from", lt.grad_color1, true);
        lt.grad_color2 = gf.Colour("to", lt.grad_color2, true);
        lt.grad_angle = gf.Int("angle", 0, 0, 360);
        lt.grad_opacity1 = static_cast<float>(gf.Number("from_opacity", 100, 0, 100) / 100.0);
        lt.grad_opacity2 = static_cast<float>(gf.Number("to_opacity", 100, 0, 100) / 100.0);
        gf.Finish();
    }
    if (const json* o = f.Get("outline")) {
        Fields of(*o, f.Where("outline"), f.check());
        lt.outline = 1;
        lt.outline_color = of.Colour("color", lt.outline_color, true);
        lt.outline_opacity = static_cast<float>(of.Number("opacity", 100, 0, 100) / 100.0);
        lt.outline_sharpness = static_cast<float>(of.Number("sharpness", 50, 0, 100) / 100.0);
        of.Finish();
    }
    if (const json* s = f.Get("shadow")) {
        Fields sf(*s, f.Where("shadow"), f.check());
        lt.shadow = 1;
        lt.shadow_color = sf.Colour("color", lt.shadow_color, true);
        lt.shadow_angle = sf.Int("angle", 45, 0, 360);
        lt.shadow_distance = sf.Int("distance", 5, 0, 100);
        lt.shadow_opacity = static_cast<float>(sf.Number("opacity", 50, 0, 100) / 100.0);
        sf.Finish();
    }
}

// Whether the shape table lists `glyph` of the face called `face`.
bool ShapeOffered(const std::string& face, int glyph) {
    for (const qv::ShapeEntry& shape : qv::Registry().shapes) {
        if (shape.glyph == glyph && shape.name == face) return true;
    }
    return false;
}

// Fills `o` from one object of a design and checks it against the font library.
void ReadObject(Fields& f, qv::LogoObj& o) {
    Checker& check = f.check();
    const std::string type = f.String("type", "text");
    if (type != "text" && type != "shape") {
        check.Fail(f.Where("type"), "expected \"text\" or \"shape\", not " + Quoted(type));
    }
    const bool shape = type == "shape";
    qv::ObjStyle& lt = o.lt;
    lt.font = f.String("font", "", true);
    FT_Face face = nullptr;
    if (!lt.font.empty()) {
        if (qv::FtText::HasFace(lt.font)) {
            face = qv::FtText::FindFace(lt.font);
        } else {
            check.Fail(f.Where("font"),
                       "face " + Quoted(lt.font) + " is not in the shipped library");
        }
    }

    lt.size = f.Int("size", lt.size, 4, 1000);
    o.x = f.Int("x", 0, -3000, 3000);
    o.y = f.Int("y", 0, -3000, 3000);
    if (shape) {
        o.type = qv::LogoObj::kShape;
        lt.width = f.Int("width", lt.size, 4, 1000);
        lt.glyph = -1;
        const json* g = f.Get("glyph");
        std::string label;
        if (!g) {
            check.Fail(f.Where("glyph"), "missing");
        } else if (g->is_number_integer()) {
            const long long n = g->get<long long>();
            lt.glyph = n >= 0 && n < 1000000 ? static_cast<int>(n) : -1;
            label = std::to_string(n);
        } else if (g->is_string()) {
            // A glyph name keeps the file readable ("coffee" rather than 150); the library's
            // faces that offer names resolve it here, once.
            label = Quoted(g->get<std::string>());
            if (face && FT_HAS_GLYPH_NAMES(face)) {
                lt.glyph = static_cast<int>(
                    FT_Get_Name_Index(face, const_cast<char*>(g->get<std::string>().c_str())));
                if (lt.glyph == 0) lt.glyph = -1;
            }
        } else {
            check.Fail(f.Where("glyph"), "expected a glyph number or a glyph name");
        }
        if (face && g && (g->is_number_integer() || g->is_string())) {
            if (lt.glyph < 0 || lt.glyph >= face->num_glyphs || !ShapeOffered(lt.font, lt.glyph)) {
                check.Fail(f.Where("glyph"),
                           "face " + Quoted(lt.font) + " offers no shape glyph " + label);
                lt.glyph = -1;
            }
        }
        if (lt.glyph < 0) lt.glyph = 1;  // keeps the rest of the checks meaningful
        o.MakeShapeName();
        if (f.Has("text")) check.Fail(f.Where("text"), "a shape has no text");
    } else {
        o.type = qv::LogoObj::kText;
        const std::string utf8 = f.String("text", "", true);
        std::string bytes;
        if (!qv::Utf8ToCp1252(utf8, bytes)) {
            check.Fail(f.Where("text"), Quoted(utf8) + " has characters a text cannot hold");
            bytes.clear();
        } else if (bytes.empty() && f.Has("text")) {
            check.Fail(f.Where("text"), "is empty");
        }
        // The document keeps the text as UTF-8; the check above keeps the shipped designs in
        // code page 1252, so their files stay in the 8-bit form.
        lt.str = qv::TextFromCp1252(bytes);
        for (unsigned char c : bytes) {
            if (!face || c == ' ') continue;
            const char16_t u = qv::Cp1252ToUnicode(c);
            if (FT_Get_Char_Index(face, u) == 0) {
                const std::string one = qv::Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(u));
                check.Fail(f.Where("text"), "face " + Quoted(lt.font) + " has no glyph for " +
                                                Quoted(one) + " (" + code + ") in " + Quoted(utf8));
            }
        }
        if (f.Has("width")) check.Fail(f.Where("width"), "only shapes have a width");
        if (f.Has("glyph")) check.Fail(f.Where("glyph"), "only shapes have a glyph");
    }
    lt.spacing = f.Int("spacing", 0, -200, 500);
    lt.aspect = static_cast<float>(f.Number("aspect", 1.0, 0.5, 2.0));
    if (f.Has("rotation")) {
        lt.transform = 1;
        // Degrees counter-clockwise, stored as a fraction of a turn.
        lt.rotation = static_cast<float>(f.Number("rotation", 0, -360, 360) / 360.0);
    }
    if (f.Has("bend")) {
        lt.transform = 1;
        lt.bend_on = 1;
        lt.bend = static_cast<float>(f.Number("bend", 0, 0, 100) / 100.0);
    }
    lt.bend_inside = f.Bool("bend_inside", false) ? 1 : 0;
    ReadLook(f, lt);
}

bool ParseFile(const fs::path& path, Checker& check, json& out) {
    std::vector<uint8_t> bytes;
    if (!qv::ReadFileBytes(path.string(), bytes)) {
        check.Fail("", "cannot be read");
        return false;
    }
    out = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (out.is_discarded()) {
        check.Fail("", "is not valid JSON");
        return false;
    }
    return true;
}

// The JSON files of one folder, sorted by name byte for byte.
std::vector<fs::path> JsonFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".json" && entry.is_regular_file(error)) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool IsAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A design read and checked, ready to be written.
struct Design {
    std::string title;  // templates: the file name without .json
    std::unique_ptr<qv::LeFile> lf = std::make_unique<qv::LeFile>();
};

bool ReadStyle(const fs::path& path, Design& design) {
    Checker check(path.string());
    json doc;
    if (!ParseFile(path, check, doc)) return false;
    Fields f(doc, "", check);
    f.String("name", "", true);
    f.String("about", "");
    qv::LeFile& lf = *design.lf;
    lf.bgc = f.Colour("background", lf.bgc);
    qv::LogoObj* o = lf.AddObj(qv::LogoObj::kText);
    if (!o) {
        check.Fail("", "could not add its object");
        return false;
    }
    ReadObject(f, *o);
    o->x = o->y = 0;
    f.Finish();
    return check.ok();
}

bool ReadTemplate(const fs::path& path, Design& design) {
    Checker check(path.string());
    design.title = path.stem().string();
    if (!qv::TemplateNameIsSafe(design.title) || !IsAscii(design.title)) {
        check.Fail("", "the title must be plain ASCII, not begin with a dot and have no slash");
    }
    json doc;
    if (!ParseFile(path, check, doc)) return false;
    Fields f(doc, "", check);
    f.String("about", "");
    qv::LeFile& lf = *design.lf;
    lf.bgc = f.Colour("background", lf.bgc, true);
    if (const json* c = f.Get("fixed_canvas")) {
        if (!c->is_array() || c->size() != 2 || !(*c)[0].is_number_integer() ||
            !(*c)[1].is_number_integer()) {
            check.Fail("fixed_canvas", "expected [width, height]");
        } else {
            lf.SetCanvasSize((*c)[0].get<int>(), (*c)[1].get<int>());
            lf.fixed = 1;
        }
    }
    const json* objects = f.Get("objects");
    if (!objects || !objects->is_array()) {
        check.Fail("objects", "expected an array of objects");
    } else {
        const int n = static_cast<int>(objects->size());
        if (n < kMinTemplateObjects || n > kMaxTemplateObjects) {
            check.Fail("objects", "a template holds " + std::to_string(kMinTemplateObjects) +
                                      " to " + std::to_string(kMaxTemplateObjects) +
                                      " objects, not " + std::to_string(n));
        }
        for (int k = 0; k < n; ++k) {
            qv::LogoObj* o = lf.AddObj(qv::LogoObj::kText);
            if (!o) break;
            Fields of((*objects)[size_t(k)], "objects[" + std::to_string(k) + "]", check);
            ReadObject(of, *o);
            of.Finish();
        }
    }
    f.Finish();
    return check.ok();
}

std::vector<std::string> ReadList(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s DATA_DIR INSTALL_DIR [STAMP]\n", kTool);
        return 2;
    }
    const fs::path data_dir = argv[1];
    const std::string install_dir = argv[2];
    const std::string stamp = argc == 4 ? argv[3] : "";

    // Faults and messages while designs are rendered mean a design the editor would complain
    // about: count them, and fail.
    int problems = 0;
    qv::SetFaultHandler([&](int, const std::string& report) {
        std::fprintf(stderr, "%s: fault:\n%s\n", kTool, report.c_str());
        ++problems;
    });
    qv::SetMessageHandler([&](const std::string& text) {
        std::fprintf(stderr, "%s: %s\n", kTool, text.c_str());
        ++problems;
    });

    qv::SetInstallDir(install_dir);
    qv::FtText::InitFt();
    if (problems > 0 || qv::FtText::TextFontCount() == 0) {
        std::fprintf(stderr, "%s: the font library in %s could not be loaded\n", kTool,
                     install_dir.c_str());
        return 1;
    }

    std::vector<Design> styles, templates;
    bool ok = true;
    for (const fs::path& path : JsonFiles(data_dir / "styles")) {
        styles.emplace_back();
        ok = ReadStyle(path, styles.back()) && ok;
    }
    for (const fs::path& path : JsonFiles(data_dir / "templates")) {
        templates.emplace_back();
        ok = ReadTemplate(path, templates.back()) && ok;
    }
    if (styles.empty() || templates.empty()) {
        std::fprintf(stderr, "%s: no styles or no templates in %s\n", kTool, argv[1]);
        ok = false;
    }
    if (!ok) {
        std::fprintf(stderr, "%s: designs are not usable with the shipped font library\n", kTool);
        qv::FtText::FreeFt();
        return 1;
    }

    const std::string styles_dir = install_dir + "/styles";
    const std::string templates_dir = install_dir + "/templates";
    if (!qv::MakeDirectories(styles_dir) || !qv::MakeDirectories(templates_dir)) {
        std::fprintf(stderr, "%s: cannot create folders in %s\n", kTool, install_dir.c_str());
        qv::FtText::FreeFt();
        return 1;
    }

    std::vector<std::string> made;
    bool written = true;
    for (size_t k = 0; k < styles.size(); ++k) {
        qv::LeFile& lf = *styles[k].lf;
        lf.Update(kCanvasWidth, kCanvasHeight, -1, -1);
        const std::string name = "styles/" + std::to_string(k + 1) + ".kuz";
        written = qv::SaveProject(install_dir + "/" + name, lf) && written;
        made.push_back(name);
    }
    for (Design& t : templates) {
        qv::LeFile& lf = *t.lf;
        lf.Update(kCanvasWidth, kCanvasHeight, -1, -1);
        const std::string base = "templates/" + t.title;
        // The previews centre the objects, and the project keeps them so.
        written = qv::SavePreview(lf, install_dir + "/" + base + "a.bpr",
                                  install_dir + "/" + base + "c.bpr") &&
                  written;
        written = qv::SaveProject(install_dir + "/" + base + ".kuz", lf) && written;
        made.push_back(base + ".kuz");
        made.push_back(base + "a.bpr");
        made.push_back(base + "c.bpr");
    }
    qv::FtText::FreeFt();

    // What an earlier run made and this one did not: a later style number would extend the
    // library, a renamed template would stay listed.
    const std::set<std::string> now(made.begin(), made.end());
    std::vector<std::string> stale;
    if (!stamp.empty()) {
        for (const std::string& old : ReadList(stamp)) {
            if (!now.count(old) && old.find("..") == std::string::npos) stale.push_back(old);
        }
    }
    for (int k = static_cast<int>(styles.size()) + 1; k <= qv::kMaxStyles; ++k) {
        stale.push_back("styles/" + std::to_string(k) + ".kuz");
    }
    for (const std::string& old : stale) {
        std::error_code error;
        fs::remove(install_dir + "/" + old, error);
    }

    if (!written || problems > 0) {
        std::fprintf(stderr, "%s: the designs could not be written without problems\n", kTool);
        return 1;
    }
    if (!stamp.empty()) {
        std::ofstream out(stamp, std::ios::trunc);
        for (const std::string& name : made) out << name << '\n';
        if (!out.flush()) {
            std::fprintf(stderr, "%s: cannot write %s\n", kTool, stamp.c_str());
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %zu styles, %zu templates in %.2f s\n", kTool, styles.size(), templates.size(),
                seconds);
    return 0;
}
