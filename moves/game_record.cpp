// The record of the moves played: the game's moves followed by the current search line.
#include <cstring>

#include "moves/moves.h"

Move game_moves[GAME_MOVES_SIZE];
int32_t game_move_count;
uint64_t key_before_move[GAME_MOVES_SIZE];
bool keep_position_key;

namespace {
// Room a search line may take behind the game's moves (it never goes past ply 60).
constexpr int SEARCH_ROOM = 64;
// How many of the latest moves survive when the record is compacted.
constexpr int KEPT_MOVES = 256;
}  // namespace

// The record is read in two ways only: its count, which the game phase compares with 22 and
// 32 and the recapture tests with 0 and 1, so that every count above 32 is treated alike; and
// its latest moves, the last two for the recapture tests and at most `fifty` + 1 <= 256 for the
// repetition walk. So once a game move would leave less room than a search line needs,
// keeping just the latest 256 moves at the front changes nothing that can be observed, and a
// game of any length never writes past the end of the array.
void keep_recent_game_moves() {
    if (GAME_MOVES_SIZE - (game_move_count + 1) >= SEARCH_ROOM) return;
    std::memmove(game_moves, game_moves + game_move_count - KEPT_MOVES, KEPT_MOVES * sizeof(Move));
    std::memmove(key_before_move, key_before_move + game_move_count - KEPT_MOVES,
                 KEPT_MOVES * sizeof(uint64_t));
    game_move_count = KEPT_MOVES;
}
