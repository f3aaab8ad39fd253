// Development in the opening: centre pawns still at home and blocked, minor pieces on the back
// rank, early queen moves, rooks shut in by their own king.
#include "eval/eval.h"
#include "eval/eval_tables.h"
#include "eval/side.h"

namespace {

using eval_detail::squares;

// Colour C's part, from C's own point of view. Squares are named from White's side and
// mirrored for Black.
template <int C>
int development_side() {
    using S = Side<C>;
    auto set = [](const char* names) { return S::relative_set(squares(names)); };
    constexpr Bitboard c2 = set("c2"), c3 = set("c3"), c4 = set("c4"), d1 = set("d1");
    constexpr Bitboard d2 = set("d2"), d3 = set("d3"), d4 = set("d4");
    constexpr Bitboard e2 = set("e2"), e3 = set("e3");
    constexpr Bitboard back_rank = set("a1 b1 c1 d1 e1 f1 g1 h1");
    constexpr Bitboard short_rooks = set("g1 h1"), short_pawns = set("g2 h2 g3 h3");
    constexpr Bitboard long_rooks = set("a1 b1 c1"), long_pawns = set("a2 b2 c2 a3 b3 c3");
    const Bitboard pawns = board.*S::pawns, men = board.*S::pieces;
    const Bitboard rooks = board.*S::rooks;
    int v = 0;

    if (pawns & d4) {
        if (pawns & c4)
            v = 13;
        else if ((pawns & c2) && (men & (c3 | c4)))
            v = -10;
    }
    if (pawns & e2) {
        v -= 13;
        if (men & e3) v -= 10;
    }
    if (pawns & d2) {
        v -= 13;
        if (men & d3) v -= 10;
    }

    const bool undeveloped = (board.*S::knights | board.*S::bishops) & back_rank;
    if (undeveloped) v -= 8;
    if (board.*S::queens & d1) {
        if (!undeveloped) v -= 8;
    } else if (undeveloped) {
        v -= 20;
    }

    // The king's square decides which rooks may be shut in. The two colours' thresholds are
    // not mirror images: White's short side is f1-h1, Black's every square up to f8; White's
    // long side is every square from d1 up, Black's d8-a8.
    const int king = board.*S::king_square;
    const bool short_side = C == WHITE ? king <= 2 : king <= 58;
    const bool long_side = C == WHITE ? king >= 4 : king >= 60;
    if (short_side && (rooks & short_rooks) && popcount(pawns & short_pawns) >= 2)
        v -= 18;
    else if (long_side && (rooks & long_rooks) && popcount(pawns & long_pawns) >= 3)
        v -= 18;
    return v;
}

}  // namespace

int evaluate_development(int) { return development_side<WHITE>() - development_side<BLACK>(); }
