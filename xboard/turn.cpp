// The game commands that answer in the xboard protocol ("new", "setboard", "usermove", "go")
// and the engine's turn: its search with the thinking line, the results it announces before
// and after its move, resignation, and its clock.
#include <cstdio>

#include "eval/eval.h"
#include "search/search.h"
#include "xboard/xboard.h"

namespace {

// A completed search that scores the position below this resigns it.
constexpr int32_t RESIGN_BELOW = -1500;

// The thinking line of an iteration (which shows the moves of its line, not its depth).
void print_thinking_line(const IterationReport& r) {
    char line[1024];
    const int32_t centiseconds = int32_t(int64_t(r.elapsed_ms) * 100 / 1000);
    int n = std::snprintf(line, sizeof line, "%d %d %d %d ", r.pv_moves, r.score, centiseconds,
                          r.nodes);
    for (int i = 0; i < r.pv_moves; ++i) {
        char text[6];
        move_to_text(r.pv[i], text);
        n += std::snprintf(line + n, sizeof line - n, "%s ", text);
    }
    // No time elapsed yet: divide by one centisecond.
    const double per_second = r.nodes * 100.0 / (centiseconds > 0 ? centiseconds : 1);
    if (r.null_tries != 0)
        std::snprintf(line + n, sizeof line - n, "[%.2f, %.2f]\n", per_second,
                      r.null_cutoffs * 100.0 / r.null_tries);
    else
        std::snprintf(line + n, sizeof line - n, "[%.2f]\n", per_second);
    reply("%s", line);
}

}  // namespace

Move think() {
    const int side = engine_state.engine_side;
    SearchLimits limits = {};
    // Iterations run while their depth is below "sd".
    limits.max_depth = clamp_int32(int64_t(engine_state.depth_limit) - 1);
    limits.budget_ms = time_budget(side);
    limits.claim_draws = true;
    const SearchResult result = search_position(limits, engine_state.post ? print_thinking_line : nullptr);

    switch (result.game_end) {
        case DRAW_BY_REPETITION:
            // "repetinion" is the text interfaces have always received here: kept as it is.
            reply("1/2-1/2 {Draw by repetinion}\n");
            return 0;
        case DRAW_BY_MATERIAL:
            reply("1/2-1/2 {Material}\n");
            return 0;
        case STALEMATE:
            reply("1/2-1/2 {Stalemate}\n");
            return 0;
        case CHECKMATE:
            if (side == BLACK) reply("1-0 {Black mated}\n");
            else reply("0-1 {White mated}\n");
            return 0;
        case GAME_GOES_ON:
            break;
    }
    if (result.legal_moves == 1) {
        update_clock(side, clock_ms() - search_start);
        return result.move;
    }
    if (!check_position()) reply("tellopponent INVALID INTERNAL POSITION!!!\n");
    if (result.completed && result.score < RESIGN_BELOW) {
        reply("resign\n");
        return 0;
    }
    update_clock(side, clock_ms() - search_start);
    return result.move;
}

void new_game() {
    setup_position(START_FEN);
    engine_state.engine_side = BLACK;  // the engine plays black
    engine_state.depth_limit = DEFAULT_DEPTH_LIMIT;
    engine_state.post = 1;
}

void set_board(const char* fen) {
    if (!setup_position(fen)) {
        reply("tellusererror Illegal position!!\n");
        return;
    }
    engine_state.engine_side = NO_SIDE;
}

void user_move(const char* text) {
    if (!play_opponent_move(text)) reply("Illegal move: %s\n", text);
}

// The engine plays the side to move. Its clock starts a full control unless the interface
// has sent it ("time" before "go"), which is the clock the interface itself keeps.
void go_command() {
    if (engine_state.position_invalid) return;
    engine_state.engine_side = side_to_move;
    if (!time_control.clock_from_interface[side_to_move]) reset_clock(side_to_move);
}

void engine_turn() {
    Move move = think();
    if (move == 0) {
        engine_state.engine_side = NO_SIDE;
        return;
    }
    char text[6];
    move_to_text(move, text);
    play_engine_move(move);
    reply("move %s\n", text);
    if (repetition_count(0) == 2 && game_position_repeated()) {
        reply("1/2-1/2 {Draw by repetition}\n");
        engine_state.engine_side = NO_SIDE;
    } else if (board.history[0].fifty >= 100) {
        reply("1/2-1/2 {50 moves rule}\n");
        engine_state.engine_side = NO_SIDE;
    } else if (insufficient_material()) {
        // Like the other results: the engine only follows from here on and stays for the
        // next game, which an interface that reuses engines starts with "new".
        reply("1/2-1/2 {Material}\n");
        engine_state.engine_side = NO_SIDE;
    }
}
