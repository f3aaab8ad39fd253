// The millisecond clock the search stops by: wall-clock time since the process started.
#include <chrono>

#include "search/search.h"

namespace {
const auto process_start = std::chrono::steady_clock::now();
}

int32_t clock_ms() {
    auto elapsed = std::chrono::steady_clock::now() - process_start;
    return int32_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
