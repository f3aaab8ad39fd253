// Position set-up from the remaining command-line words of a probe subcommand.
#include "tools/probe/position_args.h"

#include <cstdio>
#include <string>

#include "board/board.h"
#include "moves/moves.h"

bool setup_position_from_args(int argc, char** argv, int first) {
    std::string fen;
    for (int i = first; i < argc; ++i) {
        if (!fen.empty()) fen += ' ';
        fen += argv[i];
    }
    if (fen.empty()) fen = START_FEN;
    static char rest[FEN_REST_SIZE];
    clear_board();
    game_move_count = 0;
    if (!parse_fen(fen.c_str(), rest)) {
        std::printf("refused\n");
        return false;
    }
    return true;
}
