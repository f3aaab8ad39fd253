// Orientation of the evaluation's constant tables: values on named squares read as the board
// drawing shows them (rank 8 on top, the a-file on the left), and the black tables mirror
// the white ones.
#include <gtest/gtest.h>

#include "eval/eval.h"
#include "eval/eval_tables.h"
#include "eval/eval_terms.h"
#include "moves/moves.h"
#include "tests/session.h"

namespace {

constexpr Square sq(const char* name) { return eval_detail::square(name); }

TEST(EvalTables, SquareNames) {
    EXPECT_EQ(sq("h1"), 0);
    EXPECT_EQ(sq("a1"), 7);
    EXPECT_EQ(sq("e4"), 27);
    EXPECT_EQ(sq("a8"), 63);
    EXPECT_EQ(eval_detail::squares("h1 a8 e4"), set_mask[0] | set_mask[63] | set_mask[27]);
    EXPECT_EQ(LIGHT_SQUARES & set_mask[sq("h1")], set_mask[sq("h1")]);
    EXPECT_EQ(LIGHT_SQUARES & set_mask[sq("a8")], set_mask[sq("a8")]);
    EXPECT_EQ(LIGHT_SQUARES & (set_mask[sq("a1")] | set_mask[sq("h8")] | set_mask[sq("g1")]), 0u);
    EXPECT_EQ(DARK_SQUARES & set_mask[sq("d4")], set_mask[sq("d4")]);
}

TEST(EvalTables, Knight) {
    EXPECT_EQ(knight_table[sq("a1")], -20);
    EXPECT_EQ(knight_table[sq("h8")], -20);
    EXPECT_EQ(knight_table[sq("d4")], 10);
    EXPECT_EQ(knight_table[sq("e5")], 10);
    EXPECT_EQ(knight_table[sq("b2")], -10);
    EXPECT_EQ(knight_table[sq("g7")], -10);
    EXPECT_EQ(knight_table[sq("c3")], 5);
    EXPECT_EQ(knight_table[sq("b4")], 0);
    EXPECT_EQ(knight_table[sq("d6")], 3);
}

TEST(EvalTables, LoneKingAndBishopKnight) {
    for (const char* corner : {"a1", "h1", "a8", "h8"}) EXPECT_EQ(lone_king_table[sq(corner)], 1000);
    EXPECT_EQ(lone_king_table[sq("d4")], 400);
    EXPECT_EQ(lone_king_table[sq("b1")], 960);
    EXPECT_EQ(lone_king_table[sq("b2")], 800);
    EXPECT_EQ(lone_king_table[sq("c6")], 600);
    // Light bishop: the light corners a8 and h1.
    EXPECT_EQ(kbn_light_table[sq("a8")], 1000);
    EXPECT_EQ(kbn_light_table[sq("h1")], 1000);
    EXPECT_EQ(kbn_light_table[sq("a1")], 300);
    EXPECT_EQ(kbn_light_table[sq("h8")], 300);
    EXPECT_EQ(kbn_light_table[sq("b8")], 900);
    EXPECT_EQ(kbn_light_table[sq("g8")], 400);
    EXPECT_EQ(kbn_light_table[sq("d4")], 300);
    EXPECT_EQ(kbn_light_table[sq("e4")], 400);
    // Dark bishop: the file letters reflected.
    EXPECT_EQ(kbn_dark_table[sq("a1")], 1000);
    EXPECT_EQ(kbn_dark_table[sq("h8")], 1000);
    EXPECT_EQ(kbn_dark_table[sq("a8")], 300);
    EXPECT_EQ(kbn_dark_table[sq("h1")], 300);
    EXPECT_EQ(kbn_dark_table[sq("g8")], 900);
    EXPECT_EQ(kbn_dark_table[sq("e4")], 300);
}

TEST(EvalTables, KingEndgame) {
    EXPECT_EQ(white_king_endgame_table[sq("e5")], 20);
    EXPECT_EQ(white_king_endgame_table[sq("e4")], 15);
    EXPECT_EQ(white_king_endgame_table[sq("b6")], 10);
    EXPECT_EQ(white_king_endgame_table[sq("a5")], 5);
    EXPECT_EQ(white_king_endgame_table[sq("h7")], 5);
    EXPECT_EQ(white_king_endgame_table[sq("e1")], 0);
    EXPECT_EQ(white_king_endgame_table[sq("d8")], 0);
    EXPECT_EQ(black_king_endgame_table[sq("e5")], 15);
    EXPECT_EQ(black_king_endgame_table[sq("e4")], 20);
    EXPECT_EQ(black_king_endgame_table[sq("g3")], 10);
    EXPECT_EQ(black_king_endgame_table[sq("h4")], 5);
}

TEST(EvalTables, Pawns) {
    EXPECT_EQ(white_pawn_table[sq("d2")], -15);
    EXPECT_EQ(white_pawn_table[sq("e4")], 15);
    EXPECT_EQ(white_pawn_table[sq("a7")], -20);
    EXPECT_EQ(white_pawn_table[sq("a2")], 15);
    EXPECT_EQ(white_pawn_table[sq("c4")], 7);
    EXPECT_EQ(white_pawn_table[sq("f4")], 0);
    EXPECT_EQ(white_pawn_table[sq("g4")], -10);
    EXPECT_EQ(white_pawn_table[sq("a3")], 3);
    EXPECT_EQ(white_pawn_table[sq("b3")], 0);
    EXPECT_EQ(white_pawn_table[sq("h3")], 5);
    EXPECT_EQ(white_pawn_table[sq("c5")], -10);
    EXPECT_EQ(black_pawn_table[sq("d7")], -15);
    EXPECT_EQ(black_pawn_table[sq("e5")], 15);
    EXPECT_EQ(black_pawn_table[sq("a2")], -20);
    EXPECT_EQ(black_pawn_table[sq("c5")], 7);
    EXPECT_EQ(black_pawn_table[sq("g5")], -10);
    EXPECT_EQ(black_pawn_table[sq("h6")], 5);
    EXPECT_EQ(white_passed_table[sq("a7")], 100);
    EXPECT_EQ(white_passed_table[sq("e2")], 5);
    EXPECT_EQ(white_passed_table[sq("h6")], 60);
    EXPECT_EQ(white_passed_table[sq("d4")], 30);
    EXPECT_EQ(black_passed_table[sq("a2")], 100);
    EXPECT_EQ(black_passed_table[sq("e7")], 5);
    EXPECT_EQ(black_passed_table[sq("h3")], 60);
    EXPECT_EQ(black_passed_table[sq("d4")], 40);
}

TEST(EvalTables, Shelter) {
    // Index low + 8 * high; the printed rows are high, the columns low.
    EXPECT_EQ(shelter_table[56], 25);  // all three on the home rank
    EXPECT_EQ(shelter_table[0], -70);
    EXPECT_EQ(shelter_table[7], -25);  // all three one rank up
    EXPECT_EQ(shelter_table[8], -60);  // only file index b on the home rank
    EXPECT_EQ(shelter_table[8 * 5 + 2], 5);
    EXPECT_EQ(shelter_table[8 * 6 + 1], 10);
    EXPECT_EQ(shelter_table[8 * 3 + 4], 5);
}

// The tables as evaluate uses them: a white knight, and a black one mirrored, moved between
// named squares change the knight term by the table and reach difference.
TEST(EvalTables, KnightTermUsesTableUnmirrored) {
    auto knights_term = [](const char* fen) {
        EXPECT_TRUE(setup(fen)) << fen;
        game_move_count = 0;
        set_game_phase();
        EvalTerms t;
        evaluate_with_terms(1, -10000, 10000, t);
        return t.value[TERM_KNIGHTS];
    };
    // Knight weight 3 (endgame here; the pawns keep it out of the pawnless branch).
    // a1: reach 0, table -20.
    EXPECT_EQ(knights_term("3qk3/7p/8/8/8/8/7P/N2QK1R1 w - -"), -20);
    // e5: reach 6, table 10.
    EXPECT_EQ(knights_term("3qk3/7p/8/4N3/8/8/7P/3QK1R1 w - -"), 28);
    // b3: reach 4 (a1 c1 d2 d4 c5 a5), table 2.
    EXPECT_EQ(knights_term("3qk3/7p/8/8/8/1N6/7P/3QK1R1 w - -"), 14);
    // A black knight on b3 uses the same value, subtracted.
    EXPECT_EQ(knights_term("3qk3/7p/8/8/8/1n6/7P/3QK1R1 w - -"), -14);
}

}  // namespace
