// The UCI program (bitrook-uci): its command loop, "go" with its limits and the answers of a
// search, and "bench". It uses the engine core (engine/) and what lies below it, never xboard/.
#pragma once

#include "engine/engine.h"

// A "position" line carries every move of the game.
constexpr int UCI_LINE_SIZE = LONGEST_LINE_SIZE;

// The options, with their defaults and ranges.
constexpr int32_t DEFAULT_HASH_MB = 16;
constexpr int32_t MAX_HASH_MB = 65536;
constexpr int32_t DEFAULT_MOVE_OVERHEAD_MS = 30;
constexpr int32_t MAX_MOVE_OVERHEAD_MS = 5000;
struct UciOptions {
    int32_t hash_mb;           // "Hash": the transposition table's size; 0 for none
    int32_t move_overhead_ms;  // "Move Overhead": kept back from every time budget
    int32_t lines;             // "MultiPV": the best lines each iteration shows
    int32_t ponder;            // "Ponder": the interface may send "go ponder" (nothing else)
};
extern UciOptions uci_options;
// Bound of the table's size whatever Hash says: none in the program, small in the fuzzer.
extern size_t table_cap_mb;
// The options at their defaults, the table sized to match.
void reset_uci_options();
// The "option" lines of the "uci" reply.
void print_options();
// "setoption" with the words after it.
void set_option(const char* args);

struct UciState {
    int32_t holding;             // 1 while a finished "go infinite" waits for "stop", or a
                                 // finished "go ponder" for "ponderhit" or "stop"
    int32_t holding_ponder;      // 1 when it is a "go ponder"
    Move held_move;              // the answer it then gives, with the reply it expects
    Move held_reply;
    int32_t pondering;           // the search under way thinks on the opponent's time
    int32_t unlimited_after_ponder;  // what `unlimited` becomes at "ponderhit"
    SearchLimits ponder_limits;  // the limits of the "go ponder" once "ponderhit" comes
    int32_t stop_requested;      // the search under way must end ("stop", "quit", or what
                                 // stands for them under a search only "stop" can end)
    int32_t unlimited;           // the search under way has no limit of its own
    int32_t deferred;            // 1 when a command came during the search: it waits in
                                 // uci_deferred_line, with all input behind it, for the end
    Move engine_move;            // the answer of the last "go" on the position held, else 0
};
extern UciState uci_state;
extern char uci_deferred_line[UCI_LINE_SIZE];
// The position held, as the text that sets it up: its start ("startpos", or "fen" and the FEN,
// single-spaced; empty for no position) and the moves accepted from it, each followed by a
// blank.
extern char uci_start_text[UCI_LINE_SIZE];
extern char uci_moves_text[UCI_LINE_SIZE];

// Resets the UCI program's own records and options (reset_engine resets the engine's).
void reset_uci();
// Reads and carries out UCI commands until "quit" or the end of the input; returns the exit
// status.
int uci_loop();
// "bitrook-uci bench [DEPTH [HASH]]": the benchmark (by default at its own depth and with the
// default table, cleared before each position), ending in the line "NODES nodes SPEED nps".
// Returns the exit status.
int uci_bench(int depth, int hash_mb);
// "go" with the words after it.
void uci_go(const char* args);
// The search limits that "go" with these words sets for the side to move.
SearchLimits limits_of_go(const char* args);

// What a line that comes while a search runs (or waits for "stop") means to it.
enum SearchLine {
    SEARCH_GOES_ON,  // "isready" (answered at once), or a word that is ignored at any time
    SEARCH_ENDS,     // "stop" or "quit"
    PONDER_HIT,      // "ponderhit": the expected reply was played
    AFTER_SEARCH,    // a command for after the search: "uci", "ucinewgame", "position", "go",
                     // "setoption"
};
SearchLine classify_search_line(const char* line);
// "bestmove MOVE", with "ponder REPLY" when a reply is expected; "bestmove 0000" for no move.
void print_bestmove(Move move, Move reply = 0);
