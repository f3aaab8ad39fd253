// Static exchange evaluation: the material outcome of a capture sequence on one square, with
// both sides recapturing with their least valuable man and free to stop.
#include <array>

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

// An x-ray look along one direction: the ray beyond a square (empty for "no line", so that
// such a look needs no case of its own), the sliders that move along it, and the line's
// occupancy (an index into the occupancies of static_exchange), shift, mask and attack table.
struct XrayLine {
    const Bitboard* ray;
    Bitboard Board::*sliders;
    int occupancy;
    const uint8_t* shift;
    const uint8_t* mask;
    const Bitboard (*attacks)[256];
};

constexpr Bitboard no_ray[64] = {};
constexpr std::array<uint8_t, 64> whole_byte = [] {
    std::array<uint8_t, 64> m{};
    for (uint8_t& b : m) b = 255;
    return m;
}();
enum { RANK_OCCUPANCY, FILE_OCCUPANCY, A1H8_OCCUPANCY, H1A8_OCCUPANCY, OCCUPANCIES };

constexpr XrayLine rank_look(const Bitboard* ray) {
    return {ray, &Board::rooks_queens, RANK_OCCUPANCY, rank_shift.data(), whole_byte.data(), rank_attacks};
}
constexpr XrayLine file_look(const Bitboard* ray) {
    return {ray, &Board::rooks_queens, FILE_OCCUPANCY, file_shift.data(), whole_byte.data(), file_attacks};
}
constexpr XrayLine a1h8_look(const Bitboard* ray) {
    return {ray, &Board::bishops_queens, A1H8_OCCUPANCY, a1h8_shift.data(), a1h8_mask.data(), a1h8_attacks};
}
constexpr XrayLine h1a8_look(const Bitboard* ray) {
    return {ray, &Board::bishops_queens, H1A8_OCCUPANCY, h1a8_shift.data(), h1a8_mask.data(), h1a8_attacks};
}

// By `direction` + 9.
constexpr XrayLine no_look = rank_look(no_ray);
constexpr XrayLine xray_lines[19] = {
    h1a8_look(ray_minus9), file_look(ray_minus8), a1h8_look(ray_minus7), no_look, no_look,
    no_look, no_look, no_look, rank_look(ray_minus1), no_look, rank_look(ray_plus1),
    no_look, no_look, no_look, no_look, no_look, a1h8_look(ray_plus7), file_look(ray_plus8),
    h1a8_look(ray_plus9),
};

// The slider that stands behind `s` as seen from `to` (on the line from `to` through `s`,
// first occupied square beyond s), when it moves along that line; empty otherwise. Men that
// have already taken part stay in the occupancy: the look always goes away from `to`. Table
// driven rather than a switch over the eight directions, whose jump no predictor can learn.
inline Bitboard xray_behind(Square s, Square to, const Bitboard* occupancies) {
    const XrayLine& x = xray_lines[direction[to][s] + 9];
    const Bitboard sliders = x.ray[s] & board.*x.sliders;
    if (!sliders) return 0;  // most often: then the line is not looked up at all
    return x.attacks[s][(occupancies[x.occupancy] >> x.shift[s]) & x.mask[s]] & sliders;
}

}  // namespace

int static_exchange(Square from, Square to) {
    const Bitboard occupancies[OCCUPANCIES] = {occupied(), board.occupied_r90, board.occupied_a1h8,
                                               board.occupied_h1a8};
    int gain[GAIN_ROOM];
    Bitboard attackers = attackers_of(to) & ~square_bit(from);
    gain[0] = piece_value[board.mailbox[to]];
    int on_square = piece_value[board.mailbox[from]];
    int side = side_to_move ^ 1;
    int n = 1;
    attackers |= xray_behind(from, to, occupancies);

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
        attackers &= ~square_bit(s);
        on_square = piece_value[kind];
        attackers |= xray_behind(s, to, occupancies);
        ++n;
        side ^= 1;
    }

    if (n == 1) return gain[0];
    // Each side may decline to go on when going on loses.
    for (int k = n - 1; k >= 1; --k)
        if (gain[k] > -gain[k - 1]) gain[k - 1] = -gain[k];
    return gain[0];
}
