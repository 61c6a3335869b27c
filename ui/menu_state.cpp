#include "ui/menu_state.h"

#include "app/fault_report.h"
#include "app/unicode_text.h"
#include "ui/command_ids.h"

namespace qv::ui {

const char* BarName(OptionBar bar) {
    switch (bar) {
        case OptionBar::kText:
            return "Text";
        case OptionBar::kImage:
            return "Image";
        case OptionBar::kShape:
            return "Shape";
        case OptionBar::kEffects:
            return "Effects";
        case OptionBar::kGradient:
            return "Gradient";
        case OptionBar::kTransform:
            return "Transform";
        case OptionBar::kColors:
            return "Colors";
        case OptionBar::kLogo:
            return "Logo Image";
    }
    return "";
}

EditMenuState ComputeEditMenuState(const LeFile& lf, const UndoTrack& utrack) {
    EditMenuState s;
    s.undo = utrack.undoes > 0;
    s.redo = utrack.redoes > 0;
    const int n = lf.objs;
    if (n <= 0) return s;
    // A current index out of range (a damaged file) is treated as no current object.
    const LogoObj* c = lf.cur >= 0 && lf.cur < n ? lf.obj[lf.cur].get() : nullptr;
    const bool styled = c && c->type != LogoObj::kCustom;
    s.solid_color = styled && !c->lt.grad;
    s.gradient_colors = styled && c->lt.grad;
    s.outline_color = styled && c->lt.outline;
    s.shadow_color = styled && c->lt.shadow;
    s.background_color = true;
    s.remove = c != nullptr;
    s.closer = c && lf.cur != n - 1;
    s.farther = c && lf.cur != 0;
    s.previous_button = lf.cur != 0;
    s.next_button = lf.cur != n - 1;
    s.current_button = true;
    s.bar_buttons = styled;
    if (!c) {
        s.captions = EditMenuState::Captions::kText;
    } else if (c->type == LogoObj::kCustom) {
        s.captions = EditMenuState::Captions::kKeep;
    } else {
        s.captions = c->type == LogoObj::kShape ? EditMenuState::Captions::kImage
                                                : EditMenuState::Captions::kText;
    }
    return s;
}

const char* BarButtonCaption(bool image, int k) {
    static const char* const kText[5] = {"Text...", "Effects...", "Gradient...", "Transform...",
                                         "Colors..."};
    static const char* const kImage[5] = {"Image...", "Shape...", "Effects...", "Gradient...",
                                          "Colors..."};
    if (k < 0 || k > 4) return "";
    return image ? kImage[k] : kText[k];
}

QString BarButtonTooltip(const QString& caption) {
    return QStringLiteral("Current Object: ") +
           caption.left(std::max<qsizetype>(caption.size() - 3, 0));
}

std::string FitWindowEntry(const std::string& text) {
    // Counted in characters, so that a character is never cut in half.
    if (CharacterCount(text) >= 31) return FirstCharacters(text, 26) + " ...";
    return text;
}

std::vector<WindowEntry> WindowMenuEntries(const LeFile& lf) {
    static const char* const kTextLabels[4] = {"Text: ", "Effects: ", "Gradient: ", "Transform: "};
    static const char* const kImageLabels[4] = {"Image: ", "Shape: ", "Effects: ", "Gradient: "};
    std::vector<WindowEntry> entries;
    for (int n = 0; n < lf.objs; ++n) {
        const LogoObj* o = lf.obj[n].get();
        if (!o) continue;
        const char* const* labels = nullptr;
        if (o->type == LogoObj::kText) {
            labels = kTextLabels;
        } else if (o->type == LogoObj::kShape) {
            labels = kImageLabels;
        } else if (o->type == LogoObj::kCustom) {
            continue;
        } else {
            ReportFault(0, "invalid obj->type");
            continue;
        }
        for (int k = 0; k < 4; ++k) {
            entries.push_back(
                {cmd::kWindowFirst + 10 * n + k, FitWindowEntry(labels[k] + o->lt.str)});
        }
        entries.push_back({0, {}});
    }
    return entries;
}

std::optional<BarRequest> ObjectCommandBar(int type, bool gradient, int k) {
    if (k < 0 || k > 4 ||
        (type != LogoObj::kText && type != LogoObj::kShape && type != LogoObj::kCustom)) {
        ReportFault(0, "invalid OnWindowCmd obj->type");
        return std::nullopt;
    }
    BarRequest r;
    if (k == 4) {
        r.bar = OptionBar::kColors;
        r.slot = gradient ? 1 : 0;
        return r;
    }
    if (type == LogoObj::kCustom) return std::nullopt;
    static const OptionBar kText[4] = {OptionBar::kText, OptionBar::kEffects, OptionBar::kGradient,
                                       OptionBar::kTransform};
    static const OptionBar kImage[4] = {OptionBar::kImage, OptionBar::kShape, OptionBar::kEffects,
                                        OptionBar::kGradient};
    r.bar = type == LogoObj::kText ? kText[k] : kImage[k];
    return r;
}

std::vector<WindowEntry> ObjectMenuEntries(const LeFile& lf) {
    std::vector<WindowEntry> entries;
    for (int n = 0; n < lf.objs; ++n) {
        const LogoObj* o = lf.obj[n].get();
        if (!o) continue;
        const char* kind = o->type == LogoObj::kText    ? " (Text)"
                           : o->type == LogoObj::kShape ? " (Image)"
                                                        : " (Custom)";
        entries.push_back({cmd::kObjectMenuFirst + n, o->lt.str + kind});
    }
    return entries;
}

}  // namespace qv::ui
