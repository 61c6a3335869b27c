#include <benchmark/benchmark.h>

#include <string>

#include "app/unicode_text.h"
#include "bench/reference_logo.h"
#include "render/ft_text.h"

namespace {

// "Welcome to our design and printing company" in Arabic, repeated to `chars` characters.
std::string ArabicLine(size_t chars) {
    const std::string phrase =
        "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xD8\xA8\xD9\x83\xD9\x85 \xD9\x81\xD9\x8A "
        "\xD8\xB4\xD8\xB1\xD9\x83\xD8\xAA\xD9\x86\xD8\xA7 \xD9\x84\xD9\x84\xD8\xAA\xD8\xB5\xD9\x85"
        "\xD9\x8A\xD9\x85 \xD9\x88\xD8\xA7\xD9\x84\xD8\xB7\xD8\xA8\xD8\xA7\xD8\xB9\xD8\xA9 ";
    std::string line;
    while (qv::CharacterCount(line) < chars) line += phrase;
    return qv::FirstCharacters(line, chars);
}

qv::ObjStyle LineStyle(const std::string& text) {
    qv::ObjStyle lt;
    lt.str = text;
    // A Latin display face: the Arabic comes from the fallback face and is shaped there.
    lt.font = "Cabin Regular";
    lt.size = 60;
    lt.outline = 1;
    lt.shadow = 1;
    lt.strength = 5;
    return lt;
}

// A 60-character Arabic line laid out (bidi, fallback, shaping) and rendered with effects, as
// the editor renders an object on every change. The fallback archive is read before timing.
void BM_ArabicLineLayoutAndRender(benchmark::State& state) {
    qv::bench::EnsureFonts();
    const qv::ObjStyle lt = LineStyle(ArabicLine(60));
    qv::FtText ft;
    ft.Render(lt, 0, 1);
    for (auto _ : state) {
        ft.Render(lt, 0, 1);
        benchmark::DoNotOptimize(ft.raster.data());
    }
    state.counters["glyphs"] = ft.slen;
}
BENCHMARK(BM_ArabicLineLayoutAndRender)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

// The same without effects: the layout and the glyphs alone.
void BM_ArabicLineLayoutAndGlyphs(benchmark::State& state) {
    qv::bench::EnsureFonts();
    const qv::ObjStyle lt = LineStyle(ArabicLine(60));
    qv::FtText ft;
    ft.Render(lt, 0, 0);
    for (auto _ : state) {
        ft.Render(lt, 0, 0);
        benchmark::DoNotOptimize(ft.raster.data());
    }
}
BENCHMARK(BM_ArabicLineLayoutAndGlyphs)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

// For comparison: a 60-character Latin line in the same face, the per-character layout.
void BM_LatinLineLayoutAndRender(benchmark::State& state) {
    qv::bench::EnsureFonts();
    std::string line;
    while (line.size() < 60) line += "Welcome to our design and printing company ";
    const qv::ObjStyle lt = LineStyle(line.substr(0, 60));
    qv::FtText ft;
    for (auto _ : state) {
        ft.Render(lt, 0, 1);
        benchmark::DoNotOptimize(ft.raster.data());
    }
}
BENCHMARK(BM_LatinLineLayoutAndRender)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
