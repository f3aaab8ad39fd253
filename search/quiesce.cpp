// Quiescence search: captures and promotions below the nominal depth, so that the static
// score is only taken in quiet positions. Like the alpha-beta search it reads the clock every
// 1024 nodes: a position full of mutual captures (many queens a side) can hold a quiescence
// search for minutes.
#include <cstdint>

#include "eval/eval.h"
#include "search/search_internal.h"

// Flattened: what it calls at every node (the evaluation, the capture generator, the exchange
// evaluation, make, unmake and the check test) is compiled into it, without the calls and
// their side-to-move dispatch. The alpha-beta search is left as it is: with all of this
// inside it too it runs slower, its code no longer fitting the instruction cache.
__attribute__((flatten)) int quiesce(int alpha, int beta, int ply) {
    if ((count_node() & 1023) == 0 && search_must_stop()) {
        time_up = 1;
        return 0;
    }
    pv_length[ply] = ply;

    const int stand = evaluate(ply, alpha, beta);
    if (stand >= beta || ply > MAX_PLY - 1) return stand;
    int best = stand;
    if (stand > alpha) alpha = stand;

    MoveList list;
    const int generated = generate_captures(list.moves, ply - 1);

    // Delta threshold: a move that cannot bring the material to within a pawn of alpha is
    // not worth making.
    const int own_material = side_to_move == WHITE ? material : -material;
    const int threshold = alpha - own_material - 100;

    // A capture's exchange value is found only when the capture could be the next one tried:
    // until then it stands in the list with its victim's value, which the exchange can only
    // lower. Taking the first of the highest scores each time, and valuing an unvalued capture
    // when it is taken (dropping it if it loses material), tries the moves exactly in the order
    // that valuing every capture first would give; a node that cuts off values few of them.
    const ExpectedMoves expected = expected_moves(ply);
    bool unvalued[MAX_MOVES];
    int kept = 0;  // kept moves are compacted to the front of the same list
    for (int i = 0; i < generated; ++i) {
        const Move m = list.moves[i];
        const int c = piece_value[move_captured(m)];
        const int p = piece_value[move_promotion(m)];
        if (c == piece_value[KING]) return beta;  // the last move left its king en prise
        if (c + p < threshold) continue;
        const int score = (p != 0 ? p - piece_value[move_piece(m)] + c : c) +
                          expected_move_bonus(expected, m);
        list.moves[kept] = m;
        list.scores[kept] = score;
        unvalued[kept] = p == 0;
        ++kept;
    }

    constexpr int32_t TRIED = INT32_MIN;  // below every score a kept move can have
    while (best < beta) {
        int next = -1;
        int32_t top = TRIED;
        for (int k = 0; k < kept; ++k) {
            const int32_t score = list.scores[k];
            next = score > top ? k : next;
            top = score > top ? score : top;
        }
        if (next < 0) break;
        const Move m = list.moves[next];
        if (unvalued[next]) {
            unvalued[next] = false;
            const int exchange = static_exchange(move_from(m), move_to(m));
            list.scores[next] = exchange < 0 ? TRIED : list.scores[next] + exchange -
                                                           piece_value[move_captured(m)];
            continue;
        }
        list.scores[next] = TRIED;
        make_move(m, ply);  // never refused: king captures returned above
        if (in_check(side_to_move ^ 1)) {
            unmake_move(m);
            continue;
        }
        const int score = -quiesce(-beta, -alpha, ply + 1);
        unmake_move(m);
        if (time_up) return 0;
        if (score > best) {
            best = score;
            update_killers(ply, m, score);
            if (score > beta) return beta;
            if (score > alpha) alpha = score;
            record_pv(ply, m);
        }
    }
    return best;
}
