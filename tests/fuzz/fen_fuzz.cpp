// Fuzzes FEN setup with arbitrary text; every accepted position must be consistent and every
// generated move must make and unmake cleanly.
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (init_tables(), true);
    (void)ready;
    static char text[1024];
    static char rest[FEN_REST_SIZE];
    const size_t n = size < sizeof text - 1 ? size : sizeof text - 1;
    std::memcpy(text, data, n);
    text[n] = 0;
    clear_board();
    game_move_count = 0;
    if (parse_fen(text, rest)) {
        FUZZ_CHECK(check_position() == 1);
        check_every_move_round_trips();
    }
    return 0;
}
