// Fuzzes whole protocol sessions through the command loop, with every move's thinking time
// bounded to a few milliseconds; afterwards any position the session left valid must be
// consistent.
#include <cstdio>

#include "driver/driver.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (init_tables(), protocol_out = std::fopen("/dev/null", "w"), true);
    (void)ready;
    if (size > 4096) return 0;
    static char input[4096 + 8];
    std::memcpy(input, "xboard\n", 7);
    std::memcpy(input + 7, data, size);
    reset_engine();
    budget_cap_ms = 2;
    use_buffer_source(input, size + 7);
    FUZZ_CHECK(run_engine() == 0);
    if (!engine_state.position_invalid) FUZZ_CHECK(check_position() == 1);
    return 0;
}
