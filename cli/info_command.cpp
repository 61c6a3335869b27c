#include <cstdio>

#include "app/install_dir.h"
#include "cli/commands.h"
#include "cli/font_setup.h"
#include "cli/json_text.h"
#include "cli/option_reader.h"
#include "persist/style_library.h"
#include "persist/template_library.h"
#include "render/font_search.h"
#include "render/ft_text.h"
#include "render/shape_catalogue.h"
#include "render/shape_search.h"
#include "render/typeface_category.h"

namespace qv::cli {

namespace {

enum OptionCode { kHelp = 'h', kJson = 256, kShapes, kFonts, kCategory };

const option kOptions[] = {
    {"json", no_argument, nullptr, kJson},
    {"shapes", required_argument, nullptr, kShapes},
    {"fonts", required_argument, nullptr, kFonts},
    {"category", required_argument, nullptr, kCategory},
    {"help", no_argument, nullptr, 'h'},
    {nullptr, 0, nullptr, 0},
};

struct InfoRequest {
    bool json = false;
    bool shapes = false;
    bool fonts = false;
    bool category_given = false;
    std::string query;
    std::string category;
};

std::string JsonList(const std::vector<std::string>& items) {
    std::string text = "[";
    for (size_t n = 0; n < items.size(); ++n) text += (n ? ", " : "") + JsonString(items[n]);
    return text + "]";
}

int ShapesOf(const std::string& face) {
    int shapes = 0;
    for (const ShapeEntry& shape : Registry().shapes) {
        if (shape.name == face) ++shapes;
    }
    return shapes;
}

std::vector<std::string> TemplateTitles() {
    TemplateLibrary& templates = TemplateLibrary::Instance();
    templates.SetFolders({InstallDir() + "/templates"});
    templates.ReloadTmps(false);
    std::vector<std::string> titles;
    for (int n = 0; n < templates.count(); ++n) titles.push_back(templates.at(n).title);
    templates.FreeTmps();
    return titles;
}

int StyleCount() {
    StyleLibrary styles;
    styles.Load(InstallDir());
    return styles.count();
}

// The shipped faces, then the system's and the user's.
std::vector<FontListing> TextFonts() {
    std::vector<FontListing> fonts =
        ListLibraryFonts(ReadTypefaceCategories(InstallDir() + "/" + kTypefaceCategoriesPath));
    for (FontListing& font : ListSystemFonts()) fonts.push_back(std::move(font));
    return fonts;
}

void PrintSummary() {
    std::printf("Installation: %s\n", InstallDir().c_str());
    std::printf("Text fonts: %d\n", FtText::TextFontCount());
    for (int tab = 0; tab < FontRegistry::kCategories; ++tab) {
        std::printf("  %-6s %4zu\n", kFontCategoryNames[tab], FtText::TextFontNames(tab).size());
    }
    std::printf("Symbol fonts: %d\n", FtText::SymbolFontCount());
    for (int n = 0; n < FtText::SymbolFontCount(); ++n) {
        const std::string& name = Registry().fonts[static_cast<size_t>(n)].name;
        std::printf("  %-40s %5d shapes\n", name.c_str(), ShapesOf(name));
    }
    std::printf("Shapes: %d\n", FtText::ShapeCount());
    std::printf("Styles: %d\n", StyleCount());
    std::printf("Templates: %zu\n", TemplateTitles().size());
}

void PrintSummaryJson() {
    const std::vector<FontListing> fonts = TextFonts();
    std::printf("{\n  \"text_fonts\": [");
    for (size_t n = 0; n < fonts.size(); ++n) {
        std::printf("%s\n    {\"name\": %s, \"tab\": %s, \"category\": %s, \"source\": %s}", n ? "," : "",
                    JsonString(fonts[n].name).c_str(), JsonString(kFontCategoryNames[fonts[n].tab]).c_str(),
                    JsonString(fonts[n].category).c_str(), JsonString(fonts[n].source).c_str());
    }
    std::printf("%s],\n  \"symbol_fonts\": [", fonts.empty() ? "" : "\n  ");
    for (int n = 0; n < FtText::SymbolFontCount(); ++n) {
        const std::string& name = Registry().fonts[static_cast<size_t>(n)].name;
        std::printf("%s\n    {\"name\": %s, \"shapes\": %d}", n ? "," : "", JsonString(name).c_str(),
                    ShapesOf(name));
    }
    std::printf("%s],\n", FtText::SymbolFontCount() ? "\n  " : "");
    std::printf("  \"shape_count\": %d,\n  \"styles\": %d,\n  \"templates\": %s\n}\n",
                FtText::ShapeCount(), StyleCount(), JsonList(TemplateTitles()).c_str());
}

void PrintShapes(const std::string& query, bool json) {
    const std::vector<ShapeText> texts = LibraryShapeTexts(InstallDir());
    const std::vector<int> found = SearchShapes(texts, NormalizeSearchText(query));
    if (json) std::fputs("[", stdout);
    for (size_t n = 0; n < found.size(); ++n) {
        const ShapeEntry& shape = Registry().shapes[static_cast<size_t>(found[n])];
        const ShapeText& text = texts[static_cast<size_t>(found[n])];
        if (json) {
            std::printf("%s\n  {\"font\": %s, \"glyph\": %d, \"name\": %s, \"keywords\": %s}", n ? "," : "",
                        JsonString(shape.name).c_str(), shape.glyph, JsonString(text.name).c_str(),
                        JsonList(text.keywords).c_str());
        } else {
            std::printf("%-36s %s #%d\n", text.name.c_str(), shape.name.c_str(), shape.glyph);
        }
    }
    if (json) std::fputs(found.empty() ? "]\n" : "\n]\n", stdout);
}

void PrintFonts(const std::string& query, const std::string& category, bool json) {
    const std::vector<FontListing> fonts = TextFonts();
    const std::vector<int> found = SearchFonts(fonts, query, category);
    if (json) std::fputs("[", stdout);
    for (size_t n = 0; n < found.size(); ++n) {
        const FontListing& font = fonts[static_cast<size_t>(found[n])];
        if (json) {
            std::printf("%s\n  {\"name\": %s, \"category\": %s, \"source\": %s}", n ? "," : "",
                        JsonString(font.name).c_str(), JsonString(font.category).c_str(),
                        JsonString(font.source).c_str());
        } else {
            std::printf("%-44s %-12s %s\n", font.name.c_str(), font.category.c_str(), font.source.c_str());
        }
    }
    if (json) std::fputs(found.empty() ? "]\n" : "\n]\n", stdout);
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
    OptionReader reader("info", args, "h", kOptions);
    InfoRequest request;
    for (int code = reader.Next(); code != -1; code = reader.Next()) {
        switch (code) {
        case kJson:
            request.json = true;
            break;
        case kShapes:
            request.shapes = true;
            request.query = reader.Value();
            break;
        case kFonts:
            request.fonts = true;
            request.query = reader.Value();
            break;
        case kCategory:
            request.category_given = true;
            request.category = reader.Value();
            break;
        case kHelp:
            PrintCommandHelp("info");
            return kExitOk;
        default:
            return UsageError("info", "");
        }
    }
    if (!reader.Operands().empty()) return UsageError("info", "takes no arguments besides its options");
    if (request.shapes && request.fonts) return UsageError("info", "--shapes and --fonts cannot be combined");
    if (request.category_given && !request.fonts) return UsageError("info", "--category goes with --fonts");
    if (request.category_given && !IsTypefaceCategory(request.category)) {
        return UsageError("info", "--category must be one of serif, sans, slab, script, handwriting, "
                                  "display, monospace");
    }
    if (!LoadFontLibrary()) return kExitFailure;
    if (request.shapes) {
        PrintShapes(request.query, request.json);
    } else if (request.fonts) {
        PrintFonts(request.query, request.category, request.json);
    } else if (request.json) {
        PrintSummaryJson();
    } else {
        PrintSummary();
    }
    FreeFontLibrary();
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

}  // namespace qv::cli
