// Quiescence search: stand pat, the ply limit, the king-capture exit, the delta and exchange
// filters, and the bound it returns.
#include <gtest/gtest.h>

#include "tests/search_setup.h"

namespace {

// The static score of the position, as quiesce sees it at `ply` with the window (the window
// only serves the evaluation's early exit).
int stand_pat(int ply, int alpha = -10000, int beta = 10000) { return evaluate(ply, alpha, beta); }

TEST(Quiesce, QuietPositionReturnsTheStaticScore) {
    ASSERT_TRUE(setup_search("4k3/pppp4/8/8/8/8/PPPP4/RN2K3 w - -"));
    EXPECT_EQ(quiesce(-10000, 10000, 1), stand_pat(1));
    EXPECT_EQ(nodes, 1);
    EXPECT_EQ(pv_length[1], 1);
}

TEST(Quiesce, PlyLimitReturnsTheStaticScore) {
    // The queen hangs, but at ply 60 nothing is searched.
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/8/3QK3 w - -"));
    EXPECT_EQ(quiesce(-10000, 10000, 60), stand_pat(60));
    EXPECT_EQ(nodes, 1);
    EXPECT_GT(quiesce(-10000, 10000, 59), stand_pat(59) + 500);
}

TEST(Quiesce, KingCaptureReturnsBeta) {
    // Black's king stands attacked with white to move: an illegal position, cut at once.
    ASSERT_TRUE(setup_search("4k3/8/8/8/8/8/8/4RK2 w - -"));
    ASSERT_LT(stand_pat(1), 5000);
    EXPECT_EQ(quiesce(-10000, 5000, 1), 5000);
    EXPECT_EQ(nodes, 1);
}

TEST(Quiesce, AboveBetaReturnsBetaEqualReturnsBest) {
    // White wins the undefended queen.
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/8/3QK3 w - -"));
    const int best = quiesce(-10000, 10000, 1);
    ASSERT_GT(best, stand_pat(1) + 500);
    EXPECT_EQ(quiesce(-10000, best - 1, 1), best - 1);  // above beta: beta itself
    EXPECT_EQ(quiesce(-10000, best, 1), best);          // equal: the loop just ends
    EXPECT_EQ(quiesce(-10000, best + 1, 1), best);      // below: searched on, fail soft
    // Stand pat at or above beta returns the static score, not beta.
    EXPECT_EQ(quiesce(-10000, -9000, 1), stand_pat(1, -10000, -9000));
}

TEST(Quiesce, DeltaThresholdDropsSmallCaptures) {
    // Equal material; the only capture takes a pawn (100).
    ASSERT_TRUE(setup_search("4k3/8/8/3p4/4P3/8/8/4K3 w - -"));
    ASSERT_LT(stand_pat(1), 150);
    // alpha 250: threshold 250 - 0 - 100 = 150 > 100, the capture is not searched.
    EXPECT_EQ(quiesce(250, 10000, 1), stand_pat(1, 250, 10000));
    EXPECT_EQ(nodes, 1);
    // alpha 0: threshold -100, it is.
    nodes = 0;
    quiesce(0, 10000, 1);
    EXPECT_GT(nodes, 1);
    // A knight capture (300) clears the threshold, here 250 - 100 - 100 = 50 (a pawn up).
    ASSERT_TRUE(setup_search("4k3/8/8/3n4/4P3/8/8/4KN2 w - -"));
    quiesce(250, 10000, 1);
    EXPECT_GT(nodes, 1);
}

TEST(Quiesce, LosingCapturesAreNeverSearched) {
    // Qxe6 gives check but loses the queen to the pawn d7: not searched.
    ASSERT_TRUE(setup_search("4k3/3p4/4p3/8/8/8/8/4QK2 w - -"));
    EXPECT_EQ(quiesce(-10000, 10000, 1), stand_pat(1));
    EXPECT_EQ(nodes, 1);
    // Without the defender it is searched and wins the pawn.
    ASSERT_TRUE(setup_search("4k3/8/4p3/8/8/8/8/4QK2 w - -"));
    EXPECT_GT(quiesce(-10000, 10000, 1), stand_pat(1));
    EXPECT_GT(nodes, 1);
}

TEST(Quiesce, RecordsLineAndKiller) {
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/8/3QK3 w - -"));
    quiesce(-10000, 10000, 3);
    const Move take = pv_table[3][3];
    EXPECT_EQ(move_piece(take), QUEEN);
    EXPECT_EQ(move_captured(take), QUEEN);
    EXPECT_GE(pv_length[3], 4);
    EXPECT_EQ(killers_1[3].move, take);
}

}  // namespace
