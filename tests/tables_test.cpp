// Geometry tables: the check values of the maps and shifts, line attacks against a brute-force
// walk, symmetry of the attack relation, and the step, ray and pawn-mask tables.
#include <gtest/gtest.h>

#include "board/board.h"
#include "tests/helpers.h"

namespace {

Bitboard squares(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* n : names) b |= set_mask[8 * (n[1] - '1') + ('h' - n[0])];
    return b;
}

TEST(Tables, ShiftAndMapCheckValues) {
    const int h1a8_low[16] = {0, 9, 18, 27, 36, 45, 54, 63, 56, 0, 9, 18, 27, 36, 45, 54};
    for (int s = 0; s < 16; ++s) EXPECT_EQ(h1a8_shift[s], h1a8_low[s]) << s;
    const int a1h8_low[8] = {8, 16, 24, 32, 40, 48, 56, 0};
    for (int s = 0; s < 8; ++s) EXPECT_EQ(a1h8_shift[s], a1h8_low[s]) << s;
    EXPECT_EQ(a1h8_shift[63], 63);
    // e4: a1-h8 diagonal h7..b1 in byte 7, bit 3 for e4; h1-a8 is the long diagonal.
    EXPECT_EQ(a1h8_shift[sq("e4")], 56);
    EXPECT_EQ(a1h8_mask[sq("e4")], 127);
    EXPECT_EQ(a1h8_map[sq("e4")], 56 + 3);
    EXPECT_EQ(a1h8_map[sq("h7")], 56);
    EXPECT_EQ(a1h8_map[sq("b1")], 62);
    EXPECT_EQ(h1a8_shift[sq("e4")], 0);
    EXPECT_EQ(h1a8_mask[sq("e4")], 255);
    EXPECT_EQ(h1a8_map[sq("e4")], 3);
    EXPECT_EQ(file_shift[sq("e4")], 32);
    EXPECT_EQ(rot90_map[sq("e1")], 32 + 7);
    EXPECT_EQ(rot90_map[sq("e8")], 32);
}

TEST(Tables, EveryMapIsAPermutation) {
    for (const auto* map : {&rot90_map, &a1h8_map, &h1a8_map}) {
        Bitboard seen = 0;
        for (int s = 0; s < 64; ++s) seen |= set_mask[(*map)[s]];
        EXPECT_EQ(seen, ~Bitboard(0));
    }
}

TEST(Tables, BitScansAndPopcount) {
    EXPECT_EQ(highest_bit(0), 16);
    EXPECT_EQ(lowest_bit(0), 64);
    for (int s = 0; s < 64; ++s) {
        EXPECT_EQ(highest_bit(set_mask[s]), s);
        EXPECT_EQ(lowest_bit(set_mask[s]), s);
    }
    EXPECT_EQ(highest_bit(set_mask[H1] | set_mask[A8]), 63);
    EXPECT_EQ(lowest_bit(set_mask[H1] | set_mask[A8]), 0);
    EXPECT_EQ(popcount(~Bitboard(0)), 64);
    EXPECT_EQ(popcount(0x8000000000000001ULL), 2);
}

// Brute-force slider attacks of a square under a full occupancy, for comparison.
Bitboard walk_attacks(Square s, Bitboard occupied, const int (*steps)[2], int n) {
    Bitboard b = 0;
    for (int i = 0; i < n; ++i) {
        int f = s & 7, r = s >> 3;
        for (;;) {
            f += steps[i][0];
            r += steps[i][1];
            if (f < 0 || f > 7 || r < 0 || r > 7) break;
            b |= set_mask[8 * r + f];
            if (occupied & set_mask[8 * r + f]) break;
        }
    }
    return b;
}

TEST(Tables, LineLookupsMatchABruteForceWalk) {
    static const int straight[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    static const int diagonal[4][2] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
    uint64_t seed = 12345;
    for (int trial = 0; trial < 400; ++trial) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        Bitboard occ = seed & (seed >> 7) & (seed << 3);  // a sparse random set
        board = {};
        board.white_pieces = occ;
        for (Bitboard b = occ; b; b &= b - 1) {
            Square s = lowest_bit(b);
            board.occupied_r90 |= set_mask[rot90_map[s]];
            board.occupied_a1h8 |= set_mask[a1h8_map[s]];
            board.occupied_h1a8 |= set_mask[h1a8_map[s]];
        }
        for (Square s = 0; s < 64; ++s) {
            ASSERT_EQ(straight_attacks(s), walk_attacks(s, occ, straight, 4)) << s;
            ASSERT_EQ(diagonal_attacks(s), walk_attacks(s, occ, diagonal, 4)) << s;
            ASSERT_EQ(straight_mobility(s), popcount(straight_attacks(s)) - 2) << s;
            ASSERT_EQ(diagonal_mobility(s), popcount(diagonal_attacks(s)) - 2) << s;
        }
    }
    board = {};
}

TEST(Tables, LineAttackEdgeCases) {
    for (int p = 0; p < 256; ++p) {
        EXPECT_EQ(a1h8_attacks[H1][p], 0u);
        EXPECT_EQ(a1h8_attacks[A8][p], 0u);
        EXPECT_EQ(h1a8_attacks[A1][p], 0u);
    }
    // e1 with d1 and f1 occupied (rank pattern bits 4 and 2).
    EXPECT_EQ(rank_attacks[E1][(1 << 4) | (1 << 2)], squares({"d1", "f1"}));
    EXPECT_EQ(rank_attacks[E1][0], rank_mask[E1] & ~set_mask[E1]);
}

TEST(Tables, AttackRelationIsSymmetric) {
    // With an empty board, t is attacked from s along a line exactly when s is from t.
    board = {};
    for (Square s = 0; s < 64; ++s)
        for (Square t = 0; t < 64; ++t) {
            EXPECT_EQ(bool(straight_attacks(s) & set_mask[t]), bool(straight_attacks(t) & set_mask[s]));
            EXPECT_EQ(bool(diagonal_attacks(s) & set_mask[t]), bool(diagonal_attacks(t) & set_mask[s]));
            EXPECT_EQ(bool(knight_moves[s] & set_mask[t]), bool(knight_moves[t] & set_mask[s]));
            EXPECT_EQ(bool(king_moves[s] & set_mask[t]), bool(king_moves[t] & set_mask[s]));
            EXPECT_EQ(bool(white_pawn_attacks[s] & set_mask[t]), bool(black_pawn_attacks[t] & set_mask[s]));
        }
}

TEST(Tables, LeapersAndLines) {
    EXPECT_EQ(knight_moves[A1], squares({"b3", "c2"}));
    EXPECT_EQ(popcount(knight_moves[sq("e4")]), 8);
    EXPECT_EQ(king_moves[H1], squares({"g1", "g2", "h2"}));
    EXPECT_EQ(white_pawn_attacks[sq("a2")], squares({"b3"}));
    EXPECT_EQ(white_pawn_attacks[sq("h2")], squares({"g3"}));
    EXPECT_EQ(white_pawn_attacks[sq("e8")], 0u);
    EXPECT_EQ(black_pawn_attacks[sq("e7")], squares({"d6", "f6"}));
    EXPECT_EQ(black_pawn_attacks[sq("e1")], 0u);
    EXPECT_EQ(a1h8_diagonal[sq("e4")], squares({"h7", "g6", "f5", "e4", "d3", "c2", "b1"}));
    EXPECT_EQ(h1a8_diagonal[H1], squares({"h1", "g2", "f3", "e4", "d5", "c6", "b7", "a8"}));
    EXPECT_EQ(file_mask[sq("c5")], 0x2020202020202020ULL);
    EXPECT_EQ(rank_mask[sq("c5")], 0x000000FF00000000ULL);
}

TEST(Tables, DirectionRaysAndReach) {
    EXPECT_EQ(direction[H1][A8], 9);
    EXPECT_EQ(direction[A8][H1], -9);
    EXPECT_EQ(direction[A1][H8], 7);
    EXPECT_EQ(direction[A1][sq("b2")], 7);
    EXPECT_EQ(direction[sq("b2")][A1], -7);
    EXPECT_EQ(direction[H1][sq("b2")], 0);
    EXPECT_EQ(direction[E1][E8], 8);
    EXPECT_EQ(direction[E1][H1], -1);
    EXPECT_EQ(direction[E1][E1], 0);
    EXPECT_EQ(direction[H1][sq("g3")], 0);
    EXPECT_EQ(direction[sq("h2")][sq("a1")], 0);  // not on one line despite the step of 7
    EXPECT_EQ(ray_plus9[H1], squares({"g2", "f3", "e4", "d5", "c6", "b7", "a8"}));
    EXPECT_EQ(ray_minus1[sq("c3")], squares({"d3", "e3", "f3", "g3", "h3"}));
    EXPECT_EQ(ray_plus7[sq("c3")], squares({"d4", "e5", "f6", "g7", "h8"}));
    EXPECT_EQ(ray_minus8[sq("c3")], squares({"c2", "c1"}));
    EXPECT_EQ(knight_reach[A1], 0);
    EXPECT_EQ(knight_reach[sq("e4")], 6);
    // Every ray agrees with direction.
    const Bitboard* rays[8] = {ray_plus1, ray_minus1, ray_plus8, ray_minus8,
                               ray_plus7, ray_minus7, ray_plus9, ray_minus9};
    const int steps[8] = {1, -1, 8, -8, 7, -7, 9, -9};
    for (Square s = 0; s < 64; ++s)
        for (int i = 0; i < 8; ++i)
            for (Square t = 0; t < 64; ++t)
                EXPECT_EQ(bool(rays[i][s] & set_mask[t]), direction[s][t] == steps[i]) << s << " " << t;
}

TEST(Tables, PawnMasksSpanAndNearSquares) {
    EXPECT_EQ(white_front_span[sq("e4")], squares({"e5", "e6", "e7", "e8"}));
    EXPECT_EQ(white_passed_mask[sq("a6")], squares({"a7", "a8", "b7", "b8"}));
    // Toward h is the f-file for a pawn on e4, toward a the d-file.
    EXPECT_EQ(white_front_h[sq("e4")], squares({"e6", "e7", "e8", "f5", "f6", "f7", "f8"}));
    EXPECT_EQ(white_front_a[sq("e4")], squares({"e6", "e7", "e8", "d5", "d6", "d7", "d8"}));
    EXPECT_EQ(black_front_span[sq("d3")], squares({"d2", "d1"}));
    EXPECT_EQ(black_passed_mask[sq("h3")], squares({"h2", "h1", "g2", "g1"}));
    EXPECT_EQ(black_front_h[sq("e5")], squares({"e3", "e2", "e1", "f4", "f3", "f2", "f1"}));
    EXPECT_EQ(adjacent_files[sq("a4")], file_mask[sq("b1")]);
    EXPECT_EQ(adjacent_files[sq("e4")], file_mask[sq("d1")] | file_mask[sq("f1")]);
    // Filled for squares 8 to 56 only.
    EXPECT_EQ(white_front_span[sq("e1")], 0u);
    EXPECT_EQ(adjacent_files[sq("b8")], 0u);
    EXPECT_EQ(black_front_span[H8], file_mask[H1] & ~set_mask[H8]);
    // A range of square numbers, not a part of the file.
    EXPECT_EQ(span_between[H1][sq("h4")],
              squares({"h2", "g2", "f2", "e2", "d2", "c2", "b2", "a2", "h3"}));
    EXPECT_EQ(span_between[H1][sq("h2")], 0u);
    EXPECT_EQ(span_between[sq("h4")][H1], 0u);
    EXPECT_EQ(near_squares[H1], squares({"g1", "f1", "h2", "g2", "f2", "h3", "g3", "f3"}));
    EXPECT_EQ(popcount(near_squares[sq("e4")]), 24);
}

}  // namespace
