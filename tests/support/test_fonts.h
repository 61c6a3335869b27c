#pragma once

#include <memory>

#include "tests/support/temp_dir.h"

namespace qv::test {

// A small font library for tests, loaded into the process-wide registry for as long as the
// object lives: DejaVu Sans Mono as the one symbol font, DejaVu Sans ("DejaVu Sans Book", the
// fallback face) and DejaVu Serif ("DejaVu Serif Book") as text fonts. With fallbacks, also
// Cabin ("Cabin Regular"), a face with Latin letters only, and a fallback archive of Noto Sans
// and Noto Sans Arabic.
class TestFonts {
public:
    enum class Fallbacks { kNone, kNoto };
    explicit TestFonts(Fallbacks fallbacks = Fallbacks::kNone);
    ~TestFonts();
    TestFonts(const TestFonts&) = delete;
    TestFonts& operator=(const TestFonts&) = delete;

    static constexpr const char* kSans = "DejaVu Sans Book";
    static constexpr const char* kSerif = "DejaVu Serif Book";
    static constexpr const char* kMono = "DejaVu Sans Mono Book";
    static constexpr const char* kLatinOnly = "Cabin Regular";

private:
    TempDir dir_;
};

}  // namespace qv::test
