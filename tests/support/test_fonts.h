#pragma once

#include <memory>

#include "tests/support/temp_dir.h"

namespace qv::test {

// A small font library for tests, loaded into the process-wide registry for as long as the
// object lives: DejaVu Sans Mono as the one symbol font, DejaVu Sans ("DejaVu Sans Book", the
// fallback face) and DejaVu Serif ("DejaVu Serif Book") as text fonts.
class TestFonts {
public:
    TestFonts();
    ~TestFonts();
    TestFonts(const TestFonts&) = delete;
    TestFonts& operator=(const TestFonts&) = delete;

    static constexpr const char* kSans = "DejaVu Sans Book";
    static constexpr const char* kSerif = "DejaVu Serif Book";
    static constexpr const char* kMono = "DejaVu Sans Mono Book";

private:
    TempDir dir_;
};

}  // namespace qv::test
