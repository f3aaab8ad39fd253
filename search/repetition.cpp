// Repetition detection without position keys: walking back over the recorded moves, a
// position recurs whenever every square left has been re-entered and every square entered
// has been left again.
#include <cstring>

#include "search/search.h"

int repetition_count(int entry) {
    const int n = board.history[entry].fifty;
    if (n <= 3) return 0;  // no repetition within three reversible half-moves

    int32_t counter[64];
    std::memset(counter, 0, sizeof counter);
    int balance = 0, result = 0;
    // The last n + 1 recorded moves (one beyond the reversible span), never before the first.
    int stop = game_move_count - n - 1;
    if (stop < 0) stop = 0;
    for (int i = game_move_count - 1; i >= stop; --i) {
        const Move m = game_moves[i];
        balance += ++counter[move_from(m)] != 0 ? 1 : -1;
        balance += --counter[move_to(m)] != 0 ? 1 : -1;
        if (balance == 0) ++result;
    }
    return result;
}
