// The thinking driver: the root move list, the end-of-game tests before searching, iterative
// deepening inside an aspiration window, the thinking output and resignation; and the carry-
// over of the expected line and the killers to the next search.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "driver/driver.h"
#include "eval/eval.h"
#include "moves/moves.h"
#include "search/search.h"

int32_t last_score = -MATE_SCORE;
int32_t window_low;
int32_t window_high;
Move saved_pv[SAVED_PV_SIZE];
int32_t saved_pv_length;
int32_t search_start;
int32_t root_in_check;

namespace {

// The aspiration window reaches this far on each side of the score it expects.
constexpr int32_t ASPIRATION_MARGIN = 30;
// A completed search that scores the position below this resigns it.
constexpr int32_t RESIGN_BELOW = -1500;

bool in_centre_block(Square to) {
    const int f = to & 7;
    return to >= 18 && to <= 45 && f >= 2 && f <= 5;
}

}  // namespace

void prepare_root_moves() {
    Move list[MAX_MOVES];
    int count = generate_captures(list, 0);
    count += generate_quiet_moves(list + count, 0);
    root_move_count = 0;
    for (int i = 0; i < count; ++i) {
        const Move m = list[i];
        if (!make_move(m, 1)) continue;
        if (in_check(side_to_move ^ 1)) {
            unmake_move(m);
            continue;
        }
        int32_t score = -quiesce(-MATE_SCORE, MATE_SCORE, 2);
        if (in_centre_block(move_to(m))) score += 200;
        if (in_check(side_to_move)) score += 50;
        if (eval_params.game_phase == OPENING_PHASE && move_piece(m) == KING) {
            if (move_captured(m) == 0 && std::abs(move_from(m) - move_to(m)) == 1) score -= 400;
            else score += piece_value[move_captured(m)] + 300;
        }
        unmake_move(m);
        root_moves[root_move_count] = m;
        root_scores[root_move_count] = score;
        ++root_move_count;
    }
}

namespace {

// The xboard thinking line of an iteration (which shows the moves of its line, not its depth).
void print_thinking_line(int, int32_t score) {
    char line[1024];
    const int32_t centiseconds = int32_t(int64_t(clock_ms() - search_start) * 100 / 1000);
    const int moves = pv_length[1] - 1;
    int n = std::snprintf(line, sizeof line, "%d %d %d %d ", moves, score, centiseconds, nodes);
    for (int i = 1; i <= moves; ++i) {
        char text[6];
        move_to_text(pv_table[1][i], text);
        n += std::snprintf(line + n, sizeof line - n, "%s ", text);
    }
    // No time elapsed yet: divide by one centisecond.
    const double per_second = nodes * 100.0 / (centiseconds > 0 ? centiseconds : 1);
    if (null_tries != 0)
        std::snprintf(line + n, sizeof line - n, "[%.2f, %.2f]\n", per_second,
                      null_cutoffs * 100.0 / null_tries);
    else
        std::snprintf(line + n, sizeof line - n, "[%.2f]\n", per_second);
    reply("%s", line);
}

}  // namespace

void begin_thinking() {
    std::memset(history_scores, 0, sizeof history_scores);
    std::memset(extension_kind, 0, sizeof extension_kind);
    time_up = 0;
    nodes = 0;

    search_start = clock_ms();
    deadline = move_deadline(engine_state.engine_side);
    null_tries = 0;
    null_cutoffs = 0;
    set_game_phase();

    window_low = std::max(last_score - ASPIRATION_MARGIN, -MATE_SCORE);
    window_high = std::min(last_score + ASPIRATION_MARGIN, MATE_SCORE);
    last_score = window_low;

    prepare_root_moves();
    nodes = 0;  // the quiescence calls of the root list are not counted
    root_in_check = in_check(side_to_move);
}

Deepening deepen(void (*report)(int depth, int32_t score)) {
    int32_t best_score = -MATE_SCORE;
    Move best_move = 0;
    if (root_move_count == 2 && !root_in_check) iteration_depth += 1;

    // At least one iteration always runs: a depth limit at or below the first depth lowers
    // the first depth instead of leaving the engine with no move to play.
    // (Written so that no "sd" value, however negative, overflows.)
    if (iteration_depth >= engine_state.depth_limit)
        iteration_depth = engine_state.depth_limit > 2 ? engine_state.depth_limit - 1 : 1;
    int depth = iteration_depth;
    bool completed = false;
    for (;;) {
        if (depth > iteration_depth) {
            window_low = std::max(window_low, best_score - ASPIRATION_MARGIN);
            window_high = std::min(window_high, best_score + ASPIRATION_MARGIN);
        }
        int32_t score = 0;
        for (int attempt = 1;; ++attempt) {
            score = root_search(window_low, window_high, depth);
            if (time_up) break;
            if (attempt == 3) break;
            if (score <= window_low) {
                if (attempt == 1) {
                    window_high = window_low + 1;
                    window_low = -MATE_SCORE;
                } else {
                    window_low = -MATE_SCORE;
                    window_high = MATE_SCORE;
                }
            } else if (score >= window_high) {
                if (attempt == 1) {
                    window_low = window_high - 1;
                    window_high = MATE_SCORE;
                } else {
                    window_low = -MATE_SCORE;
                    window_high = MATE_SCORE;
                }
            } else {
                break;
            }
        }
        if (time_up) break;

        best_move = pv_table[1][1];
        best_score = score;
        completed = true;
        iteration_depth = depth;
        last_score = score;
        saved_pv_length = pv_length[1];
        if (saved_pv_length > 1)
            std::memcpy(saved_pv, &pv_table[1][1], sizeof(Move) * (saved_pv_length - 1));
        if (report) report(depth, score);
        if (score > MATE_BOUND || score < -MATE_BOUND) break;
        depth += 1;
        if (depth >= engine_state.depth_limit) break;
    }
    // Stopped by the clock before any iteration completed: play the move the last root
    // search ordered first rather than resign for want of time.
    if (!completed) best_move = root_moves[0];
    return {best_move, best_score, completed};
}

Move think() {
    const int side = engine_state.engine_side;
    begin_thinking();

    // A repetition is claimed only when the game position really stood there twice before.
    if (repetition_count(0) == 2 && game_position_repeated()) {
        reply("1/2-1/2 {Draw by repetinion}\n");
        return 0;
    }
    if (insufficient_material()) {
        reply("1/2-1/2 {Material}\n");
        return 0;
    }
    if (root_move_count == 0) {
        if (!root_in_check) reply("1/2-1/2 {Stalemate}\n");
        else if (side == BLACK) reply("1-0 {Black mated}\n");
        else reply("0-1 {White mated}\n");
        return 0;
    }
    if (root_move_count == 1) {
        update_clock(side, clock_ms() - search_start);
        return root_moves[0];
    }

    const Deepening result = deepen(engine_state.post ? print_thinking_line : nullptr);
    if (!check_position()) reply("tellopponent INVALID INTERNAL POSITION!!!\n");
    if (result.completed && result.score < RESIGN_BELOW) {
        reply("resign\n");
        return 0;
    }
    update_clock(side, clock_ms() - search_start);
    return result.move;
}

void shift_ply_tables() {
    if (saved_pv_length > 3)
        std::memcpy(&pv_table[1][1], &saved_pv[2], sizeof(Move) * (saved_pv_length - 3));
    iteration_depth = 3;
    for (int p = 1; p + 2 <= MAX_PLY; ++p) {
        killers_1[p] = killers_1[p + 2];
        killers_2[p] = killers_2[p + 2];
        killers_3[p] = killers_3[p + 2];
    }
}
