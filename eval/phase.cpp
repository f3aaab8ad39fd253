// Game phase, decided once from the root position before each search, and the weights of
// the evaluation that go with it.
#include "eval/eval.h"
#include "moves/moves.h"

EvalParams eval_params;

namespace {

struct PhaseWeights {
    int32_t bishop_mobility, rook_mobility, knight_mobility;
    int32_t doubled_pawn, unopposed_pawn, unsupported_pawn, passed_pawn;
    int32_t seventh_rank, seventh_rank_pair;
};

// By phase: opening, middlegame, endgame.
constexpr PhaseWeights phase_weights[3] = {
    {1, 1, 1, -13, -8, -5, 3, 8, 3},
    {3, 2, 3, -15, -10, -8, 10, 8, 3},
    {3, 3, 3, -18, -13, -12, 16, 15, 5},
};

}  // namespace

int decide_game_phase() {
    const int pieces = board.white_minor_count + board.black_minor_count +
                       board.white_major_count + board.black_major_count;
    eval_params.phase_piece_count = pieces;
    if (pieces <= 6) {
        if ((board.white_queens | board.black_queens) == 0) return ENDGAME_PHASE;
        return pieces <= 4 ? ENDGAME_PHASE : MIDDLEGAME_PHASE;
    }
    if ((board.history[0].castling & 15) && game_move_count <= 32) return OPENING_PHASE;
    if (board.white_pawn_count + board.black_pawn_count < 10 || pieces < 8 ||
        game_move_count > 22)
        return MIDDLEGAME_PHASE;
    return OPENING_PHASE;
}

void set_game_phase() {
    const int phase = decide_game_phase();
    const PhaseWeights& w = phase_weights[phase];
    eval_params.game_phase = phase;
    eval_params.bishop_mobility_weight = w.bishop_mobility;
    eval_params.rook_mobility_weight = w.rook_mobility;
    eval_params.knight_mobility_weight = w.knight_mobility;
    eval_params.doubled_pawn_penalty = w.doubled_pawn;
    eval_params.unopposed_pawn_penalty = w.unopposed_pawn;
    eval_params.unsupported_pawn_penalty = w.unsupported_pawn;
    eval_params.passed_pawn_bonus = w.passed_pawn;
    eval_params.seventh_rank_bonus = w.seventh_rank;
    eval_params.seventh_rank_pair_bonus = w.seventh_rank_pair;
    clear_pawn_cache();
}
