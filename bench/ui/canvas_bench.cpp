// The canvas at a zoom and on a high-density screen: dragging at 400 % on a 1600 x 1000
// canvas, one zoom step, and the reference logo's refresh at device ratio 2.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include "bench/ui/bench_app.h"
#include "ui/canvas_mapping.h"
#include "ui/canvas_view.h"
#include "ui/main_window.h"
#include "ui/object_preview.h"

namespace {

// The reference editor with its canvas made 1600 x 1000.
std::unique_ptr<qv::ui::MainWindow> LargeCanvasEditor() {
    auto editor = qv::bench::ShowReferenceEditor();
    if (!editor) return editor;
    qv::ui::CanvasView* canvas = editor->canvas();
    canvas->resize(1600, 1000);
    canvas->RebuildBackground();
    editor->UpdateOutWnd();
    return editor;
}

constexpr int kMoves = 120;

// A drag of the logo's title at 400 %: every move recomposes the logo, the zoomed view and the
// preview, and repaints them.
void BM_DragAt400Percent(benchmark::State& state) {
    auto editor = LargeCanvasEditor();
    if (!editor) {
        state.SkipWithError("the window was not shown");
        return;
    }
    qv::ui::MainWindow& mw = *editor;
    qv::ui::CanvasView* canvas = mw.canvas();
    mw.lf.SetCurObj(2);
    mw.Refresh();
    const qv::LogoObj& title = *mw.lf.obj[2];
    canvas->SetZoom(4.0, QPoint(canvas->width() / 2, canvas->height() / 2));
    canvas->ScrollTo(int(title.x * 4.0), int(title.y * 4.0));
    const qv::ui::IntPoint at = qv::ui::ClientPointOf(canvas->mapping(), title.x, title.y);
    const QPoint start(at.x, at.y);
    for (auto _ : state) {
        qv::bench::SendMouse(canvas, QEvent::MouseButtonPress, start);
        for (int i = 1; i <= kMoves; ++i) {
            const double a = 2.0 * M_PI * i / kMoves;
            qv::bench::SendMouse(canvas, QEvent::MouseMove,
                 start + QPoint(int(200 * std::sin(a)), int(100 * (1 - std::cos(a)))));
        }
        qv::bench::SendMouse(canvas, QEvent::MouseButtonRelease, start);
    }
    state.counters["fps"] =
        benchmark::Counter(kMoves, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DragAt400Percent)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(3)
    ->ReportAggregatesOnly();

// One zoom step (300 % to 400 % and back, each a new render scale) with the repaint.
void BM_ZoomStep(benchmark::State& state) {
    auto editor = LargeCanvasEditor();
    if (!editor) {
        state.SkipWithError("the window was not shown");
        return;
    }
    qv::ui::CanvasView* canvas = editor->canvas();
    canvas->SetZoom(3.0);
    canvas->repaint();
    bool in = true;
    for (auto _ : state) {
        canvas->SetZoom(in ? 4.0 : 3.0);
        canvas->repaint();
        in = !in;
    }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)
    ->ReportAggregatesOnly();

// The refresh of the reference logo at device ratio 2: the logo's Update, then the canvas and
// the preview drawn at twice the resolution. `cold`: the ratio-2 rasters are made anew each
// time (a changed style); otherwise only the current object changed, as a bar's slider does.
void BM_UpdateAtRatio2(benchmark::State& state) {
    auto editor = qv::bench::ShowReferenceEditor();
    if (!editor) {
        state.SkipWithError("the window was not shown");
        return;
    }
    const bool cold = state.range(0) != 0;
    qv::ui::MainWindow& mw = *editor;
    mw.canvas()->SetPixelRatioOverride(2.0);
    mw.preview()->SetPixelRatioOverride(2.0);
    mw.lf.SetCurObj(2);
    mw.UpdateOutWnd();
    qv::LogoObj& title = *mw.lf.obj[2];
    int step = 0;
    for (auto _ : state) {
        if (cold) mw.canvas()->ForgetZoomedRasters();
        title.lt.shadow_distance = 5 + (++step % 2);
        mw.UpdateOutWnd();
    }
}
BENCHMARK(BM_UpdateAtRatio2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20)
    ->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
