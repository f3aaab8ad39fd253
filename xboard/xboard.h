// The xboard program: its command loop, the game commands that answer in the xboard protocol,
// and the engine's turn (thinking with the thinking line, the results it announces, resigning,
// the clock kept). It uses the engine core (engine/) and what lies below it, never uci/.
#pragma once

#include "engine/engine.h"

// An xboard line holds at most 255 characters and a terminator; a longer one is read in pieces.
constexpr int LINE_SIZE = 256;

// Start-up after init_tables: the handshake, then the command loop. Returns the exit status.
int run_engine();
// The command loop; returns the exit status.
int command_loop();

// Game commands.
void new_game();
void set_board(const char* fen);
void user_move(const char* text);
void go_command();
// Thinks, plays and announces the engine's move.
void engine_turn();
// The engine's turn to think: the search with the thinking line when "post" is on, the end of
// the game announced, resignation and the clock kept. Returns the move to play, or 0.
Move think();
