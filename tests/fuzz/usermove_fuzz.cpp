// Fuzzes the opponent's move text in a set of positions: a refused move must leave the game
// position exactly as it was; an accepted one must leave a consistent position in which the
// mover's king is not attacked.
#include <cstdio>

#include "driver/driver.h"
#include "tests/fuzz/fuzz_check.h"

namespace {
const char* const positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq -",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
    "4k3/8/8/3pP3/8/8/8/4K3 w - d5",
    "4k3/1P6/8/8/8/8/6p1/4K3 b - -",
    "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -",
    "4k3/8/8/8/8/8/4q3/4K3 w - -",
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (init_tables(), protocol_out = std::fopen("/dev/null", "w"), true);
    (void)ready;
    if (size == 0) return 0;
    static char text[300];
    const size_t n = size - 1 < sizeof text - 1 ? size - 1 : sizeof text - 1;
    std::memcpy(text, data + 1, n);
    text[n] = 0;
    static char rest[FEN_REST_SIZE];
    clear_board();
    game_move_count = 0;
    FUZZ_CHECK(parse_fen(positions[data[0] % (sizeof positions / sizeof *positions)], rest));
    engine_state.position_invalid = 0;
    const PositionSnapshot before = snapshot();
    user_move(text);
    if (game_move_count == before.game_move_count) {
        FUZZ_CHECK(same_as(before));
    } else {
        FUZZ_CHECK(game_move_count == before.game_move_count + 1);
        FUZZ_CHECK(check_position() == 1);
        FUZZ_CHECK(!in_check(side_to_move ^ 1));
        check_every_move_round_trips();
    }
    return 0;
}
