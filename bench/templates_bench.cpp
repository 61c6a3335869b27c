#include <benchmark/benchmark.h>

#include "app/install_dir.h"
#include "persist/template_library.h"

namespace {

// What the template browser waits for when it first opens: every shipped template read, with
// both GIF previews decoded. Runs from the folder of the benchmark, where the build put them.
void BM_LoadShippedTemplates(benchmark::State& state) {
    qv::InitInstallDir();
    qv::TemplateLibrary& library = qv::TemplateLibrary::Instance();
    library.SetFolders({qv::InstallDir() + "/templates"});
    for (auto _ : state) {
        library.ReloadTmps(true);
        state.PauseTiming();
        state.counters["templates"] = library.count();
        library.FreeTmps();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadShippedTemplates)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
