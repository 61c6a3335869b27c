#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/install_dir.h"
#include "bench/reference_logo.h"
#include "output/logo_kit.h"

namespace {

// The whole logo kit of the reference logo, from a composed document to the folder in place:
// every picture, the icons, the page and the licences.
void BM_LogoKitReferenceLogo(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    lf.Update(1180, 780, -1, -1);
    const std::string folder = "/tmp/qorvan-bench-" + std::to_string(getpid()) + "-kit";
    bool ok = true;
    for (auto _ : state) ok &= qv::WriteLogoKit(lf, {folder, "Qorvan Coffee", qv::InstallDir()});
    if (!ok) state.SkipWithError("the kit was not written");
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_LogoKitReferenceLogo)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
