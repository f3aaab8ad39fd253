// Static exchange evaluation: the material outcome of a capture sequence on one square, with
// both sides recapturing with their least valuable man and free to stop.
#include "search/search.h"

namespace {

constexpr int GAIN_ROOM = 28;

// The men of each colour by kind, pawn to queen.
constexpr Bitboard Board::*const men_by_kind[2][5] = {
    {&Board::black_pawns, &Board::black_knights, &Board::black_bishops, &Board::black_rooks,
     &Board::black_queens},
    {&Board::white_pawns, &Board::white_knights, &Board::white_bishops, &Board::white_rooks,
     &Board::white_queens},
};

// The sliders of `line_sliders` that stand on `ray` (the ray beyond s) and see s along that
// line: the first of them only, as the line attack stops there. Most of the time no slider of
// the kind stands on the ray at all, and the line is not looked up.
inline Bitboard slider_on_ray(Bitboard ray, Bitboard line_sliders, Bitboard (*line_attacks)(Square),
                              Square s) {
    const Bitboard sliders = ray & line_sliders;
    return sliders ? line_attacks(s) & sliders : 0;
}

// The slider that stands behind `s` as seen from `to` (on the line from `to` through `s`,
// first occupied square beyond s), when it moves along that line; empty otherwise. Men that
// have already taken part stay in the occupancy: the look always goes away from `to`.
inline Bitboard xray_behind(Square s, Square to) {
    switch (direction[to][s]) {
        case 1: return slider_on_ray(ray_plus1[s], board.rooks_queens, rank_line_attacks, s);
        case -1: return slider_on_ray(ray_minus1[s], board.rooks_queens, rank_line_attacks, s);
        case 8: return slider_on_ray(ray_plus8[s], board.rooks_queens, file_line_attacks, s);
        case -8: return slider_on_ray(ray_minus8[s], board.rooks_queens, file_line_attacks, s);
        case 7: return slider_on_ray(ray_plus7[s], board.bishops_queens, a1h8_line_attacks, s);
        case -7: return slider_on_ray(ray_minus7[s], board.bishops_queens, a1h8_line_attacks, s);
        case 9: return slider_on_ray(ray_plus9[s], board.bishops_queens, h1a8_line_attacks, s);
        case -9: return slider_on_ray(ray_minus9[s], board.bishops_queens, h1a8_line_attacks, s);
        default: return 0;
    }
}

}  // namespace

int static_exchange(Square from, Square to) {
    int gain[GAIN_ROOM];
    Bitboard attackers = attackers_of(to) & ~set_mask[from];
    gain[0] = piece_value[board.mailbox[to]];
    int on_square = piece_value[board.mailbox[from]];
    int side = side_to_move ^ 1;
    int n = 1;
    attackers |= xray_behind(from, to);

    while (n < GAIN_ROOM) {
        const Bitboard own = attackers & (side ? board.white_pieces : board.black_pieces);
        if (!own) break;
        // Least valuable attacker of `side`; the highest square among equals. An attacker
        // that is none of pawn to queen is the king.
        Square s = side ? board.white_king_square : board.black_king_square;
        int kind = KING;
        for (int k = 0; k < 5; ++k) {
            const Bitboard b = own & board.*men_by_kind[side][k];
            if (b) {
                s = highest_bit(b);
                kind = k + 1;
                break;
            }
        }
        gain[n] = on_square - gain[n - 1];
        attackers &= ~set_mask[s];
        on_square = piece_value[kind];
        attackers |= xray_behind(s, to);
        ++n;
        side ^= 1;
    }

    if (n == 1) return gain[0];
    // Each side may decline to go on when going on loses.
    for (int k = n - 1; k >= 1; --k)
        if (gain[k] > -gain[k - 1]) gain[k - 1] = -gain[k];
    return gain[0];
}
