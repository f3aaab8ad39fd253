// Whole positions evaluated by hand, term by term, from White's point of view; the engine's
// result is for the side to move. The per-term record of the probe must agree with them.
#include <gtest/gtest.h>

#include <string>

#include "eval/eval.h"
#include "eval/eval_terms.h"
#include "moves/moves.h"
#include "tests/helpers.h"

namespace {

void position(const char* fen) { ASSERT_TRUE(setup_with_phase(fen)) << fen; }

int score_of(const char* fen) {
    position(fen);
    return evaluate(1, -10000, 10000);
}

TEST(EvalPositions, StartPosition) {
    // Every term of White is matched by Black's mirror. White's side, opening weights:
    //   pawns -20: table on rank 2 15+15+10-15-15+10+15+15 = 50; no pawn behind on the 14
    //     neighbouring files: 14 * -5;
    //   diagonal 0: every bishop and queen diagonal is blocked at once (mobility 0);
    //   knights -38: b1 and g1 reach 3 squares (1), table -20;
    //   straight 1: the queen's rank c1-e1 (mobility 1), rooks 0;
    //   no holes (c2 e2 and d2 f2 stand); bishop pair 11;
    //   development -34: d2 and e2 pawns -13 each, minors on rank 1 -8;
    //   king safety 33: castling rights 25 - 12; zone: pawns c2-g2 5, of them d2 e2 f2 beside
    //     the king +6, c1 d1 f1 g1 +12, Black's queen class -3.
    EXPECT_EQ(score_of(START_FEN), 0);
    EXPECT_EQ(score_of("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -"), 0);
}

TEST(EvalPositions, AfterKingsPawnOpening) {
    // 1. e4, Black to move; opening weights. Against the start position:
    // pawns +40: e-pawn table -15 -> 15 (+30), now supported from f2 and d2 (+5 +5);
    // diagonal +7: Bf1 sees e2-a6 (mobility 4), Qd1 sees e2-h5 (mobility 3), weight 1;
    // development +13: no pawn on e2 any more;
    // king safety -3: White's zone loses the e2 pawn (20 -> 17), Black's stays 20.
    // Total +57 for White: -57 for Black to move.
    EXPECT_EQ(score_of("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"), -57);
}

// Middlegame: castled kings, open c-, b- and e-files, the d-file half-open for Black, a
// passed isolated d-pawn. Phase 1 (9 pawns): weights bishop 3, rook 2, knight 3, unopposed
// -10, unsupported -8, passed bonus 10.
//   material: 5 pawns, 2 R, N, B against 4 pawns, 2 r, n, b: +100.
//   pawns +39. White: d4 table 15, unopposed -10, unsupported from e and c -16, passed with
//     attackers N f3, B e3, R d1 against n c6, r d8 (3 >= 2): 30 + 10, rook d1 behind +10: 39;
//     a2 15 -10 -8 = -3; f2 10 -16 = -6; g2 15 -16 = -1; h2 15 -8 = 7. Sum 36.
//     Black: a7 15 -10 -8 = -3; f7 -6; g7 -1; h7 7. Sum -3. 36 - (-3).
//   diagonal -9: Be3 a1h8 f4 g5 h6 d2 c1 (4) + h1a8 d4 f2 (1) = 5 * 3 = 15;
//     Be6 f7 d5 c4 b3 a2 (4) + d7 c8 f5 g4 h3 (4) = 8 * 3 = 24.
//   knights 0: Nf3 and Nc6 both reach 6, table 5: 23 each.
//   bishop pawn colour -3: Be3 dark, white pawns d4 f2 h2 dark: -9; Be6 light, f7 h7: -6.
//   straight -1: Rc1 rank 2 + file 4 = 12, open +8; Rd1 rank 3 + file 2 = 10: 30.
//     Rc8 rank 2 + file 1 = 6, open +8; Rd8 rank 3 + file 3 = 12, half-open +5: 31.
//   centre holes +13: White's d4 hole (no pawn on c2 e2 c3 e3) -10, dark bishop and Nf3
//     present; e4 guarded by f2. Black's d5 hole +10, light bishop present, no knight on
//     b6 c7 e7 f6 b4 c3 e3 f4 +13; e5 guarded by f7.
//   king safety +3: no rights, not castled: -18 + 18; shelters 25 - 25; zone: White
//     f2 g2 h2 3 + 6, N B +6, rook class -2: 13; Black -3 -6, B -3, +2: -10; no queens 8 - 8.
// Total 142.
constexpr const char* MIDDLEGAME = "2rr2k1/p4ppp/2n1b3/8/3P4/4BN2/P4PPP/2RR2K1 w - -";

TEST(EvalPositions, MiddlegameWithCastledKingsAndOpenFiles) {
    EXPECT_EQ(score_of(MIDDLEGAME), 142);
    // Both castled short (bits 4 and 6): 15 - 15 instead of -18 + 18.
    position(MIDDLEGAME);
    ASSERT_EQ(eval_params.game_phase, 1);
    board.history[0].castling = 0x50;
    EXPECT_EQ(evaluate(1, -10000, 10000), 142);
    // Only White castled: +15 + 18.
    board.history[0].castling = 0x10;
    EXPECT_EQ(evaluate(1, -10000, 10000), 142 + 33);
    // Black to move: the same total, negated.
    EXPECT_EQ(score_of("2rr2k1/p4ppp/2n1b3/8/3P4/4BN2/P4PPP/2RR2K1 b - -"), -142);
}

TEST(EvalPositions, PawnEnding) {
    // Phase 2: no pawn tables; unopposed -13, unsupported -12, passed bonus 16.
    //   material +100.
    //   pawns +29. White: a4 -13 -12 = -25; g3 -12 -12 = -24; h4 supported by g3: 0;
    //     c6 unopposed -13, unsupported -24, passed and unattacked 60 / 2 + 16, Black
    //     without pieces, king f6: e = 5 + 3 - 7 = 1: +20 -> 29. Black: a5 -25, g6 -24,
    //     h5 0. (-25 - 24 + 29) - (-49).
    //   holes: all four open and unguarded, -41 twice for White, +41 twice for Black: 0.
    //   endgame kings f4 15 - f6 10 = 5; balance 2 * 4 pawns = 8;
    //   opposition: f4 f6, two steps, White to move: -13.
    // Total 129.
    EXPECT_EQ(score_of("8/8/2P2kp1/p6p/P4K1P/6P1/8/8 w - -"), 129);
    // Black to move: opposition +13, so 155 for White.
    EXPECT_EQ(score_of("8/8/2P2kp1/p6p/P4K1P/6P1/8/8 b - -"), -155);
}

TEST(EvalPositions, BishopAndKnightAgainstKing) {
    // Light bishop d5, knight f3: the black king on c7 scores kbn_light 700, plus material
    // 620.
    EXPECT_EQ(score_of("8/2k5/8/3B4/8/5N2/8/4K3 w - -"), 1320);
    EXPECT_EQ(score_of("8/2k5/8/3B4/8/5N2/8/4K3 b - -"), -1320);
    // The light corners score highest, the dark ones lowest.
    EXPECT_EQ(score_of("8/8/8/3B4/8/4KN2/8/7k w - -"), 1000 + 620);
    EXPECT_EQ(score_of("8/8/8/3B4/8/4KN2/8/k7 w - -"), 300 + 620);
    // Dark bishop d4: a1 is the corner to mate in.
    EXPECT_EQ(score_of("8/8/8/8/3B4/4KN2/8/k7 w - -"), 1000 + 620);
    // Black with the pieces, the white king on h1 and a light bishop.
    EXPECT_EQ(score_of("4k3/8/5n2/3b4/8/8/8/7K w - -"), -1000 - 620);
}

TEST(EvalPositions, RookAgainstKing) {
    // lone_king e8 900 - 5 * |e1 - e8| = 900 - 5 * 56 = 620, plus 510: 1130 for White.
    EXPECT_EQ(score_of("4k3/8/8/8/8/8/8/R3K3 b - -"), -1130);
    // In the corner a8: 1000 - 5 * 60 + 510; in the centre e5: 400 - 5 * 32 + 510.
    EXPECT_EQ(score_of("k7/8/8/8/8/8/8/R3K3 w - -"), 1210);
    EXPECT_EQ(score_of("8/8/8/4k3/8/8/8/R3K3 w - -"), 750);
}

TEST(EvalPositions, BishopAgainstKing) {
    // A dead draw while the recorded piece count is 4 or less.
    position("4k3/8/8/8/8/8/8/2B1K3 w - -");
    EXPECT_EQ(evaluate(1, -10000, 10000), 0);
    // With a larger recorded count the pawnless ending scores it: 900 - 5 * 56 + 320.
    eval_params.phase_piece_count = 5;
    EXPECT_EQ(evaluate(1, -10000, 10000), 940);
}

TEST(EvalPositions, TermsAddUpToTheScore) {
    const char* fens[] = {START_FEN, MIDDLEGAME, "8/8/2P2kp1/p6p/P4K1P/6P1/8/8 b - -",
                          "8/2k5/8/3B4/8/5N2/8/4K3 b - -",
                          "r2q1rk1/1b2bppp/p1n1pn2/1pp5/4P3/2NP1N2/PPB2PPP/R1BQR1K1 b - -"};
    for (const char* fen : fens) {
        position(fen);
        EvalTerms t;
        const int traced = evaluate_with_terms(1, -10000, 10000, t);
        EXPECT_EQ(traced, evaluate(1, -10000, 10000)) << fen;
        int sum = 0;
        for (int i = 0; i < TERM_COUNT; ++i) sum += t.value[i];
        EXPECT_EQ(side_to_move ? sum : -sum, traced) << fen;
    }
}

TEST(EvalPositions, ProbeEval) {
    auto r = run_probe(std::string("eval '") + MIDDLEGAME + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "phase 1\n142\n");
    r = run_probe(std::string("eval '") + MIDDLEGAME + "' --terms");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.output.find("centre holes"), std::string::npos);
    EXPECT_EQ(r.output.substr(r.output.size() - 12), "phase 1\n142\n");
}

}  // namespace
