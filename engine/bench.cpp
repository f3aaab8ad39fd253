// The benchmark: fixed-depth searches of a fixed set of positions through the real thinking
// driver. Its total node count is the engine's search signature: any change to what the
// engine searches changes it. probe bench and bitrook-uci bench both run it.

#include "engine/engine.h"
#include "search/search.h"

namespace {

// Openings, middlegames, endgames and tactical positions.
const char* const bench_positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r1bqkbnr/1ppp1ppp/p1n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 4",
    "rnbqkb1r/pp2pppp/3p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R b KQkq - 2 5",
    "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4",
    "rnbqk2r/ppp1ppbp/3p1np1/8/2PPP3/2N5/PP3PPP/R1BQKBNR w KQkq - 0 5",
    "rn1qkbnr/pp2pppp/2p5/3pPb2/3P4/8/PPP2PPP/RNBQKBNR w KQkq - 1 4",
    "rnbqkb1r/pp2pppp/2p2n2/3p4/8/5NP1/PPPPPPBP/RNBQ1RK1 b kq - 1 4",
    "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/2P2N2/PP1P1PPP/RNBQK2R w KQkq - 1 5",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "2rq1rk1/pp1bppbp/2np1np1/8/3NP3/1BN1BP2/PPPQ2PP/2KR3R b - - 0 11",
    "r2q1rk1/ppp2ppp/2n1bn2/2b1p3/4P3/2NP1N2/PPP1BPPP/R1BQ1RK1 w - - 0 8",
    "r1bq1rk1/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQ1RK1 w - - 0 6",
    "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4",
    "2r3k1/pp3ppp/2n5/3p4/3P4/2P2N2/P4PPP/2R3K1 w - - 0 20",
    "r1b2rk1/pp1p1ppp/1qn1pn2/8/2PN4/2N3P1/PP2PPBP/R2QK2R w KQ - 0 9",
    "3r2k1/p4ppp/8/8/8/8/P4PPP/3R2K1 w - - 0 30",
    "5rk1/1b3ppp/8/2p5/8/1P4P1/PB3P1P/5RK1 w - - 0 25",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 30",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - - 0 1",
    "8/8/4k3/8/2K5/8/3P4/8 w - - 0 1",
    "8/8/8/4k3/8/8/4P3/4K3 w - - 0 1",
    "8/5k2/8/8/8/8/8/4KBN1 w - - 0 1",
    "8/8/1k6/8/8/8/8/KR6 w - - 0 1",
    "8/8/8/8/3k4/8/3Q4/4K3 b - - 0 1",
    "6k1/pp3ppp/8/8/8/8/PP3PPP/3Q2K1 w - - 0 1",
    "r5k1/5ppp/8/8/8/8/5PPP/2B3K1 b - - 0 1",
};

}  // namespace

int bench_position_count() { return int(sizeof bench_positions / sizeof bench_positions[0]); }

const char* bench_position(int index) { return bench_positions[index]; }

BenchResult bench_search(int index, int depth) {
    reset_engine();
    clear_table();  // each position from an empty table, when there is one
    setup_position(bench_positions[index]);
    SearchLimits limits = {};
    limits.max_depth = depth;
    limits.infinite = true;  // no clock stop: a fixed-depth search
    limits.claim_draws = true;
    const int32_t start = clock_ms();
    const SearchResult searched = search_position(limits, nullptr);
    BenchResult result;
    result.move = searched.move;
    result.ms = clock_ms() - start;
    result.nodes = nodes;
    return result;
}
