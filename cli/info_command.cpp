#include <cstdio>

#include "app/install_dir.h"
#include "cli/commands.h"
#include "cli/font_setup.h"
#include "cli/option_reader.h"
#include "persist/style_library.h"
#include "persist/template_library.h"
#include "render/ft_text.h"

namespace qv::cli {

namespace {

const option kOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {nullptr, 0, nullptr, 0},
};

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
    OptionReader reader("info", args, "h", kOptions);
    for (int code = reader.Next(); code != -1; code = reader.Next()) {
        if (code != 'h') return UsageError("info", "");
        PrintCommandHelp("info");
        return kExitOk;
    }
    if (!reader.Operands().empty()) return UsageError("info", "takes no arguments");
    if (!LoadFontLibrary()) return kExitFailure;
    std::printf("Installation: %s\n", InstallDir().c_str());
    std::printf("Text fonts: %d\n", FtText::TextFontCount());
    for (int tab = 0; tab < FontRegistry::kCategories; ++tab) {
        std::printf("  %-6s %4zu\n", kFontCategoryNames[tab], FtText::TextFontNames(tab).size());
    }
    std::printf("Symbol fonts: %d\n", FtText::SymbolFontCount());
    for (int n = 0; n < FtText::SymbolFontCount(); ++n) {
        int shapes = 0;
        for (const ShapeEntry& shape : Registry().shapes) {
            if (shape.name == Registry().fonts[static_cast<size_t>(n)].name) ++shapes;
        }
        std::printf("  %-40s %5d shapes\n", Registry().fonts[static_cast<size_t>(n)].name.c_str(),
                    shapes);
    }
    std::printf("Shapes: %d\n", FtText::ShapeCount());
    StyleLibrary styles;
    styles.Load(InstallDir());
    std::printf("Styles: %d\n", styles.count());
    TemplateLibrary& templates = TemplateLibrary::Instance();
    templates.SetFolders({InstallDir() + "/templates"});
    templates.ReloadTmps(false);
    std::printf("Templates: %d\n", templates.count());
    templates.FreeTmps();
    FreeFontLibrary();
    return kExitOk;
}

}  // namespace qv::cli
