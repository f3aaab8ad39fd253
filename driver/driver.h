// Engine driver: the protocol command loop, the game commands and the engine's turn, move
// text, time control and the thinking driver.
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

// Reads from standard input from now on.
void use_stdin_source();
// Reads from the given bytes (not copied; must outlive the session).
void use_buffer_source(const char* data, size_t size);
// Reads the next line (at most 255 characters, newline included, a CR before the LF
// dropped). Returns 0 at end of input or on a read error.
int read_line(char* line);

extern FILE* protocol_out;
// Formatted reply, flushed at once.
void reply(const char* format, ...) __attribute__((format(printf, 1, 2)));

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
extern Move saved_pv[59];
extern int32_t saved_pv_length;
extern int32_t search_start;
extern int32_t root_in_check;

// The legal moves of the game position into the root list, each with its first ordering
// score (the negated quiescence score plus the centre, check and opening king adjustments).
void prepare_root_moves();
Move think();
void shift_ply_tables();
