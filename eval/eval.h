// Evaluation: game phase and its weights, the static evaluation with its pawn-structure,
// king-safety and development terms, and the insufficient-material test. It uses board/ and
// moves/.
#pragma once

#include "board/board.h"

// Game phases.
constexpr int32_t OPENING_PHASE = 0;
constexpr int32_t MIDDLEGAME_PHASE = 1;
constexpr int32_t ENDGAME_PHASE = 2;

struct EvalParams {
    int32_t game_phase;          // OPENING_PHASE, MIDDLEGAME_PHASE or ENDGAME_PHASE
    int32_t phase_piece_count;   // knights, bishops, rooks and queens at the last decision
    int32_t bishop_mobility_weight;
    int32_t rook_mobility_weight;
    int32_t knight_mobility_weight;
    int32_t doubled_pawn_penalty;
    int32_t unopposed_pawn_penalty;
    int32_t unsupported_pawn_penalty;
    int32_t passed_pawn_bonus;
    int32_t seventh_rank_bonus;
    int32_t seventh_rank_pair_bonus;
};
extern EvalParams eval_params;

// Classifies the position (0, 1, 2) and records phase_piece_count.
int decide_game_phase();
// Decides the phase and loads its weights into eval_params.
void set_game_phase();

// Static score of the position for the side to move. ply is the node's search ply (its
// position is history entry ply - 1); alpha and beta serve only the early exit.
int evaluate(int ply, int alpha, int beta);
// Pawn score from White's point of view; writes the file sets and per-file counters.
int evaluate_pawns(int ply);
// Empties the cache of pawn structures that evaluate_pawns keeps; needed whenever the weights
// change (set_game_phase does it).
void clear_pawn_cache();
int evaluate_king_safety(int ply);
int evaluate_king_zone();
int evaluate_development(int ply);
// 1 when neither side has the material to mate.
int insufficient_material();

// Written by evaluate_pawns, read by the piece and king terms of the same evaluation.
extern Bitboard open_files;
extern Bitboard white_half_open_files;
extern Bitboard black_half_open_files;
extern int32_t white_pawns_on_file[8];
extern int32_t black_pawns_on_file[8];
