// "bitrook-uci bench": the benchmark, for testing frameworks that check a build by its
// total node count.
#include <cstdio>

#include "search/search.h"
#include "uci/uci.h"

int uci_bench(int depth, int hash_mb) {
    if (!resize_table(size_t(hash_mb))) {
        std::fprintf(stderr, "bitrook-uci bench: not enough memory for a %d MB table\n", hash_mb);
        return 1;
    }
    int64_t total_nodes = 0;
    int64_t total_ms = 0;
    for (int i = 0; i < bench_position_count(); ++i) {
        const BenchResult r = bench_search(i, depth);
        total_nodes += r.nodes;
        total_ms += r.ms;
    }
    reply("%lld nodes %lld nps\n", static_cast<long long>(total_nodes),
          static_cast<long long>(total_nodes * 1000 / (total_ms > 0 ? total_ms : 1)));
    return 0;
}
