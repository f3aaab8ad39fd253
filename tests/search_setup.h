// Search state for tests: a fresh engine's memory, the root list as the thinking driver
// builds it, and fixed-depth root searches.
#pragma once

#include <climits>
#include <cstdlib>
#include <cstring>

#include "xboard/xboard.h"
#include "eval/eval.h"
#include "moves/moves.h"
#include "search/search.h"
#include "tests/helpers.h"
#include "tests/session.h"

// Search memory and control as a fresh engine has them, with no time limit.
inline void fresh_search_state() {
    clear_pv_and_killers();
    std::memset(pv_length, 0, sizeof pv_length);
    std::memset(history_scores, 0, sizeof history_scores);
    std::memset(extension_kind, 0, sizeof extension_kind);
    nodes = 0;
    time_up = 0;
    null_tries = 0;
    null_cutoffs = 0;
    deadline = INT32_MAX;
    iteration_depth = 1;
    game_move_count = 0;
}

// Sets up `fen` with a fresh search state and the phase decided.
inline bool setup_search(const char* fen) {
    if (!setup(fen)) return false;
    fresh_search_state();
    set_game_phase();
    return true;
}

// The legal root moves with their first ordering scores, as the thinking driver gives them.
inline void prepare_root() {
    prepare_root_moves();
    nodes = 0;
}

// Root searches of depth 1 to `depth` with the full window, as iterations of one turn.
// Returns the score of the last; its line is in row 1 of pv_table. When given, the node
// count (counted across the passes, as the thinking line shows it) and the score of each
// depth d go to nodes_by_depth[d - 1] and scores_by_depth[d - 1].
inline int root_searches(int depth, int32_t* nodes_by_depth = nullptr,
                         int* scores_by_depth = nullptr) {
    prepare_root();
    int score = 0;
    iteration_depth = 1;
    for (int d = 1; d <= depth; ++d) {
        int searched = d;
        score = root_search(-10000, 10000, searched);
        iteration_depth = d;
        if (nodes_by_depth) nodes_by_depth[d - 1] = nodes;
        if (scores_by_depth) scores_by_depth[d - 1] = score;
    }
    return score;
}
