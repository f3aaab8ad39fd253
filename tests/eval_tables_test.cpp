// Orientation of the evaluation's constant tables: values on named squares read as the board
// drawing shows them (rank 8 on top, the a-file on the left), and the black tables mirror
// the white ones.
#include <gtest/gtest.h>

#include <string>

#include "eval/eval.h"
#include "eval/eval_tables.h"
#include "eval/eval_terms.h"
#include "moves/moves.h"
#include "tests/helpers.h"

namespace {

constexpr Square square(const char* name) { return eval_detail::square(name); }

TEST(EvalTables, SquareNames) {
    EXPECT_EQ(square("h1"), 0);
    EXPECT_EQ(square("a1"), 7);
    EXPECT_EQ(square("e4"), 27);
    EXPECT_EQ(square("a8"), 63);
    EXPECT_EQ(eval_detail::squares("h1 a8 e4"), set_mask[0] | set_mask[63] | set_mask[27]);
    EXPECT_EQ(LIGHT_SQUARES & set_mask[square("h1")], set_mask[square("h1")]);
    EXPECT_EQ(LIGHT_SQUARES & set_mask[square("a8")], set_mask[square("a8")]);
    EXPECT_EQ(LIGHT_SQUARES & (set_mask[square("a1")] | set_mask[square("h8")] | set_mask[square("g1")]), 0u);
    EXPECT_EQ(DARK_SQUARES & set_mask[square("d4")], set_mask[square("d4")]);
}

struct Reading {
    const SquareTable* table;
    const char* name;
    const char* squares;  // blank-separated
    int32_t value;        // on every one of them
};

TEST(EvalTables, ReadAsDrawn) {
    const Reading readings[] = {
        {&knight_table, "knight", "a1 h8 a5 e1", -20},
        {&knight_table, "knight", "d4 e5", 10},
        {&knight_table, "knight", "b2 g7", -10},
        {&knight_table, "knight", "c3 f6", 5},
        {&knight_table, "knight", "d6", 3},
        {&lone_king_table, "lone king", "a1 h1 a8 h8", 1000},
        {&lone_king_table, "lone king", "d4 e5", 400},
        {&lone_king_table, "lone king", "b1 g8", 960},
        {&lone_king_table, "lone king", "c6", 600},
        {&kbn_light_table, "kbn light", "a8 h1", 1000},
        {&kbn_light_table, "kbn light", "a1 h8 d4", 300},
        {&kbn_light_table, "kbn light", "b8 g1", 900},
        {&kbn_light_table, "kbn light", "e4 g8", 400},
        {&kbn_dark_table, "kbn dark", "a1 h8", 1000},
        {&kbn_dark_table, "kbn dark", "a8 h1 e4", 300},
        {&kbn_dark_table, "kbn dark", "g8 b1", 900},
        {&white_king_endgame_table, "white king endgame", "e5 b5", 20},
        {&white_king_endgame_table, "white king endgame", "e4", 15},
        {&white_king_endgame_table, "white king endgame", "b6", 10},
        {&white_king_endgame_table, "white king endgame", "a5 h7", 5},
        {&white_king_endgame_table, "white king endgame", "e1 d8", 0},
        {&black_king_endgame_table, "black king endgame", "e4 g4", 20},
        {&black_king_endgame_table, "black king endgame", "e5", 15},
        {&black_king_endgame_table, "black king endgame", "g3", 10},
        {&white_pawn_table, "white pawn", "d2 e2", -15},
        {&white_pawn_table, "white pawn", "e4 d4 a2", 15},
        {&white_pawn_table, "white pawn", "a7 a6", -20},
        {&white_pawn_table, "white pawn", "c4", 7},
        {&white_pawn_table, "white pawn", "g4 c5", -10},
        {&white_pawn_table, "white pawn", "h3", 5},
        {&white_pawn_table, "white pawn", "a3", 3},
        {&black_pawn_table, "black pawn", "d7 e7", -15},
        {&black_pawn_table, "black pawn", "e5 a7", 15},
        {&black_pawn_table, "black pawn", "a2", -20},
        {&black_pawn_table, "black pawn", "c5", 7},
        {&black_pawn_table, "black pawn", "g5", -10},
        {&black_pawn_table, "black pawn", "h6", 5},
        {&white_passed_table, "white passed", "a7 h7", 100},
        {&white_passed_table, "white passed", "e2", 5},
        {&white_passed_table, "white passed", "h6", 60},
        {&white_passed_table, "white passed", "d4", 30},
        {&white_passed_table, "white passed", "c8 c1", 0},
        {&black_passed_table, "black passed", "a2 h2", 100},
        {&black_passed_table, "black passed", "e7", 5},
        {&black_passed_table, "black passed", "h3", 60},
        {&black_passed_table, "black passed", "d4", 40},
    };
    for (const Reading& r : readings)
        for (const char* p = r.squares; *p; p += p[2] ? 3 : 2)
            EXPECT_EQ((*r.table)[square(p)], r.value) << r.name << " on " << std::string(p, 2);
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
        EXPECT_TRUE(setup_with_phase(fen)) << fen;
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
