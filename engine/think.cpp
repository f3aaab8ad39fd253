// The thinking driver: the root move list, the end-of-game tests before searching, iterative
// deepening inside an aspiration window with a report per completed iteration, and the
// carry-over of the expected line and the killers to the next search.
#include <algorithm>
#include <cstring>

#include "engine/engine.h"
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
// A move that gives check is tried earlier at the root.
constexpr int32_t ROOT_CHECK_BONUS = 50;

// The limits of the search under way (a copy the front end's poll may retime), for the stop
// poll and the iterations.
SearchLimits active_limits;
bool node_limit_armed = false;

// The search's stop poll while search_position runs: the node limit (once the iterations
// run), then the front end's own poll.
bool poll_limits() {
    if (node_limit_armed && uint32_t(nodes) >= active_limits.node_limit) return true;
    return active_limits.poll != nullptr && active_limits.poll();
}

// The best lines of an iteration, best first.
struct RootLine {
    int32_t score;
    int32_t length;  // pv_length form: moves + 1
    Move moves[SAVED_PV_SIZE];
};
RootLine root_lines[MAX_LINES];

int32_t deadline_after(int64_t budget) {
    const int64_t at = int64_t(search_start) + budget;
    return int32_t(at > INT32_MAX ? INT32_MAX : at);
}

}  // namespace

void prepare_root_moves() {
    Move list[MAX_MOVES];
    int count = generate_captures(list, 0);
    count += generate_quiet_moves(list + count, 0);
    root_move_count = 0;
    const bool opening = eval_params.game_phase == OPENING_PHASE;
    for (int i = 0; i < count; ++i) {
        const Move m = list[i];
        if (!make_move(m, 1)) continue;
        if (in_check(side_to_move ^ 1)) {
            unmake_move(m);
            continue;
        }
        int32_t score = -quiesce(-MATE_SCORE, MATE_SCORE, 2) + placement_order_bonus(m, opening);
        if (in_check(side_to_move)) score += ROOT_CHECK_BONUS;
        unmake_move(m);
        root_moves[root_move_count] = m;
        root_scores[root_move_count] = score;
        ++root_move_count;
    }
}

namespace {

// The start of every search: the per-search state cleared, the deadline taken, the game
// phase decided, the first window, the root list prepared.
void begin_thinking(const SearchLimits& limits) {
    std::memset(history_scores, 0, sizeof history_scores);
    std::memset(extension_kind, 0, sizeof extension_kind);
    time_up = 0;
    nodes = 0;

    search_start = clock_ms();
    deadline = deadline_after(limits.infinite ? budget_cap_ms : limits.budget_ms);
    null_tries = 0;
    null_cutoffs = 0;
    age_table();
    set_game_phase();

    window_low = std::max(last_score - ASPIRATION_MARGIN, -MATE_SCORE);
    window_high = std::min(last_score + ASPIRATION_MARGIN, MATE_SCORE);
    last_score = window_low;

    prepare_root_moves();
    nodes = 0;  // the quiescence calls of the root list are not counted
    root_in_check = in_check(side_to_move);
}

// Keeps only the root moves that are in `moves` (all of them when none is), in their order.
void restrict_root_moves(const Move* moves, int count) {
    int kept = 0;
    for (int i = 0; i < root_move_count; ++i)
        for (int k = 0; k < count; ++k)
            if (root_moves[i] == moves[k]) {
                root_moves[kept] = root_moves[i];
                root_scores[kept] = root_scores[i];
                ++kept;
                break;
            }
    if (kept != 0) root_move_count = kept;
}

// One iteration that finds `count` best lines: each a full-window root search over the moves
// not among the lines before it, whose first move then joins them at the front of the list.
// The lines end sorted best first, the best one in pv_table row 1. False when stopped.
bool search_lines(int depth, int count) {
    for (int i = 0; i < count; ++i) {
        int searched = depth;
        const int32_t score = root_search(-MATE_SCORE, MATE_SCORE, searched, i);
        if (time_up) return false;
        int at = i;
        while (root_moves[at] != pv_table[1][1]) ++at;
        const Move move = root_moves[at];
        const int32_t order = root_scores[at];
        for (int k = at; k > i; --k) {
            root_moves[k] = root_moves[k - 1];
            root_scores[k] = root_scores[k - 1];
        }
        root_moves[i] = move;
        root_scores[i] = order;
        RootLine& line = root_lines[i];
        line.score = score;
        line.length = pv_length[1];
        std::memcpy(line.moves, &pv_table[1][1], sizeof(Move) * (line.length - 1));
    }
    // A later line's own search may score above an earlier one's: best first, stably.
    for (int i = 1; i < count; ++i)
        for (int k = i; k > 0 && root_lines[k - 1].score < root_lines[k].score; --k)
            std::swap(root_lines[k - 1], root_lines[k]);
    pv_length[1] = root_lines[0].length;
    std::memcpy(&pv_table[1][1], root_lines[0].moves, sizeof(Move) * (root_lines[0].length - 1));
    return true;
}

// Iterative deepening over the prepared root list (at least two moves) until the clock, the
// depth limit or a mate ends it, within the limits of the search under way.
void deepen(IterationReporter report, SearchResult& result) {
    // Read as the search goes: the front end's poll may retime it (limit_search_time).
    const SearchLimits& limits = active_limits;
    int32_t best_score = -MATE_SCORE;
    Move best_move = 0;
    if (root_move_count == 2 && !root_in_check) iteration_depth += 1;

    // At least one iteration always runs: a depth limit at or below the first depth lowers
    // the first depth instead of leaving the engine with no move to play.
    if (iteration_depth > limits.max_depth) iteration_depth = std::max(limits.max_depth, 1);
    int depth = iteration_depth;
    bool completed = false;
    for (;;) {
        if (depth > iteration_depth) {
            window_low = std::max(window_low, best_score - ASPIRATION_MARGIN);
            window_high = std::min(window_high, best_score + ASPIRATION_MARGIN);
        }
        const int lines = std::min(std::max(limits.lines, 1), root_move_count);
        int32_t score = 0;
        if (lines > 1) {
            if (!search_lines(depth, lines)) break;
            score = root_lines[0].score;
        }
        for (int attempt = 1; lines == 1; ++attempt) {
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
        if (report && lines == 1)
            report({depth, 0, score, nodes, clock_ms() - search_start, &pv_table[1][1],
                    pv_length[1] - 1, null_tries, null_cutoffs});
        for (int i = 0; report && lines > 1 && i < lines; ++i)
            report({depth, i + 1, root_lines[i].score, nodes, clock_ms() - search_start,
                    root_lines[i].moves, root_lines[i].length - 1, null_tries, null_cutoffs});
        if (score > MATE_BOUND || score < -MATE_BOUND) break;
        if (depth >= limits.max_depth) break;
        if (limits.soft_budget_ms != 0 && clock_ms() - search_start >= limits.soft_budget_ms) break;
        depth += 1;
    }
    // Stopped by the clock before any iteration completed: play the move the last root
    // search ordered first rather than resign for want of time.
    result.move = completed ? best_move : root_moves[0];
    result.expected_reply = completed && saved_pv_length > 2 ? saved_pv[1] : 0;
    result.score = best_score;
    result.depth = completed ? iteration_depth : 0;
    result.completed = completed;
}

}  // namespace

SearchResult search_position(const SearchLimits& limits, IterationReporter report) {
    active_limits = limits;
    node_limit_armed = false;
    stop_poll = limits.node_limit_set || limits.poll != nullptr ? poll_limits : nullptr;
    begin_thinking(limits);
    if (limits.search_move_count > 0) restrict_root_moves(limits.search_moves, limits.search_move_count);

    SearchResult result = {0, 0, -MATE_SCORE, 0, false, GAME_GOES_ON, root_move_count};
    // A repetition is claimed only when the game position really stood there twice before.
    if (limits.claim_draws && repetition_count(0) == 2 && game_position_repeated())
        result.game_end = DRAW_BY_REPETITION;
    else if (limits.claim_draws && insufficient_material())
        result.game_end = DRAW_BY_MATERIAL;
    else if (root_move_count == 0)
        result.game_end = root_in_check ? CHECKMATE : STALEMATE;
    else if (root_move_count == 1)
        result.move = root_moves[0];
    else {
        // The nodes of the root list's quiescence calls are not counted, so neither are they
        // held against the node limit.
        node_limit_armed = limits.node_limit_set;
        deepen(report, result);
        node_limit_armed = false;
    }
    stop_poll = nullptr;
    active_limits = {};
    return result;
}

void limit_search_time(int32_t budget_ms, int32_t soft_budget_ms) {
    active_limits.infinite = false;
    active_limits.budget_ms = budget_ms;
    active_limits.soft_budget_ms = soft_budget_ms;
    deadline = deadline_after(budget_ms);
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
