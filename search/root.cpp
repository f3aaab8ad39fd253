// Root search: one pass over the legal moves of the game position to a given depth, with
// ordering scores that accumulate across the iterations of one thinking turn. A search for
// several best lines passes over the moves not yet among them, from `first_move` on.
#include "search/search_internal.h"

Move root_moves[MAX_MOVES];
int32_t root_scores[MAX_MOVES];
int32_t root_move_count;

int root_search(int alpha, int beta, int& depth, int first_move) {
    const int entry_depth = depth;
    int best = -MATE_SCORE;
    bool first = true;
    pv_length[1] = 1;
    count_node();

    // The amounts added here stay in root_scores for the next iteration.
    const ExpectedMoves expected = expected_moves(1);
    for (int i = first_move; i < root_move_count; ++i) {
        const Move m = root_moves[i];
        root_scores[i] += history_scores[history_index(m, side_to_move)] +
                          expected_move_bonus(expected, m);
    }
    sort_moves(root_scores + first_move, root_scores + root_move_count, root_moves + first_move);

    for (int i = first_move; i < root_move_count; ++i) {
        if (best >= beta) break;
        const Move m = root_moves[i];
        make_move(m, 1);  // root moves are legal
        // Every root move is extended on its own merits, whatever the earlier moves did.
        if (reaches_seventh_rank(m, side_to_move ^ 1)) {
            ++depth;
            extension_kind[1] = SEVENTH_RANK_EXTENSION;
        } else if (is_recapture(m)) {
            ++depth;
            extension_kind[1] = RECAPTURE_EXTENSION;
        }
        int s;
        if (first) {
            s = -search(-beta, -alpha, depth - 1, 2, 1);
            first = false;
        } else {
            s = -search(-alpha - 1, -alpha, depth - 1, 2, 1);
            if (alpha < s && s < beta) s = -search(-beta, -alpha, depth - 1, 2, 1);
        }
        unmake_move(m);
        if (time_up) return 0;  // depth may still be one higher

        if (s > best) {
            best = s;
            if (s > alpha) alpha = s;
            history_scores[history_index(m, side_to_move)] += depth;
            update_killers(1, m, s);
            record_pv(1, m);
        }
        depth = entry_depth;
    }
    return board.history[0].fifty >= FIFTY_MOVE_PLIES ? 0 : best;
}
