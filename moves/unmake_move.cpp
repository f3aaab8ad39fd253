// Taking back the last move made, from the move word alone. The history entries are left as
// they are: the entry of the position returned to was never changed by the make. Like the
// make, it tells the kinds apart by tables, and branches only for kings, promotions, en
// passant and captures.
#include "moves/colour.h"
#include "moves/moves.h"

namespace {

// Removes the piece a pawn had promoted to from `to`, with its counts and material (the
// slider sets are restored by the caller).
template <int C>
inline void remove_promoted(int promotion, Bitboard to_mask) {
    using Own = Colour<C>;
    board.*Own::kind_sets[promotion] &= ~to_mask;
    add_to_counts<C>(promotion, -1);
    material -= Own::sign * (piece_value[promotion] - piece_value[PAWN]);
}

// Puts the castled rook back on its corner.
template <int C>
inline void return_castling_rook(Square corner, Square rook_at) {
    using Own = Colour<C>;
    const Bitboard both = square_bit(corner) | square_bit(rook_at);
    board.mailbox[corner] = ROOK;
    board.mailbox[rook_at] = NO_PIECE;
    board.*Own::rooks ^= both;
    board.*Own::pieces ^= both;
    board.rooks_queens = (board.rooks_queens | square_bit(corner)) & ~square_bit(rook_at);
    move_rotated(rook_at, corner);
}

template <int C>
void unmake(Move move) {
    using Own = Colour<C>;
    using Enemy = Colour<Own::other>;
    const Square from = move_from(move), to = move_to(move);
    const int piece = move_piece(move), promotion = move_promotion(move);
    const int captured = move_captured(move);
    const Bitboard from_mask = square_bit(from), to_mask = square_bit(to);
    const Bitboard path = from_mask | to_mask;

    board.mailbox[from] = uint8_t(piece);
    side_to_move ^= 1;
    --game_move_count;
    if (keep_position_key) position_key = key_before_move[game_move_count];
    board.*Own::pieces ^= path;

    if (piece == KING) {
        board.*Own::king_square = uint8_t(from);
        if (from == Own::king_home) {
            if (to == Own::short_king_to) return_castling_rook<C>(Own::short_corner, Own::short_rook_to);
            else if (to == Own::long_king_to) return_castling_rook<C>(Own::long_corner, Own::long_rook_to);
        }
    } else {
        board.*Own::kind_sets[piece] ^= path;
        if (promotion != NO_PIECE) {
            board.*Own::pawns &= ~to_mask;
            ++(board.*Own::pawn_count);
            remove_promoted<C>(promotion, to_mask);
        }
    }
    // `from` holds the mover again; `to` is empty unless a victim is put back there.
    board.rooks_queens = (board.rooks_queens & ~path) | (from_mask & straight_kinds[piece]);
    board.bishops_queens = (board.bishops_queens & ~path) | (from_mask & diagonal_kinds[piece]);

    if (captured == NO_PIECE) {
        move_rotated(to, from);
        board.mailbox[to] = NO_PIECE;
        return;
    }
    Bitboard victim = to_mask;
    if (move_special(move) == SPECIAL_EN_PASSANT) {
        const Square square = to - Own::forward;
        victim = square_bit(square);
        move_rotated(to, from);
        set_rotated(square);
        board.mailbox[to] = NO_PIECE;
        board.mailbox[square] = PAWN;
    } else {
        set_rotated(from);
        board.mailbox[to] = uint8_t(captured);
        board.rooks_queens |= to_mask & straight_kinds[captured];
        board.bishops_queens |= to_mask & diagonal_kinds[captured];
    }
    board.*Enemy::kind_sets[captured] |= victim;
    board.*Enemy::pieces |= victim;
    add_to_counts<Own::other>(captured, 1);
    material -= Own::sign * piece_value[captured];
}

}  // namespace

// The mover is the side not to move now.
void unmake_move(Move move) {
    if (side_to_move) unmake<BLACK>(move);
    else unmake<WHITE>(move);
}
