#include <cstdio>

#include "app/guard.h"
#include "app/install_dir.h"
#include "cli/commands.h"
#include "persist/style_library.h"
#include "persist/template_library.h"
#include "render/ft_text.h"

namespace qv::cli {

int RunInfo(const std::vector<std::string>& args) {
    if (!args.empty()) {
        std::fprintf(stderr, "qorvan-logo-cli: info takes no arguments\n");
        return 2;
    }
    QV_CHECK_T("FtText::InitFt()", FtText::InitFt() == 0);
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
    QV_CHECK_T("FtText::FreeFt()", FtText::FreeFt() == 0);
    return 0;
}

}  // namespace qv::cli
