// Quiet move generation: castling, the non-capturing piece moves and the pawn pushes that do
// not promote. Appended behind the captures; every group is walked from the a8 end.
#include "moves/colour.h"
#include "moves/moves.h"

namespace {

template <int C>
int quiet_moves(Move* const first, int ply) {
    using Own = Colour<C>;
    Move* out = first;
    const Bitboard occupied = board.white_pieces | board.black_pieces;
    const Bitboard empty = ~occupied;

    // The right bits stand for king and rook on their homes; only the squares between are
    // looked at, and the king's path is tested square by square (the first attacked one ends it).
    const uint8_t rights = board.history[ply].castling;
    if ((rights & Own::short_right) &&
        !(occupied & (set_mask[Own::short_rook_to] | set_mask[Own::short_king_to])) &&
        !square_attacked(Own::king_home, C) && !square_attacked(Own::short_rook_to, C) &&
        !square_attacked(Own::short_king_to, C))
        *out++ = Own::castle_short_move;
    if ((rights & Own::long_right) &&
        !(occupied & (set_mask[Own::long_rook_to] | set_mask[Own::long_king_to] |
                      set_mask[Own::long_knight_square])) &&
        !square_attacked(Own::long_king_to, C) && !square_attacked(Own::long_rook_to, C) &&
        !square_attacked(Own::king_home, C))
        *out++ = Own::castle_long_move;

    out = add_piece_moves<C, false>(out, empty);

    // Pushes onto the last rank are promotions, which the capture generator writes.
    const Bitboard singles = shift_squares<Own::forward>(board.*Own::pawns) & empty;
    for (Bitboard set = singles & ~rank_mask[Own::last_rank_square]; set;) {
        const Square to = pop_highest(set);
        *out++ = encode_move(to - Own::forward, to, 0, 0, PAWN, 0);
    }
    for (Bitboard set = shift_squares<Own::forward>(singles & rank_mask[Own::third_rank_square]) & empty;
         set;) {
        const Square to = pop_highest(set);
        *out++ = encode_move(to - 2 * Own::forward, to, 0, 0, PAWN, 0);
    }
    return int(out - first);
}

}  // namespace

int generate_quiet_moves(Move* moves, int ply) {
    return side_to_move ? quiet_moves<WHITE>(moves, ply) : quiet_moves<BLACK>(moves, ply);
}
