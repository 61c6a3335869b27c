// The editor's speed: dragging an object of the reference logo (every mouse move recomposes the
// whole logo and repaints the canvas and the preview), and start-up to an interactive template
// browser without the loading screen's five seconds.
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise; under a real X server
// (QT_QPA_PLATFORM=xcb) the figures include putting the pictures on the screen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <cmath>

#include "app/install_dir.h"
#include "bench/reference_logo.h"
#include "bench/ui/bench_app.h"
#include "persist/template_library.h"
#include "render/ft_text.h"
#include "ui/canvas_view.h"
#include "ui/main_window.h"
#include "ui/template_dialog.h"

namespace {

constexpr int kMoves = 300;

// 300 moves of the logo's title along a circle, as one drag.
void BM_DragReferenceLogo(benchmark::State& state) {
    auto editor = qv::bench::ShowReferenceEditor();
    if (!editor) {
        state.SkipWithError("the window was not shown");
        return;
    }
    qv::ui::MainWindow& mw = *editor;
    mw.lf.SetCurObj(2);
    mw.Refresh();
    qv::ui::CanvasView* canvas = mw.canvas();
    const QPoint centre(canvas->width() / 2, canvas->height() / 2 - 30);
    for (auto _ : state) {
        qv::bench::SendMouse(canvas, QEvent::MouseButtonPress, centre);
        for (int i = 1; i <= kMoves; ++i) {
            const double a = 2.0 * M_PI * i / kMoves;
            const QPoint to = centre + QPoint(int(120 * std::sin(a)), int(60 * (1 - std::cos(a))));
            qv::bench::SendMouse(canvas, QEvent::MouseMove, to);
        }
        qv::bench::SendMouse(canvas, QEvent::MouseButtonRelease, centre);
    }
    state.counters["fps"] =
        benchmark::Counter(kMoves, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["logo_w"] = mw.lf.ob.dw;
    state.counters["logo_h"] = mw.lf.ob.dh;
}
BENCHMARK(BM_DragReferenceLogo)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// From nothing loaded to the template browser painted and taking clicks: the editor window
// (which reads the style library), the loading window with the font library and every template,
// then the browser's first page. The clock is moved past the five seconds.
void BM_StartupToBrowser(benchmark::State& state) {
    qv::bench::EnsureApplication();
    qv::bench::EnsureFonts();
    int64_t now = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qv::FtText::FreeFt();
        qv::TemplateLibrary::Instance().FreeTmps();
        qv::TemplateLibrary::Instance().SetFolders({qv::InstallDir() + "/templates"});
        state.ResumeTiming();
        auto mw = std::make_unique<qv::ui::MainWindow>();
        auto browser = std::make_unique<qv::ui::TemplateDialog>([&now] { return now; });
        browser->loading = true;
        browser->Open();
        now += qv::ui::TemplateDialog::kLoadingMs;
        browser->Tick();
        browser->repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(browser->browsing());
        state.PauseTiming();
        state.counters["templates"] = qv::TemplateLibrary::Instance().count();
        browser.reset();
        mw.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToBrowser)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
