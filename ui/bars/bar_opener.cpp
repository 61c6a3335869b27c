#include "ui/bars/bar_opener.h"

#include "document/le_file.h"
#include "document/logo_obj.h"
#include "ui/bars/color_bar.h"
#include "ui/bars/effects_bar.h"
#include "ui/bars/gradient_bar.h"
#include "ui/bars/image_bar.h"
#include "ui/bars/imopt_bar.h"
#include "ui/bars/logo_bar.h"
#include "ui/bars/text_bar.h"
#include "ui/bars/transform_bar.h"
#include "ui/main_window.h"

namespace qv::ui {

BarOpener::BarOpener(MainWindow* mw) : QObject(mw), mw_(mw) {
    setObjectName(QStringLiteral("bar_opener"));
}

BarDialog* BarOpener::Create(const BarRequest& request) {
    switch (request.bar) {
        case OptionBar::kText:
            return new TextBar(mw_);
        case OptionBar::kEffects:
            return new EffectsBar(mw_);
        case OptionBar::kImage:
            return new Imopt(mw_);
        case OptionBar::kShape: {
            // The shape library edits a shape; for anything else there is nothing to show.
            const LogoObj* o = mw_->lf.GetCurObj();
            if (!o || o->type != LogoObj::kShape) return nullptr;
            return new ImageBar(mw_);
        }
        case OptionBar::kLogo:
            return new LogoBar(mw_);
        case OptionBar::kGradient:
            return new GradientBar(mw_);
        case OptionBar::kTransform:
            return new TransformBar(mw_);
        case OptionBar::kColors: {
            auto targets = ColorBar::ObjectTargets(mw_);
            const int slot = targets.size() == 1 ? 0 : request.slot;
            return new ColorBar(mw_, std::move(targets), slot, false);
        }
        default:
            return nullptr;
    }
}

void BarOpener::Open(const BarRequest& request) {
    // Opening another bar drops the open one as it stands: its live changes stay, and so does
    // the lock, now for the new bar.
    if (open_) delete open_.data();
    mw_->PreBarModal(request.new_kind);
    BarDialog* bar = Create(request);
    if (!bar) {
        // Nothing to end the lock with, so it ends here.
        mw_->PostBarModal(false);
        mw_->EnableMenu(true);
        mw_->Refresh();
        return;
    }
    open_ = bar;
    // The bar sits at the window's client origin, over the canvas corner, as it always has.
    bar->move(mw_->mapToGlobal(QPoint(0, 0)));
    bar->show();
    // The new bar takes the keyboard, so Esc cancels it even where no window manager hands
    // the focus to new windows.
    bar->activateWindow();
}

BarOpener* InstallBarOpener(MainWindow* mw) {
    auto* opener = new BarOpener(mw);
    mw->SetBarOpener([opener](const BarRequest& request) { opener->Open(request); });
    return opener;
}

BarDialog* OpenBar(const MainWindow* mw) {
    auto* opener = mw->findChild<BarOpener*>(QStringLiteral("bar_opener"));
    return opener ? opener->openBar() : nullptr;
}

}  // namespace qv::ui
