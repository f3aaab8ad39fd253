// probe search FEN DEPTH: the thinking driver itself on a position, iterations from depth 1
// up to DEPTH with no time limit. Prints the engine's thinking line of every completed
// iteration (moves in the line, score, centiseconds, nodes, the line, [nodes/s, null-move
// cut-off %]) and then the move it plays.
#include <cstdio>
#include <cstdlib>

#include "xboard/xboard.h"
#include "search/search.h"
#include "tools/probe/probe.h"

int probe_search(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe search FEN DEPTH\n");
        return 2;
    }
    const int depth = std::atoi(argv[2]);
    if (depth < 1 || depth > 59) {
        std::fprintf(stderr, "probe search: DEPTH must be 1 to 59\n");
        return 2;
    }
    reset_engine();
    protocol_out = stdout;
    set_board(argv[1]);
    if (engine_state.position_invalid) return 1;  // set_board has said why
    engine_state.engine_side = side_to_move;
    engine_state.depth_limit = depth + 1;  // iterations run while below the limit
    engine_state.post = 1;
    time_control.mode = FIXED_TIME_MODE;
    time_control.fixed_ms = MAX_CLOCK_MS;  // no clock stop
    iteration_depth = 1;
    const int32_t start = clock_ms();
    const Move move = think();
    const int32_t elapsed = clock_ms() - start;
    if (move) {
        char text[6];
        move_to_text(move, text);
        std::printf("move %s\n", text);
    }
    std::fprintf(stderr, "%d nodes, %d ms, %.0f nodes per second\n", nodes, elapsed,
                 elapsed > 0 ? nodes * 1000.0 / elapsed : 0.0);
    return 0;
}
