// The move generators, make and unmake judged by an independent program: Debian's stockfish
// divides perft by root move for positions reached in random games, and the engine must list
// the same legal moves with the same leaf counts below each of them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/game_replay.h"
#include "tests/helpers.h"
#include "tests/session.h"

namespace {

constexpr const char* ORACLE = "/usr/games/stockfish";

// Leaves `depth` plies below the position of history entry `ply`.
uint64_t leaves(int depth, int ply) {
    uint64_t count = 0;
    for (Move m : legal_moves(ply)) {
        if (depth == 1) {
            ++count;
            continue;
        }
        make_move(m, ply + 1);
        count += leaves(depth - 1, ply + 1);
        unmake_move(m);
    }
    return count;
}

using Divide = std::map<std::string, uint64_t>;

Divide divide(int depth) {
    Divide result;
    for (Move m : legal_moves()) {
        make_move(m, 1);
        result[text_of(m)] = depth == 1 ? 1 : leaves(depth - 1, 1);
        unmake_move(m);
    }
    return result;
}

// A position: a start and the moves played from it.
struct Sample {
    const char* fen;
    std::vector<std::string> moves;
};

// Positions met in random games from starts rich in castling, en passant and promotions.
std::vector<Sample> random_samples(int count) {
    const char* const starts[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
        "r3k2r/pPp3pp/8/3pP3/8/8/PpP3PP/R3K2R w KQkq d6 0 1",
    };
    std::mt19937 random(2026);
    std::vector<Sample> samples;
    for (int game = 0; int(samples.size()) < count; ++game) {
        Sample s{starts[game % std::size(starts)], {}};
        EXPECT_TRUE(setup(s.fen)) << s.fen;
        const int stride = 3 + int(random() % 5);
        for (int ply = 1; ply <= 150 && int(samples.size()) < count; ++ply) {
            const std::vector<Move> legal = legal_moves();
            if (legal.empty()) break;
            const std::string text = text_of(legal[random() % legal.size()]);
            s.moves.push_back(text);
            play_legal(text);
            if (ply % stride == 0) samples.push_back(s);
        }
    }
    return samples;
}

// The oracle's divide of each sample, in order.
std::vector<Divide> oracle_divides(const std::vector<Sample>& samples, int depth) {
    std::string input;
    for (const Sample& s : samples) {
        input += std::string("position fen ") + s.fen + " moves";
        for (const std::string& m : s.moves) input += " " + m;
        input += "\ngo perft " + std::to_string(depth) + "\n";
    }
    input += "quit\n";
    const SessionResult r = run_program(ORACLE, input, 300);
    std::vector<Divide> divides(1);
    std::istringstream lines(r.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Nodes searched", 0) == 0) {
            divides.emplace_back();
            continue;
        }
        const size_t colon = line.find(": ");
        if (colon == 4 || colon == 5) divides.back()[line.substr(0, colon)] = std::stoull(line.substr(colon + 2));
    }
    divides.pop_back();  // the one opened after the last count
    return divides;
}

std::string describe(const Sample& s) {
    std::string text = std::string(s.fen) + " moves";
    for (const std::string& m : s.moves) text += " " + m;
    return text;
}

TEST(PerftOracle, DivideAgreesWithStockfish) {
    ASSERT_EQ(access(ORACLE, X_OK), 0) << ORACLE << " is missing (tools/test installs it)";
    const int depth = 3;
    const std::vector<Sample> samples = random_samples(1000);
    const std::vector<Divide> expected = oracle_divides(samples, depth);
    ASSERT_EQ(expected.size(), samples.size()) << "the oracle did not answer every position";
    int failures = 0;
    for (size_t i = 0; i < samples.size() && failures < 5; ++i) {
        ASSERT_EQ(first_illegal(samples[i].fen, samples[i].moves), -1);
        const Divide got = divide(depth);
        if (got == expected[i]) continue;
        ++failures;
        std::string diff;
        for (const auto& [move, n] : expected[i])
            if (!got.count(move) || got.at(move) != n)
                diff += " " + move + " " + std::to_string(got.count(move) ? got.at(move) : 0) + "/" + std::to_string(n);
        for (const auto& [move, n] : got)
            if (!expected[i].count(move)) diff += " " + move + " not legal";
        ADD_FAILURE() << describe(samples[i]) << ": engine/oracle" << diff;
    }
}

}  // namespace
