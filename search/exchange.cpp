// Static exchange evaluation: the material outcome of a capture sequence on one square, with
// both sides recapturing with their least valuable man and free to stop.
#include "search/search.h"

namespace {

constexpr int GAIN_ROOM = 28;

// The slider that stands behind `s` as seen from `to` (on the line from `to` through `s`,
// first occupied square beyond s), when it moves along that line; empty otherwise. Men that
// have already taken part stay in the occupancy: the look always goes away from `to`.
Bitboard xray_behind(Square s, Square to) {
    switch (direction[to][s]) {
        case 1: return rank_line_attacks(s) & ray_plus1[s] & board.rooks_queens;
        case -1: return rank_line_attacks(s) & ray_minus1[s] & board.rooks_queens;
        case 8: return file_line_attacks(s) & ray_plus8[s] & board.rooks_queens;
        case -8: return file_line_attacks(s) & ray_minus8[s] & board.rooks_queens;
        case 7: return a1h8_line_attacks(s) & ray_plus7[s] & board.bishops_queens;
        case -7: return a1h8_line_attacks(s) & ray_minus7[s] & board.bishops_queens;
        case 9: return h1a8_line_attacks(s) & ray_plus9[s] & board.bishops_queens;
        case -9: return h1a8_line_attacks(s) & ray_minus9[s] & board.bishops_queens;
        default: return 0;
    }
}

}  // namespace

int static_exchange(Square from, Square to) {
    // The men of each colour by kind, pawn to queen, and the kings.
    const Bitboard men[2][5] = {
        {board.black_pawns, board.black_knights, board.black_bishops, board.black_rooks,
         board.black_queens},
        {board.white_pawns, board.white_knights, board.white_bishops, board.white_rooks,
         board.white_queens},
    };
    const Bitboard kings[2] = {set_mask[board.black_king_square],
                               set_mask[board.white_king_square]};

    int gain[GAIN_ROOM];
    Bitboard attackers = attackers_of(to) & ~set_mask[from];
    gain[0] = piece_value[board.mailbox[to]];
    int on_square = piece_value[board.mailbox[from]];
    int side = side_to_move ^ 1;
    int n = 1;
    attackers |= xray_behind(from, to);

    while (attackers && n < GAIN_ROOM) {
        // Least valuable attacker of `side`; the highest square among equals.
        Square s = -1;
        int kind = 0;
        for (int k = 0; k < 5; ++k) {
            const Bitboard b = attackers & men[side][k];
            if (b) {
                s = highest_bit(b);
                kind = k + 1;
                break;
            }
        }
        if (s < 0) {
            if (!(attackers & kings[side])) break;
            s = side ? board.white_king_square : board.black_king_square;
            kind = KING;
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
