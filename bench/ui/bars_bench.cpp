// The option bars' speed on the reference logo: opening the Text bar on the tab with the most
// fonts (the visible font names rendered in their own faces and painted), and one live change
// in each bar, which recomposes the whole logo and repaints the canvas and the preview.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTabBar>
#include <functional>

#include "bench/ui/bench_app.h"
#include "document/le_file.h"
#include "document/logo_obj.h"
#include "render/font_registry.h"
#include "ui/bars/bar_opener.h"
#include "ui/bars/color_bar.h"
#include "ui/bars/effects_bar.h"
#include "ui/bars/fonts_box.h"
#include "ui/bars/gradient_bar.h"
#include "ui/bars/imopt_bar.h"
#include "ui/bars/logo_bar.h"
#include "ui/bars/text_bar.h"
#include "ui/bars/transform_bar.h"
#include "ui/colour/colour_controls.h"
#include "ui/spin_edit.h"
#include "ui/value_slider.h"

namespace {

using qv::ui::BarDialog;
using qv::ui::MainWindow;

// The tab with the most text fonts and the first font on it.
std::pair<int, QString> LargestTab() {
    qv::ui::FontsBox box;
    int best = 0, most = -1;
    for (int tab = 0; tab < qv::FontRegistry::kCategories; ++tab) {
        box.FillFntList(tab);
        if (box.count() > most) {
            most = box.count();
            best = tab;
        }
    }
    box.FillFntList(best);
    return {best, box.count() > 0 ? box.item(0)->text() : QString()};
}

void BM_OpenTextBarOnLargestTab(benchmark::State& state) {
    auto mw = qv::bench::ShowReferenceEditor();
    if (!mw) {
        state.SkipWithError("the window was not shown");
        return;
    }
    const auto [tab, font] = LargestTab();
    mw->lf.SetCurObj(2);
    mw->lf.GetCurObj()->lt.font = font.toStdString();
    // Each Cancel goes back to this state.
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    int rows = 0, fonts = 0;
    for (auto _ : state) {
        mw->EditText();
        auto* bar = qobject_cast<qv::ui::TextBar*>(qv::ui::OpenBar(mw.get()));
        if (!bar) {
            state.SkipWithError("the Text bar did not open");
            return;
        }
        // Shown, laid out and painted, font names included.
        QCoreApplication::processEvents();
        bar->repaint();
        state.PauseTiming();
        rows = bar->fonts()->delegate()->rendered();
        fonts = bar->fonts()->count();
        if (bar->tabs()->currentIndex() != tab) {
            state.SkipWithError("the Text bar did not open on the largest tab");
            return;
        }
        bar->reject();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["fonts_on_tab"] = fonts;
    state.counters["rows_rendered"] = rows;
}
BENCHMARK(BM_OpenTextBarOnLargestTab)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// Opening the Text bar and typing a search into it: the results of every tab listed, their
// names drawn and their samples rendered, and painted.
void BM_OpenTextBarOnSearchResult(benchmark::State& state) {
    auto mw = qv::bench::ShowReferenceEditor();
    if (!mw) {
        state.SkipWithError("the window was not shown");
        return;
    }
    mw->lf.SetCurObj(2);
    mw->utrack.Reset(mw->lf);
    mw->Refresh();
    int fonts = 0;
    for (auto _ : state) {
        mw->EditText();
        auto* bar = qobject_cast<qv::ui::TextBar*>(qv::ui::OpenBar(mw.get()));
        if (!bar) {
            state.SkipWithError("the Text bar did not open");
            return;
        }
        bar->fontSearch()->setText(QStringLiteral("regular"));
        QCoreApplication::processEvents();
        bar->repaint();
        state.PauseTiming();
        fonts = bar->fonts()->count();
        bar->reject();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["fonts_found"] = fonts;
}
BENCHMARK(BM_OpenTextBarOnSearchResult)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// One kind of live change: the bar to open on object `object`, and the change number i makes.
struct LiveChange {
    std::function<void(MainWindow&)> open;
    std::function<void(BarDialog&, int)> change;
    int object;
};

template <typename Bar>
Bar& As(BarDialog& bar) {
    return static_cast<Bar&>(bar);
}

void SetValue(const qv::ui::ValueRow& row, int value) {
    row.edit->SetText(QString::number(value));
}

const LiveChange kChanges[] = {
    {[](MainWindow& m) { m.EditText(); },
     [](BarDialog& b, int i) { SetValue(As<qv::ui::TextBar>(b).fontSize(), 80 + i % 20); }, 2},
    {[](MainWindow& m) { m.EditEffects(); },
     [](BarDialog& b, int i) { SetValue(As<qv::ui::EffectsBar>(b).shadowDistance(), 1 + i % 19); },
     2},
    {[](MainWindow& m) { m.EditGradient(); },
     [](BarDialog& b, int i) { SetValue(As<qv::ui::GradientBar>(b).angle(), (i * 7) % 360); }, 2},
    {[](MainWindow& m) { m.EditTransform(); },
     [](BarDialog& b, int i) { SetValue(As<qv::ui::TransformBar>(b).rotation(), (i * 5) % 360); },
     3},
    {[](MainWindow& m) { m.EditColor(0); },
     [](BarDialog& b, int i) {
         qv::ui::ColourControls* c = As<qv::ui::ColorBar>(b).controls();
         c->rgbEdit(0)->setText(QString::number((i * 13) % 256));
         c->PollEdits();
     },
     2},
    {[](MainWindow& m) { m.EditImage(); },
     [](BarDialog& b, int i) { SetValue(As<qv::ui::Imopt>(b).shapeWidth(), 120 + i % 60); }, 0},
    {[](MainWindow& m) { m.EditLogoOptions(); },
     [](BarDialog& b, int i) { SetValue(As<qv::ui::LogoBar>(b).hue(), (i * 11) % 240); }, 2},
};
const char* const kChangeNames[] = {"text_size",          "effects_shadow", "gradient_angle",
                                    "transform_rotation", "colour_red",     "image_width",
                                    "logo_hue_shift"};

void BM_LiveChange(benchmark::State& state) {
    const LiveChange& kind = kChanges[state.range(0)];
    state.SetLabel(kChangeNames[state.range(0)]);
    auto mw = qv::bench::ShowReferenceEditor();
    if (!mw) {
        state.SkipWithError("the window was not shown");
        return;
    }
    mw->lf.SetCurObj(kind.object);
    mw->Refresh();
    kind.open(*mw);
    BarDialog* bar = qv::ui::OpenBar(mw.get());
    if (!bar) {
        state.SkipWithError("the bar did not open");
        return;
    }
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : state) kind.change(*bar, ++i);
    bar->reject();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_LiveChange)
    ->DenseRange(0, 6)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
