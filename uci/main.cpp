// The UCI program's entry: the tables, the interrupt signal ignored as in the xboard program,
// then UCI commands on standard input, read from the descriptor so that a search can look
// for "stop" without waiting. "bitrook-uci bench" runs the benchmark instead, for testing
// frameworks that check a build by its node count.
#include <csignal>
#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "uci/uci.h"

int main(int argc, char** argv) {
    init_tables();
    if (argc == 2 && std::strcmp(argv[1], "bench") == 0) return uci_bench();
    if (argc > 1) {
        std::fprintf(stderr, "usage: bitrook-uci [bench]\n");
        return 2;
    }
    std::signal(SIGINT, SIG_IGN);
    use_descriptor_source();
    return uci_loop();
}
