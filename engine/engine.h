// Engine core: what the xboard and the UCI programs share. The game record and its positions,
// the thinking driver behind one call (search limits in, a search result out, a reporter
// after each completed iteration), time control, move text, the input line source with its
// text scanning, and the benchmark. It uses board/, moves/, eval/ and search/; the two front
// ends (xboard/, uci/) use it and never each other.
#pragma once

#include <cstdio>

#include "board/board.h"

// The engine_side value of an engine that plays neither colour and only follows the game.
constexpr int32_t NO_SIDE = 2;

// "sd" after "new": iterations run while their depth is below it, so the deepest is 29. A UCI
// search without a depth of its own goes as deep.
constexpr int32_t DEFAULT_DEPTH_LIMIT = 30;

// The game's settings. position_invalid belongs to the game record; engine_side, depth_limit
// and post are the xboard program's ("go"/"force", "sd", "post"/"nopost").
struct EngineState {
    int32_t engine_side;       // 0 black, 1 white, NO_SIDE
    int32_t depth_limit;       // "sd"; iterations run while their depth is below it
    int32_t post;              // 1 when thinking output is wanted
    int32_t position_invalid;  // 1 while no valid position is set up
};
extern EngineState engine_state;
// Set when the program is to end ("quit"); the command loops stop at it.
extern int32_t quit_requested;

// Resets every engine record to its start-up value (the tables are left alone).
void reset_engine();

// ---------------------------------------------------------------------------------------------
// The game record: the game position, the moves that reached it, and the positions that stood
// on the board since the last capture or pawn move.

// The game position from FEN text, with the reset of a new game: search memory, carried-over
// thinking, clocks and the position record. False when refused: then no position is set.
bool setup_position(const char* fen);
// The opponent's move in coordinate text, played when it is a legal move of the game position;
// false when refused, and then the game position is as it was.
bool play_opponent_move(const char* text);
// The engine's own move (one the thinking driver returned) made the game position.
void play_engine_move(Move move);
// The game position stood on the board at least twice before.
bool game_position_repeated();
// The legal move of the game position that the coordinate text names, or 0.
Move find_legal_move(const char* text);

// ---------------------------------------------------------------------------------------------
// Thinking: one call that searches the game position within its limits.

struct SearchLimits {
    int32_t max_depth;   // the deepest iteration; one iteration runs however low it is
    int32_t budget_ms;   // the search stops this long after it started
    // When not 0: no iteration starts once this long has passed since the search started
    // (one that would start then is unlikely to complete within budget_ms).
    int32_t soft_budget_ms;
    bool infinite;       // no limit of its own: no deadline (beyond budget_cap_ms)
    bool node_limit_set;
    uint32_t node_limit;  // the iterations stop at the first clock check past this many nodes
    // Repetition and insufficient material end the game before any search (the xboard
    // program claims those draws; under UCI the interface ends the game and the engine plays).
    bool claim_draws;
    // Called with every clock check of the search (every 1024 nodes); true stops it as the
    // deadline does. For a front end that reads its input while it thinks; may be null.
    bool (*poll)();
    // The best lines each iteration finds (0 or 1: one). With more, every line has a search of
    // its own over the moves not among the lines before it, with the full window.
    int32_t lines;
    // When given, the root considers only these moves (legal ones of the game position).
    const Move* search_moves;
    int32_t search_move_count;
};

// How the game stands at the root when no move is searched for.
enum GameEnd {
    GAME_GOES_ON,
    DRAW_BY_REPETITION,  // only with claim_draws
    DRAW_BY_MATERIAL,    // only with claim_draws
    STALEMATE,
    CHECKMATE,  // the side to move is mated
};

struct SearchResult {
    Move move;            // 0 when the game has ended
    Move expected_reply;  // the second move of the last completed iteration's line, or 0
    int32_t score;        // of the last completed iteration; -MATE_SCORE when none completed
    int32_t depth;        // of the last completed iteration; 0 when none completed
    bool completed;       // at least one iteration completed
    GameEnd game_end;
    int32_t legal_moves;  // of the root; a single one is returned without a search
};

// What a completed iteration reports, once for each of its lines.
struct IterationReport {
    int32_t depth;
    int32_t line;        // 1 for the best line, 2 for the next...; 0 when only one is wanted
    int32_t score;
    int32_t nodes;       // counted across the iterations of this search (wraps as 32 bits)
    int32_t elapsed_ms;  // since the search started
    const Move* pv;      // the iteration's principal variation, first move first
    int32_t pv_moves;
    int32_t null_tries;  // null-move searches made, and those that cut off
    int32_t null_cutoffs;
};
using IterationReporter = void (*)(const IterationReport&);

// Searches the game position: the per-search state cleared, the game phase decided, the root
// list prepared, the end of the game tested, then iterative deepening inside an aspiration
// window until the limits, a mate or the poll end it. `report` (may be null) is called after
// each completed iteration.
SearchResult search_position(const SearchLimits& limits, IterationReporter report);
// For the front end's poll: the search under way stops by these budgets from now on, counted
// from its start (a search begun without a time limit gets one).
void limit_search_time(int32_t budget_ms, int32_t soft_budget_ms);
// The most lines a search finds.
constexpr int32_t MAX_LINES = 64;

// The state the thinking carries from one search to the next, and the current search's own.
extern int32_t last_score;
extern int32_t window_low;
extern int32_t window_high;
// The root line of a search holds at most the moves of one pv_table row from index 1.
constexpr int SAVED_PV_SIZE = MAX_PLY - 1;
extern Move saved_pv[SAVED_PV_SIZE];
extern int32_t saved_pv_length;
extern int32_t search_start;
extern int32_t root_in_check;

// The legal moves of the game position into the root list, each with its first ordering
// score (the negated quiescence score plus the centre, check and opening king adjustments).
void prepare_root_moves();
// After each accepted opponent move: the expected line without its first two moves, and the
// killers, two plies forward.
void shift_ply_tables();

// ---------------------------------------------------------------------------------------------
// Time control: the clocks of the game and the budget of a move.

// Every time the engine stores lies in [0, MAX_CLOCK_MS] (about 11.5 days), so that no clock
// arithmetic can overflow.
constexpr int32_t MAX_CLOCK_MS = 1000000000;
// A control of more moves is the same as none; no count above it is stored.
constexpr int32_t MAX_MOVES_PER_CONTROL = 1000000;

// Time-control modes.
constexpr int32_t FIXED_TIME_MODE = 0;          // the same time for every move
constexpr int32_t MOVES_PER_CONTROL_MODE = 1;   // a number of moves in each control
constexpr int32_t WHOLE_GAME_MODE = 2;          // the whole game in one period: sudden death

struct TimeControl {
    int32_t mode;
    int32_t fixed_ms;
    int32_t moves_per_control;
    int32_t base_ms;
    int32_t increment_ms;
    int32_t moves_left[2];    // by colour: 0 black, 1 white
    int32_t time_left_ms[2];
    // 1 when the interface has sent this colour's clock since the last new game or control:
    // the engine's turn then keeps it instead of starting a full control.
    int32_t clock_from_interface[2];
};
extern TimeControl time_control;

// Starts a full control for `side`; the clock no longer counts as sent by the interface.
void reset_clock(int side);
// The milliseconds the engine may think about its move as `side`, from the clock records.
int32_t time_budget(int side);
// The clock value at which the search for this move must stop: now + time_budget.
int32_t move_deadline(int side);
void update_clock(int side, int32_t spent_ms);
extern int32_t budget_cap_ms;  // bound of one search's time (unbounded in the programs)

// ---------------------------------------------------------------------------------------------
// Move text: coordinate notation (e2e4, e7e8q, castling as the king's move).

void move_to_text(Move move, char* text);  // room for 6 bytes
Move text_to_move(const char* text, int ply);

// ---------------------------------------------------------------------------------------------
// Input lines and replies. Lines come from a line source: standard input in the programs, a
// text buffer in tests and fuzzers. Replies go to `protocol_out` and are flushed at once.

// The longest line a source hands out in one piece, terminator included: a UCI "position"
// line carries every move of the game.
constexpr int LONGEST_LINE_SIZE = 16384;

// Reads standard input through the C library's stream from now on (the xboard program).
void use_stdin_source();
// Reads descriptor 0 directly from now on, so that poll_line can look for waiting lines
// (the UCI program).
void use_descriptor_source();
// Reads from the given bytes (not copied; must outlive the session).
void use_buffer_source(const char* data, size_t size);
// Reads the next line (at most `size` - 1 characters, newline included, a CR before the LF
// dropped); a longer line is read in pieces. Returns 0 at end of input or on a read error.
int read_line(char* line, int size);
// A line if one can be read without waiting: 1 with the line, 0 when none is complete yet,
// -1 at the end of the input. A buffer source gives its lines while any are left and never
// ends (tests feed it piece by piece); the C library stream gives none.
int poll_line(char* line, int size);
// True once the descriptor source has reached the end of its input.
bool input_closed();

extern FILE* protocol_out;
// Formatted reply, flushed at once.
void reply(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Text scanning shared by the command loops.
bool is_blank(char c);  // space, tab, newline, CR, vertical tab, form feed
const char* skip_blanks(const char* p);
// The first blank-delimited word of the line: its start, with `length` set (0 for none).
const char* first_word(const char* line, size_t& length);
// The next word from `p` on, as first_word finds it; `p` moves past it.
const char* next_word(const char*& p, size_t& length);
// True when the word of `length` characters is exactly `text`.
bool word_is(const char* word, size_t length, const char* text);
// Reads a decimal integer (blanks, optional sign, digits) like "%d", saturating far beyond
// any meaningful value instead of overflowing. False, with `p` unmoved, when no digit is found.
bool read_integer(const char*& p, int64_t& value);
// Times are kept within [0, MAX_CLOCK_MS] so that no clock arithmetic can overflow.
int32_t clamp_ms(int64_t ms);
int32_t clamp_int32(int64_t v);

// ---------------------------------------------------------------------------------------------
// The benchmark: fixed-depth searches of a fixed set of positions (openings, middlegames,
// endgames, tactics), each from a fresh engine. Its total node count is the engine's search
// signature.

// Depth of the benchmark when none is given (the one whose total node count is pinned).
constexpr int BENCH_DEFAULT_DEPTH = 6;
struct BenchResult {
    int32_t nodes;
    int32_t ms;
    Move move;
};
int bench_position_count();
const char* bench_position(int index);  // FEN
BenchResult bench_search(int index, int depth);
