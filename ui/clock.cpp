#include "ui/clock.h"

#include <chrono>

namespace qv::ui {

Clock SteadyClock() {
    return [] {
        using namespace std::chrono;
        return static_cast<int64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

}  // namespace qv::ui
