// Helpers shared by the tests: square names, the sanitizer switch, positions set up as the
// engine sets them, and the legal moves of the game position.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "xboard/xboard.h"
#include "eval/eval.h"
#include "moves/moves.h"
#include "tests/session.h"

// Square names: "e4" -> 27 (h1 is 0, a8 is 63).
constexpr int sq(const char* name) { return 8 * (name[1] - '1') + ('h' - name[0]); }

// True under the sanitizer preset, where deep searches and long runs are too slow.
inline bool sanitized() { return std::getenv("BITROOK_SANITIZED") != nullptr; }

// Sets up `fen` and decides its phase with `moves_played` half-moves behind it, as the
// thinking driver does before a search; false when the position is refused.
inline bool setup_with_phase(const char* fen, int moves_played = 0) {
    if (!setup(fen)) return false;
    game_move_count = moves_played;
    set_game_phase();
    return true;
}

// The legal moves of the position of history entry `entry` (the game position by default),
// in generation order.
inline std::vector<Move> legal_moves(int entry = 0) {
    Move list[MAX_MOVES];
    int count = generate_captures(list, entry);
    count += generate_quiet_moves(list + count, entry);
    std::vector<Move> legal;
    for (int i = 0; i < count; ++i) {
        if (!make_move(list[i], entry + 1)) continue;
        if (!in_check(side_to_move ^ 1)) legal.push_back(list[i]);
        unmake_move(list[i]);
    }
    return legal;
}

inline std::string text_of(Move m) {
    char text[6];
    move_to_text(m, text);
    return text;
}
