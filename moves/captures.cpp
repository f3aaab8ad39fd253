// Capture generation: every pseudo-legal capture and every promotion of the side to move,
// in a fixed order that the move ordering later uses to break ties between equal scores.
#include "moves/colour.h"
#include "moves/moves.h"

namespace {

// The four promotions of one pawn move, queen first.
inline Move* add_promotions(Move* out, Square from, Square to, int captured) {
    out[0] = encode_move(from, to, captured, 0, PAWN, QUEEN);
    out[1] = encode_move(from, to, captured, 0, PAWN, ROOK);
    out[2] = encode_move(from, to, captured, 0, PAWN, BISHOP);
    out[3] = encode_move(from, to, captured, 0, PAWN, KNIGHT);
    return out + 4;
}

// Takes the next pawn to-square: white from the a8 end, black from the h1 end, so that each
// side meets its promotion squares first.
template <int C>
inline Square pop_pawn_target(Bitboard& set) {
    return Colour<C>::white ? pop_highest(set) : pop_lowest(set);
}

// Pawn captures in one direction (`Step` squares from the pawn to its target). `targets` are
// the reachable to-squares, already cut to enemy men and the en-passant square.
template <int C, int Step>
Move* add_pawn_captures(Move* out, Bitboard targets, Square ep_square) {
    using Own = Colour<C>;
    // Promotion squares come first in either scan direction, so they are taken as a group.
    Bitboard promoting = targets & rank_mask[Own::last_rank_square];
    Bitboard plain = targets ^ promoting;
    while (promoting) {
        const Square to = pop_pawn_target<C>(promoting);
        out = add_promotions(out, to - Step, to, board.mailbox[to]);
    }
    while (plain) {
        const Square to = pop_pawn_target<C>(plain);
        if (ep_square != 0 && to == ep_square)
            *out++ = encode_move(to - Step, to, PAWN, SPECIAL_EN_PASSANT, PAWN, 0);
        else
            *out++ = encode_move(to - Step, to, board.mailbox[to], 0, PAWN, 0);
    }
    return out;
}

template <int C>
int captures(Move* const first, int ply) {
    using Own = Colour<C>;
    Move* out = first;
    const Bitboard enemy = board.*Colour<Own::other>::pieces;

    out = add_piece_moves<C, true>(out, enemy);

    const Bitboard pawns = board.*Own::pawns;
    const Bitboard empty = ~(board.white_pieces | board.black_pieces);
    Bitboard pushes =
        shift_squares<Own::forward>(pawns & rank_mask[Own::seventh_rank_square]) & empty;
    while (pushes) {
        const Square to = pop_pawn_target<C>(pushes);
        out = add_promotions(out, to - Own::forward, to, NO_PIECE);
    }

    const Square ep_square = board.history[ply].ep_square;
    const Bitboard targets = ep_square ? enemy | square_bit(ep_square) : enemy;
    out = add_pawn_captures<C, Own::toward_h>(
        out, shift_squares<Own::toward_h>(pawns & ~file_mask[H1]) & targets, ep_square);
    out = add_pawn_captures<C, Own::toward_a>(
        out, shift_squares<Own::toward_a>(pawns & ~file_mask[A1]) & targets, ep_square);
    return int(out - first);
}

}  // namespace

int generate_captures(Move* moves, int ply) {
    return side_to_move ? captures<WHITE>(moves, ply) : captures<BLACK>(moves, ply);
}
