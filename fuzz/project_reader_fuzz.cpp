// The project reader on arbitrary bytes: a damaged file gives a message and leaves the document
// as it was, never a crash or a read past the buffer.
#include <cstddef>
#include <cstdint>

#include "app/user_message.h"
#include "persist/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        qv::SetMessageHandler([](const std::string&) {});
        return true;
    }();
    (void)quiet;
    qv::LeFile lf;
    if (qv::ReadProjectBytes(data, size, lf) == qv::ProjectReadResult::kOk) {
        // What was read must write back to a file that reads again.
        const std::vector<uint8_t> again = qv::WriteProjectBytes(lf);
        qv::LeFile back;
        if (qv::ReadProjectBytes(again.data(), again.size(), back) != qv::ProjectReadResult::kOk) {
            __builtin_trap();
        }
    }
    return 0;
}
