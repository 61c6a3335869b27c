#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "app/install_dir.h"
#include "render/ft_text.h"
#include "render/library_scramble.h"

namespace {

// Start-up's font work: every archive read and descrambled, every face opened, the shape
// table built. Runs from the folder of the benchmark, where the build put the library.
void BM_LoadShippedLibrary(benchmark::State& state) {
    qv::InitInstallDir();
    for (auto _ : state) {
        qv::FtText::InitFt();
        state.PauseTiming();
        state.counters["fonts"] = qv::FtText::FontCount();
        state.counters["shapes"] = qv::FtText::ShapeCount();
        qv::FtText::FreeFt();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadShippedLibrary)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A single export's font work: the index read and only the face its logo names opened.
void BM_LoadOneFaceThroughTheIndex(benchmark::State& state) {
    qv::InitInstallDir();
    for (auto _ : state) {
        qv::FtText::InitFtFor({"DejaVu Sans Bold"});
        state.PauseTiming();
        state.counters["fonts"] = qv::FtText::FontCount();
        qv::FtText::FreeFt();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadOneFaceThroughTheIndex)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_Descramble(benchmark::State& state) {
    std::vector<uint8_t> data(static_cast<size_t>(state.range(0)), 0x5A);
    for (auto _ : state) {
        qv::DescrambleLibrary(data.data(), data.size());
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Descramble)->Arg(64 << 20);

// The machine's memory speed for comparison: a plain copy of the same size.
void BM_MemoryCopy(benchmark::State& state) {
    std::vector<uint8_t> a(static_cast<size_t>(state.range(0)), 1), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MemoryCopy)->Arg(64 << 20);

}  // namespace
