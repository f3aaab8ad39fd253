// Time control: the budget of one move and the engine's own clock from move to move.
#include "engine/engine.h"
#include "moves/moves.h"
#include "search/search.h"

// Upper bound of any one search's time. The programs leave it unbounded; the fuzzers and
// stress tests lower it so that a search costs little whatever the session sets.
int32_t budget_cap_ms = INT32_MAX;

// A fixed time per move is the time within which the move must reach the interface, which
// flags a move that arrives late. The search stops this far ahead of it: the clock is read
// only every 1024 nodes, and unwinding, printing and the pipe take their own milliseconds.
constexpr int32_t FIXED_TIME_MARGIN_PERCENT = 5;
constexpr int32_t MIN_FIXED_TIME_MARGIN_MS = 50;

// In sudden death the engine spends this share of its clock on every move, all game long:
// a rising share would run the clock down geometrically in a long endgame, below the time a
// move takes to reach the interface.
constexpr double WHOLE_GAME_SHARE = 0.025;

void reset_clock(int side) {
    time_control.moves_left[side] = time_control.moves_per_control;
    time_control.time_left_ms[side] = time_control.base_ms;
    time_control.clock_from_interface[side] = 0;
}

namespace {

// The search time of a move under a fixed time per move: a margin below it.
int32_t fixed_time_budget(int32_t fixed_ms) {
    int32_t margin = fixed_ms / 100 * FIXED_TIME_MARGIN_PERCENT;
    if (margin < MIN_FIXED_TIME_MARGIN_MS) margin = MIN_FIXED_TIME_MARGIN_MS;
    // A very short fixed time still leaves the search half of it.
    if (margin > fixed_ms / 2) margin = fixed_ms / 2;
    return fixed_ms - margin;
}

}  // namespace

int32_t time_budget(int side) {
    const double t = time_control.time_left_ms[side];
    double budget = 0;
    switch (time_control.mode) {
        case FIXED_TIME_MODE:
            budget = fixed_time_budget(time_control.fixed_ms);
            break;
        case WHOLE_GAME_MODE:
            budget = t * WHOLE_GAME_SHARE;
            break;
        default: {
            // A control with no moves left counts as one move left: never divide by zero.
            const double m = time_control.moves_left[side] > 0 ? time_control.moves_left[side] : 1;
            const double per_control = time_control.moves_per_control > 0 ? time_control.moves_per_control : 1;
            const double p = m * 100 / per_control;
            if (p > 15.0) budget = t * 1.15 / m;
            else if (m >= 3) budget = t * 0.8 / m;
            else if (t - 4000 > 0) budget = (t - 4000) / m;
            else budget = t * 0.5 / m;
            break;
        }
    }
    int64_t ms = int64_t(budget);  // truncated toward zero
    if (ms < 0) ms = 0;
    if (ms > budget_cap_ms) ms = budget_cap_ms;
    return int32_t(ms);
}

int32_t move_deadline(int side) {
    const int64_t at = int64_t(clock_ms()) + time_budget(side);
    return int32_t(at > INT32_MAX ? INT32_MAX : at);
}

void update_clock(int side, int32_t spent_ms) {
    TimeControl& tc = time_control;
    tc.moves_left[side] -= 1;
    // Summed in 64 bits and kept within the range the clock commands store: increments and
    // new controls added move after move would otherwise overflow a huge clock.
    int64_t left = int64_t(tc.time_left_ms[side]) + tc.increment_ms;
    if (tc.moves_left[side] == 0 && tc.mode != WHOLE_GAME_MODE) {
        tc.moves_left[side] = tc.moves_per_control;
        left += tc.base_ms;
    }
    left -= spent_ms;
    if (left <= 0) left = tc.base_ms;
    tc.time_left_ms[side] = int32_t(left < MAX_CLOCK_MS ? left : MAX_CLOCK_MS);
}
