// probe fen FEN: parses a position and prints the mailbox, side, history entry 0 and counts.
#include <cstdio>

#include "board/board.h"
#include "tools/probe/position_args.h"
#include "tools/probe/probe.h"

int probe_fen(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe fen FEN\n");
        return 2;
    }
    if (!setup_position_from_args(argc, argv, 1)) return 1;
    static const char letters[] = ".pnbrqk";
    for (int rank = 7; rank >= 0; --rank) {
        for (int file = 7; file >= 0; --file) {
            Square s = 8 * rank + file;
            char c = letters[board.mailbox[s]];
            if (board.white_pieces & set_mask[s]) c = char(c - 'a' + 'A');
            std::putchar(c);
        }
        std::putchar('\n');
    }
    std::printf("side %d fifty %d ep %d castling %d material %d\n", side_to_move,
                board.history[0].fifty, board.history[0].ep_square, board.history[0].castling,
                material);
    return 0;
}
