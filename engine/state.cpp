// The engine's records and their reset to the start-up state.
#include <cstring>

#include "engine/engine.h"
#include "eval/eval.h"
#include "moves/moves.h"
#include "search/search.h"

EngineState engine_state = {NO_SIDE, 0, 0, 1};
TimeControl time_control;
int32_t quit_requested;

void reset_engine() {
    engine_state = {NO_SIDE, 0, 0, 1};
    time_control = {};
    quit_requested = 0;
    clear_board();
    side_to_move = 0;
    game_move_count = 0;
    eval_params = {};
    clear_pv_and_killers();
    std::memset(pv_length, 0, sizeof pv_length);
    std::memset(saved_pv, 0, sizeof saved_pv);
    saved_pv_length = 0;
    last_score = -MATE_SCORE;
    iteration_depth = 0;
    budget_cap_ms = INT32_MAX;
    stop_poll = nullptr;
}
