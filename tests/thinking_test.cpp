// The thinking driver seen through sessions: the thinking line (its fields, its principal
// variation, its two bracket forms), the depths the iterations run at, and the move played
// when the clock stops the first iteration.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "xboard/xboard.h"
#include "search/search.h"
#include "tests/game_replay.h"
#include "tests/session.h"

namespace {

std::vector<std::string> thinking_lines(const std::string& output) {
    std::vector<std::string> lines;
    for (const std::string& line : output_lines(output))
        if (!line.empty() && line.back() == ']') lines.push_back(line);
    return lines;
}

// A thinking line taken apart: four numbers, the moves, and the bracketed figures.
struct ThinkingLine {
    long shown = 0, score = 0, centiseconds = 0, nodes = 0;
    std::vector<std::string> moves;
    std::string per_second, null_share;  // as printed; null_share empty in the short form
    size_t fields = 0;
};

bool is_number(const std::string& w, bool sign) {
    size_t i = sign && !w.empty() && w[0] == '-' ? 1 : 0;
    if (i == w.size()) return false;
    for (; i < w.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(w[i]))) return false;
    return true;
}

// A figure printed with "%.2f" (never negative here).
bool is_figure(const std::string& w) {
    const size_t dot = w.find('.');
    return dot != std::string::npos && dot + 3 == w.size() && is_number(w.substr(0, dot), false) &&
           is_number(w.substr(dot + 1), false);
}

bool is_move_text(const std::string& w) {
    return (w.size() == 4 || (w.size() == 5 && std::string("nbrq").find(w[4]) != std::string::npos)) &&
           w[0] >= 'a' && w[0] <= 'h' && w[1] >= '1' && w[1] <= '8' && w[2] >= 'a' && w[2] <= 'h' &&
           w[3] >= '1' && w[3] <= '8';
}

// Parses "%d %d %d %d " + moves ("%s " each) + "[%.2f]" or "[%.2f, %.2f]"; false when the
// line has any other shape.
bool parse_thinking_line(const std::string& line, ThinkingLine& t) {
    std::vector<std::string> w;
    std::istringstream words(line);
    for (std::string word; words >> word;) w.push_back(word);
    t.fields = w.size();
    // Single blanks only, and no blank at the end.
    std::string joined;
    for (const std::string& word : w) joined += (joined.empty() ? "" : " ") + word;
    if (joined != line || w.size() < 5) return false;
    if (!is_number(w[0], false) || !is_number(w[1], true) || !is_number(w[2], false) ||
        !is_number(w[3], false))
        return false;
    t.shown = std::stol(w[0]);
    t.score = std::stol(w[1]);
    t.centiseconds = std::stol(w[2]);
    t.nodes = std::stol(w[3]);
    size_t i = 4;
    for (; i < w.size() && is_move_text(w[i]); ++i) t.moves.push_back(w[i]);
    if (i + 1 == w.size()) {  // "[figure]"
        const std::string& b = w[i];
        if (b.size() < 3 || b.front() != '[' || b.back() != ']') return false;
        t.per_second = b.substr(1, b.size() - 2);
        return is_figure(t.per_second);
    }
    if (i + 2 == w.size()) {  // "[figure," "figure]"
        const std::string &a = w[i], &b = w[i + 1];
        if (a.size() < 3 || a.front() != '[' || a.back() != ',' || b.size() < 2 || b.back() != ']')
            return false;
        t.per_second = a.substr(1, a.size() - 2);
        t.null_share = b.substr(0, b.size() - 1);
        return is_figure(t.per_second) && is_figure(t.null_share);
    }
    return false;
}

struct Session {
    const char* fen;                   // the game's start
    std::vector<std::string> before;   // the moves before the engine's turn
    std::string input;
    size_t iterations;                 // thinking lines expected
};

TEST(Thinking, LineFormat) {
    // moves shown, score, centiseconds, nodes, the moves, then nodes per second alone or with
    // the share of null-move searches that cut off.
    const Session sessions[] = {
        // After "new" the first iteration is depth 2; "sd 5" runs depths 2, 3 and 4.
        {START_FEN, {}, "xboard\nnew\nst 600\nsd 5\ngo\nquit\n", 3},
        // After an opponent move the first iteration is depth 3.
        {START_FEN, {"e2e4"}, "xboard\nnew\nst 600\nsd 5\nusermove e2e4\nquit\n", 2},
        // No side has two pieces, so no null move is ever tried: the short bracket.
        {"8/4P3/8/8/8/8/k7/4K3 w - -", {},
         "xboard\nnew\nst 600\nsd 4\nsetboard 8/4P3/8/8/8/8/k7/4K3 w - -\ngo\nquit\n", 2},
    };
    bool short_form = false, long_form = false;
    for (const Session& s : sessions) {
        auto r = run_binary_session(s.input);
        auto lines = thinking_lines(r.output);
        EXPECT_EQ(lines.size(), s.iterations) << r.output;
        for (const std::string& line : lines) {
            ThinkingLine t;
            ASSERT_TRUE(parse_thinking_line(line, t)) << line;
            // The first field counts the moves shown.
            EXPECT_EQ(long(t.moves.size()), t.shown) << line;
            EXPECT_GE(t.shown, 1) << line;
            EXPECT_EQ(t.fields, 4 + t.moves.size() + (t.null_share.empty() ? 1 : 2)) << line;

            // The principal variation is a legal line from the position searched.
            std::vector<std::string> game = s.before;
            game.insert(game.end(), t.moves.begin(), t.moves.end());
            EXPECT_EQ(first_illegal(s.fen, game), -1) << line;

            // Nodes per second from the printed figures; 0 centiseconds count as 1.
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.2f",
                          t.nodes * 100.0 / std::max(t.centiseconds, 1L));
            EXPECT_EQ(t.per_second, expected) << line;
            if (t.null_share.empty()) {
                short_form = true;
            } else {
                long_form = true;
                EXPECT_LE(std::stod(t.null_share), 100.0) << line;
            }
        }
        // The move played is the head of the last line.
        auto moves = engine_moves(r.output);
        ASSERT_EQ(moves.size(), 1u) << r.output;
        ASSERT_FALSE(lines.empty());
        ThinkingLine last;
        ASSERT_TRUE(parse_thinking_line(lines.back(), last));
        EXPECT_EQ(last.moves.front(), moves[0]) << r.output;
    }
    EXPECT_TRUE(short_form);
    EXPECT_TRUE(long_form);
}

// The number of iterations a turn runs, and the depth the last one reached.
TEST(Thinking, IterationDepths) {
    struct Case {
        std::string input;
        size_t iterations;
        int last_depth;
    };
    const Case cases[] = {
        // "sd 3" after an opponent move: the first depth (3) is lowered to 2, and played.
        {"new\nst 600\nsd 3\nusermove e2e4\n", 1, 2},
        // "sd 1": a single iteration at depth 1.
        {"new\nst 600\nsd 1\ngo\n", 1, 1},
        // "sd 0" and below still run that one iteration.
        {"new\nst 600\nsd -4\ngo\n", 1, 1},
        // Two legal moves and no check: the first iteration is one ply deeper (3, then 4).
        {"new\nst 600\nsd 5\nsetboard k1B5/8/8/8/8/8/7P/7K b - -\ngo\n", 2, 4},
    };
    for (const Case& c : cases) {
        auto r = run_in_process_session("xboard\n" + c.input);
        EXPECT_EQ(thinking_lines(r.output).size(), c.iterations) << c.input;
        EXPECT_EQ(engine_moves(r.output).size(), 1u) << c.input << r.output;
        EXPECT_EQ(iteration_depth, c.last_depth) << c.input;
        EXPECT_EQ(r.output.find("resign"), std::string::npos) << c.input;
    }
}

TEST(Thinking, ClockStoppedFirstIterationPlaysTheHeadOfTheRootList) {
    // No time at all ("st" never given) and a deep first iteration: the clock stops it
    // before it completes, and the engine plays the move the root search had put first.
    run_in_process_session("xboard\nnew\nforce\nusermove e2e4\nusermove e7e5\n");
    engine_state.engine_side = side_to_move;
    iteration_depth = 12;
    char* data = nullptr;
    size_t size = 0;
    protocol_out = open_memstream(&data, &size);
    engine_turn();
    std::fclose(protocol_out);
    protocol_out = stdout;
    const std::string output(data, size);
    std::free(data);

    char head[6];
    move_to_text(root_moves[0], head);
    EXPECT_EQ(output, std::string("move ") + head + "\n");  // no thinking line, no "resign"
    EXPECT_EQ(first_illegal(START_FEN, {"e2e4", "e7e5", head}), -1) << head;
    EXPECT_EQ(time_control.moves_left[WHITE], -1);  // the clock was kept for the move
}

}  // namespace
