// Dead-draw test from the piece counts: bare kings, a single minor piece, or two knights
// against a bare king.
#include "eval/eval.h"

int insufficient_material() {
    const Board& b = board;
    if (b.white_pawn_count || b.black_pawn_count) return 0;
    // No piece was on the board when the phase was decided, and none has been promoted to
    // since: bare kings.
    if (eval_params.phase_piece_count == 0 &&
        (b.white_minor_count | b.black_minor_count | b.white_major_count | b.black_major_count) == 0)
        return 1;
    const bool black_bare = b.black_minor_count == 0 && b.black_major_count == 0;
    const bool white_bare = b.white_minor_count == 0 && b.white_major_count == 0;
    if (b.white_major_count == 0) {
        if (b.white_minor_count == 1 && black_bare) return 1;
        if (b.white_minor_count == 2 && black_bare && b.white_bishop_count == 0) return 1;
    }
    if (b.black_major_count != 0) return 0;
    if (b.black_minor_count == 1 && white_bare) return 1;
    if (b.black_minor_count == 2 && white_bare && b.black_bishop_count == 0) return 1;
    return 0;
}
