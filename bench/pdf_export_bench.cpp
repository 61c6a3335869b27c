#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "bench/reference_logo.h"
#include "output/logo_export.h"
#include "output/pdf_export.h"

namespace {

// The reference logo at 100 % to PDF, from opening the dialog to the written file.
void BM_PdfOfReferenceLogo100Percent(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    lf.Update(1180, 780, -1, -1);
    const std::string path = "/tmp/qorvan-bench-" + std::to_string(getpid()) + "-export.pdf";
    qv::OutputSize size{0, 0};
    for (auto _ : state) {
        const qv::ExportSubject subject = qv::PrepareExportSubject(lf);
        size = qv::ExportOutputSize(subject, {});
        qv::ExportLogoPdf(lf, subject, {}, path, "Reference logo");
    }
    state.counters["width"] = size.width;
    state.counters["height"] = size.height;
    std::remove(path.c_str());
}
BENCHMARK(BM_PdfOfReferenceLogo100Percent)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
