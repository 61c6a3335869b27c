#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/install_dir.h"
#include "render/font_search.h"
#include "render/ft_text.h"
#include "render/shape_catalogue.h"
#include "render/shape_search.h"
#include "render/typeface_category.h"

namespace {

// What typing "coffee cup" into a search field runs: one search over every shape per
// keystroke; an iteration is one keystroke.
void BM_ShapeSearchPerKeystroke(benchmark::State& state) {
    qv::InitInstallDir();
    qv::FtText::InitFt();
    const std::vector<qv::ShapeText> texts = qv::LibraryShapeTexts(qv::InstallDir());
    const std::string typed = "coffee cup";
    size_t keys = 0;
    for (auto _ : state) {
        const size_t n = keys++ % typed.size() + 1;
        benchmark::DoNotOptimize(qv::SearchShapes(texts, qv::NormalizeSearchText(typed.substr(0, n))));
    }
    state.counters["shapes"] = double(texts.size());
    qv::FtText::FreeFt();
}
BENCHMARK(BM_ShapeSearchPerKeystroke)->Unit(benchmark::kMillisecond);

// The catalogue read and joined to the shape table: the first search pays for it once.
void BM_ShapeNamesLoad(benchmark::State& state) {
    qv::InitInstallDir();
    qv::FtText::InitFt();
    for (auto _ : state) benchmark::DoNotOptimize(qv::LibraryShapeTexts(qv::InstallDir()));
    qv::FtText::FreeFt();
}
BENCHMARK(BM_ShapeNamesLoad)->Unit(benchmark::kMillisecond);

void BM_FontSearchPerKeystroke(benchmark::State& state) {
    qv::InitInstallDir();
    qv::FtText::InitFt();
    const std::vector<qv::FontListing> fonts = qv::ListLibraryFonts(
        qv::ReadTypefaceCategories(qv::InstallDir() + "/" + qv::kTypefaceCategoriesPath));
    const std::string typed = "liberation";
    size_t keys = 0;
    for (auto _ : state) {
        const size_t n = keys++ % typed.size() + 1;
        benchmark::DoNotOptimize(qv::SearchFonts(fonts, typed.substr(0, n), "sans"));
    }
    state.counters["fonts"] = double(fonts.size());
    qv::FtText::FreeFt();
}
BENCHMARK(BM_FontSearchPerKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
