// Single evaluation terms on positions chosen to isolate them: the early exit, passed pawns,
// doubled pawns, the seventh rank, trapped bishops, opposition, centre chains, king safety,
// the king-zone clamp and development.
#include <gtest/gtest.h>

#include "eval/eval.h"
#include "eval/eval_terms.h"
#include "moves/moves.h"
#include "tests/helpers.h"

namespace {

void position(const char* fen) { ASSERT_TRUE(setup_with_phase(fen)) << fen; }

EvalTerms terms_of(const char* fen) {
    position(fen);
    EvalTerms t;
    evaluate_with_terms(1, -10000, 10000, t);
    return t;
}

TEST(EvalEarlyExit, LeavesBeforeThePieceTerms) {
    // White a queen and a pawn up: material and pawns only, far outside a narrow window.
    position("4k3/ppp5/8/8/8/8/PPPP4/3QK3 w - -");
    const int so_far = material + evaluate_pawns(1);
    ASSERT_GT(so_far, 1000);
    EXPECT_EQ(evaluate(1, -50, 50), so_far);
    EvalTerms t;
    EXPECT_EQ(evaluate_with_terms(1, -50, 50, t), so_far);
    EXPECT_EQ(t.exit, EXIT_EARLY);
    EXPECT_FALSE(t.reached[TERM_DIAGONAL_PIECES]);
    // The bound is strict: exactly 250 above beta evaluates in full.
    evaluate_with_terms(1, so_far - 251, so_far - 250, t);
    EXPECT_NE(t.exit, EXIT_EARLY);
    evaluate_with_terms(1, so_far - 252, so_far - 251, t);
    EXPECT_EQ(t.exit, EXIT_EARLY);
    // Black to move: the score is Black's, far below alpha.
    position("4k3/ppp5/8/8/8/8/PPPP4/3QK3 b - -");
    EXPECT_EQ(evaluate(1, -50, 50), -so_far);
    evaluate_with_terms(1, -so_far + 250, -so_far + 251, t);
    EXPECT_NE(t.exit, EXIT_EARLY);
    evaluate_with_terms(1, -so_far + 251, -so_far + 252, t);
    EXPECT_EQ(t.exit, EXIT_EARLY);
}

TEST(EvalPawns, PassedPawnTableIsHalvedWhenNothingAttacksIt) {
    // Endgame weights: unopposed -13, unsupported -12, passed bonus 16. A lone pawn on e2:
    // unopposed -13, unsupported toward f and d -24, passed 5 / 2 = 2 (remainder dropped)
    // plus 16.
    position("4k3/8/8/8/8/8/4P3/K7 w - -");
    EXPECT_EQ(evaluate_pawns(1), -19);
    // The black pawn on d7 mirrors it, subtracted.
    position("7k/3p4/8/8/8/8/8/K7 w - -");
    EXPECT_EQ(evaluate_pawns(1), 19);
    // With the black king on e8 it is defended: the full 5 + 16.
    position("4k3/3p4/8/8/8/8/8/K7 w - -");
    EXPECT_EQ(evaluate_pawns(1), 16);
}

TEST(EvalPawns, PassedPawnOnTheSeventh) {
    // Middlegame (six pieces, queens): unopposed -10, unsupported -8, bonus 10. A pawn on a7:
    // table -20, unopposed -10, unsupported from b -8; nothing attacks it: 100 / 2 + 10.
    position("1n1qkr2/P7/8/8/8/8/8/1N1QKR2 w - -");
    EXPECT_EQ(evaluate_pawns(1), -20 - 10 - 8 + 50 + 10);
    // A black rook on b7 attacks it and nothing defends: no passed value.
    position("1n1qk3/Pr6/8/8/8/8/8/1N1QKR2 w - -");
    EXPECT_EQ(evaluate_pawns(1), -20 - 10 - 8);
    // A white rook behind it defends it: the full table value, and +10 for the rook behind.
    position("1n1qk3/Pr6/8/8/8/8/8/RN1QK3 w - -");
    EXPECT_EQ(evaluate_pawns(1), -20 - 10 - 8 + 100 + 10 + 10);
}

TEST(EvalPawns, TrebledPawnsCostThreeTimes) {
    // Endgame. a4: -13 unopposed, -12 unsupported, passed 30 / 2 + 16 = 31 -> 6.
    // a3: -13 - 12 + 10 / 2 + 16 = -4. a2: -13 - 12 + 5 / 2 + 16 = -7. Doubled: 3 * -18.
    position("4k3/8/8/8/P7/P7/P7/4K3 w - -");
    EXPECT_EQ(evaluate_pawns(1), 6 - 4 - 7 - 54);
    EXPECT_EQ(white_pawns_on_file[7], 3);
    EXPECT_EQ(black_half_open_files, file_mask[7]);
    EXPECT_EQ(open_files, ~file_mask[7]);
    EXPECT_EQ(white_half_open_files, 0u);
}

TEST(EvalPawns, OutpostSquaresWrapAtTheEdges) {
    // Beside an h-pawn, sq + 7 is the a-file square of the same rank: a knight on a4 next to
    // the h4 pawn counts, no black pawn being on h6-h8.
    position("4k3/p7/8/8/7P/8/8/4K3 w - -");
    const int without = evaluate_pawns(1);
    position("4k3/p7/8/8/N6P/8/8/4K3 w - -");
    EXPECT_EQ(evaluate_pawns(1) - without, 10);
    // Beside an a-pawn, sq + 9 is the h-file square two ranks up: a4 and h6.
    position("4k3/1p6/8/8/P7/8/8/4K3 w - -");
    const int without_a = evaluate_pawns(1);
    position("4k3/1p6/7N/8/P7/8/8/4K3 w - -");
    EXPECT_EQ(evaluate_pawns(1) - without_a, 10);
}

TEST(EvalPawns, NoPawnsMeansEveryFileOpen) {
    position("4k3/8/8/8/8/8/P7/4K3 w - -");
    evaluate(1, -10000, 10000);
    ASSERT_EQ(black_half_open_files, file_mask[7]);
    // Kings and rooks only, equal material: the pawnless branch goes on to the piece terms.
    position("r3k3/8/8/8/8/8/8/R3K3 w - -");
    evaluate(1, -10000, 10000);
    EXPECT_EQ(open_files, ~Bitboard(0));
    EXPECT_EQ(white_half_open_files, 0u);
    EXPECT_EQ(black_half_open_files, 0u);
}

TEST(EvalPieces, SecondDiagonalPieceCountsWithoutTheKingsLine) {
    // Endgame, bishop weight 3; neither bishop shares a line with the king on a8.
    // Bc3: d4-h8 5 and b2 1 (6 squares, mobility 5), b4 a5 d2 e1 (mobility 3): 24; Bb2,
    // not yet visited, lies on its a1-h8 diagonal: +13. Bb2: c3 a1 (1), a3 c1 (1): 6.
    EXPECT_EQ(terms_of("k7/p7/8/8/8/2B5/1B5P/7K w - -").value[TERM_DIAGONAL_PIECES], 24 + 13 + 6);
}

TEST(EvalPieces, SeventhRank) {
    // Middlegame (five pieces, queens): rook weight 2, seventh 8, pair 3.
    // Ra7: rank 1 square (b7), file 7 -> mobility 0 + 6 = 6 -> 12; open a-file +8: 20.
    // Rb7: rank 4 + 1 (to f7, a7), file 7 -> 4 + 6 = 10 -> 20; open b-file +8: 28.
    // Qd1: rank 3 + 3 -> 5, file up to d8 7 -> 6: 22; open d-file +8: 30.
    // Seventh rank: 2 * 8, black king on rank 8 +13, pair +3: 32. White 110.
    // Qd8: rank 5, file 6: 22, open +8: 30. Term 110 - 30.
    EvalTerms t = terms_of("3q2k1/RR3ppp/4b3/8/8/8/5PPP/3Q2K1 w - -");
    EXPECT_EQ(t.value[TERM_STRAIGHT_PIECES], 80);
    // The same with the colours exchanged.
    t = terms_of("3q2k1/5ppp/8/8/8/4B3/rr3PPP/3Q2K1 b - -");
    EXPECT_EQ(t.value[TERM_STRAIGHT_PIECES], -80);
}

TEST(EvalPieces, TrappedBishop) {
    EXPECT_EQ(terms_of("4k3/B1p5/1p6/8/8/8/8/4K3 w - -").value[TERM_TRAPPED_BISHOPS], -33);
    EXPECT_EQ(terms_of("4k3/5p1B/6p1/8/8/8/8/4K3 w - -").value[TERM_TRAPPED_BISHOPS], -33);
    // a7 and c7 without b6: nothing, and the h7 test is skipped.
    EXPECT_EQ(terms_of("4k3/B1p2p1B/6p1/8/8/8/8/4K3 w - -").value[TERM_TRAPPED_BISHOPS], 0);
    // a7 and b6 without c7: the h7 test runs.
    EXPECT_EQ(terms_of("4k3/B4p1B/1p4p1/8/8/8/8/4K3 w - -").value[TERM_TRAPPED_BISHOPS], -33);
    EXPECT_EQ(terms_of("4k3/8/8/8/8/1P6/b1P5/4K3 w - -").value[TERM_TRAPPED_BISHOPS], 33);
    EXPECT_EQ(terms_of("4k3/8/8/8/8/6P1/5P1b/4K3 w - -").value[TERM_TRAPPED_BISHOPS], 33);
}

TEST(EvalEndgame, OppositionSign) {
    struct Case {
        const char* fen;
        int white_view;
    };
    const Case cases[] = {
        {"8/7p/4k3/8/4K3/8/P7/8 w - -", -13},  // e4 e6: two steps along the file
        {"8/7p/4k3/8/4K3/8/P7/8 b - -", 13},
        {"8/4k2p/8/8/4K3/8/P7/8 w - -", 13},   // e4 e7: three steps
        {"8/4k2p/8/8/4K3/8/P7/8 b - -", -13},
        {"8/7p/6k1/8/4K3/8/P7/8 w - -", -13},  // e4 g6: two diagonal steps (+7)
        {"8/7p/2k5/8/4K3/8/P7/8 w - -", -13},  // e4 c6: two diagonal steps (+9)
        {"8/7p/8/8/1k2K3/8/P7/8 w - -", 13},   // e4 b4: three steps along the rank
        {"8/7p/5k2/8/4K3/8/P7/8 w - -", 0},    // e4 f6: no common line
    };
    for (const Case& c : cases) {
        EvalTerms t = terms_of(c.fen);
        ASSERT_EQ(t.exit, EXIT_ENDGAME) << c.fen;
        EXPECT_EQ(t.value[TERM_OPPOSITION], c.white_view) << c.fen;
    }
}

TEST(EvalEndgame, MinorPieceEnding) {
    // One minor each, not two bishops, equal pawns all on one wing: the bishop's side +18.
    EXPECT_EQ(terms_of("4k3/5pn1/8/8/8/8/5PB1/4K3 w - -").value[TERM_MINOR_PIECE_ENDING], 18);
    EXPECT_EQ(terms_of("4k3/5pb1/8/8/8/8/5PN1/4K3 w - -").value[TERM_MINOR_PIECE_ENDING], -18);
    EXPECT_EQ(terms_of("4k3/5pb1/8/8/8/8/5PB1/4K3 w - -").value[TERM_MINOR_PIECE_ENDING], 0);
    EXPECT_EQ(terms_of("4k3/p4pb1/8/8/8/8/5PN1/4K3 w - -").value[TERM_MINOR_PIECE_ENDING], 0);
    EXPECT_EQ(terms_of("4k3/p5b1/8/8/8/8/5PN1/4K3 w - -").value[TERM_MINOR_PIECE_ENDING], 0);
    // No pawns at all are all on one wing: knight against knight, -18.
    EXPECT_EQ(terms_of("4k3/8/8/8/8/8/8/4KN1n w - -").value[TERM_MINOR_PIECE_ENDING], -18);
}

TEST(EvalCentre, PawnChains) {
    // Black d5/e6 against White d4/e5. balance(d4): the queen on d1 only, +1; balance(e5): the
    // d4 pawn, +1. 3 * 1 + 1.
    EXPECT_EQ(terms_of("r2qk2r/8/4p3/3pP3/3P4/8/8/R2QK2R w - -").value[TERM_CENTRE_CHAINS], 4);
    // Black c5 now attacks d4 too (balance 0); +7 for White's f5, -7 for Black's c5.
    EXPECT_EQ(terms_of("r2qk2r/8/4p3/2ppPP2/3P4/8/8/R2QK2R w - -").value[TERM_CENTRE_CHAINS], 1);
    // The other chain: Black e5/d6 against White e4/d5. Nothing attacks e4: balance 0;
    // d5: the e4 pawn and the queen up the d-file, +2.
    EXPECT_EQ(terms_of("r2qk2r/8/3p4/3Pp3/4P3/8/8/R2QK2R w - -").value[TERM_CENTRE_CHAINS], 2);
}

// King safety after the pawn evaluation has set the file sets.
int king_safety(const char* fen, int castling) {
    position(fen);
    board.history[0].castling = uint8_t(castling);
    evaluate_pawns(1);
    return evaluate_king_safety(1);
}

TEST(EvalKingSafety, ShelterBackRankAndOpenFiles) {
    // Both castled short: 15 - 15. White shelter f2 g3 h2: high 0b101, low 0b010, index 42:
    // +5. Black f7 g7 h7: index 56, -25. No back-rank case (g2 empty); Black's rook on rank 8.
    // Zone: White f2 g3 h2 +1 each, f2 h2 +2 more beside the king, -2 for Black's rook
    // class: 5; Black: -3 for each pawn: -9. Neither side has a queen: +8 - 8.
    EXPECT_EQ(king_safety("r5k1/5ppp/8/8/8/6P1/5P1P/6K1 w - -", 0x50), 5 - 25 + 5 - 9);
    // Intact f2 g2 h2 behind the king on g1, no white rook on rank 1, a black rook: +25 and
    // -13. Zone: White 3 * 3 - 2 = 7, Black -9.
    EXPECT_EQ(king_safety("r5k1/5ppp/8/8/8/8/5PPP/6K1 w - -", 0x50), 25 - 25 - 13 + 7 - 9);
    // Neither castled nor able to: -18 + 18. The white king on e1 stands on the open e-file
    // with a black rook on the board: -10. Zone: White f2 1 + 2, g2 1, -2: 2; Black -9.
    EXPECT_EQ(king_safety("r5k1/5ppp/8/8/8/8/5PPP/4K3 w - -", 0), -25 - 10 + 2 - 9);
    // Only White castled: +15 and +18.
    EXPECT_EQ(king_safety("r5k1/5ppp/8/8/8/8/5PPP/6K1 w - -", 0x10), 33 + 25 - 25 - 13 + 7 - 9);
}

TEST(EvalKingSafety, ReadsTheNodesOwnHistoryEntry) {
    position("r5k1/5ppp/8/8/8/8/5PPP/6K1 w - -");
    board.history[0].castling = 0x50;
    board.history[1].castling = 0x10;
    evaluate_pawns(2);
    EXPECT_EQ(evaluate_king_safety(2) - evaluate_king_safety(1), 33);
}

TEST(EvalKingSafety, KingZoneIsClamped) {
    // Queens on every square within two steps of the black king on a8: 8 * 6 + 3 (White's
    // attack class).
    position("kQQ5/QQQ5/QQQ5/8/8/8/8/7K w - -");
    EXPECT_EQ(evaluate_king_zone(), 40);
    position("Kqq5/qqq5/qqq5/8/8/8/8/7k w - -");
    EXPECT_EQ(evaluate_king_zone(), -40);
    // Six queens: 36 + 3 stays inside the range.
    position("kQQ5/QQQ5/1Q6/8/8/8/8/7K w - -");
    EXPECT_EQ(evaluate_king_zone(), 39);
}

TEST(EvalDevelopment, OpeningTerms) {
    // Start: White e2 -13, d2 -13, minors at home -8; Black the mirror.
    position(START_FEN);
    EXPECT_EQ(evaluate_development(1), 0);
    // The queen gone from d1 while minors are at home: -20.
    position("rnbqkbnr/pppppppp/8/7Q/8/8/PPPPPPPP/RNB1KBNR w KQkq -");
    EXPECT_EQ(evaluate_development(1), -20);
    // Minors out, the queen still at home: -8 in place of the -8 for the minors.
    position("rnbqkbnr/pppppppp/8/8/8/B1N2N1B/PPPPPPPP/R2QK2R w KQkq -");
    EXPECT_EQ(evaluate_development(1), 0);
    position("rnbqkbnr/pppppppp/8/8/8/B1N2N1B/PPPPPPPP/R3K2R w KQkq -");
    EXPECT_EQ(evaluate_development(1), 8);
    // d4 with c4: 13 in place of the d2 penalty.
    position("rnbqkbnr/pppppppp/8/8/2PP4/8/PP2PPPP/RNBQKBNR b KQkq -");
    EXPECT_EQ(evaluate_development(1), 13 - 13 - 8 + 34);
    // d4 with the c-pawn at home behind a knight on c3: -10.
    position("rnbqkbnr/pppppppp/8/8/3P4/2N5/PPP1PPPP/R1BQKBNR b KQkq -");
    EXPECT_EQ(evaluate_development(1), -10 - 13 - 8 + 34);
    // A man in front of the e2 pawn: another -10.
    position("rnbqkbnr/pppppppp/8/8/8/4B3/PPPPPPPP/RN1QKBNR w KQkq -");
    EXPECT_EQ(evaluate_development(1), -10);
}

TEST(EvalDevelopment, RooksShutIn) {
    // King f1, rook h1, pawns g2 h2: -18 on top of the start position's -34.
    position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQ1K1R w kq -");
    EXPECT_EQ(evaluate_development(1), -18);
    // White's long-side test holds for any king square from d1 up: king e2, rook a1, pawns
    // a2 b2 c2. The e2 penalty is gone (no pawn there): -13 - 8 - 18 + 34.
    position("rnbqkbnr/pppppppp/8/8/8/8/PPPPKPPP/RNBQ1BNR w kq -");
    EXPECT_EQ(evaluate_development(1), -13 - 8 - 18 + 34);
    // Black's short-side test holds for any king square up to f8: king e7, rook h8, pawns
    // g7 h7. Black: d7 +13, minors +8, rooks +18; White -34.
    position("rnbq1bnr/ppppkppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - -");
    EXPECT_EQ(evaluate_development(1), 13 + 8 + 18 - 34);
}

}  // namespace
