// King safety: castling state, pawn shelter, back-rank danger, kings on open files, the men
// crowding each king, and the presence of the queens.
#include "eval/eval.h"
#include "eval/eval_tables.h"
#include "eval/side.h"

namespace {

using eval_detail::square;
using eval_detail::squares;

template <int C>
struct KingTables;

template <>
struct KingTables<WHITE> {
    static constexpr int rights = 0x03;   // may still castle short or long
    static constexpr int castled = 0x30;  // has castled short or long
    static constexpr int home_shift = 8;  // rank 2 pattern at bit 0
    static constexpr int front_shift = 16;
    static constexpr Bitboard back_rank = RANK_1;
    static constexpr const Bitboard* enemy_half_open = &black_half_open_files;
};

template <>
struct KingTables<BLACK> {
    static constexpr int rights = 0x0C;
    static constexpr int castled = 0xC0;
    static constexpr int home_shift = 48;
    static constexpr int front_shift = 40;
    static constexpr Bitboard back_rank = RANK_8;
    static constexpr const Bitboard* enemy_half_open = &white_half_open_files;
};

// Shelter index of colour C's pawns on the king side (files h, g, f: base 0) or the queen
// side (files c, b, a: base 5).
template <int C>
inline int shelter_index(int base) {
    using K = KingTables<C>;
    const Bitboard pawns = board.*Side<C>::pawns;
    return int((pawns >> (K::front_shift + base)) & 7) + 8 * int((pawns >> (K::home_shift + base)) & 7);
}

// Colour C's part of the king safety, from C's own point of view. Squares are named from
// White's side and mirrored for Black.
template <int C>
int king_safety_side(int castling) {
    using S = Side<C>;
    using E = Side<1 - C>;
    using K = KingTables<C>;
    constexpr Square g1 = S::relative(square("g1")), h1 = S::relative(square("h1"));
    constexpr Square b1 = S::relative(square("b1")), a1 = S::relative(square("a1"));
    constexpr Bitboard g2 = S::relative_set(squares("g2")), b2 = S::relative_set(squares("b2"));
    constexpr Bitboard fgh2 = S::relative_set(squares("f2 g2 h2"));
    constexpr Bitboard gh2 = S::relative_set(squares("g2 h2"));
    constexpr Bitboard abc2 = S::relative_set(squares("a2 b2 c2"));
    constexpr Bitboard ab2 = S::relative_set(squares("a2 b2"));
    const Bitboard pawns = board.*S::pawns;
    const Square king = board.*S::king_square;
    int v;

    if (castling & K::rights)
        v = shelter_table[shelter_index<C>(0)] - 12;
    else
        v = castling & K::castled ? 15 : -18;

    // A king in its corner (f1-h2, or a1-c2) behind its shelter; a fianchettoed bishop in
    // place of the knight-file pawn helps.
    const Square rel_king = S::relative(king);
    if (file_of[king] <= 2 && rel_king <= 10) {
        v += shelter_table[shelter_index<C>(0)];
        if (!(pawns & g2) && (board.*S::bishops & g2)) v += 8;
    } else if (file_of[king] >= 5 && rel_king <= 15) {
        v += shelter_table[shelter_index<C>(5)];
        if (!(pawns & b2) && (board.*S::bishops & b2)) v += 8;
    }

    if (!(board.*S::rooks & K::back_rank) && board.*E::major_count != 0) {
        if ((king == g1 && (pawns & fgh2) == fgh2) || (king == h1 && (pawns & gh2) == gh2) ||
            (king == b1 && (pawns & abc2) == abc2) || (king == a1 && (pawns & ab2) == ab2))
            v -= 13;
    }

    if (board.*E::major_count != 0) {
        if (open_files & square_bit(king))
            v -= 10;
        else if (*K::enemy_half_open & square_bit(king))
            v -= 8;
    }

    if (!(board.*S::queens)) v -= 8;
    return v;
}

// Attack class of colour C near a king: queen 3, rook 2, bishop 1, else 0.
template <int C>
inline int attack_class() {
    if (board.*Side<C>::queens) return 3;
    if (board.*Side<C>::rooks) return 2;
    if (board.*Side<C>::bishops) return 1;
    return 0;
}

// The men around colour C's king, from C's point of view (before the clamp).
template <int C>
int king_zone_side() {
    using S = Side<C>;
    using E = Side<1 - C>;
    const Square king = board.*S::king_square;
    const Bitboard zone = near_squares[king];
    const int enemy_class = attack_class<1 - C>();
    const int enemy_pawns = popcount(board.*E::pawns & zone);
    int z = -2 * enemy_pawns;
    if (enemy_class > 1) z -= 2 * enemy_pawns;
    z -= 3 * popcount((board.*E::knights | board.*E::bishops) & zone);
    z -= 4 * popcount(board.*E::rooks & zone);
    z -= 6 * popcount(board.*E::queens & zone);
    const Bitboard own_pawns = board.*S::pawns & zone;
    z += popcount(own_pawns) + 2 * popcount(own_pawns & king_moves[king]);
    z += 3 * popcount((board.*S::knights | board.*S::bishops | board.*S::rooks | board.*S::queens) & zone);
    return z - enemy_class;
}

}  // namespace

int evaluate_king_zone() {
    const int z = king_zone_side<WHITE>() - king_zone_side<BLACK>();
    return z < -40 ? -40 : z > 40 ? 40 : z;
}

int evaluate_king_safety(int ply) {
    const int castling = board.history[ply - 1].castling;
    return king_safety_side<WHITE>(castling) - king_safety_side<BLACK>(castling) +
           evaluate_king_zone();
}
