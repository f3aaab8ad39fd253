// UCI sessions against the real bitrook-uci binary: the handshake, commands answered while a
// search runs, the limits of "go", the same search as the xboard engine's, refused input,
// games that are over, and mate scores.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/game_replay.h"
#include "tests/session.h"

namespace {

std::vector<std::string> words_of(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Index of the first line that starts with `start`, or -1.
int find_line(const std::vector<std::string>& lines, const std::string& start) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(start, 0) == 0) return int(i);
    return -1;
}

// What a completed iteration reports, in the form both front ends share.
struct Iteration {
    std::string score, nodes, pv;
    bool operator==(const Iteration&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Iteration& i) {
    return out << "score " << i.score << " nodes " << i.nodes << " pv " << i.pv;
}

// "info depth D score cp S nodes N nps X time T pv ...": the score, nodes and line (of the
// lines with a score in centipawns).
std::vector<Iteration> uci_iterations(const std::string& output) {
    std::vector<Iteration> iterations;
    for (const std::string& line : output_lines(output)) {
        const std::vector<std::string> w = words_of(line);
        if (w.size() < 13 || w[0] != "info" || w[3] != "score" || w[4] != "cp") continue;
        Iteration it{w[5], w[7], ""};
        for (size_t k = 13; k < w.size(); ++k) it.pv += (k > 13 ? " " : "") + w[k];
        iterations.push_back(it);
    }
    return iterations;
}

// "PLIES SCORE CS NODES PV... [RATES]": the same three values.
std::vector<Iteration> xboard_iterations(const std::string& output) {
    std::vector<Iteration> iterations;
    for (const std::string& line : output_lines(output)) {
        const std::vector<std::string> w = words_of(line);
        if (w.size() < 5 || w.back().back() != ']') continue;
        Iteration it{w[1], w[3], ""};
        for (size_t k = 4; k < w.size() && w[k][0] != '['; ++k)
            it.pv += (k > 4 ? " " : "") + w[k];
        iterations.push_back(it);
    }
    return iterations;
}

// The move of the first "bestmove" line (without the reply it expects).
std::string bestmove_of(const std::string& output) {
    const std::vector<std::string> lines = output_lines(output);
    const int at = find_line(lines, "bestmove ");
    return at < 0 ? "" : words_of(lines[at])[1];
}

// Drops the figures that depend on the clock ("nps X time T").
std::string without_times(const std::string& output) {
    std::string kept;
    for (const std::string& line : output_lines(output)) {
        std::vector<std::string> w = words_of(line);
        std::string out;
        for (size_t k = 0; k < w.size(); ++k) {
            if ((w[k] == "nps" || w[k] == "time") && k + 1 < w.size()) {
                ++k;
                continue;
            }
            out += (out.empty() ? "" : " ") + w[k];
        }
        kept += out + "\n";
    }
    return kept;
}

TEST(UciSession, HandshakeBlanksAndUnknownWords) {
    const std::string id = "id name bitrook\nid author the bitrook developers\n"
                           "option name Threads type spin default 1 min 1 max 1\n"
                           "option name Hash type spin default 16 min 0 max 65536\n"
                           "option name Clear Hash type button\n"
                           "option name Move Overhead type spin default 30 min 0 max 5000\n"
                           "option name MultiPV type spin default 1 min 1 max 64\n"
                           "option name Ponder type check default false\nuciok\n";
    auto r = run_uci_session(
        "uci\nsetoption name Threads value 1\nsetoption name Hash value 64\n  isready  \r\n"
        "foo bar\n\n\t\ndebug on\nstop\nUCI\n \tuci\t\nquit\nisready\n");
    EXPECT_EQ(r.output, id + "readyok\n" + id);
    EXPECT_EQ(r.status, 0);
    // No position yet: nothing to search.
    EXPECT_EQ(run_uci_session("go depth 3\n").output, "bestmove 0000\n");
}

// Option values at and past their edges: each refused one says why and leaves the option as
// it was; the engine answers "isready" after every one of them.
TEST(UciSession, OptionEdges) {
    const std::string hash_refused =
        "info string Hash takes a number of megabytes from 0 to 65536: unchanged\n";
    auto r = run_uci_session(
        "setoption name Hash value -1\nisready\nsetoption name Hash value x\nisready\n"
        "setoption name Hash\nisready\nsetoption name Hash value 65537\nisready\n"
        "setoption name Move Overhead value 5001\nisready\nsetoption name Threads value 2\n"
        "isready\nsetoption name Contempt value 10\nisready\nsetoption value 3\nisready\n"
        "setoption name MultiPV value 0\nisready\nsetoption name Ponder value maybe\nisready\n"
        "setoption name ponder value TRUE\nsetoption name MultiPV value 64\n"
        "setoption name clear hash\nSETOPTION NAME HASH VALUE 1\nsetoption name HASH value 0\n"
        "isready\n");
    EXPECT_EQ(r.output,
              hash_refused + "readyok\n" + hash_refused + "readyok\n" + hash_refused + "readyok\n" +
                  hash_refused + "readyok\n" +
                  "info string Move Overhead takes milliseconds from 0 to 5000: unchanged\nreadyok\n"
                  "info string Threads can only be 1: the engine searches on one thread\nreadyok\n"
                  "info string no option named Contempt\nreadyok\n"
                  "info string setoption needs a name: line ignored\nreadyok\n"
                  "info string MultiPV takes a number of lines from 1 to 64: unchanged\nreadyok\n"
                  "info string Ponder takes true or false: unchanged\nreadyok\nreadyok\n");
    EXPECT_EQ(r.status, 0);

    // The largest table: allocated where the machine has the memory, else refused with the
    // table kept; either way the engine goes on and searches with it.
    r = run_uci_session("setoption name Hash value 65536\nisready\nposition startpos\ngo depth 3\n");
    const std::vector<std::string> lines = output_lines(r.output);
    ASSERT_GE(lines.size(), 2u) << r.output;
    const bool refused = lines[0] == "info string not enough memory for a 65536 MB table: it stays at 16 MB";
    EXPECT_EQ(lines[refused ? 1 : 0], "readyok") << r.output;
    EXPECT_EQ(bestmove_of(r.output).size(), 4u) << r.output;

    // With Hash 0 there is no table and no "hashfull" figure; with one, every line has it (the
    // second search of the same position starts at the depth the first reached).
    r = run_uci_session("setoption name Hash value 0\nposition startpos\ngo depth 3\n"
                        "setoption name Hash value 1\ngo depth 3\n");
    EXPECT_EQ(without_times(r.output),
              "info depth 2 score cp 0 nodes 150 pv e2e4 e7e5\n"
              "info depth 3 score cp 38 nodes 720 pv d2d4 d7d5 e2e3\nbestmove d2d4 ponder d7d5\n"
              "info depth 3 score cp 38 nodes 334 hashfull 0 pv d2d4 d7d5 e2e3\n"
              "bestmove d2d4 ponder d7d5\n");
}

TEST(UciSession, IsreadyStopAndQuitDuringASearch) {
    auto r = run_paced_uci_session({{"position startpos\ngo infinite\n", 0.5},
                                    {"isready\n", 0.5},
                                    {"stop\n", 0.3},
                                    {"isready\n", 0.1}},
                                   30);
    const std::vector<std::string> lines = output_lines(r.output);
    const int first_info = find_line(lines, "info depth ");
    const int ready = find_line(lines, "readyok");
    const int best = find_line(lines, "bestmove ");
    ASSERT_GE(first_info, 0) << r.output;
    EXPECT_LT(first_info, ready) << r.output;  // the search ran when "isready" came...
    EXPECT_LT(ready, best) << r.output;        // ...and went on until "stop"
    EXPECT_EQ(lines.back(), "readyok") << r.output;
    EXPECT_EQ(r.status, 0);

    // "quit" ends the program in the middle of a search, its input still open.
    r = run_paced_uci_session({{"position startpos\ngo infinite\n", 0.3}, {"quit\n", 2.5}}, 2);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(bestmove_of(r.output), "") << r.output;

    // A "go infinite" whose iterations end (a mate is found) answers only at "stop".
    r = run_paced_uci_session({{"setoption name Hash value 0\nposition fen 7k/8/6K1/8/8/8/8/1Q6 w - -\n"
                                "go infinite\n", 0.5},
                               {"isready\n", 0.3},
                               {"stop\n", 0.1}},
                              30);
    EXPECT_EQ(without_times(r.output),
              "info depth 2 score mate 1 nodes 230 pv b1b8\nreadyok\nbestmove b1b8\n");
}

TEST(UciSession, MovetimeAndNodesEndTheSearch) {
    // The input ends at once: a search with a limit of its own still runs to it.
    auto r = run_uci_session("position startpos\ngo movetime 300\n", 30);
    EXPECT_NE(find_line(output_lines(r.output), "info depth 5 "), -1) << r.output;
    EXPECT_EQ(bestmove_of(r.output).size(), 4u) << r.output;

    // Iteration 5 takes 14595 nodes, iteration 6 75228: 20000 stops the sixth.
    r = run_uci_session("setoption name Hash value 0\nposition startpos\ngo nodes 20000\n", 30);
    const std::vector<Iteration> done = uci_iterations(r.output);
    ASSERT_FALSE(done.empty()) << r.output;
    EXPECT_EQ(done.back().nodes, "14595") << r.output;
    EXPECT_EQ(bestmove_of(r.output), "d2d4");

    // A depth of 0 or less searches one ply (a negative number is a number, not a gap).
    r = run_uci_session("setoption name Hash value 0\nposition startpos\ngo depth -1\n", 30);
    EXPECT_EQ(without_times(r.output),
              "info depth 1 score cp 57 nodes 44 pv e2e4\nbestmove e2e4\n");
}

// At Hash 0, "go depth N" is the xboard engine's "sd N+1": the same iterations with the same
// scores, nodes and lines, for a position set up with moves and again after the engine's
// answer and a reply, when the thinking carries over from the last search.
TEST(UciSession, DepthSearchesAsTheXboardEngine) {
    struct Case {
        const char* fen;    // nullptr: the start position
        const char* moves;  // played before the first search
    };
    const Case cases[] = {
        // Black to move can repeat the start position a third time: the search sees it.
        {nullptr, "g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1"},
        {"r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4", "e1g1 f8c5"},
    };
    for (const Case& c : cases) {
        const std::string setup = c.fen ? std::string("setboard ") + c.fen + "\n" : "new\n";
        std::string xboard = "xboard\n" + setup + "force\n";
        for (const std::string& m : words_of(c.moves)) xboard += "usermove " + m + "\n";
        xboard += "post\nst 100000\nsd 6\ngo\n";
        const std::string first = run_binary_session(xboard).output;
        const std::vector<Iteration> first_lines = xboard_iterations(first);
        ASSERT_FALSE(first_lines.empty()) << first;
        // The engine's move and the reply it expected.
        const std::vector<std::string> line = words_of(first_lines.back().pv);
        ASSERT_GE(line.size(), 2u) << first;
        const std::string reply = line[1];
        const std::string both = run_binary_session(xboard + "usermove " + reply + "\n").output;

        const std::string position = std::string("position ") +
                                     (c.fen ? std::string("fen ") + c.fen : "startpos") +
                                     " moves " + c.moves;
        const std::string uci = run_uci_session("setoption name Hash value 0\n" + position +
                                                "\ngo depth 5\n" + position + " " +
                                                line[0] + " " + reply + "\ngo depth 5\n")
                                    .output;
        EXPECT_EQ(uci_iterations(uci), xboard_iterations(both)) << uci << both;
        EXPECT_EQ(bestmove_of(uci), line[0]) << uci;
    }
}

TEST(UciSession, RefusedFenAndMoves) {
    EXPECT_EQ(run_uci_session("position fen 8/8/8/8/8/8/8/8 w - -\ngo depth 2\n").output,
              "info string refused fen 8/8/8/8/8/8/8/8 w - -: no position until a valid one\n"
              "bestmove 0000\n");

    // The session says `message`, then searches exactly as the reference session does.
    const auto expect_as = [](const std::string& input, const std::string& message,
                              const std::string& reference) {
        EXPECT_EQ(without_times(run_uci_session(input).output),
                  message + without_times(run_uci_session(reference).output))
            << input;
    };
    // A refused move keeps the position the moves before it gave, and the rest of the line
    // is not played.
    expect_as("position startpos moves e2e4 e7e5 e1e3 g1f3\ngo depth 4\n",
              "info string refused move e1e3: the position stays after the moves before it\n",
              "position startpos moves e2e4 e7e5\ngo depth 4\n");
    // A line without startpos or fen changes nothing.
    expect_as("position startpos moves e2e4\nposition moves e2e4 e7e5\ngo depth 4\n",
              "info string position needs startpos or fen: line ignored\n",
              "position startpos moves e2e4\ngo depth 4\n");
}

// The interface ends the game under UCI: no result is announced and nothing is resigned; a
// side with no legal move answers "bestmove 0000".
TEST(UciSession, GamesThatAreOver) {
    const char* no_move[] = {
        "position fen 7k/6Q1/6K1/8/8/8/8/8 b - -\n",  // mated
        "position fen 7k/5Q2/6K1/8/8/8/8/8 b - -\n",  // stalemate
    };
    for (const char* position : no_move)
        EXPECT_EQ(run_uci_session(std::string(position) + "go depth 3\n").output,
                  "bestmove 0000\n")
            << position;
    const char* playing_on[] = {
        // The start position for the third time, bare kings, and a lost position.
        "position startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1 f6g8\n",
        "position fen 8/8/4k3/8/8/3K4/8/8 w - -\n",
        "position fen 6k1/8/8/8/8/8/8/1Q4KR b - -\n",
    };
    for (const char* position : playing_on) {
        const std::string out = run_uci_session(std::string(position) + "go depth 3\n").output;
        EXPECT_EQ(bestmove_of(out).size(), 4u) << position << out;
        EXPECT_EQ(out.find("1/2-1/2"), std::string::npos) << out;
        EXPECT_EQ(out.find("resign"), std::string::npos) << out;
    }
}

TEST(UciSession, MateScoresInMoves) {
    auto r = run_uci_session("position fen k7/8/2K5/8/8/8/8/6R1 w - -\ngo depth 6\n");
    EXPECT_NE(r.output.find(" score mate 2 "), std::string::npos) << r.output;
    r = run_uci_session("position fen 7k/8/6K1/p7/8/8/8/1Q6 b - -\ngo depth 4\n");
    EXPECT_NE(r.output.find(" score mate -1 "), std::string::npos) << r.output;
}

// "info depth D multipv I score (cp S | mate M) ... pv MOVES": the lines of a MultiPV search.
struct PvLine {
    int depth = 0, index = 0;
    std::string score;  // "cp 12" or "mate 1"
    std::vector<std::string> moves;
};
std::vector<PvLine> pv_lines(const std::string& output) {
    std::vector<PvLine> lines;
    for (const std::string& line : output_lines(output)) {
        const std::vector<std::string> w = words_of(line);
        if (w.size() < 8 || w[0] != "info" || w[3] != "multipv") continue;
        PvLine l;
        l.depth = std::stoi(w[2]);
        l.index = std::stoi(w[4]);
        l.score = w[6] + " " + w[7];
        size_t k = 0;
        while (k < w.size() && w[k] != "pv") ++k;
        l.moves.assign(w.begin() + long(std::min(k + 1, w.size())), w.end());
        lines.push_back(l);
    }
    return lines;
}

// A score in centipawns for ordering, mates far beyond any other.
int order_of(const std::string& score) {
    const int n = std::stoi(score.substr(score.find(' ') + 1));
    if (score[0] == 'c') return n;
    return n > 0 ? 100000 - n : -100000 - n;
}

TEST(UciSession, MultiPvLines) {
    // Three lines an iteration, numbered 1 to 3, best first, each with its own first move;
    // the answer is the first line's move.
    auto r = run_uci_session("setoption name MultiPV value 3\nposition startpos moves e2e4 e7e5\n"
                             "go depth 5\n");
    std::vector<PvLine> lines = pv_lines(r.output);
    ASSERT_EQ(lines.size() % 3, 0u) << r.output;
    ASSERT_GE(lines.size(), 6u) << r.output;
    for (size_t i = 0; i < lines.size(); i += 3) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(lines[i + k].index, k + 1) << r.output;
            EXPECT_EQ(lines[i + k].depth, lines[i].depth) << r.output;
            ASSERT_FALSE(lines[i + k].moves.empty()) << r.output;
        }
        EXPECT_GE(order_of(lines[i].score), order_of(lines[i + 1].score)) << r.output;
        EXPECT_GE(order_of(lines[i + 1].score), order_of(lines[i + 2].score)) << r.output;
        EXPECT_NE(lines[i].moves[0], lines[i + 1].moves[0]) << r.output;
        EXPECT_NE(lines[i].moves[0], lines[i + 2].moves[0]) << r.output;
        EXPECT_NE(lines[i + 1].moves[0], lines[i + 2].moves[0]) << r.output;
    }
    EXPECT_EQ(lines.back().depth, 5) << r.output;
    EXPECT_EQ(bestmove_of(r.output), lines[lines.size() - 3].moves[0]) << r.output;

    // More lines wanted than there are moves: every legal move is listed once an iteration.
    const char* few = "7k/8/8/8/8/8/6PP/6K1 w - - 0 1";
    r = run_uci_session(std::string("setoption name MultiPV value 64\nposition fen ") + few +
                        "\ngo depth 3\n");
    lines = pv_lines(r.output);
    ASSERT_TRUE(setup(few));
    std::vector<std::string> legal = legal_move_texts();
    std::sort(legal.begin(), legal.end());
    std::vector<std::string> listed;
    for (const PvLine& l : lines)
        if (l.depth == 3) listed.push_back(l.moves[0]);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, legal) << r.output;

    // A mate on the board: the mating line first. No legal move (mated, or stalemate): no
    // line at all, and no move.
    r = run_uci_session("setoption name MultiPV value 3\nposition fen 7k/8/6K1/8/8/8/8/1Q6 w - -\n"
                        "go depth 4\n");
    lines = pv_lines(r.output);
    ASSERT_FALSE(lines.empty()) << r.output;
    EXPECT_EQ(lines[0].score, "mate 1") << r.output;
    EXPECT_EQ(bestmove_of(r.output), "b1b8") << r.output;
    for (const char* over : {"7k/6Q1/6K1/8/8/8/8/8 b - -", "7k/5Q2/6K1/8/8/8/8/8 b - -"})
        EXPECT_EQ(run_uci_session(std::string("setoption name MultiPV value 3\nposition fen ") +
                                  over + "\ngo depth 4\n")
                      .output,
                  "bestmove 0000\n")
            << over;
}

TEST(UciSession, SearchMoves) {
    // Only the listed moves are searched, though a mate lies outside the list; a word that is
    // no legal move is named and dropped.
    auto r = run_uci_session("position fen 7k/8/6K1/8/8/8/8/1Q6 w - -\n"
                             "go depth 4 searchmoves b1b2 e2e4 b1c2\n");
    EXPECT_EQ(output_lines(r.output)[0], "info string searchmoves: not a legal move here: e2e4");
    const std::string best = bestmove_of(r.output);
    EXPECT_TRUE(best == "b1b2" || best == "b1c2") << r.output;
    EXPECT_EQ(r.output.find("b1b8"), std::string::npos) << r.output;

    // A single listed move is the answer at once, without a search, whatever the clock.
    r = run_uci_session("position startpos\ngo wtime 600000 btime 600000 searchmoves g2g4\n", 5);
    EXPECT_EQ(r.output, "bestmove g2g4\n");
}

// Pondering, in sessions paced so that each command meets the search under way: no answer
// before "ponderhit" or "stop" (however the search ends), "isready" answered meanwhile, an
// answer soon after "ponderhit" when the time pondered exceeds the move's budget, at once
// after "stop", and a search of the position the interface sets up after a wrong guess.
TEST(UciSession, Pondering) {
    auto r = run_paced_uci_session({{"position startpos moves e2e4\ngo ponder wtime 3000 btime 3000\n", 0.8},
                                    {"isready\n", 0.3},
                                    {"ponderhit\n", 1.5},
                                    {"isready\n", 0.1}},
                                   20);
    std::vector<std::string> lines = output_lines(r.output);
    int ready = find_line(lines, "readyok");
    int best = find_line(lines, "bestmove ");
    ASSERT_GE(best, 0) << r.output;
    EXPECT_LT(find_line(lines, "info depth "), ready) << r.output;
    EXPECT_LT(ready, best) << r.output;  // still pondering at "isready"
    EXPECT_EQ(lines.back(), "readyok") << r.output;  // answered within 1.5 s of "ponderhit"
    const std::vector<std::string> answer = words_of(lines[best]);
    ASSERT_EQ(answer.size(), 4u) << r.output;  // "bestmove MOVE ponder REPLY"
    EXPECT_EQ(answer[2], "ponder");
    EXPECT_EQ(first_illegal(START_FEN, {"e2e4", answer[1], answer[3]}), -1) << r.output;

    // A ponder search that ends by itself (a mate) still waits for "ponderhit".
    r = run_paced_uci_session({{"position fen 7k/8/6K1/8/8/8/8/1Q6 w - -\ngo ponder wtime 3000 btime 3000\n", 0.5},
                               {"isready\n", 0.2},
                               {"ponderhit\n", 0.3}},
                              20);
    lines = output_lines(r.output);
    EXPECT_EQ(lines.back(), "bestmove b1b8") << r.output;
    EXPECT_LT(find_line(lines, "readyok"), find_line(lines, "bestmove ")) << r.output;

    // "stop" answers at once; then the interface's own position is searched.
    r = run_paced_uci_session({{"position startpos moves e2e4 e7e5\ngo ponder wtime 60000 btime 60000\n", 0.5},
                               {"stop\n", 0.3},
                               {"isready\n", 0.2},
                               {"position startpos moves e2e4 d7d5\ngo depth 4\n", 1.5}},
                              20);
    lines = output_lines(r.output);
    best = find_line(lines, "bestmove ");
    ready = find_line(lines, "readyok");
    ASSERT_GE(best, 0) << r.output;
    EXPECT_LT(best, ready) << r.output;
    ASSERT_EQ(lines.back().rfind("bestmove ", 0), 0u) << r.output;
    EXPECT_EQ(first_illegal(START_FEN, {"e2e4", "d7d5", words_of(lines.back())[1]}), -1) << r.output;
}

}  // namespace
