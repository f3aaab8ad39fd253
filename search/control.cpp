// Search control: the node counter, the clock the search stops by, its deadline and stop
// poll, and the per-search records of extensions and null-move searches. The searches read
// and write these; the thinking driver sets them before each search.
#include <chrono>

#include "search/search.h"

int32_t nodes;
int32_t time_up;
int32_t deadline;
int32_t extension_kind[PLY_TABLE_SIZE];
int32_t null_tries;
int32_t null_cutoffs;
int32_t iteration_depth;
bool (*stop_poll)();

namespace {
const auto process_start = std::chrono::steady_clock::now();
}

int32_t clock_ms() {
    auto elapsed = std::chrono::steady_clock::now() - process_start;
    return int32_t(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
