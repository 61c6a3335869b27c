#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "bench/reference_logo.h"
#include "codecs/encode.h"
#include "output/colour_reduction.h"
#include "output/logo_export.h"
#include "output/octree_quantizer.h"
#include "output/svg_export.h"
#include "persist/project_file.h"

namespace {

std::string TempPath(const char* name) { return "/tmp/qorvan-bench-" + std::to_string(getpid()) + name; }

// The reference logo at 1000 % to PNG 24 bit, from opening the dialog to the written file.
void BM_ExportReferenceLogo1000Percent(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    lf.Update(1180, 780, -1, -1);
    const std::string path = TempPath("-export.png");
    qv::ExportSettings settings;
    settings.scale = 1000;
    qv::OutputSize size{0, 0};
    for (auto _ : state) {
        const qv::ExportSubject subject = qv::PrepareExportSubject(lf);
        size = qv::ExportOutputSize(subject, settings);
        qv::ExportLogoImage(lf, subject, settings, path);
    }
    state.counters["width"] = size.width;
    state.counters["height"] = size.height;
    std::remove(path.c_str());
}
BENCHMARK(BM_ExportReferenceLogo1000Percent)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly();

// The reference logo at 100 % as SVG text, from opening the dialog to the finished document.
void BM_SvgReferenceLogo(benchmark::State& state) {
    qv::bench::EnsureFonts();
    qv::LeFile lf;
    qv::bench::BuildReferenceLogo(lf);
    lf.Update(1180, 780, -1, -1);
    qv::ExportSettings settings;
    settings.format = qv::ExportFormat::kSvg;
    std::string svg;
    for (auto _ : state) {
        const qv::ExportSubject subject = qv::PrepareExportSubject(lf);
        qv::ExportLogoSvg(lf, subject, settings, svg);
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["bytes"] = double(svg.size());
}
BENCHMARK(BM_SvgReferenceLogo)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

// A smooth, noisy picture much like a photograph: many colours, few exact repeats.
qv::Image PhotographLike(int w, int h) {
    qv::Image image;
    image.Create24(w, h);
    uint32_t noise = 12345;
    for (int row = 0; row < h; ++row) {
        for (int x = 0; x < w; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int n = int((noise >> 16) & 15) - 8;
            auto channel = [&](double f) {
                const int v = int(127 + 110 * std::sin(f)) + n;
                return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
            };
            image.Row(row)[x] = qv::MakeArgb(channel(x * 0.004 + row * 0.001), channel(row * 0.005 + 1.0),
                                             channel((x + row) * 0.003 + 2.0));
        }
    }
    return image;
}

// Quantizer and reduction of a 4000 x 2000 photograph-like picture.
void BM_EightBitReduction4000x2000(benchmark::State& state) {
    const qv::Image source = PhotographLike(4000, 2000);
    for (auto _ : state) {
        qv::Image image = source;
        const std::vector<qv::PaletteEntry> palette = qv::BuildOctreePalette(image);
        qv::DecreaseBpp(image, palette);
        benchmark::DoNotOptimize(image.indices.data());
    }
}
BENCHMARK(BM_EightBitReduction4000x2000)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(3)->ReportAggregatesOnly();

// The same, written as an 8-bit PNG.
void BM_Png8Of4000x2000(benchmark::State& state) {
    const qv::Image source = PhotographLike(4000, 2000);
    const std::string path = TempPath("-8bit.png");
    for (auto _ : state) {
        qv::Image image = source;
        qv::DecreaseBpp(image, qv::BuildOctreePalette(image));
        qv::SaveImageFile(image, path, qv::kImagePng);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_Png8Of4000x2000)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(3)->ReportAggregatesOnly();

// Save and load of a full document.
void BM_SaveAndLoad100Objects(benchmark::State& state) {
    qv::LeFile lf;
    for (int n = 0; n < 100; ++n) {
        qv::LogoObj* o = lf.AddObj(n % 2);
        o->lt.str = "Object number " + std::to_string(n);
        o->x = n * 3 - 150;
    }
    const std::string path = TempPath("-100.kuz");
    qv::LeFile back;
    for (auto _ : state) {
        qv::SaveProject(path, lf);
        qv::LoadProject(path, back);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveAndLoad100Objects)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace

namespace {

void BM_OctreePalette4000x2000(benchmark::State& state) {
    const qv::Image source = PhotographLike(4000, 2000);
    for (auto _ : state) benchmark::DoNotOptimize(qv::BuildOctreePalette(source).size());
}
BENCHMARK(BM_OctreePalette4000x2000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
