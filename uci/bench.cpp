// "bitrook-uci bench": the benchmark, for testing frameworks that check a build by its
// total node count.
#include "uci/uci.h"

int uci_bench() {
    int64_t total_nodes = 0;
    int64_t total_ms = 0;
    for (int i = 0; i < bench_position_count(); ++i) {
        const BenchResult r = bench_search(i, BENCH_DEFAULT_DEPTH);
        total_nodes += r.nodes;
        total_ms += r.ms;
    }
    reply("%lld nodes %lld nps\n", static_cast<long long>(total_nodes),
          static_cast<long long>(total_nodes * 1000 / (total_ms > 0 ? total_ms : 1)));
    return 0;
}
