// Alpha-beta and root search: results a faulty search cannot produce by accident (exact mate
// distances, draws, material won), the bounds returned, and the time stop.
#include <gtest/gtest.h>

#include <cstddef>

#include "tests/search_setup.h"
#include "tests/helpers.h"

namespace {

Move find_move(const char* from, const char* to) {
    Move moves[MAX_MOVES];
    int count = generate_captures(moves, 0);
    count += generate_quiet_moves(moves + count, 0);
    for (int i = 0; i < count; ++i)
        if (move_from(moves[i]) == sq(from) && move_to(moves[i]) == sq(to)) return moves[i];
    ADD_FAILURE() << "no move " << from << to;
    return 0;
}

// Plays the root line: every move must be legal where it stands. Returns the number played;
// the moves stay made (the caller sets the position up again).
int play_line() {
    const int length = pv_length[1] - 1;
    for (int k = 1; k <= length; ++k) {
        const Move m = pv_table[1][k];
        Move moves[MAX_MOVES];
        int count = generate_captures(moves, k - 1);
        count += generate_quiet_moves(moves + count, k - 1);
        bool listed = false;
        for (int i = 0; i < count; ++i) listed = listed || moves[i] == m;
        EXPECT_TRUE(listed) << "line move " << k << " not generated";
        if (!listed || !make_move(m, k)) return k - 1;
        EXPECT_FALSE(in_check(side_to_move ^ 1)) << "line move " << k << " illegal";
    }
    return length;
}

// Searches to `depth`, checks the mate score and that the line ends in mate after
// `plies` moves.
void expect_mate(const char* fen, int depth, int plies, const char* first_from,
                 const char* first_to) {
    SCOPED_TRACE(fen);
    ASSERT_TRUE(setup_search(fen));
    const int score = root_searches(depth);
    EXPECT_EQ(score, 10000 - (plies + 1));  // the mated side is to move at ply plies + 1
    EXPECT_EQ(move_from(pv_table[1][1]), sq(first_from));
    EXPECT_EQ(move_to(pv_table[1][1]), sq(first_to));
    ASSERT_EQ(play_line(), plies);
    EXPECT_TRUE(in_check(side_to_move));
    EXPECT_TRUE(legal_moves(plies).empty());
}

TEST(Search, MatesScoredByTheirDistance) {
    expect_mate("6k1/5ppp/8/8/8/8/8/R5K1 w - -", 2, 1, "a1", "a8");
    expect_mate("k7/8/8/2K5/8/8/8/7Q w - -", 4, 3, "c5", "b6");
    expect_mate("4r2k/6pp/7N/3Q4/8/8/8/6K1 w - -", 4, 3, "d5", "g8");  // smothered
    expect_mate("7k/8/8/4K3/8/8/8/R7 w - -", 7, 5, "e5", "f6");
}

TEST(Search, MatedNodeScoresItsPly) {
    // Black is mated: the node returns ply - 10000 at whatever ply it stands.
    ASSERT_TRUE(setup_search("R5k1/5ppp/8/8/8/8/8/6K1 b - -"));
    EXPECT_EQ(search(-10000, 10000, 1, 5, 1), -9995);
    EXPECT_EQ(search(-10000, 10000, 3, 2, 1), -9998);
    // Black in check with one reply (Kb8), then Rxh8 mates at ply 3. Found at depth 2 only
    // because the check extends the node: its children are searched at depth 2, not 1.
    ASSERT_TRUE(setup_search("k6n/8/1K6/8/8/8/8/R6R b - -"));
    EXPECT_EQ(search(-10000, 10000, 2, 1, 1), 3 - 10000);
    EXPECT_EQ(extension_kind[1], 1);
}

TEST(Search, StalemateScoresZero) {
    for (const char* fen : {"k7/8/1Q6/8/8/8/8/7K b - -", "7K/5k1P/8/8/8/8/8/8 w - -"}) {
        ASSERT_TRUE(setup_search(fen)) << fen;
        EXPECT_EQ(search(-10000, 10000, 1, 1, 1), 0) << fen;
        EXPECT_EQ(search(-10000, 10000, 4, 3, 1), 0) << fen;
    }
    // In the tree: Qc7 stalemates the black king, which the search scores 0 for black.
    ASSERT_TRUE(setup_search("k7/8/1K6/8/8/8/8/2Q5 w - -"));
    const Move stalemating = find_move("c1", "c7");
    ASSERT_TRUE(make_move(stalemating, 1));
    EXPECT_EQ(search(-10000, 10000, 3, 2, 1), 0);
    unmake_move(stalemating);
    // And the root does not choose it while mates are there.
    EXPECT_GT(root_searches(4), 9900);
    EXPECT_NE(pv_table[1][1], stalemating);
}

// Black without its queen, to move. Recorded before: the full knight round trip
// (g1-f3, g8-f6, f3-g1, f6-g8) rounds - 1 times, then g1-f3, g8-f6, f3-g1, so that f6-g8
// brings the start squares back for the rounds-th time.
void setup_shuffle(int rounds) {
    ASSERT_TRUE(setup_search("rnb1kb1r/pppppppp/5n2/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -"));
    const Move out_w = encode_move(sq("g1"), sq("f3"), 0, 0, KNIGHT, 0);
    const Move out_b = encode_move(sq("g8"), sq("f6"), 0, 0, KNIGHT, 0);
    const Move back_w = encode_move(sq("f3"), sq("g1"), 0, 0, KNIGHT, 0);
    const Move back_b = encode_move(sq("f6"), sq("g8"), 0, 0, KNIGHT, 0);
    for (int r = 1; r < rounds; ++r) {
        for (Move m : {out_w, out_b, back_w, back_b}) game_moves[game_move_count++] = m;
    }
    for (Move m : {out_w, out_b, back_w}) game_moves[game_move_count++] = m;
    board.history[0].fifty = uint8_t(4 * rounds - 1);
}

TEST(Search, ThirdOccurrenceIsADraw) {
    // Twice before: f6-g8 repeats the position a third time; the child at ply 2 scores 0
    // before generating anything, although white is a queen up.
    setup_shuffle(2);
    const Move back = find_move("f6", "g8");
    ASSERT_TRUE(make_move(back, 1));
    nodes = 0;
    EXPECT_EQ(search(-10000, 10000, 3, 2, 1), 0);
    EXPECT_EQ(nodes, 1);
    unmake_move(back);
    // Once before is not enough.
    setup_shuffle(1);
    ASSERT_TRUE(make_move(back, 1));
    nodes = 0;
    EXPECT_GT(search(-10000, 10000, 3, 2, 1), 500);
    EXPECT_GT(nodes, 1);
    unmake_move(back);
}

TEST(Search, FiftyMoveCounter) {
    // Mate in one on the board, but the counter has run out: a draw.
    ASSERT_TRUE(setup_search("6k1/5ppp/8/8/8/8/8/R5K1 w - -"));
    board.history[0].fifty = 100;
    EXPECT_EQ(search(-10000, 10000, 2, 1, 1), 0);
    EXPECT_EQ(root_searches(2), 0);
    board.history[0].fifty = 99;
    EXPECT_EQ(root_searches(2), 9998);
    // Mate itself is not undone by the counter.
    ASSERT_TRUE(setup_search("R5k1/5ppp/8/8/8/8/8/6K1 b - -"));
    board.history[0].fifty = 100;
    EXPECT_EQ(search(-10000, 10000, 2, 1, 1), 1 - 10000);
}

TEST(Search, HangingQueenIsTaken) {
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/3R4/4K3 w - -"));
    EXPECT_GT(root_searches(2), 400);
    EXPECT_EQ(pv_table[1][1], find_move("d2", "d5"));
    // The colours exchanged: black's rook takes the white queen, undefended on its file.
    ASSERT_TRUE(setup_search("4k3/8/8/3Q4/8/8/3r4/4K3 b - -"));
    EXPECT_GT(root_searches(2), 400);
    EXPECT_EQ(pv_table[1][1], find_move("d2", "d5"));
}

TEST(Search, BoundsReturned) {
    // White a rook and a knight up, not in check: the null move cuts and returns beta itself.
    ASSERT_TRUE(setup_search("4k3/pppp4/8/8/8/8/PPPP4/RN2K3 w - -"));
    EXPECT_EQ(search(-10000, 100, 2, 1, 1), 100);
    EXPECT_EQ(null_tries, 1);
    EXPECT_EQ(null_cutoffs, 1);
    // Without the null move the node fails soft: the score above beta as found.
    const int score = search(-10000, 100, 2, 1, 0);
    EXPECT_GT(score, 100);
    EXPECT_EQ(null_tries, 1);
    // A null move is not tried with fewer than two pieces besides king and pawns.
    ASSERT_TRUE(setup_search("4k3/pppp4/8/8/8/8/PPPP4/1N2K3 w - -"));
    search(-10000, 100, 4, 1, 1);
    EXPECT_EQ(null_tries, 0);
}

TEST(Search, TimeStopReturnsZero) {
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/3R4/4K3 w - -"));
    deadline = -1;  // already passed; noticed at the next multiple of 1024 nodes
    nodes = 1023;
    EXPECT_EQ(search(-10000, 10000, 3, 1, 1), 0);
    EXPECT_EQ(time_up, 1);
    EXPECT_EQ(nodes, 1024);
    // The root returns 0 as soon as its first child stops.
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/3R4/4K3 w - -"));
    prepare_root();
    deadline = -1;
    nodes = 1022;
    int depth = 3;
    EXPECT_EQ(root_search(-10000, 10000, depth), 0);
    EXPECT_EQ(time_up, 1);
    EXPECT_EQ(depth, 3);
    // The quiescence search looks at the clock at the same multiples of 1024 nodes.
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/3R4/4K3 w - -"));
    nodes = 1023;
    EXPECT_GT(quiesce(-10000, 10000, 1), 400);  // the deadline not yet passed
    EXPECT_EQ(time_up, 0);
    deadline = -1;
    nodes = 1023;
    EXPECT_EQ(quiesce(-10000, 10000, 1), 0);
    EXPECT_EQ(time_up, 1);
    EXPECT_EQ(nodes, 1024);
}

TEST(Search, LeavesTheBoardAsItFoundIt) {
    const char* fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
    ASSERT_TRUE(setup_search(fen));
    const Board before = board;
    const int32_t side = side_to_move, balance = material;
    root_searches(sanitized() ? 2 : 3);
    // Everything up to and including the game position's history entry (the deeper entries
    // are the search's scratch space).
    EXPECT_EQ(std::memcmp(&before, &board, offsetof(Board, history) + sizeof(HistoryEntry)), 0);
    EXPECT_EQ(side_to_move, side);
    EXPECT_EQ(material, balance);
    EXPECT_EQ(game_move_count, 0);
    EXPECT_TRUE(check_position());
    // Its line is playable.
    const int length = pv_length[1] - 1;
    EXPECT_GE(length, 1);
    EXPECT_EQ(play_line(), length);
}

TEST(RootSearch, OrderAndLine) {
    // A single legal move is still searched and recorded.
    ASSERT_TRUE(setup_search("k7/8/1K6/8/8/8/8/R6R b - -"));
    prepare_root();
    ASSERT_EQ(root_move_count, 1);
    int depth = 2;
    EXPECT_LT(root_search(-10000, 10000, depth), -500);
    EXPECT_EQ(pv_table[1][1], root_moves[0]);
    EXPECT_GT(nodes, 1);
    EXPECT_EQ(depth, 2);

    // Every move fails low: the line still starts with the first move searched. (Each reply
    // cuts by its null move and returns beta itself, so every root move scores alpha.)
    ASSERT_TRUE(setup_search(START_FEN));
    prepare_root();
    depth = 2;
    EXPECT_LE(root_search(5000, 5001, depth), 5000);
    EXPECT_EQ(pv_table[1][1], root_moves[0]);
    EXPECT_EQ(pv_length[1], 2);

    // The best move of one pass is searched first in the next: the scores carry over.
    ASSERT_TRUE(setup_search("4k3/8/8/3q4/8/8/3R4/4K3 w - -"));
    root_searches(3);
    EXPECT_EQ(root_moves[0], find_move("d2", "d5"));
    EXPECT_GT(root_scores[0], 10000);
}

TEST(RootSearch, SeventhRankPushIsExtended) {
    // The root extends a pawn reaching its seventh rank, for that move only.
    ASSERT_TRUE(setup_search("4k3/8/1P6/8/8/8/8/4K3 w - -"));
    prepare_root();
    int depth = 1;
    root_search(-10000, 10000, depth);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(extension_kind[1], 3);
}

}  // namespace
