#include <benchmark/benchmark.h>

#include <string>

#include "bench/reference_logo.h"
#include "render/effects.h"
#include "render/ft_text.h"

namespace {

// The whole refresh of the editor: every object rendered afresh and the logo recomposed.
void BM_UpdateReferenceLogo(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    lf.SetCurObj(2);
    for (auto _ : state) {
        lf.Update(1180, 780, 300, 200);
        benchmark::DoNotOptimize(lf.ob.dta.data());
    }
    state.counters["logo_w"] = lf.ob.dw;
    state.counters["logo_h"] = lf.ob.dh;
}
BENCHMARK(BM_UpdateReferenceLogo)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// Where the time goes, stage by stage, over the objects of the reference logo.
void BM_StageLayoutAndRaster(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    for (auto _ : state) {
        for (int n = 0; n < lf.objs; ++n) lf.obj[n]->ft.Render(lf.obj[n]->lt, 0, 0);
    }
}
BENCHMARK(BM_StageLayoutAndRaster)->Unit(benchmark::kMillisecond);

void BM_StageEffects(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    for (int n = 0; n < lf.objs; ++n) lf.obj[n]->ft.Render(lf.obj[n]->lt, 0, 1);
    for (auto _ : state) {
        for (int n = 0; n < lf.objs; ++n) lf.obj[n]->ft.PrepareEffects(lf.obj[n]->lt);
    }
}
BENCHMARK(BM_StageEffects)->Unit(benchmark::kMillisecond);

void BM_StageComposition(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    lf.Update(1180, 780, 300, 200);
    for (auto _ : state) {
        lf.ob.dta.Fill(0xFFFFFF);
        for (int n = 0; n < lf.objs; ++n) {
            const qv::LogoObj& o = *lf.obj[n];
            o.ft.BltToBuf(o.lt, lf.ob.dta.data(), lf.ob.dw, lf.ob.dh, o.x + lf.ob.dw / 2,
                          o.y + lf.ob.dh / 2, true, true);
        }
    }
}
BENCHMARK(BM_StageComposition)->Unit(benchmark::kMillisecond);

// PrepareEffects at strength 10 on a 2000 x 500 raster.
void BM_PrepareEffectsStrength10(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::FtText ft;
    qv::ObjStyle lt;
    lt.str = "Wide effects raster";
    lt.size = 380;
    lt.outline = 1;
    lt.strength = 10;
    ft.Render(lt, 0, 1);
    // A synthetic raster of exactly the asked size, half covered.
    ft.szx = 2000;
    ft.szy = 500;
    ft.raster.Allocate(2000 * 500);
    for (size_t i = 0; i < ft.raster.size(); ++i) ft.raster[i] = ((i / 37) % 3) ? 255 : 0;
    for (auto _ : state) ft.PrepareEffects(lt);
    const int passes = qv::BlurPassCount(1.0f, 10);
    state.counters["passes/s"] = benchmark::Counter(double(passes), benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(state.iterations() * int64_t(passes) * 2000 * 500);
}
BENCHMARK(BM_PrepareEffectsStrength10)->Unit(benchmark::kMillisecond);

// A line at the length limit.
void BM_Render499Characters(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::FtText ft;
    qv::ObjStyle lt;
    lt.str.clear();
    while (lt.str.size() < 499) lt.str += "Logo designer ";
    lt.str.resize(499);
    lt.size = 24;
    for (auto _ : state) ft.Render(lt, 0, 1);
    state.counters["szx"] = ft.szx;
}
BENCHMARK(BM_Render499Characters)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
