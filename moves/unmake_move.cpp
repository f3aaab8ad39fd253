// Taking back the last move made, from the move word alone. The history entries are left as
// they are: the entry of the position returned to was never changed by the make.
#include "moves/colour.h"
#include "moves/moves.h"

namespace {

// Removes the piece a pawn had promoted to from `to`, with its counts and material.
template <int C>
inline void remove_promoted(int promotion, Bitboard to_mask) {
    using Own = Colour<C>;
    switch (promotion) {
        case KNIGHT:
            board.*Own::knights &= ~to_mask;
            --(board.*Own::minor_count);
            break;
        case BISHOP:
            board.*Own::bishops &= ~to_mask;
            board.bishops_queens &= ~to_mask;
            --(board.*Own::bishop_count);
            --(board.*Own::minor_count);
            break;
        case ROOK:
            board.*Own::rooks &= ~to_mask;
            board.rooks_queens &= ~to_mask;
            --(board.*Own::major_count);
            break;
        case QUEEN:
            board.*Own::queens &= ~to_mask;
            board.rooks_queens &= ~to_mask;
            board.bishops_queens &= ~to_mask;
            --(board.*Own::major_count);
            break;
    }
    material -= Own::sign * (piece_value[promotion] - piece_value[PAWN]);
}

// Puts the castled rook back on its corner.
template <int C>
inline void return_castling_rook(Square corner, Square rook_at) {
    using Own = Colour<C>;
    const Bitboard both = set_mask[corner] | set_mask[rook_at];
    board.mailbox[corner] = ROOK;
    board.mailbox[rook_at] = NO_PIECE;
    board.*Own::rooks ^= both;
    board.*Own::pieces ^= both;
    board.rooks_queens = (board.rooks_queens | set_mask[corner]) & ~set_mask[rook_at];
    set_rotated(corner);
    clear_rotated(rook_at);
}

template <int C>
void unmake(Move move) {
    using Own = Colour<C>;
    using Enemy = Colour<Own::other>;
    const Square from = move_from(move), to = move_to(move);
    const int piece = move_piece(move), promotion = move_promotion(move);
    const int captured = move_captured(move);
    const bool en_passant = move_special(move) == SPECIAL_EN_PASSANT;
    const Bitboard from_mask = set_mask[from], to_mask = set_mask[to];
    const Bitboard path = from_mask | to_mask;

    clear_rotated(to);
    set_rotated(from);
    board.mailbox[from] = uint8_t(piece);
    board.mailbox[to] = NO_PIECE;
    side_to_move ^= 1;
    --game_move_count;

    switch (piece) {
        case PAWN:
            board.*Own::pawns ^= path;
            board.*Own::pieces ^= path;
            if (promotion != NO_PIECE) {
                board.*Own::pawns &= ~to_mask;
                ++(board.*Own::pawn_count);
                remove_promoted<C>(promotion, to_mask);
            }
            break;
        case KNIGHT:
            board.*Own::knights ^= path;
            board.*Own::pieces ^= path;
            break;
        case BISHOP:
            board.*Own::bishops ^= path;
            board.*Own::pieces ^= path;
            board.bishops_queens = (board.bishops_queens | from_mask) & ~to_mask;
            break;
        case ROOK:
            board.*Own::rooks ^= path;
            board.*Own::pieces ^= path;
            board.rooks_queens = (board.rooks_queens | from_mask) & ~to_mask;
            break;
        case QUEEN:
            board.*Own::queens ^= path;
            board.*Own::pieces ^= path;
            board.rooks_queens = (board.rooks_queens | from_mask) & ~to_mask;
            board.bishops_queens = (board.bishops_queens | from_mask) & ~to_mask;
            break;
        case KING:
            board.*Own::pieces ^= path;
            board.*Own::king_square = uint8_t(from);
            if (from == Own::king_home) {
                if (to == Own::short_king_to) return_castling_rook<C>(Own::short_corner, Own::short_rook_to);
                else if (to == Own::long_king_to) return_castling_rook<C>(Own::long_corner, Own::long_rook_to);
            }
            break;
    }

    if (captured != NO_PIECE && !en_passant) {
        board.mailbox[to] = uint8_t(captured);
        set_rotated(to);
    }
    // After the mover has left the slider sets, so a victim of the same line kind gets its bit back.
    switch (captured) {
        case PAWN: {
            const Square victim = en_passant ? to - Own::forward : to;
            board.*Enemy::pawns |= set_mask[victim];
            board.*Enemy::pieces |= set_mask[victim];
            ++(board.*Enemy::pawn_count);
            material -= Own::sign * piece_value[PAWN];
            if (en_passant) {
                board.mailbox[victim] = PAWN;
                set_rotated(victim);
            }
            break;
        }
        case KNIGHT:
            board.*Enemy::knights |= to_mask;
            board.*Enemy::pieces |= to_mask;
            ++(board.*Enemy::minor_count);
            material -= Own::sign * piece_value[KNIGHT];
            break;
        case BISHOP:
            board.bishops_queens |= to_mask;
            board.*Enemy::bishops |= to_mask;
            board.*Enemy::pieces |= to_mask;
            ++(board.*Enemy::bishop_count);
            ++(board.*Enemy::minor_count);
            material -= Own::sign * piece_value[BISHOP];
            break;
        case ROOK:
            board.rooks_queens |= to_mask;
            board.*Enemy::rooks |= to_mask;
            board.*Enemy::pieces |= to_mask;
            ++(board.*Enemy::major_count);
            material -= Own::sign * piece_value[ROOK];
            break;
        case QUEEN:
            board.rooks_queens |= to_mask;
            board.bishops_queens |= to_mask;
            board.*Enemy::queens |= to_mask;
            board.*Enemy::pieces |= to_mask;
            ++(board.*Enemy::major_count);
            material -= Own::sign * piece_value[QUEEN];
            break;
    }
}

}  // namespace

// The mover is the side not to move now.
void unmake_move(Move move) {
    if (side_to_move) unmake<BLACK>(move);
    else unmake<WHITE>(move);
}
