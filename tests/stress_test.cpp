// Long and many games: random legal games in force mode with the position checked and every
// move's make/unmake round trip after each ply, and the engine playing itself through the
// protocol until every game ends in a result line or a resignation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "search/search.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/stepped_session.h"

namespace {


// Makes and unmakes every generated move of the game position: the position stays
// consistent after each make and is restored exactly by each unmake. Returns the first
// move that fails, or 0.
Move first_round_trip_failure() {
    Move list[MAX_MOVES];
    int count = generate_captures(list, 0);
    count += generate_quiet_moves(list + count, 0);
    const PositionSnapshot before = snapshot();
    for (int i = 0; i < count; ++i) {
        if (make_move(list[i], 1)) {
            if (!check_position()) return list[i];
            unmake_move(list[i]);
        }
        if (!same_as(before)) return list[i];
    }
    return 0;
}

// Random legal games through "usermove" in force mode. Most are short; every fourth runs on
// (kings shuffling once the material is gone) past a thousand plies, so the game record is
// compacted many times over.
TEST(Stress, RandomLegalGamesInForceMode) {
    const int games = sanitized() ? 160 : 400;
    std::mt19937 random(20240601);
    SteppedSession session(5);
    int total_plies = 0, long_games = 0, mates = 0;
    for (int game = 0; game < games; ++game) {
        ASSERT_EQ(session.send("new\nforce\n"), "");
        const int cap = game % 4 == 0 ? 1100 + game : 150;
        int plies = 0;
        for (; plies < cap; ++plies) {
            const std::vector<Move> legal = legal_moves();
            if (legal.empty()) {
                ++mates;
                break;
            }
            const Move move = legal[random() % legal.size()];
            const std::string text = text_of(move);
            const int count_before = game_move_count;
            // Force mode: an accepted move gets no reply.
            ASSERT_EQ(session.send("usermove " + text + "\n"), "") << "game " << game << " ply " << plies;
            ASSERT_TRUE(game_move_count == count_before + 1 || game_move_count < count_before)
                << "game " << game << " ply " << plies << " " << text;
            ASSERT_LE(game_move_count, GAME_MOVES_SIZE - 64);
            ASSERT_EQ(check_position(), 1) << "game " << game << " ply " << plies << " " << text;
            ASSERT_EQ(first_round_trip_failure(), 0u) << "game " << game << " ply " << plies;
            ASSERT_LE(repetition_count(0), 128);
        }
        total_plies += plies;
        if (plies > 1000) {
            ++long_games;
            EXPECT_LT(game_move_count, plies);  // the record was compacted on the way
        }
    }
    EXPECT_GE(long_games, games / 12);  // the long games are not all cut short by mate
    EXPECT_GE(total_plies, games * 200);
    RecordProperty("plies", total_plies);
    RecordProperty("mates", mates);
}

bool is_result_line(const std::string& line) {
    static const char* const results[] = {
        "1-0 {Black mated}",           "0-1 {White mated}",
        "1/2-1/2 {Stalemate}",         "1/2-1/2 {Draw by repetinion}",
        "1/2-1/2 {Draw by repetition}", "1/2-1/2 {50 moves rule}",
        "1/2-1/2 {Material}",          "resign",
    };
    for (const char* r : results)
        if (line == r) return true;
    return false;
}

// The engine plays both sides at a tiny depth from varied openings: each "go" makes it play
// the side to move. Every move it prints is legal in the position it was played from, and
// every game ends with one of the result lines or "resign".
TEST(Stress, EnginePlaysItselfToTheEnd) {
    const int games = sanitized() ? 16 : 36;
    std::mt19937 random(77);
    for (int game = 0; game < games; ++game) {
        SteppedSession session(50);
        std::string opening = "new\nforce\n";
        ASSERT_EQ(session.send(opening), "");
        // A few random opening moves so that the games differ.
        for (int ply = 0, plies = 2 + game % 6; ply < plies; ++ply) {
            const std::vector<Move> legal = legal_moves();
            ASSERT_FALSE(legal.empty());
            ASSERT_EQ(session.send("usermove " + text_of(legal[random() % legal.size()]) + "\n"), "");
        }
        ASSERT_EQ(session.send("sd 2\nst 5\n"), "");

        std::string result;
        int moves = 0;
        while (result.empty()) {
            ASSERT_LT(moves, 3000) << "game " << game << " never ended";
            std::vector<std::string> legal_texts;
            for (Move m : legal_moves()) legal_texts.push_back(text_of(m));
            std::istringstream said(session.send("go\n"));
            std::string line;
            bool moved = false;
            while (std::getline(said, line)) {
                if (line.rfind("move ", 0) == 0) {
                    ASSERT_FALSE(moved) << "two moves for one go";
                    const std::string text = line.substr(5);
                    ASSERT_NE(std::find(legal_texts.begin(), legal_texts.end(), text), legal_texts.end())
                        << "game " << game << ": illegal move " << text;
                    moved = true;
                    ++moves;
                } else if (is_result_line(line)) {
                    result = line;
                } else {
                    // Thinking lines: depth-one searches begin with the number of moves shown.
                    ASSERT_TRUE(!line.empty() && line[0] >= '0' && line[0] <= '9')
                        << "game " << game << ": unexpected line " << line;
                }
            }
            ASSERT_TRUE(moved || !result.empty()) << "game " << game << ": no move and no result";
        }
        // Whatever ended the game, the engine stays for the next one.
        ASSERT_FALSE(session.ended()) << result;
        ASSERT_EQ(check_position(), 1);
    }
}

}  // namespace
