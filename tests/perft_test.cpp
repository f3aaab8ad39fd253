// Leaf counts of the legal move tree through the probe tool, against published counts and
// counts cross-checked with another engine's perft. The sanitizer build runs smaller depths.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>

#include "tests/helpers.h"
#include "tests/session.h"

namespace {

struct PerftCase {
    const char* name;
    const char* fen;
    int depth;               // release build
    uint64_t leaves;
    int sanitized_depth;     // sanitizer build
    uint64_t sanitized_leaves;
};

void PrintTo(const PerftCase& c, std::ostream* os) { *os << c.name << " " << c.fen; }


// The last line of the probe's output.
std::string last_line(const std::string& out) {
    std::string s = out;
    while (!s.empty() && s.back() == '\n') s.pop_back();
    const size_t nl = s.rfind('\n');
    return nl == std::string::npos ? s : s.substr(nl + 1);
}

class Perft : public ::testing::TestWithParam<PerftCase> {};

TEST_P(Perft, LeafCount) {
    const PerftCase& c = GetParam();
    const int depth = sanitized() ? c.sanitized_depth : c.depth;
    const uint64_t leaves = sanitized() ? c.sanitized_leaves : c.leaves;
    const auto r = run_probe("perft " + std::to_string(depth) + " '" + c.fen + "'");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(last_line(r.output), std::to_string(leaves)) << c.fen << " depth " << depth;
}

const PerftCase cases[] = {
    // Published counts (six positions widely used for generator testing).
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 5, 4865609, 5, 4865609},
    {"castling_rich", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
     5, 193690690, 4, 4085603},
    {"rook_endgame_en_passant_pins", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
     6, 11030083, 5, 674624},
    {"promotions_and_checks", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
     5, 15833292, 4, 422333},
    {"promotion_capture_king_centre", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
     4, 2103487, 4, 2103487},
    {"symmetrical_middlegame",
     "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
     4, 3894594, 4, 3894594},
    // Single-purpose positions, each with an en-passant square in the FEN where it matters.
    {"en_passant_discovers_check_avoided", "3k4/3p4/8/K1P4r/8/8/8/8 b - - 0 1",
     6, 1134888, 5, 185429},
    {"en_passant_gives_check", "8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1", 6, 1440467, 5, 206379},
    {"en_passant_illegal_pin", "8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 1", 6, 1015133, 5, 135655},
    {"short_castling_gives_check", "5k2/8/8/8/8/8/8/4K2R w K - 0 1", 6, 661072, 5, 120330},
    {"long_castling_gives_check", "3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", 6, 803711, 5, 141077},
    {"castling_rights_lost", "r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq - 0 1", 4, 1274206, 3, 27826},
    {"castling_prevented", "r3k2r/8/3Q4/8/8/5q2/8/R3K2R b KQkq - 0 1", 4, 1720476, 3, 50509},
    {"promote_out_of_check", "2K2r2/4P3/8/8/8/8/8/3k4 w - - 0 1", 6, 3821001, 5, 266199},
    {"underpromote_to_give_check", "8/P1k5/K7/8/8/8/8/8 w - - 0 1", 6, 92683, 5, 18135},
    {"stalemate_and_checkmate", "8/k1P5/8/1K6/8/8/8/8 w - - 0 1", 7, 567584, 6, 43261},
};

INSTANTIATE_TEST_SUITE_P(Positions, Perft, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

// --divide lists each legal root move with its own count, in generation order (king before
// pawns); the total comes last, alone.
TEST(PerftTool, DivideAndDepthZero) {
    const auto r = run_probe("perft --divide 2 '8/8/8/8/8/8/4P3/k6K w - -'");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "h1g2: 3\nh1h2: 3\nh1g1: 3\ne2e3: 3\ne2e4: 3\n15\n");
    EXPECT_EQ(run_probe("perft 2 '8/8/8/8/8/8/4P3/k6K w - -' --divide").output, r.output);
    EXPECT_EQ(last_line(run_probe("perft 0").output), "1");
    EXPECT_EQ(last_line(run_probe("perft 3").output), "8902");  // start position by default
    EXPECT_EQ(run_probe("perft 2 'not a position'").status, 1);
    EXPECT_EQ(run_probe("perft x").status, 2);
}

// Promotions come with the captures, the capture of the king included (captured 6).
TEST(PerftTool, MovesListsCapturesFirstWithFields) {
    const auto r = run_probe("moves '4k3/3P4/8/8/8/8/8/4K3 w - -'");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.output,
              "d7d8q captured 0 special 0 piece 1 promotion 5\n"
              "d7d8r captured 0 special 0 piece 1 promotion 4\n"
              "d7d8b captured 0 special 0 piece 1 promotion 3\n"
              "d7d8n captured 0 special 0 piece 1 promotion 2\n"
              "d7e8q captured 6 special 0 piece 1 promotion 5\n"
              "d7e8r captured 6 special 0 piece 1 promotion 4\n"
              "d7e8b captured 6 special 0 piece 1 promotion 3\n"
              "d7e8n captured 6 special 0 piece 1 promotion 2\n"
              "e1d2 captured 0 special 0 piece 6 promotion 0\n"
              "e1e2 captured 0 special 0 piece 6 promotion 0\n"
              "e1f2 captured 0 special 0 piece 6 promotion 0\n"
              "e1d1 captured 0 special 0 piece 6 promotion 0\n"
              "e1f1 captured 0 special 0 piece 6 promotion 0\n");
}

}  // namespace
