// probe search FEN DEPTH: root searches of depth 1 to DEPTH on a position, the root list
// prepared as the thinking driver prepares it, with a full window and no time limit. Prints
// per depth the score, the node count and the principal variation; the time and the node
// rate go to standard error.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/driver.h"
#include "eval/eval.h"
#include "search/search.h"
#include "tools/probe/probe.h"

namespace {

// The legal root moves with their first ordering scores.
void prepare_root() {
    std::memset(history_scores, 0, sizeof history_scores);
    std::memset(extension_kind, 0, sizeof extension_kind);
    time_up = 0;
    nodes = 0;
    null_tries = 0;
    null_cutoffs = 0;
    deadline = INT32_MAX;
    set_game_phase();

    Move moves[MAX_MOVES];
    int count = generate_captures(moves, 0);
    count += generate_quiet_moves(moves + count, 0);
    root_move_count = 0;
    for (int i = 0; i < count; ++i) {
        const Move m = moves[i];
        if (!make_move(m, 1)) continue;
        if (in_check(side_to_move ^ 1)) {
            unmake_move(m);
            continue;
        }
        int score = -quiesce(-10000, 10000, 2);
        const Square to = move_to(m);
        if (to >= 18 && to <= 45 && file_of[to] >= 2 && file_of[to] <= 5) score += 200;
        if (in_check(side_to_move)) score += 50;
        if (eval_params.game_phase == 0 && move_piece(m) == KING) {
            if (move_captured(m) == 0 && std::abs(move_from(m) - to) == 1) score -= 400;
            else score += piece_value[move_captured(m)] + 300;
        }
        unmake_move(m);
        root_moves[root_move_count] = m;
        root_scores[root_move_count] = score;
        ++root_move_count;
    }
    nodes = 0;
}

}  // namespace

int probe_search(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe search FEN DEPTH\n");
        return 2;
    }
    static char rest[FEN_REST_SIZE];
    clear_board();
    game_move_count = 0;
    if (!parse_fen(argv[1], rest)) {
        std::printf("refused\n");
        return 1;
    }
    const int max_depth = std::atoi(argv[2]);
    prepare_root();
    if (root_move_count == 0) {
        std::printf("no legal move\n");
        return 0;
    }

    const int32_t start = clock_ms();
    iteration_depth = 1;
    for (int depth = 1; depth <= max_depth; ++depth) {
        int d = depth;
        const int score = root_search(-10000, 10000, d);
        iteration_depth = depth;
        std::printf("depth %d score %d nodes %d pv", depth, score, nodes);
        for (int k = 1; k < pv_length[1]; ++k) {
            char text[6];
            move_to_text(pv_table[1][k], text);
            std::printf(" %s", text);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    const int32_t elapsed = clock_ms() - start;
    std::fprintf(stderr, "%d ms, %.0f nodes per second\n", elapsed,
                 elapsed > 0 ? nodes * 1000.0 / elapsed : 0.0);
    return 0;
}
