// The principal-variation alpha-beta search below the root: null move with verification,
// check / mate-threat / seventh-rank / recapture extensions, futility reduction, draws by
// repetition and the fifty-move rule, the time check, and the transposition table when one
// is sized (without one, no node is probed or stored and the tree is the same as ever).
#include "eval/eval.h"
#include "search/search_internal.h"

constexpr int NULL_REDUCTION = 3;
// Most nodes that cut off do so within the first few moves: those are selected one at a time,
// and a node that gets past them sorts the rest at once.
constexpr int LAZY_PICKS = 5;

namespace {

// Files the result of a node searched to `depth` (no move: the position keeps its own).
inline void file_result(int32_t score, int depth, int ply, Move move, uint8_t bound) {
    store_in_table(position_key, move, score_to_table(score, ply), depth, bound);
}

}  // namespace

int search(int alpha, int beta, int depth, int ply, int allow_null) {
    const int entry_depth = depth;
    const int alpha_in = alpha;
    int best = -MATE_SCORE;
    Move best_move = 0;
    bool any_legal = false;
    bool first = true;
    int margin = 0;

    if ((count_node() & 1023) == 0 && search_must_stop()) {
        time_up = 1;
        return 0;
    }
    extension_kind[ply] = NO_EXTENSION;
    if (allow_null) pv_length[ply] = ply;

    if (repetition_count(ply - 1) == 2) return 0;
    if (depth <= 0) return quiesce(alpha, beta, ply);
    if (ply > MAX_PLY - 1) return evaluate(ply, alpha, beta);

    // The table, probed after the draw tests so that a stored score never hides a draw here
    // (a position at the fifty-move limit is a draw whatever was stored for it). Only a
    // zero-window node takes a stored bound; every node tries the stored move first.
    const bool filing = table_megabytes != 0;
    Move table_move = 0;
    if (filing) {
        if (const TableEntry* entry = probe_table(position_key)) {
            table_move = entry->move;
            if (beta - alpha == 1 && entry->depth >= depth &&
                board.history[ply - 1].fifty < FIFTY_MOVE_PLIES) {
                const int stored = score_from_table(entry->score, ply);
                const uint8_t bound = entry->bound_age & EXACT_SCORE;
                if (bound == EXACT_SCORE || (bound == LOWER_BOUND && stored >= beta) ||
                    (bound == UPPER_BOUND && stored <= alpha))
                    return stored;
            }
        }
    }

    const bool checked = in_check(side_to_move);
    if (checked) {
        ++depth;
        extension_kind[ply] = CHECK_EXTENSION;
    }

    // Null move. Its searches run at this same ply and share the node's slots
    // (extension_kind, killers, PV row): what they leave there stays for the rest of the node.
    const int pieces = side_to_move == WHITE ? board.white_minor_count + board.white_major_count
                                             : board.black_minor_count + board.black_major_count;
    if (allow_null && !checked && pieces >= 2) {
        // Pass the move in place: same ply, the other side to move, no en-passant square.
        HistoryEntry& entry = board.history[ply - 1];
        const uint8_t fifty = entry.fifty, ep_square = entry.ep_square;
        const uint64_t key = position_key;
        side_to_move ^= 1;
        entry.fifty = uint8_t(fifty + 1);
        entry.ep_square = 0;
        position_key = key ^ key_words.white_to_move ^ key_words.en_passant[ep_square];
        int s = depth <= NULL_REDUCTION
                    ? -quiesce(-beta, 1 - beta, ply)
                    : -search(-beta, 1 - beta, depth - NULL_REDUCTION, ply, 0);
        side_to_move ^= 1;
        entry.fifty = fifty;
        entry.ep_square = ep_square;
        position_key = key;
        if (time_up) return 0;
        ++null_tries;
        if (s >= beta) {
            if (depth > NULL_REDUCTION) s = search(beta - 1, beta, depth - NULL_REDUCTION, ply, 0);
            if (s >= beta) {
                ++null_cutoffs;
                if (filing) file_result(beta, entry_depth, ply, 0, LOWER_BOUND);
                return beta;
            }
        }
        if (s <= -MATE_BOUND) {  // passing gets this side mated: a threat worth a ply
            ++depth;
            extension_kind[ply] = MATE_THREAT_EXTENSION;
        }
    }

    MoveList list;
    int count = generate_captures(list.moves, ply - 1);
    count += generate_quiet_moves(list.moves + count, ply - 1);
    score_moves(list.moves, list.scores, count, ply);
    if (table_move != 0)
        for (int i = 0; i < count; ++i)
            if (list.moves[i] == table_move) list.scores[i] = TABLE_MOVE_ORDER_SCORE;

    if ((depth == 2 || depth == 3) && !checked && extension_kind[ply] == NO_EXTENSION)
        margin = depth == 3 ? piece_value[QUEEN] : piece_value[BISHOP] + 50;

    if (count == 0) return checked ? ply - MATE_SCORE : 0;

    for (int i = 0; i < count; ++i) {
        if (best >= beta) break;
        if (i < LAZY_PICKS) select_move(list.scores + i, list.scores + count, list.moves + i);
        else if (i == LAZY_PICKS) sort_moves(list.scores + i, list.scores + count, list.moves + i);
        const Move m = list.moves[i];
        if (make_move(m, ply)) {
            const int mover = side_to_move ^ 1;
            if (in_check(mover)) {
                unmake_move(m);
            } else {
                any_legal = true;
                if (extension_kind[ply] == NO_EXTENSION && ply <= iteration_depth + 4) {
                    if (reaches_seventh_rank(m, mover)) {
                        ++depth;
                        extension_kind[ply] = SEVENTH_RANK_EXTENSION;
                    } else if (is_recapture(m)) {
                        ++depth;
                        extension_kind[ply] = RECAPTURE_EXTENSION;
                    }
                }
                if (margin != 0 && extension_kind[ply] == NO_EXTENSION) {
                    const int mover_material = mover == WHITE ? material : -material;
                    if (mover_material + margin <= alpha) --depth;
                }

                int s;
                if (first) {
                    s = -search(-beta, -alpha, depth - 1, ply + 1, allow_null);
                    first = false;
                } else {
                    s = -search(-alpha - 1, -alpha, depth - 1, ply + 1, allow_null);
                    if (alpha < s && s < beta)
                        s = -search(-beta, -alpha, depth - 1, ply + 1, allow_null);
                }
                unmake_move(m);
                if (time_up) return 0;

                if (s > best) {
                    best = s;
                    best_move = m;
                    if (allow_null) {
                        history_scores[history_index(m, side_to_move)] += depth;
                        update_killers(ply, m, s);
                    }
                    if (s > beta) {
                        if (filing) file_result(best, entry_depth, ply, m, LOWER_BOUND);
                        return best;
                    }
                    if (s > alpha) alpha = s;
                    if (allow_null) record_pv(ply, m);
                }
            }
        }
        // Undo a per-move extension or reduction; check and mate-threat extensions stay.
        // Once the seventh rank or a recapture, extension_kind keeps later moves from being
        // extended or reduced.
        const int kind = extension_kind[ply];
        if (kind == NO_EXTENSION || kind == SEVENTH_RANK_EXTENSION || kind == RECAPTURE_EXTENSION)
            depth = entry_depth;
    }

    if (!any_legal) return checked ? ply - MATE_SCORE : 0;
    if (board.history[ply - 1].fifty >= FIFTY_MOVE_PLIES) return 0;  // not filed: it depends on the path
    if (filing) {
        const uint8_t bound = best >= beta ? LOWER_BOUND : best > alpha_in ? EXACT_SCORE : UPPER_BOUND;
        file_result(best, entry_depth, ply, bound == UPPER_BOUND ? 0 : best_move, bound);
    }
    return best;
}
