// Static exchange evaluation: recapture sequences, x-rays and the choice among attackers.
#include <gtest/gtest.h>

#include "search/search.h"
#include "tests/session.h"
#include "tests/helpers.h"

namespace {

int see(const char* fen, const char* from, const char* to) {
    EXPECT_TRUE(setup(fen)) << fen;
    return static_exchange(sq(from), sq(to));
}

TEST(StaticExchange, SimpleCaptures) {
    // Undefended knight taken by a pawn: exactly its value.
    EXPECT_EQ(see("4k3/8/8/3n4/4P3/8/8/4K3 w - -", "e4", "d5"), 300);
    // Queen takes a pawn defended by a pawn.
    EXPECT_EQ(see("4k3/8/2p5/3p4/8/8/8/3QK3 w - -", "d1", "d5"), 100 - 925);
    // Black to move: the same exchange from the other side.
    EXPECT_EQ(see("3qk3/8/8/8/3P4/2P5/8/4K3 b - -", "d8", "d4"), 100 - 925);
    // Rook takes a defended knight: 300 - 510, the defender would not stop otherwise.
    EXPECT_EQ(see("4k3/8/2p5/3n4/8/8/8/3RK3 w - -", "d1", "d5"), 300 - 510);
}

TEST(StaticExchange, XrayJoinsBehindTheCapturer) {
    // Rooks e1 and e2 against a pawn on e6 defended by the rook e8: e1 joins through e2.
    EXPECT_EQ(see("4r1k1/8/4p3/8/8/8/4R3/4R1K1 w - -", "e2", "e6"), 100);
    // Without the rook behind, the pawn costs the rook.
    EXPECT_EQ(see("4r1k1/8/4p3/8/8/8/4R3/6K1 w - -", "e2", "e6"), 100 - 510);
    // Diagonal battery: bishop takes the pawn, the knight takes back, the queen behind the
    // bishop wins the knight: 100 - 320 + 300.
    EXPECT_EQ(see("6k1/8/5n2/3p4/8/1B6/Q7/6K1 w - -", "b3", "d5"), 80);
    EXPECT_EQ(see("6k1/8/5n2/3p4/8/1B6/8/6K1 w - -", "b3", "d5"), 100 - 320);
    // A rook behind the defender joins the defence: with it the pawn costs a rook.
    EXPECT_EQ(see("3r2k1/3r4/8/3p4/8/8/3R4/3R2K1 w - -", "d2", "d5"), 100 - 510);
    EXPECT_EQ(see("6k1/3r4/8/3p4/8/8/3R4/3R2K1 w - -", "d2", "d5"), 100);
}

TEST(StaticExchange, EnPassantStartsFromNothing) {
    // The target square is empty: gain starts at 0.
    EXPECT_EQ(see("4k3/8/8/3pP3/8/8/8/4K3 w - d6", "e5", "d6"), 0);
    // Defended by the bishop on f8: the pawn is lost in return.
    EXPECT_EQ(see("4kb2/8/8/3pP3/8/8/8/4K3 w - d6", "e5", "d6"), -100);
}

TEST(StaticExchange, KingRecapturesOnlyWhenSafe) {
    // The king takes back when nothing else covers the square.
    EXPECT_EQ(see("8/8/8/8/8/3k4/3p4/3R3K w - -", "d1", "d2"), 100 - 510);
    // With the square covered (bishop, or the white king itself), taking back with the king
    // would lose it: the rook wins the pawn.
    EXPECT_EQ(see("8/8/8/8/5B2/3k4/3p4/3R3K w - -", "d1", "d2"), 100);
    EXPECT_EQ(see("8/8/8/8/8/3k4/3p4/3RK3 w - -", "d1", "d2"), 100);
}

TEST(StaticExchange, EqualAttackersHighestSquareFirst) {
    // Black recaptures with one of two queens. The one on the higher square (c6) goes first
    // and uncovers the white bishop b7, which wins that queen: the knight capture gains 100.
    EXPECT_EQ(see("7k/1B6/2q1q3/3p4/8/2N5/8/7K w - -", "c3", "d5"), 100);
    // The bishop behind the lower queen (e6) stays hidden: the knight is simply lost.
    EXPECT_EQ(see("7k/5B2/2q1q3/3p4/8/2N5/8/7K w - -", "c3", "d5"), 100 - 300);
}

TEST(StaticExchange, LongSequenceStopsWhenTheListIsFull) {
    // A queen on d5 with every line through it filled by queens of alternating colours and
    // four knights of each side around it: 35 men bear on d5 directly or by x-ray. The knights
    // go first (gains 925, -625, 925, ...), then the queens (925, 0, 925, 0, ...). Cut at 28
    // entries, the last capture is black's and the minimax gives 625; an exchange run to an
    // odd length would give 925.
    EXPECT_EQ(see("Q2Q2q1/1qNqNQ1K/1NQQqN2/QqQqqQqQ/1nQqqn2/1qnQnQ2/Q2q2q1/k2Q3Q w - -", "c7",
                  "d5"),
              625);
}

}  // namespace
