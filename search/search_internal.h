// Helpers shared by the search files (quiescence, alpha-beta, root): the ordering bonuses of
// the expected line and the killers, the node count and stop check, the history index, the
// principal-variation copy and the two per-move extension tests.
#pragma once

#include "search/search.h"

// Ordering scores of the expected line's move and the three killers, above any exchange.
constexpr int32_t PV_ORDER_SCORE = 10000;
constexpr int32_t KILLER_1_ORDER_SCORE = 6000;
constexpr int32_t KILLER_2_ORDER_SCORE = 4000;
constexpr int32_t KILLER_3_ORDER_SCORE = 2000;

// The moves a node at one ply tries early: the expected line's move there and its killers.
struct ExpectedMoves {
    Move pv, killer_1, killer_2, killer_3;
};
inline ExpectedMoves expected_moves(int ply) {
    return {pv_table[1][ply], killers_1[ply].move, killers_2[ply].move, killers_3[ply].move};
}
// The ordering bonus of `m` as one of them (the first that matches), else 0.
inline int32_t expected_move_bonus(const ExpectedMoves& e, Move m) {
    if (m == e.pv) return PV_ORDER_SCORE;
    if (m == e.killer_1) return KILLER_1_ORDER_SCORE;
    if (m == e.killer_2) return KILLER_2_ORDER_SCORE;
    if (m == e.killer_3) return KILLER_3_ORDER_SCORE;
    return 0;
}

// A position whose last hundred half-moves brought no capture or pawn move is a draw.
constexpr int FIFTY_MOVE_PLIES = 100;

// The stored move of a position is tried before every other.
constexpr int32_t TABLE_MOVE_ORDER_SCORE = 1 << 30;

// Mate scores count plies from the root; the table keeps them counted from the position they
// belong to, so that a mate stored at one ply means the same distance reached at another.
inline int32_t score_to_table(int32_t score, int ply) {
    return score > MATE_BOUND ? score + ply : score < -MATE_BOUND ? score - ply : score;
}
inline int32_t score_from_table(int32_t score, int ply) {
    return score > MATE_BOUND ? score - ply : score < -MATE_BOUND ? score + ply : score;
}

// Counts a node. The counter wraps like the 32-bit register it is instead of overflowing
// (a think of some minutes passes 2^31 nodes); returns the new value.
inline int32_t count_node() {
    nodes = int32_t(uint32_t(nodes) + 1u);
    return nodes;
}

// The check made every 1024 nodes: the stop poll, when one is set, and the deadline.
inline bool search_must_stop() {
    return (stop_poll != nullptr && stop_poll()) || clock_ms() > deadline;
}

// Index of a move's entry in history_scores for `side` (1 White).
inline int history_index(Move m, int side) {
    return (move_from(m) * 64 + move_to(m)) * 2 + side;
}

// The line of ply + 1 with `m` in front becomes the line of ply. No line runs past column 59
// (stated for the compiler, which cannot always see it across calls).
inline void record_pv(int ply, Move m) {
    pv_table[ply][ply] = m;
    const int end = pv_length[ply + 1];
    if (end > MAX_PLY) __builtin_unreachable();
    for (int k = ply + 1; k < end; ++k) pv_table[ply][k] = pv_table[ply + 1][k];
    pv_length[ply] = end;
}

// After make_move: the pawn that just moved (for `mover`) stands on its seventh rank.
inline bool reaches_seventh_rank(Move m, int mover) {
    return move_piece(m) == PAWN && rank_of[move_to(m)] == (mover == WHITE ? 6 : 1);
}

// After make_move: m takes on the square where the recorded move before it took a man of the
// same kind.
inline bool is_recapture(Move m) {
    if (move_captured(m) == 0 || game_move_count <= 1) return false;
    const Move previous = game_moves[game_move_count - 2];
    return move_to(previous) == move_to(m) && move_captured(previous) == move_captured(m);
}
