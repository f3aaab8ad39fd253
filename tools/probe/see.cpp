// probe see FEN: the exchange value of every capture of the position, in generator order.
#include <cstdio>

#include "xboard/xboard.h"
#include "search/search.h"
#include "tools/probe/position_args.h"
#include "tools/probe/probe.h"

int probe_see(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: probe see FEN\n");
        return 2;
    }
    if (!setup_position_from_args(argc, argv, 1)) return 1;
    Move moves[MAX_MOVES];
    const int count = generate_captures(moves, 0);
    for (int i = 0; i < count; ++i) {
        char text[6];
        move_to_text(moves[i], text);
        std::printf("%s %d\n", text, static_exchange(move_from(moves[i]), move_to(moves[i])));
    }
    return 0;
}
