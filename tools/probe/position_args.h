// Shared argument handling of the probe subcommands that take a position.
#pragma once

// Sets up the position given by the words argv[first..argc-1] joined by spaces (so a FEN
// may be passed quoted or not), or the start position when there are none. Prints "refused"
// and returns false when the FEN is not accepted.
bool setup_position_from_args(int argc, char** argv, int first);
