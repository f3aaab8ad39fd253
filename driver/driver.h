// Engine driver: the protocol command loop, the game commands and the engine's turn, move
// text, time control and the thinking driver; and the UCI front end over them.
#pragma once

#include <cstdio>

#include "board/board.h"

// The engine_side value of an engine that plays neither colour and only follows the game.
constexpr int32_t NO_SIDE = 2;

struct EngineState {
    int32_t engine_side;       // 0 black, 1 white, NO_SIDE
    int32_t depth_limit;       // "sd"; iterations run while their depth is below it
    int32_t post;              // 1 when thinking output is wanted
    int32_t position_invalid;  // 1 while no valid position is set up
};
extern EngineState engine_state;

// Time-control modes.
constexpr int32_t FIXED_TIME_MODE = 0;          // "st": the same time for every move
constexpr int32_t MOVES_PER_CONTROL_MODE = 1;   // "level" with a move count
constexpr int32_t WHOLE_GAME_MODE = 2;          // "level" with move count 0: sudden death

struct TimeControl {
    int32_t mode;
    int32_t fixed_ms;
    int32_t moves_per_control;
    int32_t base_ms;
    int32_t increment_ms;
    int32_t moves_left[2];    // by colour: 0 black, 1 white
    int32_t time_left_ms[2];
    // 1 when the interface has sent this colour's clock with "time" since the last "new",
    // "setboard" or "level": "go" then keeps it instead of starting a full control.
    int32_t clock_from_interface[2];
};
extern TimeControl time_control;

// ---------------------------------------------------------------------------------------------
// Protocol input and output. Lines come from a line source: standard input in the program, a
// text buffer in tests and fuzzers. Replies go to `protocol_out` and are flushed at once.

constexpr int LINE_SIZE = 256;  // at most 255 characters and a terminator
// The UCI program's lines: a "position" line carries every move of the game.
constexpr int UCI_LINE_SIZE = 16384;

// Reads standard input through the C library's stream from now on (the xboard program).
void use_stdin_source();
// Reads descriptor 0 directly from now on, so that poll_line can look for waiting lines
// (the UCI program).
void use_descriptor_source();
// Reads from the given bytes (not copied; must outlive the session).
void use_buffer_source(const char* data, size_t size);
// Reads the next line (at most `size` - 1 characters, newline included, a CR before the LF
// dropped); a longer line is read in pieces. Returns 0 at end of input or on a read error.
int read_line(char* line, int size = LINE_SIZE);
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

// Resets every driver record to its start-up value (the tables are left alone).
void reset_engine();
// Start-up after init_tables: the handshake, then the command loop. Returns the exit status.
int run_engine();
// The command loop; returns the exit status.
int command_loop();

// ---------------------------------------------------------------------------------------------
// Game commands and the engine's turn.

void new_game();
void set_board(const char* fen);
void user_move(const char* text);
// The game position from FEN text, with the reset of "new" and "setboard" but without their
// replies or their choice of the engine's side. False when refused: then no position is set.
bool setup_position(const char* fen);
// The opponent's move as "usermove" plays it, without its reply; false when refused, and
// then the game position is as it was.
bool play_opponent_move(const char* text);
// The engine's own move (one the thinking driver returned) made the game position.
void play_engine_move(Move move);
void go_command();
void engine_turn();  // thinks, plays and announces the engine's move
bool game_position_repeated();  // the game position stood on the board twice before
extern int32_t quit_requested;

// ---------------------------------------------------------------------------------------------
// Move text.

void move_to_text(Move move, char* text);  // room for 6 bytes
Move text_to_move(const char* text, int ply);

// ---------------------------------------------------------------------------------------------
// Time control.

// Every time the driver stores lies in [0, MAX_CLOCK_MS] (about 11.5 days), so that no clock
// arithmetic can overflow.
constexpr int32_t MAX_CLOCK_MS = 1000000000;
// A control of more moves is the same as none; no count above it is stored.
constexpr int32_t MAX_MOVES_PER_CONTROL = 1000000;

// Starts a full control for `side`; the clock no longer counts as sent by the interface.
void reset_clock(int side);
// The milliseconds the engine may think about its move as `side`, from the clock records.
int32_t time_budget(int side);
// The clock value at which the search for this move must stop: now + time_budget.
int32_t move_deadline(int side);
void update_clock(int side, int32_t spent_ms);
extern int32_t budget_cap_ms;  // bound of one move's budget (unbounded in the program)

// ---------------------------------------------------------------------------------------------
// Thinking driver.

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
// The start of every search: the per-search state cleared, the deadline taken for
// `engine_side`, the game phase decided, the first window, the root list prepared.
void begin_thinking();
struct Deepening {
    Move move;      // first move of the last completed iteration, else the first root move
    int32_t score;  // its score (-MATE_SCORE when no iteration completed)
    bool completed;
};
// Iterative deepening over the prepared root list (at least two moves) until the clock, the
// depth limit or a mate ends it; `report`, when set, is called after each completed
// iteration with its depth and score.
Deepening deepen(void (*report)(int depth, int32_t score));
// The xboard engine's turn to think: begin_thinking, the end of the game announced, deepen
// with the thinking line, resignation and the clock kept.
Move think();
void shift_ply_tables();

// ---------------------------------------------------------------------------------------------
// The benchmark: fixed-depth searches of a fixed set of positions (openings, middlegames,
// endgames, tactics) through the thinking driver, each from a fresh engine.

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

// ---------------------------------------------------------------------------------------------
// The UCI front end (the bitrook-uci program): its command loop over the same game commands,
// time control and thinking driver.

struct UciState {
    int32_t holding;             // 1 while a finished "go infinite" waits for "stop"
    Move held_move;              // the answer it then gives
    int32_t stop_requested;      // the search under way must end ("stop", "quit", or what
                                 // stands for them under a search only "stop" can end)
    int32_t unlimited;           // the search under way has no limit of its own
    int32_t deferred;            // 1 when a command came during the search: it waits in
                                 // uci_deferred_line, with all input behind it, for the end
    int32_t node_limit_set;      // "go nodes N": the search stops at the first check past N
    uint32_t node_limit;
    int32_t node_limit_armed;    // 1 while the iterations run
    int32_t largest_moves_to_go; // since the game began: taken as the control's size
    Move engine_move;            // the answer of the last "go" on the position held, else 0
};
extern UciState uci_state;
extern char uci_deferred_line[UCI_LINE_SIZE];
// The position held, as the text that sets it up: its start ("startpos", or "fen" and the FEN,
// single-spaced; empty for no position) and the moves accepted from it, each followed by a
// blank.
extern char uci_start_text[UCI_LINE_SIZE];
extern char uci_moves_text[UCI_LINE_SIZE];

// Resets the UCI front end's records (reset_engine does it with the others).
void reset_uci();
// Reads and carries out UCI commands until "quit" or the end of the input; returns the exit
// status.
int uci_loop();
// "bitrook-uci bench": the benchmark at its default depth, ending in the line
// "NODES nodes SPEED nps". Returns the exit status.
int uci_bench();
// "go" with the words after it.
void uci_go(const char* args);

// What a line that comes while a search runs (or waits for "stop") means to it.
enum SearchLine {
    SEARCH_GOES_ON,  // "isready" (answered at once), or a word that is ignored at any time
    SEARCH_ENDS,     // "stop" or "quit"
    AFTER_SEARCH,    // a command for after the search: "uci", "ucinewgame", "position", "go"
};
SearchLine classify_search_line(const char* line);
void print_bestmove(Move move);  // "bestmove 0000" for no move
