// Constant tables and square sets of the evaluation.
//
// Square tables are written below as a board is drawn: rank 8 on the top line, the a-file in
// the left column. Square numbers run the other way round (0 is h1, 7 is a1, 63 is a8), so
// the k-th value of a drawing belongs to square 63 - k; `from_drawing` does that reversal at
// compile time, and the black tables are derived from the white ones by mirroring.
#pragma once

#include <array>

#include "board/board.h"

using SquareTable = std::array<int32_t, 64>;

namespace eval_detail {

constexpr SquareTable from_drawing(const SquareTable& drawing) {
    SquareTable t{};
    for (int k = 0; k < 64; ++k) t[63 - k] = drawing[k];
    return t;
}
// Same file, rank 9 - k: rank 1 with rank 8, 2 with 7, ...
constexpr SquareTable mirror_ranks(const SquareTable& t) {
    SquareTable m{};
    for (int s = 0; s < 64; ++s) m[s] = t[s ^ 56];
    return m;
}
// Same rank, file letter reflected: a with h, b with g, ...
constexpr SquareTable mirror_files(const SquareTable& t) {
    SquareTable m{};
    for (int s = 0; s < 64; ++s) m[s] = t[s ^ 7];
    return m;
}
constexpr SquareTable by_rank(const std::array<int32_t, 8>& rank_values) {
    SquareTable t{};
    for (int s = 0; s < 64; ++s) t[s] = rank_values[s >> 3];
    return t;
}

// A square from its name ("e4").
constexpr Square square(const char* name) { return 8 * (name[1] - '1') + ('h' - name[0]); }

// The set of the squares named in a blank-separated list ("c2 e2 c3 e3").
constexpr Bitboard squares(const char* names) {
    Bitboard b = 0;
    for (const char* p = names; *p;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        b |= Bitboard(1) << square(p);
        p += 2;
    }
    return b;
}

}  // namespace eval_detail

// Squares whose file index plus rank index is even (h1, a8); the others are dark.
constexpr Bitboard LIGHT_SQUARES = 0xAA55AA55AA55AA55ull;
constexpr Bitboard DARK_SQUARES = ~LIGHT_SQUARES;
constexpr Bitboard FILES_E_TO_H = 0x0F0F0F0F0F0F0F0Full;
constexpr Bitboard FILES_A_TO_D = 0xF0F0F0F0F0F0F0F0ull;
constexpr Bitboard RANK_1 = 0xFFull;
constexpr Bitboard RANK_8 = 0xFFull << 56;

// clang-format off
constexpr SquareTable knight_table = eval_detail::from_drawing({
    -20, -20, -20, -20, -20, -20, -20, -20,
    -20, -10,   2,   2,   2,   2, -10, -20,
    -20,   2,   5,   3,   3,   5,   2, -20,
    -20,   0,   3,  10,  10,   3,   0, -20,
    -20,   0,   3,  10,  10,   3,   0, -20,
    -20,   2,   5,   3,   3,   5,   2, -20,
    -20, -10,   2,   2,   2,   2, -10, -20,
    -20, -20, -20, -20, -20, -20, -20, -20,
});

constexpr SquareTable lone_king_table = eval_detail::from_drawing({
    1000, 960, 930, 900, 900, 930, 960, 1000,
     960, 800, 700, 600, 600, 700, 800,  960,
     930, 700, 600, 500, 500, 600, 700,  930,
     900, 600, 500, 400, 400, 500, 600,  900,
     900, 600, 500, 400, 400, 500, 600,  900,
     930, 700, 600, 500, 500, 600, 700,  930,
     960, 800, 700, 600, 600, 700, 800,  960,
    1000, 960, 930, 900, 900, 930, 960, 1000,
});

// The bare king of a bishop-and-knight ending, bishop on a light square: a8 and h1 highest.
constexpr SquareTable kbn_light_table = eval_detail::from_drawing({
    1000, 900, 800, 700, 600, 500, 400,  300,
     900, 800, 700, 600, 500, 400, 300,  400,
     800, 700, 600, 500, 400, 300, 400,  500,
     700, 600, 500, 400, 300, 400, 500,  600,
     600, 500, 400, 300, 400, 500, 600,  700,
     500, 400, 300, 400, 500, 600, 700,  800,
     400, 300, 400, 500, 600, 700, 800,  900,
     300, 400, 500, 600, 700, 800, 900, 1000,
});
// Bishop on a dark square: a1 and h8 highest.
constexpr SquareTable kbn_dark_table = eval_detail::mirror_files(kbn_light_table);

constexpr SquareTable white_king_endgame_table = eval_detail::from_drawing({
    0,  0,  0,  0,  0,  0,  0, 0,
    5,  5,  5,  5,  5,  5,  5, 5,
    5, 10, 10, 10, 10, 10, 10, 5,
    5, 20, 20, 20, 20, 20, 20, 5,
    5, 15, 15, 15, 15, 15, 15, 5,
    5, 10, 10, 10, 10, 10, 10, 5,
    5,  5,  5,  5,  5,  5,  5, 5,
    0,  0,  0,  0,  0,  0,  0, 0,
});
constexpr SquareTable black_king_endgame_table = eval_detail::mirror_ranks(white_king_endgame_table);

constexpr SquareTable white_pawn_table = eval_detail::from_drawing({
      0,   0,   0,   0,   0,   0,   0,   0,
    -20, -20, -20, -20, -20, -20, -20, -20,
    -20, -20, -20,   0,   0, -20, -20, -20,
    -15, -15, -10,   7,   7, -10, -15, -15,
      0,   0,   7,  15,  15,   0, -10, -10,
      3,   0,   3,   3,   3,   0,   5,   5,
     15,  15,  10, -15, -15,  10,  15,  15,
      0,   0,   0,   0,   0,   0,   0,   0,
});
constexpr SquareTable black_pawn_table = eval_detail::mirror_ranks(white_pawn_table);

// Ranks 1 to 8.
constexpr SquareTable white_passed_table = eval_detail::by_rank({0, 5, 10, 30, 40, 60, 100, 0});
constexpr SquareTable black_passed_table = eval_detail::mirror_ranks(white_passed_table);

// King shelter by pawn pattern, indexed low + 8 * high (high: the pawns' home rank, low: the
// rank in front of it; bit 0 of a pattern is the lowest file index of the three).
constexpr std::array<int32_t, 64> shelter_table = {
    -70, -65, -60, -40, -65, -50, -45, -25,
    -60, -65, -15, -15, -35, -40, -15,   5,
    -55, -20, -45, -40, -20, -20, -35,   5,
    -12, -12, -20, -35,   5,   3,  10,  15,
    -60, -25, -15,   5, -30, -15, -15,  10,
    -15, -25,   5,  10, -20, -40,   0,   5,
    -17,  10, -10,  -5, -25, -15, -30,   0,
     25,  20,  20, -15,  -5, -20, -35,   0,
};
// clang-format on
