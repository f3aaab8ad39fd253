// Shared by the fuzz targets: a check that aborts (so the fuzzer reports it) and the
// round trip of every generated move in the current position.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/board.h"
#include "moves/moves.h"

// Name of the input being checked, printed with a failed check (the corpus replay sets it).
inline const char* fuzz_input_name = nullptr;

[[noreturn]] inline void fuzz_check_failed(const char* condition, int line) {
    std::fprintf(stderr, "fuzz check failed at line %d: %s%s%s\n", line, condition,
                 fuzz_input_name ? " on input " : "", fuzz_input_name ? fuzz_input_name : "");
    std::abort();
}

#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition)) fuzz_check_failed(#condition, __LINE__); \
    } while (0)

struct PositionSnapshot {
    Board board;
    int32_t side_to_move;
    int32_t material;
    int32_t game_move_count;
};

inline PositionSnapshot snapshot() { return {board, side_to_move, material, game_move_count}; }

// The same game position: every field of the Board up to and including history entry 0. The
// later history entries are scratch of the plies above the game position (a make at ply 1
// writes entry 1 and the unmake leaves it), so they are not compared.
inline bool same_as(const PositionSnapshot& s) {
    constexpr size_t position_bytes = offsetof(Board, history) + sizeof(HistoryEntry);
    return std::memcmp(&s.board, &board, position_bytes) == 0 && s.side_to_move == side_to_move &&
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
