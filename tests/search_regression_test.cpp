// Node counts of fixed-depth searches, pinned. They change with any change to the tree the
// search walks (generation order, ordering scores, pruning, extensions, the evaluation): a
// commit that changes them must be a deliberate change of the search and say so.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "xboard/xboard.h"
#include "tests/search_setup.h"

namespace {

struct Pinned {
    const char* fen;
    std::vector<int32_t> nodes;  // after each depth from 1, counted across the passes
    std::vector<int> scores;
    const char* best;  // first move of the line at the deepest depth
};

const Pinned pinned[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
     {41, 166, 790, 2792, 12918, 55805},
     {57, 0, 38, 13, 36, 12},
     "d2d4"},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
     {306, 6524, 18764, 97681},
     {194, 119, 102, 71},
     "e2a6"},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
     {29, 372, 1528, 5460, 41186, 142662},
     {43, 40, 40, 3, -10, 4},
     "b4f4"},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
     {109, 746, 2998, 8214, 24643, 67442},
     {492, 492, 492, 468, 461, 494},
     "d7c8q"},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -",
     {101, 699, 2229, 9583, 37270},
     {12, 112, 112, 110, 107},
     "c3d5"},
    // White's back rank: at depth 6 a null move at black's nodes meets the mate threat.
    {"1r4k1/5ppp/8/8/1n6/2b5/5PPP/R5K1 w - -",
     {41, 187, 998, 4391, 25376, 282490},
     {-645, -649, -651, -661, -659, -670},
     "a1d1"},
};

TEST(SearchRegression, PinnedNodeCounts) {
    for (const Pinned& p : pinned) {
        SCOPED_TRACE(p.fen);
        ASSERT_TRUE(setup_search(p.fen));
        const int full = int(p.nodes.size());
        const int depth = sanitized() ? std::min(full, 4) : full;
        std::vector<int32_t> nodes_by_depth(depth);
        std::vector<int> scores_by_depth(depth);
        root_searches(depth, nodes_by_depth.data(), scores_by_depth.data());
        EXPECT_EQ(nodes_by_depth, std::vector<int32_t>(p.nodes.begin(), p.nodes.begin() + depth));
        EXPECT_EQ(scores_by_depth, std::vector<int>(p.scores.begin(), p.scores.begin() + depth));
        if (depth == full) {
            char text[6];
            move_to_text(pv_table[1][1], text);
            EXPECT_STREQ(text, p.best);
        }
    }
}

TEST(SearchProbe, ExchangeValuesInGeneratorOrder) {
    const SessionResult r =
        run_probe("see 'r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq -'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, "f3e5 -200\nc4f7 -220\n");
}

TEST(SearchProbe, ThinkingLinesOfTheDriver) {
    // The thinking driver stops at the first iteration that finds a mate: depth 1, then depth 2.
    const SessionResult r = run_probe("search '6k1/5ppp/8/8/8/8/8/R5K1 w - -' 3");
    EXPECT_EQ(r.status, 0);
    const std::string& out = r.output;
    ASSERT_EQ(std::count(out.begin(), out.end(), '\n'), 3) << out;
    EXPECT_NE(out.find("\n1 9998 "), std::string::npos) << out;
    EXPECT_NE(out.find(" a1a8 ["), std::string::npos) << out;
    EXPECT_NE(out.find("\nmove a1a8\n"), std::string::npos) << out;
}

}  // namespace
