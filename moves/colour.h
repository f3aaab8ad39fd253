// The fields of one colour, named by their role, so that the generators and make/unmake are
// written once as templates over the colour. Each member is a constant pointer into the Board
// record: `board.*Own::pawns` compiles to a direct access of the field, with no branch.
#pragma once

#include "board/board.h"

template <int C>
struct Colour {
    static constexpr bool white = C == WHITE;
    static constexpr int side = C;
    static constexpr int other = white ? BLACK : WHITE;

    static constexpr Bitboard Board::*pieces = white ? &Board::white_pieces : &Board::black_pieces;
    static constexpr Bitboard Board::*pawns = white ? &Board::white_pawns : &Board::black_pawns;
    static constexpr Bitboard Board::*knights = white ? &Board::white_knights : &Board::black_knights;
    static constexpr Bitboard Board::*bishops = white ? &Board::white_bishops : &Board::black_bishops;
    static constexpr Bitboard Board::*rooks = white ? &Board::white_rooks : &Board::black_rooks;
    static constexpr Bitboard Board::*queens = white ? &Board::white_queens : &Board::black_queens;

    // Each kind's set, by PieceType, for make and unmake. The king has no set of its own: its
    // slot (like slot 0) names the colour set and is never used.
    static constexpr Bitboard Board::*kind_sets[7] = {pieces, pawns, knights, bishops,
                                                      rooks,  queens, pieces};

    static constexpr uint8_t Board::*pawn_count =
        white ? &Board::white_pawn_count : &Board::black_pawn_count;
    static constexpr uint8_t Board::*bishop_count =
        white ? &Board::white_bishop_count : &Board::black_bishop_count;
    static constexpr uint8_t Board::*minor_count =
        white ? &Board::white_minor_count : &Board::black_minor_count;
    static constexpr uint8_t Board::*major_count =
        white ? &Board::white_major_count : &Board::black_major_count;
    static constexpr uint8_t Board::*king_square =
        white ? &Board::white_king_square : &Board::black_king_square;

    // Material is kept from white's side: white's gains add, black's subtract.
    static constexpr int32_t sign = white ? 1 : -1;

    // Pawn geometry: one step forward, the captures toward the h-file and the a-file, the
    // rank a pawn promotes from, the rank it lands on after its first step, and the last rank.
    static constexpr int forward = white ? 8 : -8;
    static constexpr int toward_h = white ? 7 : -9;
    static constexpr int toward_a = white ? 9 : -7;
    static constexpr Square seventh_rank_square = white ? 48 : 8;
    static constexpr Square third_rank_square = white ? 16 : 40;
    static constexpr Square last_rank_square = white ? 56 : 0;

    // Castling: the king's home, the corners, the castled squares and the castling-byte bits.
    static constexpr Square king_home = white ? E1 : E8;
    static constexpr Square short_corner = white ? H1 : H8;
    static constexpr Square long_corner = white ? A1 : A8;
    static constexpr Square short_king_to = white ? G1 : G8;
    static constexpr Square long_king_to = white ? C1 : C8;
    static constexpr Square short_rook_to = white ? F1 : F8;
    static constexpr Square long_rook_to = white ? D1 : D8;
    static constexpr Square long_knight_square = white ? B1 : B8;  // empty, may be attacked
    static constexpr uint8_t short_right = white ? 1 : 4;
    static constexpr uint8_t long_right = white ? 2 : 8;
    static constexpr uint8_t both_rights = short_right | long_right;
    static constexpr uint8_t castled_short = white ? 16 : 64;
    static constexpr uint8_t castled_long = white ? 32 : 128;
    static constexpr Move castle_short_move = white ? WHITE_CASTLE_KING_SIDE : BLACK_CASTLE_KING_SIDE;
    static constexpr Move castle_long_move = white ? WHITE_CASTLE_QUEEN_SIDE : BLACK_CASTLE_QUEEN_SIDE;
};

// The counts that a man of `kind` of colour C belongs to, moved by `delta` (+1 or -1).
template <int C>
inline void add_to_counts(int kind, int delta) {
    using Own = Colour<C>;
    board.*Own::pawn_count = uint8_t(board.*Own::pawn_count + delta * (kind == PAWN));
    board.*Own::bishop_count = uint8_t(board.*Own::bishop_count + delta * (kind == BISHOP));
    board.*Own::minor_count =
        uint8_t(board.*Own::minor_count + delta * (kind == KNIGHT || kind == BISHOP));
    board.*Own::major_count =
        uint8_t(board.*Own::major_count + delta * (kind == ROOK || kind == QUEEN));
}

// By PieceType: every square for the kinds in rooks_queens (or bishops_queens), none for the
// others, to mask a square's bit in those sets without a branch.
constexpr Bitboard straight_kinds[8] = {0, 0, 0, 0, ~Bitboard(0), ~Bitboard(0), 0, 0};
constexpr Bitboard diagonal_kinds[8] = {0, 0, 0, ~Bitboard(0), 0, ~Bitboard(0), 0, 0};

// The castling bits that survive a move from or to each square: a king leaving home loses
// both rights of its colour, a rook leaving its corner or taken there the one of that corner.
// Elsewhere every bit stays. (A right is only ever set while its king and rook are at home, so
// whatever leaves or is taken on those squares is that king or rook.)
constexpr auto castling_kept = [] {
    std::array<uint8_t, 64> kept{};
    for (uint8_t& k : kept) k = 0xFF;
    kept[E1] = uint8_t(~(Colour<WHITE>::both_rights));
    kept[H1] = uint8_t(~Colour<WHITE>::short_right);
    kept[A1] = uint8_t(~Colour<WHITE>::long_right);
    kept[E8] = uint8_t(~(Colour<BLACK>::both_rights));
    kept[H8] = uint8_t(~Colour<BLACK>::short_right);
    kept[A8] = uint8_t(~Colour<BLACK>::long_right);
    return kept;
}();

// Shifts a set of squares by a signed square distance (positive: toward a8).
template <int Distance>
constexpr Bitboard shift_squares(Bitboard b) {
    if constexpr (Distance >= 0) return b << Distance;
    else return b >> -Distance;
}

// Takes the highest square out of a non-empty set. The bit is cleared by arithmetic rather
// than a set_mask look-up: every loop that walks a set waits on this step, and a shift is
// quicker than a load.
inline Square pop_highest(Bitboard& set) {
    const Square s = highest_square(set);
    set ^= Bitboard(1) << s;
    return s;
}
// Takes the lowest square out of a non-empty set.
inline Square pop_lowest(Bitboard& set) {
    const Square s = __builtin_ctzll(set);
    set &= set - 1;
    return s;
}

// Square s in all three rotated occupancy sets.
inline void set_rotated(Square s) {
    board.occupied_r90 |= rot90_bit[s];
    board.occupied_a1h8 |= a1h8_bit[s];
    board.occupied_h1a8 |= h1a8_bit[s];
}
inline void clear_rotated(Square s) {
    board.occupied_r90 &= ~rot90_bit[s];
    board.occupied_a1h8 &= ~a1h8_bit[s];
    board.occupied_h1a8 &= ~h1a8_bit[s];
}
// A man leaves `from` for `to` in the three rotated sets (`to` may already be occupied).
inline void move_rotated(Square from, Square to) {
    board.occupied_r90 = (board.occupied_r90 & ~rot90_bit[from]) | rot90_bit[to];
    board.occupied_a1h8 = (board.occupied_a1h8 & ~a1h8_bit[from]) | a1h8_bit[to];
    board.occupied_h1a8 = (board.occupied_h1a8 & ~h1a8_bit[from]) | h1a8_bit[to];
}

// The moves of colour C's knights, bishops, rooks, queens and king onto `targets` (enemy men
// for the captures, empty squares for the quiet moves): the groups in that order, each
// group's men and each man's targets highest first. The captured kind is what the mailbox
// holds on the to-square; the quiet moves (Captures false) need not look: it is 0.
template <int C, bool Captures>
Move* add_piece_moves(Move* out, Bitboard targets) {
    using Own = Colour<C>;
    auto add = [&out](Square from, Bitboard to_set, int piece) {
        while (to_set) {
            const Square to = pop_highest(to_set);
            *out++ = encode_move(from, to, Captures ? board.mailbox[to] : NO_PIECE, 0, piece, 0);
        }
    };
    for (Bitboard set = board.*Own::knights; set;) {
        const Square from = pop_highest(set);
        add(from, knight_moves[from] & targets, KNIGHT);
    }
    for (Bitboard set = board.*Own::bishops; set;) {
        const Square from = pop_highest(set);
        add(from, diagonal_attacks(from) & targets, BISHOP);
    }
    for (Bitboard set = board.*Own::rooks; set;) {
        const Square from = pop_highest(set);
        add(from, straight_attacks(from) & targets, ROOK);
    }
    for (Bitboard set = board.*Own::queens; set;) {
        const Square from = pop_highest(set);
        add(from, (straight_attacks(from) | diagonal_attacks(from)) & targets, QUEEN);
    }
    const Square king = board.*Own::king_square;
    add(king, king_moves[king] & targets, KING);
    return out;
}
