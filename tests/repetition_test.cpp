// Repetition counts from the record of moves.
#include <gtest/gtest.h>

#include "moves/moves.h"
#include "search/search.h"
#include "tests/session.h"
#include "tests/helpers.h"

namespace {

Move knight(const char* from, const char* to) {
    return encode_move(sq(from), sq(to), 0, 0, KNIGHT, 0);
}

// Records the moves after `before` other (non-matching) moves.
void record(std::initializer_list<Move> moves, int before) {
    game_move_count = 0;
    for (int i = 0; i < before; ++i)
        game_moves[game_move_count++] = encode_move(sq("a2"), sq("a3") + 8 * (i % 4), 0, 0, PAWN, 0);
    for (Move m : moves) game_moves[game_move_count++] = m;
}

const std::initializer_list<Move> shuffle = {knight("g1", "f3"), knight("g8", "f6"),
                                             knight("f3", "g1"), knight("f6", "g8")};

TEST(RepetitionCount, NeedsMoreThanThreeReversibleMoves) {
    ASSERT_TRUE(setup(START_FEN));
    record(shuffle, 3);
    board.history[0].fifty = 3;
    EXPECT_EQ(repetition_count(0), 0);
    board.history[0].fifty = 4;
    EXPECT_EQ(repetition_count(0), 1);
}

TEST(RepetitionCount, KnightShuffles) {
    ASSERT_TRUE(setup(START_FEN));
    // Once: balance back at 0 after the fourth move back; the pawn move before it ends the span.
    record(shuffle, 5);
    board.history[2].fifty = 4;
    EXPECT_EQ(repetition_count(2), 1);
    // Twice: the count the search scores as a draw.
    record({knight("g1", "f3"), knight("g8", "f6"), knight("f3", "g1"), knight("f6", "g8"),
            knight("g1", "f3"), knight("g8", "f6"), knight("f3", "g1"), knight("f6", "g8")},
           5);
    board.history[2].fifty = 8;
    EXPECT_EQ(repetition_count(2), 2);
    // Only the moves within the reversible span (and one beyond) are read.
    board.history[2].fifty = 6;
    EXPECT_EQ(repetition_count(2), 1);
    // Knights that went elsewhere: no repetition.
    record({knight("g1", "f3"), knight("g8", "f6"), knight("f3", "e5"), knight("f6", "g8")}, 5);
    board.history[2].fifty = 4;
    EXPECT_EQ(repetition_count(2), 0);
}

TEST(RepetitionCount, WalkStopsAtTheFirstRecordedMove) {
    ASSERT_TRUE(setup(START_FEN));
    // Every recorded move reversible: fifty equals the count.
    record(shuffle, 0);
    board.history[0].fifty = 4;
    EXPECT_EQ(repetition_count(0), 1);
    // A fifty counter beyond the record (a position set up with reversible moves already
    // behind it): the walk reads only the four recorded moves, nothing before the first.
    board.history[0].fifty = 20;
    EXPECT_EQ(repetition_count(0), 1);
    record({}, 0);
    EXPECT_EQ(repetition_count(0), 0);
}

}  // namespace
