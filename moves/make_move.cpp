// Making a move in place: every copy of the position, the counts, the material balance, the
// history entry of the new ply and the move record (and, when it is kept, the position key)
// are updated together, with no loops. The
// kinds are told apart by tables rather than by branches, so that the common move (a piece
// that moves and perhaps takes) runs straight through; only king moves, pawn specials
// (double step, promotion, en passant) and captures branch.
#include "moves/colour.h"
#include "moves/moves.h"

namespace {

// The piece a promoting pawn becomes, added on `to` with its counts and material (the slider
// sets are set by the caller, from the kind that lands).
template <int C>
inline void add_promoted(int promotion, Bitboard to_mask) {
    using Own = Colour<C>;
    board.*Own::kind_sets[promotion] |= to_mask;
    add_to_counts<C>(promotion, 1);
    material += Own::sign * (piece_value[promotion] - piece_value[PAWN]);
}

// The rook's half of castling: from its corner to the square beside the castled king.
template <int C>
inline void move_castling_rook(Square corner, Square rook_to) {
    using Own = Colour<C>;
    const Bitboard both = square_bit(corner) | square_bit(rook_to);
    board.mailbox[corner] = NO_PIECE;
    board.mailbox[rook_to] = ROOK;
    board.*Own::rooks ^= both;
    board.*Own::pieces ^= both;
    board.rooks_queens = (board.rooks_queens & ~square_bit(corner)) | square_bit(rook_to);
    move_rotated(corner, rook_to);
}

// The key of the position after the move: the mover leaves `from` and what lands stands on
// `to`, a victim and a castling rook move with them, the side to move changes, and the rights
// and en-passant target are those of the new history entry.
template <int C>
inline void update_key(Move move, const HistoryEntry& before, const HistoryEntry& after, int lands) {
    using Own = Colour<C>;
    const Square from = move_from(move), to = move_to(move);
    const int piece = move_piece(move), captured = move_captured(move);
    uint64_t key = position_key ^ key_words.white_to_move ^ key_words.men[C][piece][from] ^
                   key_words.men[C][lands][to] ^ key_words.castling[before.castling & 15] ^
                   key_words.castling[after.castling & 15] ^ key_words.en_passant[before.ep_square] ^
                   key_words.en_passant[after.ep_square];
    if (captured != NO_PIECE) {
        const Square victim = move_special(move) == SPECIAL_EN_PASSANT ? to - Own::forward : to;
        key ^= key_words.men[Own::other][captured][victim];
    }
    if (piece == KING && from == Own::king_home) {
        if (to == Own::short_king_to)
            key ^= key_words.men[C][ROOK][Own::short_corner] ^ key_words.men[C][ROOK][Own::short_rook_to];
        else if (to == Own::long_king_to)
            key ^= key_words.men[C][ROOK][Own::long_corner] ^ key_words.men[C][ROOK][Own::long_rook_to];
    }
    key_before_move[game_move_count] = position_key;
    position_key = key;
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
    // The rights of a king or rook leaving home, and of a rook taken on its corner.
    entry.castling &= castling_kept[from] & castling_kept[to];

    const Bitboard from_mask = square_bit(from), to_mask = square_bit(to);
    const Bitboard path = from_mask | to_mask;
    move_rotated(from, to);
    board.mailbox[from] = NO_PIECE;
    board.*Own::pieces ^= path;

    // What stands on `to` afterwards: the mover, or the piece it promotes to.
    int lands = piece;
    if (piece == KING) {
        board.*Own::king_square = uint8_t(to);
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
    } else {
        board.*Own::kind_sets[piece] ^= path;
        if (piece == PAWN) {
            if (promotion == NO_PIECE) {
                if (to - from == 2 * Own::forward) entry.ep_square = uint8_t(to - Own::forward);
            } else {
                lands = promotion;
                board.*Own::pawns &= ~to_mask;
                --(board.*Own::pawn_count);
                add_promoted<C>(promotion, to_mask);
            }
        }
    }
    board.mailbox[to] = uint8_t(lands);
    // `from` is left empty and `to` holds `lands`, whatever stood there before.
    board.rooks_queens = (board.rooks_queens & ~path) | (to_mask & straight_kinds[lands]);
    board.bishops_queens = (board.bishops_queens & ~path) | (to_mask & diagonal_kinds[lands]);

    if (captured != NO_PIECE) {
        Bitboard victim = to_mask;
        if (move_special(move) == SPECIAL_EN_PASSANT) {
            const Square square = to - Own::forward;
            victim = square_bit(square);
            clear_rotated(square);
            board.mailbox[square] = NO_PIECE;
        }
        board.*Enemy::kind_sets[captured] &= ~victim;
        board.*Enemy::pieces &= ~victim;
        add_to_counts<Own::other>(captured, -1);
        material += Own::sign * piece_value[captured];
    }

    if (keep_position_key) update_key<C>(move, board.history[ply - 1], entry, lands);
    game_moves[game_move_count++] = move;
    side_to_move ^= 1;
    return 1;
}

}  // namespace

int make_move(Move move, int ply) {
    return side_to_move ? make<WHITE>(move, ply) : make<BLACK>(move, ply);
}
