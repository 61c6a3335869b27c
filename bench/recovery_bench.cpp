#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "persist/recovery.h"

namespace {

std::unique_ptr<qv::LeFile> FullDocument() {
    auto lf = std::make_unique<qv::LeFile>();
    for (int n = 0; n < 100; ++n) {
        qv::LogoObj* o = lf->AddObj(n % 2);
        o->lt.str = "Object number " + std::to_string(n);
        o->x = n * 3 - 150;
    }
    return lf;
}

// What an autosave costs the interface: the document serialised and handed to the writer.
void BM_AutosaveOnTheInterfaceThread(benchmark::State& state) {
    const auto lf = FullDocument();
    qv::RecoveryWriter writer("/tmp/qorvan-bench-recovery-" + std::to_string(getpid()));
    for (auto _ : state) writer.Save(*lf, "/home/user/logo.kuz");
    writer.Remove();
}
BENCHMARK(BM_AutosaveOnTheInterfaceThread)->Unit(benchmark::kMicrosecond);

// The whole save, written, flushed and renamed into place on the worker.
void BM_AutosaveToDisk(benchmark::State& state) {
    const auto lf = FullDocument();
    qv::RecoveryWriter writer("/tmp/qorvan-bench-recovery-" + std::to_string(getpid()));
    for (auto _ : state) {
        writer.Save(*lf, "/home/user/logo.kuz");
        writer.Flush();
    }
    writer.Remove();
}
BENCHMARK(BM_AutosaveToDisk)->Unit(benchmark::kMillisecond);

}  // namespace
