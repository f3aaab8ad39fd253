// probe: developer tool over the engine library (perft, move lists, evaluation, search).
// Each subcommand lives in its own file and registers in the table below.
#include <cstdio>
#include <cstring>

#include "board/board.h"
#include "tools/probe/probe.h"

namespace {

struct Subcommand {
    const char* name;
    int (*run)(int argc, char** argv);  // argv[0] is the subcommand name
    const char* usage;
};

constexpr Subcommand subcommands[] = {
    {"fen", probe_fen, "fen FEN            parse a position and print the board record"},
    {"perft", probe_perft, "perft [--divide] DEPTH [FEN]   leaf count of the legal move tree"},
    {"moves", probe_moves, "moves FEN          the generated move list in order, with its fields"},
    {"eval", probe_eval, "eval FEN [--terms] phase and static evaluation for the side to move"},
    {"see", probe_see, "see FEN            exchange value of each capture, in generator order"},
    {"search", probe_search, "search FEN DEPTH   root searches of depth 1 to DEPTH: score, nodes, line"},
    {"bench", probe_bench, "bench [DEPTH]      fixed-depth searches of a fixed set: nodes, time, nodes/s"},
    {"evalspeed", probe_evalspeed, "evalspeed [SECONDS] evaluations per second over fixed positions"},
};

}  // namespace

int main(int argc, char** argv) {
    init_tables();
    if (argc >= 2)
        for (const Subcommand& s : subcommands)
            if (std::strcmp(argv[1], s.name) == 0) return s.run(argc - 1, argv + 1);
    std::fprintf(stderr, "usage: probe SUBCOMMAND ...\n");
    for (const Subcommand& s : subcommands) std::fprintf(stderr, "  probe %s\n", s.usage);
    return 2;
}
