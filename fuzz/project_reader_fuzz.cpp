// The project reader on arbitrary bytes: a damaged file gives a message and leaves the document
// as it was, never a crash or a read past the buffer. Whatever it accepts is then drawn at a
// small scale, so that absurd stored values reach layout, effects and composition too.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/fault_report.h"
#include "app/file_io.h"
#include "app/user_message.h"
#include "output/logo_export.h"
#include "persist/project_file.h"
#include "render/font_registry.h"
#include "render/ft_text.h"
#include "render/library_archive.h"

namespace {

// One text face and one symbol face from the system, read as an archive the way the
// installation's are: every face name in a fuzzed project falls back to them.
bool LoadFonts() {
    std::vector<uint8_t> sans, symbols;
    if (!qv::ReadFileBytes("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", sans) ||
        !qv::ReadFileBytes("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", symbols)) {
        return false;
    }
    if (FT_Init_FreeType(&qv::Registry().library) != 0) return false;
    std::vector<uint8_t> shapes = qv::BuildLibraryArchive({{"symbols", symbols}});
    qv::FtText::ReadLibBuffer(-1, shapes.data(), shapes.size());
    qv::Registry().n_symfonts = qv::FtText::FontCount();
    qv::FtText::PrepSymLib();
    std::vector<uint8_t> text = qv::BuildLibraryArchive({{"sans", sans}});
    qv::FtText::ReadLibBuffer(0, text.data(), text.size());
    return qv::FtText::TextFontCount() > 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool fonts = [] {
        qv::SetMessageHandler([](const std::string&) {});
        return LoadFonts();
    }();
    qv::LeFile lf;
    if (qv::ReadProjectBytes(data, size, lf) != qv::ProjectReadResult::kOk) return 0;
    // What was read must write back to a file that reads again, byte for byte.
    const std::vector<uint8_t> again = qv::WriteProjectBytes(lf);
    qv::LeFile back;
    if (qv::ReadProjectBytes(again.data(), again.size(), back) != qv::ProjectReadResult::kOk ||
        qv::WriteProjectBytes(back) != again) {
        __builtin_trap();
    }
    if (!fonts) return 0;
    // Drawing data, however absurd, is never a programming error.
    const int faults = qv::FaultsReported();
    constexpr int kSide = 48;
    qv::ExportPlan plan(lf, 0.05f);
    // A few megabytes of rasters keep every input within the fuzzer's time limit even with
    // the strongest blur under the sanitizers; larger logos only repeat the same code.
    if (qv::ExportMemoryNeed(plan, kSide, kSide, false, false) <= (uint64_t{2} << 20)) {
        std::vector<uint32_t> pixels(kSide * kSide);
        plan.Draw(lf, pixels.data(), kSide, kSide);
    }
    if (qv::FaultsReported() != faults) __builtin_trap();
    return 0;
}
