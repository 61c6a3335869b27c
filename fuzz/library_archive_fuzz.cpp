// The font archive reader on arbitrary bytes: every truncation, length and count must end in a
// fault report or fonts, never in a read past the buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/fault_report.h"
#include "render/ft_text.h"
#include "render/library_scramble.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        qv::SetFaultHandler([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;
    std::vector<uint8_t> bytes(data, data + size);
    // A wrong magic number ends the process by design; look at it first so the fuzzer lives on.
    std::vector<uint8_t> head(bytes.begin(), bytes.begin() + static_cast<long>(size < 4 ? size : 4));
    qv::DescrambleLibrary(head.data(), head.size());
    if (head.size() < 4 || (head[0] | head[1] << 8 | head[2] << 16 | uint32_t(head[3]) << 24) != 11671) {
        return 0;
    }
    FT_Init_FreeType(&qv::Registry().library);
    qv::FtText::ReadLibBuffer(0, bytes.data(), bytes.size());
    qv::FtText::FreeFt();
    return 0;
}
