// Engine pieces in isolation: the values the clock commands store, the time budget of each
// mode, the clock bookkeeping, and move text in both directions.
#include <gtest/gtest.h>

#include "uci/uci.h"
#include "xboard/xboard.h"
#include "moves/moves.h"
#include "search/search.h"
#include "tests/helpers.h"
#include "tests/session.h"

namespace {


// Runs the commands in-process and leaves the engine records for inspection.
void session(const std::string& commands) { run_in_process_session("xboard\n" + commands); }

TEST(ClockCommands, LevelStAndSdStoreMilliseconds) {
    session("level 40 5 0\n");
    EXPECT_EQ(time_control.moves_per_control, 40);
    EXPECT_EQ(time_control.base_ms, 300000);
    EXPECT_EQ(time_control.increment_ms, 0);
    EXPECT_EQ(time_control.mode, MOVES_PER_CONTROL_MODE);
    // "level" gives both clocks the new control at once.
    EXPECT_EQ(time_control.moves_left[0], 40);
    EXPECT_EQ(time_control.time_left_ms[1], 300000);

    session("level 0 2 12\n");
    EXPECT_EQ(time_control.base_ms, 120000);
    EXPECT_EQ(time_control.increment_ms, 12000);
    EXPECT_EQ(time_control.mode, WHOLE_GAME_MODE);

    session("level 40 0:30 0\n");  // minutes:seconds
    EXPECT_EQ(time_control.base_ms, 30000);
    EXPECT_EQ(time_control.mode, MOVES_PER_CONTROL_MODE);
    session("level 0 2:30 1\n");
    EXPECT_EQ(time_control.base_ms, 150000);
    EXPECT_EQ(time_control.increment_ms, 1000);
    session("level 0 0:10 0.1\n");  // a fractional increment
    EXPECT_EQ(time_control.base_ms, 10000);
    EXPECT_EQ(time_control.increment_ms, 100);

    session("st 10\n");
    EXPECT_EQ(time_control.fixed_ms, 10000);
    EXPECT_EQ(time_control.mode, FIXED_TIME_MODE);
    session("  sd 5\n");
    EXPECT_EQ(engine_state.depth_limit, 5);
}

TEST(ClockCommands, MissingNumbersKeepTheirFields) {
    session("level 40 5 3\nlevel 30\n");
    EXPECT_EQ(time_control.moves_per_control, 30);
    EXPECT_EQ(time_control.base_ms, 300000);  // kept, not scaled again
    EXPECT_EQ(time_control.increment_ms, 3000);
    session("st 7\nst\n");
    EXPECT_EQ(time_control.fixed_ms, 7000);
    EXPECT_EQ(time_control.mode, FIXED_TIME_MODE);
    session("sd 9\nsd\nsd x\n");
    EXPECT_EQ(engine_state.depth_limit, 9);
}

TEST(ClockCommands, TimeWritesTheEngineClock) {
    // The interface sends the engine's clock before the opponent's move, while the opponent
    // is still to move: it belongs to the engine's colour, not to the side to move.
    session("new\nlevel 0 1 0\ntime 6000\n");  // white to move, the engine plays black
    EXPECT_EQ(time_control.time_left_ms[BLACK], 60000);
    EXPECT_EQ(time_control.time_left_ms[WHITE], 60000);
    EXPECT_EQ(time_control.clock_from_interface[BLACK], 1);
    EXPECT_EQ(time_control.clock_from_interface[WHITE], 0);
    session("new\nlevel 0 1 0\ntime 500\n");
    EXPECT_EQ(time_control.time_left_ms[BLACK], 5000);
    EXPECT_EQ(time_control.time_left_ms[WHITE], 60000);
    // Playing no side, the engine takes it as the clock of the side to move.
    session("new\nforce\nusermove e2e4\ntime 500\n");
    EXPECT_EQ(time_control.time_left_ms[BLACK], 5000);
    session("new\nforce\ntime 700\n");
    EXPECT_EQ(time_control.time_left_ms[WHITE], 7000);
    // "new", "setboard" and "level" start both clocks afresh.
    for (const char* again : {"new\n", "setboard 4k3/8/8/8/8/8/8/4K2R w K -\n", "level 0 1 0\n"}) {
        session(std::string("new\nlevel 0 1 0\nforce\ntime 700\n") + again);
        EXPECT_EQ(time_control.time_left_ms[WHITE], 60000) << again;
        EXPECT_EQ(time_control.clock_from_interface[WHITE], 0) << again;
    }
}

TEST(TimeControl, FixedTimeAndWholeGameBudgets) {
    time_control = {};
    EXPECT_EQ(time_budget(1), 0);  // nothing set: the deadline is now
    const int32_t now = clock_ms();
    const int32_t deadline = move_deadline(1);
    EXPECT_GE(deadline, now);
    EXPECT_LE(deadline, clock_ms());

    // A fixed time per move leaves a margin for the move to reach the interface in time:
    // 5%, at least 50 ms, at most half of it.
    time_control.mode = FIXED_TIME_MODE;
    const int32_t fixed[5] = {10000, 1000, 500, 60, 0};
    const int32_t searched[5] = {9500, 950, 450, 30, 0};
    for (int i = 0; i < 5; ++i) {
        time_control.fixed_ms = fixed[i];
        EXPECT_EQ(time_budget(1), searched[i]) << fixed[i];
    }

    // Sudden death: 2.5% of the clock for every move, however long the game.
    time_control.mode = WHOLE_GAME_MODE;
    time_control.time_left_ms[0] = 60000;
    for (int32_t count : {0, 50, 51, 90, 91, 300}) {
        game_move_count = count;
        EXPECT_EQ(time_budget(0), 1500) << count;
    }
    game_move_count = 0;
}

int32_t mode1_budget(int32_t moves_left, int32_t time_left) {
    time_control = {};
    time_control.mode = MOVES_PER_CONTROL_MODE;
    time_control.moves_per_control = 40;
    time_control.moves_left[1] = moves_left;
    time_control.time_left_ms[1] = time_left;
    return time_budget(1);
}

TEST(TimeControl, MovesPerControlBudgets) {
    EXPECT_EQ(mode1_budget(40, 300000), 8625);
    EXPECT_EQ(mode1_budget(7, 70000), 11500);   // p = 17.5: the 1.15 rule
    EXPECT_EQ(mode1_budget(6, 60000), 8000);    // p = 15.0: not above, 0.8 rule
    EXPECT_EQ(mode1_budget(2, 10000), 3000);
    EXPECT_EQ(mode1_budget(2, 3000), 750);
    EXPECT_EQ(mode1_budget(0, 3000), 1500);     // no moves left counts as one
    EXPECT_EQ(mode1_budget(-3, 10000), 6000);
}

TEST(TimeControl, UpdateClock) {
    time_control = {};
    time_control.mode = MOVES_PER_CONTROL_MODE;
    time_control.moves_per_control = 40;
    time_control.base_ms = 300000;
    time_control.increment_ms = 1000;
    time_control.moves_left[0] = 1;
    time_control.time_left_ms[0] = 2000;
    update_clock(0, 1500);  // last move of the control: the next control begins first
    EXPECT_EQ(time_control.moves_left[0], 40);
    EXPECT_EQ(time_control.time_left_ms[0], 2000 + 1000 + 300000 - 1500);

    time_control.moves_left[0] = 10;
    time_control.time_left_ms[0] = 1000;
    update_clock(0, 5000);  // overspent: the clock starts again from the base time
    EXPECT_EQ(time_control.moves_left[0], 9);
    EXPECT_EQ(time_control.time_left_ms[0], 300000);

    time_control.mode = WHOLE_GAME_MODE;
    time_control.moves_left[1] = 0;
    time_control.time_left_ms[1] = 50000;
    update_clock(1, 2000);
    EXPECT_EQ(time_control.moves_left[1], -1);  // keeps decreasing, never used
    EXPECT_EQ(time_control.time_left_ms[1], 49000);
}

// The UCI clock: a share of the time left plus three quarters of the increment, the move
// overhead kept back from every budget, and a hard limit that leaves the clock what the next
// moves need.
TEST(UciClock, BudgetsOfGo) {
    ASSERT_TRUE(setup(START_FEN));
    uci_options.move_overhead_ms = 30;
    struct Case {
        const char* go;
        int32_t hard, soft;
    };
    const Case cases[] = {
        {"movetime 1000", 970, 0},
        {"movetime 20", 0, 0},
        // (10000 - 30) / 30 + 750 = 1082: three times that at most, new iterations for half.
        {"wtime 10000 btime 10000 winc 1000 binc 1000", 3246, 541},
        {"wtime 10000 btime 10000", 996, 166},  // 332 ms a move, no increment
        {"btime 10000 wtime 1000", 96, 16},     // white's clock, not black's
        {"wtime 1000 movestogo 1", 873, 436},   // the last move of a control leaves a tenth
        {"wtime 100000 movestogo 100", 7497, 1249},  // a long control is planned as 40 moves
        {"wtime 10 winc 100", 0, 1},            // nothing left: the increment cannot be spent
        {"wtime 300 winc 100", 90, 42},         // a third of the clock, not three shares
    };
    for (const Case& c : cases) {
        const SearchLimits limits = limits_of_go(c.go);
        EXPECT_EQ(limits.budget_ms, c.hard) << c.go;
        EXPECT_EQ(limits.soft_budget_ms, c.soft) << c.go;
        EXPECT_FALSE(limits.infinite) << c.go;
    }
    uci_options.move_overhead_ms = 0;
    EXPECT_EQ(limits_of_go("movetime 1000").budget_ms, 1000);
    EXPECT_TRUE(limits_of_go("").infinite);
    EXPECT_FALSE(limits_of_go("depth 3").infinite);
    uci_options.move_overhead_ms = DEFAULT_MOVE_OVERHEAD_MS;
}

TEST(MoveText, ToText) {
    char text[6];
    move_to_text(encode_move(sq("e2"), sq("e4"), 0, 0, PAWN, 0), text);
    EXPECT_STREQ(text, "e2e4");
    move_to_text(encode_move(sq("b2"), sq("a1"), ROOK, 0, PAWN, QUEEN), text);
    EXPECT_STREQ(text, "b2a1q");
    move_to_text(encode_move(sq("a7"), sq("a8"), 0, 0, PAWN, KNIGHT), text);
    EXPECT_STREQ(text, "a7a8n");
    move_to_text(WHITE_CASTLE_KING_SIDE, text);
    EXPECT_STREQ(text, "e1g1");
    move_to_text(BLACK_CASTLE_QUEEN_SIDE, text);
    EXPECT_STREQ(text, "e8c8");
}

TEST(MoveText, FromTextInTheStartPosition) {
    ASSERT_TRUE(setup(START_FEN));
    Move m = text_to_move("e2e4", 1);
    EXPECT_EQ(m, encode_move(sq("e2"), sq("e4"), 0, 0, PAWN, 0));
    EXPECT_EQ(move_piece(text_to_move("g1f3", 1)), KNIGHT);
    EXPECT_EQ(text_to_move("e2e4\n", 1), m);
    EXPECT_EQ(text_to_move("e2e5", 1), encode_move(sq("e2"), sq("e5"), 0, 0, PAWN, 0));
    EXPECT_EQ(move_promotion(text_to_move("e2e4q", 1)), QUEEN);  // letters are not checked here
    // A square is a file letter a..h and a rank digit 1..8, nothing else: "i2" is no a1 and
    // "E2" no square of another rank.
    for (const char* refused : {"e7e5", "e1e2", "e2e4Q", "e2e4k", "e2e9", "e2e", "", "e2",
                                "e0e4", "\xe5" "2e4", "i2e4", "`2e4", "E2E4", "e2E4"})
        EXPECT_EQ(text_to_move(refused, 1), 0u) << refused;
    EXPECT_EQ(move_special(text_to_move("e1g1", 1)), 0);  // castling text is a plain king move
}

TEST(MoveText, EnPassantAndPromotionOnH1) {
    ASSERT_TRUE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - d5"));
    Move m = text_to_move("e5d6", 1);
    EXPECT_EQ(move_captured(m), PAWN);
    EXPECT_EQ(move_special(m), SPECIAL_EN_PASSANT);
    ASSERT_TRUE(setup("4k3/8/8/8/8/8/7p/K7 b - -"));
    m = text_to_move("h2h1q", 1);
    EXPECT_EQ(move_captured(m), 0);
    EXPECT_EQ(move_special(m), 0);
    EXPECT_EQ(move_promotion(m), QUEEN);
}

}  // namespace
