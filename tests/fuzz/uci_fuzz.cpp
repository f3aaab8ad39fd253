// libFuzzer entry point of the UCI session target (the checks are in fuzz_targets.h).
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (init_tables(), true);
    (void)ready;
    fuzz_uci_input(data, size);
    return 0;
}
