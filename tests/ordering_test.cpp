// Move ordering: the scores of score_moves, the stable sort, selection and the killer update.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "eval/eval.h"
#include "search/search.h"
#include "tests/session.h"
#include "tests/helpers.h"

namespace {

void clear_memory() {
    clear_pv_and_killers();
    std::memset(history_scores, 0, sizeof history_scores);
    game_move_count = 0;
}

Move mv(const char* from, const char* to, int captured, int piece, int promotion = 0) {
    return encode_move(sq(from), sq(to), captured, 0, piece, promotion);
}

int& history_of(Move m, int side) {
    return history_scores[(move_from(m) * 64 + move_to(m)) * 2 + side];
}

// White: queen d1 (can take the pawn d5, defended by c6), king e1 with the short castling,
// rook h1, pawn a7 about to promote.
constexpr const char* POSITION = "4k3/P7/2p5/3p4/8/8/8/3QK2R w K -";

TEST(ScoreMoves, CapturesPromotionsAndQuietMoves) {
    ASSERT_TRUE(setup(POSITION));
    clear_memory();
    eval_params.game_phase = 1;
    const Move moves[] = {
        mv("d1", "d5", PAWN, QUEEN),          // loses the queen for a pawn, central
        mv("a7", "a8", NO_PIECE, PAWN, QUEEN),  // promotion
        mv("d1", "d3", NO_PIECE, QUEEN),      // quiet, central
        mv("h1", "h5", NO_PIECE, ROOK),       // quiet, with history
        mv("h1", "h2", NO_PIECE, ROOK),       // quiet, nothing
    };
    history_of(moves[0], WHITE) = 7;
    history_of(moves[3], WHITE) = 1000;
    history_of(moves[3], BLACK) = 50000;  // the other side's entry is not read
    int32_t scores[5];
    score_moves(moves, scores, 5, 3);
    EXPECT_EQ(scores[0], 100 - 925 + 7 + 200);  // d5 is central
    EXPECT_EQ(scores[1], 925 - 100);
    EXPECT_EQ(scores[2], 200);
    EXPECT_EQ(scores[3], 1000);
    EXPECT_EQ(scores[4], 0);

    // The quiet move with the large history now goes before the losing capture.
    Move sorted[5];
    std::memcpy(sorted, moves, sizeof moves);
    sort_moves(scores, scores + 5, sorted);
    const Move expected[] = {moves[3], moves[1], moves[2], moves[4], moves[0]};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(sorted[i], expected[i]) << i;
}

TEST(ScoreMoves, RecaptureBonusNeedsARecordedMoveToTheSquare) {
    ASSERT_TRUE(setup(POSITION));
    clear_memory();
    eval_params.game_phase = 1;
    const Move moves[] = {mv("a7", "a8", NO_PIECE, PAWN, QUEEN), mv("d1", "d5", PAWN, QUEEN)};
    int32_t scores[2];
    // No recorded move: no bonus.
    score_moves(moves, scores, 2, 2);
    EXPECT_EQ(scores[0], 825);
    EXPECT_EQ(scores[1], -825 + 200);
    // The last recorded move went to a8: the promotion there gets 300, the capture on d5 not.
    game_moves[0] = mv("d5", "d4", NO_PIECE, PAWN);
    game_moves[1] = mv("b8", "a8", NO_PIECE, KNIGHT);
    game_move_count = 2;
    score_moves(moves, scores, 2, 2);
    EXPECT_EQ(scores[0], 825 + 300);
    EXPECT_EQ(scores[1], -825 + 200);
    // Only the last one counts.
    game_moves[1] = mv("b8", "d5", NO_PIECE, KNIGHT);
    score_moves(moves, scores, 2, 2);
    EXPECT_EQ(scores[0], 825);
    EXPECT_EQ(scores[1], -825 + 300 + 200);
}

TEST(ScoreMoves, PrincipalVariationAndKillersReplaceEverything) {
    ASSERT_TRUE(setup(POSITION));
    clear_memory();
    eval_params.game_phase = 0;
    const int ply = 4;
    const Move moves[] = {
        mv("d1", "d3", NO_PIECE, QUEEN),  // PV move, also the second killer; central
        mv("d1", "d4", NO_PIECE, QUEEN),  // first killer; central
        mv("d1", "d5", PAWN, QUEEN),      // third killer; a capture
        WHITE_CASTLE_KING_SIDE,           // no bonus of this kind
        mv("d1", "d2", NO_PIECE, QUEEN),  // a killer of the next ply only
    };
    pv_table[1][ply] = moves[0];
    killers_1[ply] = {moves[1], 50};
    killers_2[ply] = {moves[0], 40};
    killers_3[ply] = {moves[2], 30};
    killers_1[ply + 1] = {moves[4], 20};
    for (Move m : moves) history_of(m, WHITE) = 123;
    int32_t scores[5];
    score_moves(moves, scores, 5, ply);
    // A match gets exactly its bonus: no history, centre or exchange value on top.
    EXPECT_EQ(scores[0], 10000);
    EXPECT_EQ(scores[1], 6000);
    EXPECT_EQ(scores[2], 2000);
    EXPECT_EQ(scores[3], 300 + 123);  // castling in the opening
    EXPECT_EQ(scores[4], 123);
    pv_table[1][ply] = 0;
    score_moves(moves, scores, 5, ply);
    EXPECT_EQ(scores[0], 4000);
}

TEST(ScoreMoves, KingMovesInTheOpening) {
    ASSERT_TRUE(setup(POSITION));
    clear_memory();
    const Move moves[] = {mv("e1", "f1", NO_PIECE, KING), WHITE_CASTLE_KING_SIDE,
                          mv("e1", "e2", NO_PIECE, KING), mv("e1", "d2", NO_PIECE, KING)};
    history_of(moves[0], WHITE) = 5;
    history_of(moves[1], WHITE) = 6;
    int32_t scores[4];
    eval_params.game_phase = 0;
    score_moves(moves, scores, 4, 2);
    EXPECT_EQ(scores[0], -400 + 5);  // sideways step
    EXPECT_EQ(scores[1], 300 + 6);   // castling
    EXPECT_EQ(scores[2], 300);       // forward step (squares differ by 8)
    EXPECT_EQ(scores[3], 300);
    eval_params.game_phase = 1;  // after the opening: no adjustment
    score_moves(moves, scores, 4, 2);
    EXPECT_EQ(scores[0], 5);
    EXPECT_EQ(scores[1], 6);
    EXPECT_EQ(scores[2], 0);
}

TEST(ScoreMoves, KingCaptureInTheOpeningAddsTheVictim) {
    ASSERT_TRUE(setup("4k3/8/8/8/8/8/4p3/4K3 w - -"));
    clear_memory();
    eval_params.game_phase = 0;
    const Move m = mv("e1", "e2", PAWN, KING);
    int32_t score;
    score_moves(&m, &score, 1, 2);
    EXPECT_EQ(score, 100 + 300 + 100);  // exchange value, then 300 + the pawn
}

TEST(SortMoves, StableAndDescending) {
    int32_t scores[] = {5, 3, 5, -2, 3, 7, 5};
    Move moves[] = {1, 2, 3, 4, 5, 6, 7};
    sort_moves(scores, scores + 7, moves);
    const int32_t expected_scores[] = {7, 5, 5, 5, 3, 3, -2};
    const Move expected_moves[] = {6, 1, 3, 7, 2, 5, 4};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(scores[i], expected_scores[i]) << i;
        EXPECT_EQ(moves[i], expected_moves[i]) << i;
    }
    // Sorted input, all ties, one and zero elements: unchanged.
    int32_t same[] = {4, 4, 4};
    Move order[] = {9, 8, 7};
    sort_moves(same, same + 3, order);
    EXPECT_EQ(order[0], 9u);
    EXPECT_EQ(order[1], 8u);
    EXPECT_EQ(order[2], 7u);
    sort_moves(same, same + 1, order);
    sort_moves(same, same, order);
    EXPECT_EQ(order[0], 9u);
}

TEST(SortMoves, SortsOnlyTheGivenRange) {
    int32_t scores[] = {1, 2, 3, 9};
    Move moves[] = {10, 20, 30, 40};
    sort_moves(scores + 1, scores + 3, moves + 1);
    EXPECT_EQ(moves[0], 10u);
    EXPECT_EQ(moves[1], 30u);
    EXPECT_EQ(moves[2], 20u);
    EXPECT_EQ(moves[3], 40u);
}

// The searches select their first moves one at a time and may sort the rest: for any number of
// selections first, the order must be that of the full stable sort. Scores from a narrow
// range give many ties; the moves are numbered so that any reordering of equals shows.
TEST(SelectMove, SelectingThenSortingGivesTheStableOrder) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        const int count = int(random() % 60);
        const int range = 1 + int(random() % 6);
        std::vector<int32_t> scores(count);
        std::vector<Move> moves(count);
        for (int i = 0; i < count; ++i) {
            scores[i] = int32_t(random() % range) * 100 - 200;
            moves[i] = Move(i + 1);
        }
        std::vector<int32_t> sorted_scores = scores;
        std::vector<Move> sorted_moves = moves;
        sort_moves(sorted_scores.data(), sorted_scores.data() + count, sorted_moves.data());
        for (int picks = 0; picks <= count; ++picks) {
            std::vector<int32_t> s = scores;
            std::vector<Move> m = moves;
            for (int i = 0; i < picks; ++i) select_move(s.data() + i, s.data() + count, m.data() + i);
            sort_moves(s.data() + picks, s.data() + count, m.data() + picks);
            ASSERT_EQ(m, sorted_moves) << "trial " << trial << ", " << picks << " selected";
            ASSERT_EQ(s, sorted_scores) << "trial " << trial << ", " << picks << " selected";
        }
    }
}

TEST(Killers, NewestFirstOnlyWhenAboveTheFirstScore) {
    clear_memory();
    update_killers(5, 111, 10);
    update_killers(5, 222, 20);
    update_killers(5, 333, 15);  // not above 20: ignored
    update_killers(5, 444, 30);
    EXPECT_EQ(killers_1[5].move, 444u);
    EXPECT_EQ(killers_1[5].score, 30);
    EXPECT_EQ(killers_2[5].move, 222u);
    EXPECT_EQ(killers_2[5].score, 20);
    EXPECT_EQ(killers_3[5].move, 111u);
    EXPECT_EQ(killers_3[5].score, 10);
    update_killers(5, 444, 30);  // equal: ignored
    EXPECT_EQ(killers_2[5].move, 222u);
    EXPECT_EQ(killers_1[4].move, 0u);  // other plies untouched
    EXPECT_EQ(killers_1[6].move, 0u);
}

}  // namespace
