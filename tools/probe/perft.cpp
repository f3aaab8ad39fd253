// probe perft [--divide] DEPTH [FEN]: leaf count of the legal move tree, using the engine's
// own generators, make and unmake. A move is legal when make_move accepts it and the mover's
// king is not attacked afterwards. The count alone is the last line of standard output; the
// time and speed go to standard error.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "tools/probe/position_args.h"
#include "tools/probe/probe.h"

namespace {

// Leaves `depth` plies below the position of history entry `ply`. Flattened: the engine's
// generators, make, unmake and check test, which this loop runs for every leaf, are compiled
// into it rather than called through their side-to-move dispatch (about a tenth fewer
// instructions; the same functions, so perft still tests what the search runs).
__attribute__((flatten)) uint64_t perft(int depth, int ply) {
    Move moves[MAX_MOVES];
    int count = generate_captures(moves, ply);
    count += generate_quiet_moves(moves + count, ply);
    uint64_t leaves = 0;
    for (int i = 0; i < count; ++i) {
        const Move move = moves[i];
        if (!make_move(move, ply + 1)) continue;
        if (!in_check(side_to_move ^ 1)) leaves += depth == 1 ? 1 : perft(depth - 1, ply + 1);
        unmake_move(move);
    }
    return leaves;
}

// The root moves one by one, each with its own count, in generation order.
uint64_t divide(int depth) {
    Move moves[MAX_MOVES];
    int count = generate_captures(moves, 0);
    count += generate_quiet_moves(moves + count, 0);
    uint64_t leaves = 0;
    for (int i = 0; i < count; ++i) {
        const Move move = moves[i];
        if (!make_move(move, 1)) continue;
        if (!in_check(side_to_move ^ 1)) {
            const uint64_t below = depth == 1 ? 1 : perft(depth - 1, 1);
            char text[6];
            move_to_text(move, text);
            std::printf("%s: %llu\n", text, static_cast<unsigned long long>(below));
            leaves += below;
        }
        unmake_move(move);
    }
    return leaves;
}

}  // namespace

int probe_perft(int argc, char** argv) {
    // --divide may stand anywhere; the other words are DEPTH and then the FEN.
    bool by_root_move = false;
    int words = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--divide") == 0) by_root_move = true;
        else argv[words++] = argv[i];
    }
    argc = words;
    const int arg = 1;
    char* end = nullptr;
    const long depth = arg < argc ? std::strtol(argv[arg], &end, 10) : 0;
    // The history has entries for plies 0 to 60.
    if (arg >= argc || *end != 0 || depth < 0 || depth > HISTORY_SIZE - 1) {
        std::fprintf(stderr, "usage: probe perft [--divide] DEPTH [FEN]   (DEPTH 0 to %d)\n",
                     HISTORY_SIZE - 1);
        return 2;
    }
    if (!setup_position_from_args(argc, argv, arg + 1)) return 1;

    const auto start = std::chrono::steady_clock::now();
    const uint64_t leaves = depth == 0 ? 1 : by_root_move ? divide(int(depth)) : perft(int(depth), 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%llu\n", static_cast<unsigned long long>(leaves));
    std::fflush(stdout);
    std::fprintf(stderr, "time %.3f s, %.0f leaves/s\n", seconds,
                 seconds > 0 ? double(leaves) / seconds : 0.0);
    return 0;
}
