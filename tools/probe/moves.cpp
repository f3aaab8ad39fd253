// probe moves FEN: the generated move list in order (captures and promotions, then the quiet
// moves), one move a line in coordinate text with its fields.
#include <cstdio>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "tools/probe/position_args.h"
#include "tools/probe/probe.h"

int probe_moves(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe moves FEN\n");
        return 2;
    }
    if (!setup_position_from_args(argc, argv, 1)) return 1;
    Move moves[MAX_MOVES];
    const int captures = generate_captures(moves, 0);
    const int quiet = generate_quiet_moves(moves + captures, 0);
    for (int i = 0; i < captures + quiet; ++i) {
        char text[6];
        move_to_text(moves[i], text);
        std::printf("%s captured %d special %d piece %d promotion %d\n", text,
                    move_captured(moves[i]), move_special(moves[i]), move_piece(moves[i]),
                    move_promotion(moves[i]));
    }
    std::fprintf(stderr, "%d captures and promotions, %d quiet moves\n", captures, quiet);
    return 0;
}
