// The principal-variation alpha-beta search below the root: null move with verification,
// check / mate-threat / seventh-rank / recapture extensions, futility reduction, draws by
// repetition and the fifty-move rule, and the time check.
#include "eval/eval.h"
#include "search/search_internal.h"

constexpr int NULL_REDUCTION = 3;
// Most nodes that cut off do so within the first few moves: those are selected one at a time,
// and a node that gets past them sorts the rest at once.
constexpr int LAZY_PICKS = 5;

int search(int alpha, int beta, int depth, int ply, int allow_null) {
    const int entry_depth = depth;
    int best = -MATE_SCORE;
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
        side_to_move ^= 1;
        entry.fifty = uint8_t(fifty + 1);
        entry.ep_square = 0;
        int s = depth <= NULL_REDUCTION
                    ? -quiesce(-beta, 1 - beta, ply)
                    : -search(-beta, 1 - beta, depth - NULL_REDUCTION, ply, 0);
        side_to_move ^= 1;
        entry.fifty = fifty;
        entry.ep_square = ep_square;
        if (time_up) return 0;
        ++null_tries;
        if (s >= beta) {
            if (depth > NULL_REDUCTION) s = search(beta - 1, beta, depth - NULL_REDUCTION, ply, 0);
            if (s >= beta) {
                ++null_cutoffs;
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
                    if (allow_null) {
                        history_scores[history_index(m, side_to_move)] += depth;
                        update_killers(ply, m, s);
                    }
                    if (s > beta) return best;
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

    if (any_legal) return board.history[ply - 1].fifty >= 100 ? 0 : best;
    return checked ? ply - MATE_SCORE : 0;
}
