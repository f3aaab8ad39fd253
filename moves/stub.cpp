// Placeholder until move generation, make and unmake land.
#include "moves/moves.h"

Move game_moves[GAME_MOVES_SIZE];
int32_t game_move_count;
int generate_captures(Move*, int) { return 0; }
int generate_quiet_moves(Move*, int) { return 0; }
int make_move(Move, int) { return 0; }
void unmake_move(Move) {}
void keep_recent_game_moves() {}
