// Game phase and its weights, and the insufficient-material test (with promoted pieces).
#include <gtest/gtest.h>

#include "eval/eval.h"
#include "moves/moves.h"
#include "tests/helpers.h"

namespace {

int phase_of(const char* fen, int moves_played) {
    EXPECT_TRUE(setup(fen)) << fen;
    game_move_count = moves_played;
    return decide_game_phase();
}

TEST(GamePhase, Opening) {
    EXPECT_EQ(phase_of(START_FEN, 0), OPENING_PHASE);
    EXPECT_EQ(eval_params.phase_piece_count, 14);
    // Castling rights and 7+ pieces: opening up to 32 half-moves, by the later test after.
    EXPECT_EQ(phase_of(START_FEN, 32), OPENING_PHASE);
    EXPECT_EQ(phase_of(START_FEN, 33), MIDDLEGAME_PHASE);
    // No castling rights: opening while 10+ pawns, 8+ pieces and at most 22 half-moves.
    const char* uncastled = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - -";
    EXPECT_EQ(phase_of(uncastled, 22), OPENING_PHASE);
    EXPECT_EQ(phase_of(uncastled, 23), MIDDLEGAME_PHASE);
    // One right left is enough.
    EXPECT_EQ(phase_of("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w q -", 20), OPENING_PHASE);
}

TEST(GamePhase, Middlegame) {
    // 7 pieces, no rights, 16 pawns, 10 half-moves: fewer than 8 pieces.
    EXPECT_EQ(phase_of("r1bqk3/pppppppp/8/8/8/8/PPPPPPPP/R1BQK1N1 w - -", 10), MIDDLEGAME_PHASE);
    // 8 pieces but only 9 pawns.
    EXPECT_EQ(phase_of("r2qkb1r/pppp4/8/8/8/8/PPPPP3/R2QKB1R w - -", 0), MIDDLEGAME_PHASE);
    // 5 or 6 pieces with a queen on the board.
    EXPECT_EQ(phase_of("3qk3/8/8/8/8/8/8/R2QKBR1 w - -", 0), MIDDLEGAME_PHASE);
    EXPECT_EQ(phase_of("r2qk3/8/8/8/8/8/8/R2QKBR1 w - -", 0), MIDDLEGAME_PHASE);
}

TEST(GamePhase, Endgame) {
    // King, queen and rook each: 4 pieces with queens.
    EXPECT_EQ(phase_of("r2qk3/8/8/8/8/8/8/R2QK3 w - -", 0), ENDGAME_PHASE);
    // 6 pieces without a queen.
    EXPECT_EQ(phase_of("r1b1k1n1/8/8/8/8/8/8/R1B1K1N1 w - -", 0), ENDGAME_PHASE);
    EXPECT_EQ(phase_of("4k3/8/8/8/8/8/4P3/4K3 w - -", 0), ENDGAME_PHASE);
    EXPECT_EQ(eval_params.phase_piece_count, 0);
}

// Sets the position and decides its phase, as the thinking driver does before a search.
int insufficient(const char* fen) {
    EXPECT_TRUE(setup_with_phase(fen)) << fen;
    return insufficient_material();
}

TEST(InsufficientMaterial, DrawnSets) {
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/8/4K3 w - -"), 1);      // bare kings
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/8/4KN2 w - -"), 1);     // knight
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/8/4KB2 w - -"), 1);     // bishop
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/8/1N2K1N1 w - -"), 1);  // two knights
    EXPECT_EQ(insufficient("4kn2/8/8/8/8/8/8/4K3 w - -"), 1);     // the same for Black
    EXPECT_EQ(insufficient("4kb2/8/8/8/8/8/8/4K3 w - -"), 1);
    EXPECT_EQ(insufficient("1n2k1n1/8/8/8/8/8/8/4K3 w - -"), 1);
}

TEST(InsufficientMaterial, MatingOrUnclearSets) {
    EXPECT_EQ(insufficient("4kb2/8/8/8/8/8/8/4KB2 w - -"), 0);    // bishop against bishop
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/8/2B1KB2 w - -"), 0);   // two bishops
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/8/2B1KN2 w - -"), 0);   // bishop and knight
    EXPECT_EQ(insufficient("2b1kn2/8/8/8/8/8/8/4K3 w - -"), 0);
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/8/4KR2 w - -"), 0);     // rook
    EXPECT_EQ(insufficient("4kr2/8/8/8/8/8/8/4K3 w - -"), 0);
    EXPECT_EQ(insufficient("4kn2/8/8/8/8/8/8/4KN2 w - -"), 0);    // knight against knight
    EXPECT_EQ(insufficient("3rk3/8/8/8/8/8/8/1N2K1N1 w - -"), 0); // two knights against a rook
    // Any pawn.
    EXPECT_EQ(insufficient("4k3/8/8/8/8/8/4P3/4K3 w - -"), 0);
    EXPECT_EQ(insufficient("4k3/4p3/8/8/8/8/8/4KN2 w - -"), 0);
}

TEST(InsufficientMaterial, PromotedPieceIsNoDeadDraw) {
    // Phase decided with king and pawn against king: no piece recorded.
    ASSERT_EQ(insufficient("8/4P3/8/8/8/8/k7/4K3 w - -"), 0);
    ASSERT_EQ(eval_params.phase_piece_count, 0);
    // The pawn promotes in the search; the recorded count stays 0.
    ASSERT_TRUE(setup("4Q3/8/8/8/8/8/k7/4K3 b - -"));
    EXPECT_EQ(insufficient_material(), 0);
    EXPECT_LT(evaluate(1, -10000, 10000), -900);  // Black, a queen down
    ASSERT_TRUE(setup("4R3/8/8/8/8/8/k7/4K3 b - -"));
    EXPECT_EQ(insufficient_material(), 0);
    // A promoted knight is a lone minor piece: the later rules find the draw.
    ASSERT_TRUE(setup("4N3/8/8/8/8/8/k7/4K3 b - -"));
    EXPECT_EQ(insufficient_material(), 1);
    EXPECT_EQ(evaluate(1, -10000, 10000), 0);
    // With no piece on the board the recorded count decides.
    ASSERT_TRUE(setup("8/8/8/8/8/8/k7/4K3 b - -"));
    EXPECT_EQ(insufficient_material(), 1);
}

}  // namespace
