// Move ordering and the search memory it reads: the principal variation, three killer moves
// per ply and the history table.
#include <cstring>

#include "eval/eval.h"
#include "search/search_internal.h"

namespace {
// A capture on the square the last move went to.
constexpr int32_t RECAPTURE_ORDER_BONUS = 300;
}  // namespace

Move pv_table[PLY_TABLE_SIZE][MAX_PLY];
int32_t pv_length[PLY_TABLE_SIZE];
Killer killers_1[PLY_TABLE_SIZE];
Killer killers_2[PLY_TABLE_SIZE];
Killer killers_3[PLY_TABLE_SIZE];
int32_t history_scores[64 * 64 * 2];

void score_moves(const Move* moves, int32_t* scores, int count, int ply) {
    const ExpectedMoves expected = expected_moves(ply);
    // The square the last recorded move went to: a capture there is a recapture.
    const int last_to = game_move_count != 0 ? move_to(game_moves[game_move_count - 1]) : -1;
    const bool opening = eval_params.game_phase == OPENING_PHASE;

    for (int i = 0; i < count; ++i) {
        const Move m = moves[i];
        // The expected line's move and the killers take their bonus alone.
        const int32_t bonus = expected_move_bonus(expected, m);
        if (bonus != 0) {
            scores[i] = bonus;
            continue;
        }

        const int from = move_from(m), to = move_to(m);
        const int captured = move_captured(m), promotion = move_promotion(m);
        int32_t score = 0;
        if (promotion != 0 || captured != 0) {
            score = promotion != 0
                        ? piece_value[promotion] - piece_value[move_piece(m)] + piece_value[captured]
                        : static_exchange(from, to);
            if (to == last_to) score += RECAPTURE_ORDER_BONUS;
        }
        score += history_scores[history_index(m, side_to_move)];
        scores[i] = score + placement_order_bonus(m, opening);
    }
}

void sort_moves(int32_t* first, int32_t* last, Move* moves) {
    // Highest score first; a move only passes moves of strictly lower score, so ties keep
    // generator order. Any stable sort yields this same order; insertion does it with the
    // fewest moves of data for lists of a few dozen.
    const int count = int(last - first);
    for (int i = 1; i < count; ++i) {
        const int32_t score = first[i];
        const Move move = moves[i];
        int j = i;
        while (j > 0 && first[j - 1] < score) {
            first[j] = first[j - 1];
            moves[j] = moves[j - 1];
            --j;
        }
        first[j] = score;
        moves[j] = move;
    }
}

void select_move(int32_t* first, int32_t* last, Move* moves) {
    // Written for conditional moves: the comparisons follow the scores, not a pattern.
    const long count = last - first;
    long at = 0;
    int32_t score = first[0];
    for (long k = 1; k < count; ++k) {
        const int32_t s = first[k];
        at = s > score ? k : at;
        score = s > score ? s : score;
    }
    const Move move = moves[at];
    // The moves ahead of it each step one place back.
    for (long k = at; k > 0; --k) {
        first[k] = first[k - 1];
        moves[k] = moves[k - 1];
    }
    *first = score;
    *moves = move;
}

void update_killers(int ply, Move move, int32_t score) {
    if (score <= killers_1[ply].score) return;
    killers_3[ply] = killers_2[ply];
    killers_2[ply] = killers_1[ply];
    killers_1[ply] = {move, score};
}

void clear_pv_and_killers() {
    std::memset(pv_table, 0, sizeof pv_table);
    std::memset(killers_1, 0, sizeof killers_1);
    std::memset(killers_2, 0, sizeof killers_2);
    std::memset(killers_3, 0, sizeof killers_3);
}
