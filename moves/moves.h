// Moves: pseudo-legal generation in two stages (captures and promotions, then quiet moves),
// and making and unmaking moves in place with the per-ply history and the move record. It
// uses board/.
#pragma once

#include "board/board.h"

// Every move list (search, quiescence, root, scratch) has room for this many moves, as many
// as any placement of men can generate, so the unguarded generators never overflow. "setboard"
// accepts any number of men of a kind, and with twenty-odd queens a side a position has well
// over 256 moves. The bound: a man on square s has at most as many moves as a queen on an
// empty board there (a knight, a king with its castlings and a pawn with its promotions have
// fewer), and those queen moves, summed over the 64 squares, come to 896 along ranks and
// files and 560 along diagonals.
constexpr int MAX_MOVES = 1456;

struct MoveList {
    Move moves[MAX_MOVES];
    int32_t scores[MAX_MOVES];
};

// Writes every pseudo-legal capture and promotion of the side to move from `moves` on, in
// the fixed group order; `ply` is the history entry of the position. Returns the count.
int generate_captures(Move* moves, int ply);
// Writes every other pseudo-legal move (castling, piece moves, pawn pushes). Returns the count.
int generate_quiet_moves(Move* moves, int ply);

// Plays `move` in place, writing history entry `ply` (at least 1). Returns 0, changing
// nothing, only for a move that captures a king.
int make_move(Move move, int ply);
// Takes back the move that the last successful make_move played.
void unmake_move(Move move);

// The moves of the game followed by those of the current search line.
constexpr int GAME_MOVES_SIZE = 600;
extern Move game_moves[GAME_MOVES_SIZE];
extern int32_t game_move_count;
// The position key before each recorded move, for unmake to restore.
extern uint64_t key_before_move[GAME_MOVES_SIZE];
// While set, make and unmake keep position_key (and the null move does); it costs them a
// sixth of perft's time, so only a search that files positions by their key sets it. Set
// it at the game position, whose key parse_fen computed or compute_position_key gives.
extern bool keep_position_key;

// Called before each game move: keeps the record from ever overflowing in a long game.
void keep_recent_game_moves();
