// probe bench [DEPTH]: the benchmark's searches one by one, with the nodes, time and move of
// each, then the totals and nodes per second.
#include <cstdio>
#include <cstdlib>

#include "xboard/xboard.h"
#include "tools/probe/probe.h"

int probe_bench(int argc, char** argv) {
    const int depth = argc >= 2 ? std::atoi(argv[1]) : BENCH_DEFAULT_DEPTH;
    if (depth < 1 || depth > 40) {
        std::fprintf(stderr, "usage: probe bench [DEPTH]   (1 to 40, default %d)\n", BENCH_DEFAULT_DEPTH);
        return 2;
    }
    int64_t total_nodes = 0;
    int64_t total_ms = 0;
    for (int i = 0; i < bench_position_count(); ++i) {
        const BenchResult r = bench_search(i, depth);
        char text[6] = "none";
        if (r.move) move_to_text(r.move, text);
        std::printf("%2d  nodes %10d  time %7d ms  move %-5s  %s\n", i + 1, r.nodes, r.ms, text,
                    bench_position(i));
        total_nodes += r.nodes;
        total_ms += r.ms;
    }
    std::printf("total nodes %lld\n", static_cast<long long>(total_nodes));
    std::printf("total time %lld ms\n", static_cast<long long>(total_ms));
    std::printf("nodes per second %lld\n",
                static_cast<long long>(total_nodes * 1000 / (total_ms > 0 ? total_ms : 1)));
    return 0;
}
