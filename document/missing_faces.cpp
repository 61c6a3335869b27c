#include "document/missing_faces.h"

#include "render/ft_text.h"

namespace qv {
namespace {

// What FindFace draws a missing face with.
std::string FallbackFaceName() {
    const FontRegistry& reg = Registry();
    if (static_cast<size_t>(reg.n_symfonts) < reg.fonts.size()) {
        return reg.fonts[static_cast<size_t>(reg.n_symfonts)].name;
    }
    return "";
}

}  // namespace

std::vector<MissingFace> MissingFaces(LeFile& lf) {
    std::vector<MissingFace> missing;
    for (int n = 0; n < lf.GetCount(); ++n) {
        const LogoObj* o = lf.GetObj(n);
        if (!o || o->type == LogoObj::kCustom || FtText::CanDraw(o->lt.font)) continue;
        bool listed = false;
        for (const MissingFace& face : missing) listed = listed || face.face == o->lt.font;
        if (!listed) missing.push_back({o->lt.font, FallbackFaceName()});
    }
    return missing;
}

std::string MissingFacesMessage(const std::vector<MissingFace>& missing) {
    std::string text = missing.size() == 1 ? "This logo uses a font that is not installed:\n"
                                           : "This logo uses fonts that are not installed:\n";
    for (const MissingFace& face : missing) {
        text += "\n\"" + face.face + "\" is drawn with \"" + face.used_instead + "\"";
    }
    return text;
}

}  // namespace qv
