// The UCI "go": its limits as the engine's search limits (the clock as time budgets with the
// increment and the move overhead, "searchmoves", "ponder"), the search with its "info" lines,
// the poll that answers "stop", "ponderhit", "quit" and "isready" while it runs, and the
// "bestmove" answer.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "search/search.h"
#include "uci/uci.h"

namespace {

// A field the "go" line did not give (read_integer never reads this value: it saturates).
constexpr int64_t ABSENT = INT64_MIN;

struct GoLimits {
    int64_t time_ms[2];       // by colour: 0 black ("btime"), 1 white ("wtime")
    int64_t increment_ms[2];  // "binc", "winc"
    int64_t moves_to_go;
    int64_t move_time_ms;
    int64_t depth;
    int64_t nodes;
    bool infinite;
    bool ponder;
    int32_t search_move_count;  // the legal moves of "searchmoves", in their order
};
Move search_moves[MAX_MOVES];

// A "searchmoves" word as move text (a longer word is cut, and then refused as too long).
constexpr size_t MOVE_WORD_ROOM = 12;

GoLimits read_limits(const char* p) {
    GoLimits limits = {{ABSENT, ABSENT}, {ABSENT, ABSENT}, ABSENT, ABSENT, ABSENT, ABSENT, false, false, 0};
    struct Field {
        const char* word;
        int64_t* value;
    };
    const Field fields[] = {
        {"wtime", &limits.time_ms[1]},      {"btime", &limits.time_ms[0]},
        {"winc", &limits.increment_ms[1]},  {"binc", &limits.increment_ms[0]},
        {"movestogo", &limits.moves_to_go}, {"movetime", &limits.move_time_ms},
        {"depth", &limits.depth},           {"nodes", &limits.nodes},
    };
    bool listing = false;   // within the moves of "searchmoves"
    bool listed = false;
    char refused[UCI_LINE_SIZE] = "";
    size_t refused_length = 0;
    size_t length;
    for (const char* word = next_word(p, length); length != 0; word = next_word(p, length)) {
        bool field_word = word_is(word, length, "mate");  // a limit not kept: its number is a word
        for (const Field& field : fields) field_word = field_word || word_is(word, length, field.word);
        if (word_is(word, length, "infinite")) {
            limits.infinite = true;
        } else if (word_is(word, length, "ponder")) {
            limits.ponder = true;
        } else if (word_is(word, length, "searchmoves")) {
            listing = listed = true;
            continue;
        } else if (listing && !field_word) {
            char text[MOVE_WORD_ROOM + 1];
            const size_t n = length < MOVE_WORD_ROOM ? length : MOVE_WORD_ROOM;
            std::memcpy(text, word, n);
            text[n] = 0;
            const Move move = find_legal_move(text);
            bool known = false;
            for (int i = 0; i < limits.search_move_count; ++i) known = known || search_moves[i] == move;
            if (move != 0 && !known) search_moves[limits.search_move_count++] = move;
            if (move == 0) {
                std::memcpy(refused + refused_length, " ", 1);
                std::memcpy(refused + refused_length + 1, word, length);
                refused_length += length + 1;
                refused[refused_length] = 0;
            }
            continue;
        }
        listing = false;
        for (const Field& field : fields) {
            if (!word_is(word, length, field.word)) continue;
            // A field without its number is ignored, and the word after it read as a word.
            int64_t v;
            if (read_integer(p, v)) *field.value = v;
            break;
        }
    }
    if (refused_length != 0)
        reply("info string searchmoves: not a legal move here:%s\n", refused);
    if (listed && limits.search_move_count == 0)
        reply("info string searchmoves: no legal move listed, every move is searched\n");
    return limits;
}

// A game without moves to go is planned as this many more moves.
constexpr int64_t PLANNED_MOVES = 30;
// Moves to go beyond this are planned as this many (a long control is no reason to hurry).
constexpr int64_t MOST_PLANNED_MOVES = 40;
// A move may run to this many times its share, and never take more than this part of the
// clock (all but a tenth on the last move of a control).
constexpr int64_t HARD_SHARE_FACTOR = 3;
constexpr int64_t CLOCK_PART = 3;

// The time budgets of a timed "go" for the side to move, the move overhead kept back from
// each: "movetime" is the time itself; a clock gives each move its share of the time left
// plus three quarters of the increment, an iteration starting only within half of that, and
// a hard limit that leaves the clock what the next moves need.
void set_budgets(const GoLimits& limits, int side, SearchLimits& search) {
    const int64_t overhead = uci_options.move_overhead_ms;
    int64_t hard = MAX_CLOCK_MS, soft = 0;
    if (limits.move_time_ms != ABSENT) {
        hard = clamp_ms(limits.move_time_ms) - overhead;
    } else if (limits.time_ms[side] != ABSENT) {
        const int64_t available = clamp_ms(limits.time_ms[side]) - overhead;
        const int64_t increment =
            limits.increment_ms[side] != ABSENT ? clamp_ms(limits.increment_ms[side]) : 0;
        const int64_t moves = limits.moves_to_go > 0
                                  ? (limits.moves_to_go < MOST_PLANNED_MOVES ? limits.moves_to_go
                                                                             : MOST_PLANNED_MOVES)
                                  : PLANNED_MOVES;
        const int64_t share = available / moves + increment * 3 / 4;
        const int64_t ceiling = moves == 1 ? available * 9 / 10 : available / CLOCK_PART;
        hard = std::min(share * HARD_SHARE_FACTOR, ceiling);
        soft = std::min(share, hard) / 2;
    }
    hard = std::max<int64_t>(hard, 0);
    search.budget_ms = int32_t(std::min<int64_t>(hard, budget_cap_ms));
    // A soft budget of 0 would mean none: a clock's is at least a millisecond.
    if (limits.move_time_ms == ABSENT && limits.time_ms[side] != ABSENT)
        search.soft_budget_ms = int32_t(std::max<int64_t>(soft, 1));
}

// The limits of one search, for the side to move. UCI keeps no clock between moves: each
// "go" brings it.
SearchLimits search_limits(const GoLimits& limits) {
    const int side = side_to_move;
    SearchLimits search = {};
    set_budgets(limits, side, search);
    search.max_depth = limits.depth != ABSENT ? clamp_int32(limits.depth) : DEFAULT_DEPTH_LIMIT - 1;
    search.node_limit_set = limits.nodes != ABSENT;
    const int64_t node_limit = limits.nodes < 0 ? 0 : limits.nodes;
    search.node_limit = uint32_t(node_limit < UINT32_MAX ? node_limit : UINT32_MAX);
    // With no limit of its own, only "stop" ends the search; so does the end of the input.
    uci_state.unlimited = limits.move_time_ms == ABSENT && limits.time_ms[side] == ABSENT &&
                          limits.depth == ABSENT && limits.nodes == ABSENT;
    search.infinite = uci_state.unlimited;
    search.claim_draws = false;  // the interface ends the game
    search.lines = uci_options.lines;
    search.search_moves = search_moves;
    search.search_move_count = limits.search_move_count;
    return search;
}

// One "info" line per completed iteration. A score beyond MATE_BOUND is a mate: MATE_SCORE - p
// when the side to move mates at ply p, p - MATE_SCORE when it is mated there (the root is
// ply 1), shown as the number of the engine's moves to it.
void print_info_line(const IterationReport& r) {
    char line[1024];
    int n = std::snprintf(line, sizeof line, "info depth %d ", r.depth);
    if (r.line != 0) n += std::snprintf(line + n, sizeof line - n, "multipv %d ", r.line);
    n += std::snprintf(line + n, sizeof line - n, "score ");
    if (r.score > MATE_BOUND)
        n += std::snprintf(line + n, sizeof line - n, "mate %d", (MATE_SCORE + 1 - r.score) / 2);
    else if (r.score < -MATE_BOUND)
        n += std::snprintf(line + n, sizeof line - n, "mate %d", -((MATE_SCORE + r.score) / 2));
    else
        n += std::snprintf(line + n, sizeof line - n, "cp %d", r.score);
    const uint32_t searched = uint32_t(r.nodes);  // the counter wraps as an unsigned number
    const int32_t ms = r.elapsed_ms;
    const uint64_t per_second = uint64_t(searched) * 1000 / uint64_t(ms > 0 ? ms : 1);
    n += std::snprintf(line + n, sizeof line - n, " nodes %u nps %llu", searched,
                       static_cast<unsigned long long>(per_second));
    if (table_megabytes != 0)
        n += std::snprintf(line + n, sizeof line - n, " hashfull %d", table_fill_per_mille());
    n += std::snprintf(line + n, sizeof line - n, " time %d pv", ms);
    for (int i = 0; i < r.pv_moves; ++i) {
        char text[6];
        move_to_text(r.pv[i], text);
        n += std::snprintf(line + n, sizeof line - n, " %s", text);
    }
    reply("%s\n", line);
}

// The stop poll of a UCI search: the lines waiting. A command for after the search stops the
// reading, so that it and everything behind it keep their order; under a search that only
// "stop" could end, it ends the search, since the interface has moved on.
bool poll_during_search() {
    if (uci_state.stop_requested) return true;
    while (!uci_state.deferred) {
        const int got = poll_line(uci_deferred_line, UCI_LINE_SIZE);
        if (got == 0) return false;
        if (got < 0) {
            if (uci_state.unlimited) uci_state.stop_requested = 1;
            return uci_state.stop_requested != 0;
        }
        const SearchLine kind = classify_search_line(uci_deferred_line);
        if (kind == SEARCH_ENDS) return true;
        if (kind == PONDER_HIT && uci_state.pondering) {
            // The expected reply came: from now on the search is the one of its "go", on the
            // clock that "go" gave, counted from the start (the time pondered counts too).
            uci_state.pondering = 0;
            uci_state.unlimited = uci_state.unlimited_after_ponder;
            const SearchLimits& timed = uci_state.ponder_limits;
            if (!uci_state.unlimited) limit_search_time(timed.budget_ms, timed.soft_budget_ms);
        }
        if (kind == AFTER_SEARCH) {
            uci_state.deferred = 1;
            if (uci_state.unlimited) uci_state.stop_requested = 1;
        }
    }
    return uci_state.stop_requested != 0;
}

}  // namespace

SearchLimits limits_of_go(const char* args) { return search_limits(read_limits(args)); }

void uci_go(const char* args) {
    const GoLimits limits = read_limits(args);
    uci_state.stop_requested = 0;
    uci_state.pondering = 0;
    SearchResult result = {};
    if (!engine_state.position_invalid) {
        SearchLimits search = search_limits(limits);
        search.poll = poll_during_search;
        if (limits.ponder) {
            // Thinking on the opponent's time: no time limit until "ponderhit" brings this one.
            uci_state.pondering = 1;
            uci_state.ponder_limits = search;
            uci_state.unlimited_after_ponder = uci_state.unlimited;
            uci_state.unlimited = 1;
            search.infinite = true;
            search.soft_budget_ms = 0;
        }
        // The interface ends the game: no draw is claimed and nothing is resigned.
        result = search_position(search, print_info_line);
        if (result.legal_moves > 1 && !check_position())
            reply("info string invalid internal position\n");
    }
    if (quit_requested) return;
    uci_state.engine_move = result.move;
    // UCI: after "go infinite" the answer waits for "stop", after "go ponder" for "ponderhit"
    // or "stop", however early the search ended.
    if ((limits.infinite || uci_state.pondering) && !uci_state.stop_requested) {
        uci_state.holding = 1;
        uci_state.holding_ponder = uci_state.pondering;
        uci_state.held_move = result.move;
        uci_state.held_reply = result.expected_reply;
        uci_state.pondering = 0;
        return;
    }
    uci_state.pondering = 0;
    print_bestmove(result.move, result.expected_reply);
}
