#include <benchmark/benchmark.h>

#include <vector>

#include "render/blur.h"
#include "render/effects.h"

namespace {

// The effects blur of a 4000 x 1400 export at 1000 % and strength 4, on one thread and on two.
void BM_BlurPasses4000x1400(benchmark::State& state) {
    const int w = 4000, h = 1400;
    const int passes = qv::BlurPassCount(10.0f, 4);
    std::vector<uint8_t> a(size_t(w) * h), b(a.size());
    for (size_t i = 0; i < a.size(); ++i) a[i] = ((i / 37) % 3) ? 255 : 0;
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::BinomialBlurPasses(a.data(), b.data(), w, h, passes, threads));
    }
    state.counters["passes"] = passes;
}
BENCHMARK(BM_BlurPasses4000x1400)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
