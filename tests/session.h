// Test helpers: protocol sessions against the real engine binary and in-process, and the
// tool runner for the probe binary.
#pragma once

#include <string>
#include <vector>

struct SessionResult {
    std::string output;  // everything the program wrote to standard output
    int status;          // exit status (-1 when it did not exit normally)
};

// Starts the real bitrook binary, writes `input` to its standard input, waits for it to end
// (killed after `timeout_seconds`) and returns its output and exit status.
SessionResult run_binary_session(const std::string& input, int timeout_seconds = 120);

// The same with the real bitrook-uci binary.
SessionResult run_uci_session(const std::string& input, int timeout_seconds = 120);

// A piece of a paced session: text written to the program, then a pause before the next.
struct PacedStep {
    std::string text;
    double pause_seconds;
};
// Starts bitrook-uci and writes it the steps as their time comes, its input staying open
// until the last pause has passed; killed after `timeout_seconds` from its start.
SessionResult run_paced_uci_session(const std::vector<PacedStep>& steps, int timeout_seconds);

// Runs a whole session through the command loop in this process (the same code the binary
// runs, reading from a buffer); the engine records are reset first.
SessionResult run_in_process_session(const std::string& input);

// Runs a shell command line with `input` on its standard input (killed after
// `timeout_seconds`) and returns its standard output and exit status.
SessionResult run_program(const std::string& command, const std::string& input, int timeout_seconds);

// Runs the probe tool with the given arguments (shell words) and returns its standard output
// and exit status.
SessionResult run_probe(const std::string& arguments, int timeout_seconds = 300);

// Sets up a position through parse_fen (clearing the board and the move record first, as
// "setboard" does); true when accepted.
bool setup(const char* fen);
