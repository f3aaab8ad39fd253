// Helpers for game sessions: the lines of a session's output, the moves the engine played,
// and a replay of move texts on the in-process board that accepts only legal moves (judged
// by the engine's own generators and check test).
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "tests/helpers.h"
#include "tests/session.h"

// The output split into lines, without their newlines.
inline std::vector<std::string> output_lines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The texts of the "move" lines, in order.
inline std::vector<std::string> engine_moves(const std::string& output) {
    std::vector<std::string> moves;
    for (const std::string& line : output_lines(output))
        if (line.rfind("move ", 0) == 0) moves.push_back(line.substr(5));
    return moves;
}

// The legal move matching `text` (from, to and promotion) in the position on the board, or 0.
inline Move legal_move(const std::string& text) {
    const Move move = text_to_move(text.c_str(), 1);
    if (move == 0) return 0;
    Move list[MAX_MOVES];
    int count = generate_captures(list, 0);
    count += generate_quiet_moves(list + count, 0);
    for (int i = 0; i < count; ++i) {
        const Move m = list[i];
        if (move_from(m) != move_from(move) || move_to(m) != move_to(move) ||
            move_promotion(m) != move_promotion(move))
            continue;
        if (!make_move(m, 1)) return 0;
        const bool legal = !in_check(side_to_move ^ 1);
        unmake_move(m);
        return legal ? m : 0;
    }
    return 0;
}

// Plays `text` as a game move when it is legal; false (and nothing changed) otherwise.
inline bool play_legal(const std::string& text) {
    const Move m = legal_move(text);
    if (m == 0) return false;
    make_move(m, 1);
    board.history[0] = board.history[1];
    return true;
}

// The texts of every legal move in the position on the board, in generation order.
inline std::vector<std::string> legal_move_texts() {
    std::vector<std::string> texts;
    for (Move m : legal_moves()) texts.push_back(text_of(m));
    return texts;
}

// Sets up `fen` and plays the moves in order; the index of the first illegal one, or -1
// when every move was legal (-2 when the position is refused).
inline int first_illegal(const char* fen, const std::vector<std::string>& moves) {
    if (!setup(fen)) return -2;
    for (size_t i = 0; i < moves.size(); ++i)
        if (!play_legal(moves[i])) return int(i);
    return -1;
}

// Session input helpers.
inline std::string usermoves(const std::vector<std::string>& moves) {
    std::string s;
    for (const std::string& m : moves) s += "usermove " + m + "\n";
    return s;
}
