// The UCI program's entry: the tables, the interrupt signal ignored as in the xboard program,
// then UCI commands on standard input, read from the descriptor so that a search can look
// for "stop" without waiting. "bitrook-uci bench [DEPTH [HASH]]" runs the benchmark instead,
// for testing frameworks that check a build by its node count.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/board.h"
#include "uci/uci.h"

namespace {

// A whole number from `low` to `high` as a command-line word; false for anything else.
bool read_argument(const char* text, int low, int high, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != 0 || v < low || v > high) return false;
    value = int(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    init_tables();
    if (argc >= 2 && argc <= 4 && std::strcmp(argv[1], "bench") == 0) {
        int depth = BENCH_DEFAULT_DEPTH, hash_mb = DEFAULT_HASH_MB;
        if ((argc < 3 || read_argument(argv[2], 1, MAX_PLY - 1, depth)) &&
            (argc < 4 || read_argument(argv[3], 0, MAX_HASH_MB, hash_mb)))
            return uci_bench(depth, hash_mb);
    }
    if (argc > 1) {
        std::fprintf(stderr, "usage: bitrook-uci [bench [DEPTH [HASH]]]\n");
        return 2;
    }
    std::signal(SIGINT, SIG_IGN);
    reset_uci();
    use_descriptor_source();
    return uci_loop();
}
