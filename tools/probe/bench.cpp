// probe bench [DEPTH]: searches a fixed set of positions at a fixed depth through the real
// thinking driver and prints the nodes and time of each, then the totals and nodes per second.
// The total node count is the engine's search signature: any change to what it searches
// changes it.
#include <cstdio>
#include <cstdlib>

#include "driver/driver.h"
#include "search/search.h"
#include "tools/probe/probe.h"

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

int probe_bench(int argc, char** argv) {
    const int depth = argc >= 2 ? std::atoi(argv[1]) : BENCH_DEFAULT_DEPTH;
    if (depth < 1 || depth > 40) {
        std::fprintf(stderr, "usage: probe bench [DEPTH]   (1 to 40, default %d)\n", BENCH_DEFAULT_DEPTH);
        return 2;
    }
    protocol_out = std::fopen("/dev/null", "w");  // the driver's own replies are not wanted
    int64_t total_nodes = 0;
    int64_t total_ms = 0;
    int index = 0;
    for (const char* fen : bench_positions) {
        ++index;
        reset_engine();
        set_board(fen);
        engine_state.engine_side = side_to_move;
        engine_state.depth_limit = depth + 1;  // iterations run while below the limit
        engine_state.post = 0;
        time_control.mode = 0;
        time_control.fixed_ms = 1000000000;  // no clock stop: a fixed-depth search
        const int32_t start = clock_ms();
        const Move move = think();
        const int32_t ms = clock_ms() - start;
        char text[6] = "none";
        if (move) move_to_text(move, text);
        std::printf("%2d  nodes %10d  time %7d ms  move %-5s  %s\n", index, nodes, ms, text, fen);
        total_nodes += nodes;
        total_ms += ms;
    }
    std::printf("total nodes %lld\n", static_cast<long long>(total_nodes));
    std::printf("total time %lld ms\n", static_cast<long long>(total_ms));
    std::printf("nodes per second %lld\n",
                static_cast<long long>(total_nodes * 1000 / (total_ms > 0 ? total_ms : 1)));
    return 0;
}
