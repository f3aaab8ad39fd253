// Shared by the fuzz targets: a check that aborts (so the fuzzer reports it) and the
// round trip of every generated move in the current position.
#pragma once

#include <cstdlib>
#include <cstring>

#include "board/board.h"
#include "moves/moves.h"

#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) {   \
            std::abort();     \
        }                     \
    } while (0)

struct PositionSnapshot {
    Board board;
    int32_t side_to_move;
    int32_t material;
    int32_t game_move_count;
};

inline PositionSnapshot snapshot() { return {board, side_to_move, material, game_move_count}; }

inline bool same_as(const PositionSnapshot& s) {
    return std::memcmp(&s.board, &board, sizeof board) == 0 && s.side_to_move == side_to_move &&
           s.material == material && s.game_move_count == game_move_count;
}

// Makes and unmakes every generated move, checking the position after each make and that
// each unmake restores it exactly.
inline void check_every_move_round_trips() {
    Move list[MAX_MOVES];
    int count = generate_captures(list, 0);
    count += generate_quiet_moves(list + count, 0);
    FUZZ_CHECK(count <= MAX_MOVES);
    const PositionSnapshot before = snapshot();
    for (int i = 0; i < count; ++i) {
        if (!make_move(list[i], 1)) {
            FUZZ_CHECK(same_as(before));
            continue;
        }
        FUZZ_CHECK(check_position() == 1);
        unmake_move(list[i]);
        FUZZ_CHECK(same_as(before));
    }
}
