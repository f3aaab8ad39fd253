// Making a move in place: every copy of the position, the counts, the material balance, the
// history entry of the new ply and the move record are updated together, with no loops.
#include "moves/colour.h"
#include "moves/moves.h"

namespace {

// The piece a promoting pawn becomes, added on `to` with its counts and material.
template <int C>
inline void add_promoted(int promotion, Bitboard to_mask) {
    using Own = Colour<C>;
    switch (promotion) {
        case KNIGHT:
            board.*Own::knights |= to_mask;
            ++(board.*Own::minor_count);
            break;
        case BISHOP:
            board.*Own::bishops |= to_mask;
            board.bishops_queens |= to_mask;
            ++(board.*Own::bishop_count);
            ++(board.*Own::minor_count);
            break;
        case ROOK:
            board.*Own::rooks |= to_mask;
            board.rooks_queens |= to_mask;
            ++(board.*Own::major_count);
            break;
        case QUEEN:
            board.*Own::queens |= to_mask;
            board.rooks_queens |= to_mask;
            board.bishops_queens |= to_mask;
            ++(board.*Own::major_count);
            break;
    }
    material += Own::sign * (piece_value[promotion] - piece_value[PAWN]);
}

// The rook's half of castling: from its corner to the square beside the castled king.
template <int C>
inline void move_castling_rook(Square corner, Square rook_to) {
    using Own = Colour<C>;
    const Bitboard both = set_mask[corner] | set_mask[rook_to];
    board.mailbox[corner] = NO_PIECE;
    board.mailbox[rook_to] = ROOK;
    board.*Own::rooks ^= both;
    board.*Own::pieces ^= both;
    board.rooks_queens = (board.rooks_queens & ~set_mask[corner]) | set_mask[rook_to];
    clear_rotated(corner);
    set_rotated(rook_to);
}

template <int C>
int make(Move move, int ply) {
    using Own = Colour<C>;
    using Enemy = Colour<Own::other>;
    const int captured = move_captured(move);
    if (captured == KING) return 0;
    const Square from = move_from(move), to = move_to(move);
    const int piece = move_piece(move), promotion = move_promotion(move);

    HistoryEntry& entry = board.history[ply];
    entry = board.history[ply - 1];
    entry.ep_square = 0;
    entry.fifty = (piece == PAWN || captured != NO_PIECE) ? 0 : uint8_t(entry.fifty + 1);

    const Bitboard from_mask = set_mask[from], to_mask = set_mask[to];
    const Bitboard path = from_mask | to_mask;
    clear_rotated(from);
    set_rotated(to);
    board.mailbox[from] = NO_PIECE;
    board.mailbox[to] = uint8_t(piece);

    switch (piece) {
        case PAWN:
            board.*Own::pawns ^= path;
            board.*Own::pieces ^= path;
            if (promotion == NO_PIECE) {
                if (to - from == 2 * Own::forward) entry.ep_square = uint8_t(to - Own::forward);
            } else {
                board.mailbox[to] = uint8_t(promotion);
                board.*Own::pawns &= ~to_mask;
                --(board.*Own::pawn_count);
                add_promoted<C>(promotion, to_mask);
            }
            break;
        case KNIGHT:
            board.*Own::knights ^= path;
            board.*Own::pieces ^= path;
            break;
        case BISHOP:
            board.*Own::bishops ^= path;
            board.*Own::pieces ^= path;
            board.bishops_queens = (board.bishops_queens & ~from_mask) | to_mask;
            break;
        case ROOK:
            board.*Own::rooks ^= path;
            board.*Own::pieces ^= path;
            board.rooks_queens = (board.rooks_queens & ~from_mask) | to_mask;
            if (from == Own::short_corner) entry.castling &= uint8_t(~Own::short_right);
            else if (from == Own::long_corner) entry.castling &= uint8_t(~Own::long_right);
            break;
        case QUEEN:
            board.*Own::queens ^= path;
            board.*Own::pieces ^= path;
            board.rooks_queens = (board.rooks_queens & ~from_mask) | to_mask;
            board.bishops_queens = (board.bishops_queens & ~from_mask) | to_mask;
            break;
        case KING:
            board.*Own::king_square = uint8_t(to);
            board.*Own::pieces ^= path;
            entry.castling &= uint8_t(~Own::both_rights);
            // Castling is known by the king's two-square step from home, whatever `special` says.
            if (from == Own::king_home) {
                if (to == Own::short_king_to) {
                    move_castling_rook<C>(Own::short_corner, Own::short_rook_to);
                    entry.castling |= Own::castled_short;
                } else if (to == Own::long_king_to) {
                    move_castling_rook<C>(Own::long_corner, Own::long_rook_to);
                    entry.castling |= Own::castled_long;
                }
            }
            break;
    }

    // The mover already stands on `to` in the slider sets, so a victim of the same line kind
    // leaves its bit there.
    const bool lands_diagonal = piece == BISHOP || piece == QUEEN || promotion == BISHOP || promotion == QUEEN;
    const bool lands_straight = piece == ROOK || piece == QUEEN || promotion == ROOK || promotion == QUEEN;
    switch (captured) {
        case PAWN:
            if (move_special(move) == SPECIAL_EN_PASSANT) {
                const Square victim = to - Own::forward;
                board.*Enemy::pawns &= ~set_mask[victim];
                board.*Enemy::pieces &= ~set_mask[victim];
                clear_rotated(victim);
                board.mailbox[victim] = NO_PIECE;
            } else {
                board.*Enemy::pawns &= ~to_mask;
                board.*Enemy::pieces &= ~to_mask;
            }
            --(board.*Enemy::pawn_count);
            material += Own::sign * piece_value[PAWN];
            break;
        case KNIGHT:
            board.*Enemy::knights &= ~to_mask;
            board.*Enemy::pieces &= ~to_mask;
            --(board.*Enemy::minor_count);
            material += Own::sign * piece_value[KNIGHT];
            break;
        case BISHOP:
            board.*Enemy::bishops &= ~to_mask;
            board.*Enemy::pieces &= ~to_mask;
            if (!lands_diagonal) board.bishops_queens &= ~to_mask;
            --(board.*Enemy::bishop_count);
            --(board.*Enemy::minor_count);
            material += Own::sign * piece_value[BISHOP];
            break;
        case ROOK:
            board.*Enemy::rooks &= ~to_mask;
            board.*Enemy::pieces &= ~to_mask;
            if (!lands_straight) board.rooks_queens &= ~to_mask;
            --(board.*Enemy::major_count);
            material += Own::sign * piece_value[ROOK];
            // A rook taken on its corner takes its castling right with it.
            if (to == Enemy::short_corner) entry.castling &= uint8_t(~Enemy::short_right);
            else if (to == Enemy::long_corner) entry.castling &= uint8_t(~Enemy::long_right);
            break;
        case QUEEN:
            board.*Enemy::queens &= ~to_mask;
            board.*Enemy::pieces &= ~to_mask;
            if (!lands_straight) board.rooks_queens &= ~to_mask;
            if (!lands_diagonal) board.bishops_queens &= ~to_mask;
            --(board.*Enemy::major_count);
            material += Own::sign * piece_value[QUEEN];
            break;
    }

    game_moves[game_move_count++] = move;
    side_to_move ^= 1;
    return 1;
}

}  // namespace

int make_move(Move move, int ply) {
    return side_to_move ? make<WHITE>(move, ply) : make<BLACK>(move, ply);
}
