// Search: exchange evaluation, move ordering and its memory, quiescence, alpha-beta, the
// root search, repetition detection, and the search control (node counter, clock, deadline,
// stop poll). It uses board/, moves/ and eval/; the engine core above drives it.
#pragma once

#include <cstdlib>

#include "board/board.h"
#include "moves/moves.h"

// Entries of the per-ply search tables: plies 0 to MAX_PLY (the searches use 1 on).
constexpr int PLY_TABLE_SIZE = MAX_PLY + 1;

// Material balance of the exchange that starts with the man on `from` taking on `to`, for
// the side to move.
int static_exchange(Square from, Square to);

struct Killer {
    Move move;
    int32_t score;
};

// Search memory, shared by the searches and shifted or cleared by the thinking driver.
extern Move pv_table[PLY_TABLE_SIZE][MAX_PLY];
extern int32_t pv_length[PLY_TABLE_SIZE];
extern Killer killers_1[PLY_TABLE_SIZE];
extern Killer killers_2[PLY_TABLE_SIZE];
extern Killer killers_3[PLY_TABLE_SIZE];
extern int32_t history_scores[64 * 64 * 2];

// The sixteen squares c3 to f6, as one set: a move into them is tried earlier.
constexpr Bitboard CENTRAL_SQUARES = [] {
    Bitboard set = 0;
    for (int s = 0; s < 64; ++s)
        if (file_of[s] >= 2 && file_of[s] <= 5 && rank_of[s] >= 2 && rank_of[s] <= 5)
            set |= Bitboard(1) << s;
    return set;
}();
constexpr int32_t CENTRE_ORDER_BONUS = 200;
// In the opening a sideways king step is discouraged; castling and any other king move
// (a capture by the king adds its victim's value) are encouraged.
constexpr int32_t SIDEWAYS_KING_ORDER_PENALTY = 400;
constexpr int32_t KING_MOVE_ORDER_BONUS = 300;

// The ordering adjustment of a move by where it goes and, in the opening, by a king's moving
// (the alpha-beta nodes and the root list both add it).
inline int32_t placement_order_bonus(Move m, bool opening) {
    int32_t bonus = (CENTRAL_SQUARES >> move_to(m)) & 1 ? CENTRE_ORDER_BONUS : 0;
    if (opening && move_piece(m) == KING) {
        const int captured = move_captured(m);
        if (captured == NO_PIECE && std::abs(move_from(m) - move_to(m)) == 1)
            bonus -= SIDEWAYS_KING_ORDER_PENALTY;
        else
            bonus += KING_MOVE_ORDER_BONUS + piece_value[captured];
    }
    return bonus;
}

// Orders the moves of an alpha-beta node at `ply`.
void score_moves(const Move* moves, int32_t* scores, int count, int ply);
// Stable insertion sort of scores[first .. last) descending, moves exchanged alongside.
void sort_moves(int32_t* first, int32_t* last, Move* moves);
// One step of the same order, for the searches that take their moves one at a time: brings the
// first of the highest scores of [first .. last) to `first`, its move alongside, and leaves the
// others in their order. Called for each position of a list in turn, it yields exactly the
// order of sort_moves; a node that cuts off after a few moves never orders the rest.
void select_move(int32_t* first, int32_t* last, Move* moves);
// Clears the principal-variation table and the three killer tables (a new game or position).
void clear_pv_and_killers();
// The killer update of a node at `ply` when `move` became its best with `score`.
void update_killers(int ply, Move move, int32_t score);

// Search control.
extern int32_t nodes;
extern int32_t time_up;
extern int32_t deadline;
// What extended the move that reached each ply (the seventh rank and the recapture also keep
// the node's later moves from being extended or reduced).
constexpr int32_t NO_EXTENSION = 0;
constexpr int32_t CHECK_EXTENSION = 1;
constexpr int32_t MATE_THREAT_EXTENSION = 2;
constexpr int32_t SEVENTH_RANK_EXTENSION = 3;
constexpr int32_t RECAPTURE_EXTENSION = 4;
extern int32_t extension_kind[PLY_TABLE_SIZE];
extern int32_t null_tries;
extern int32_t null_cutoffs;
extern int32_t iteration_depth;  // kept by the thinking driver, read by the search
// When set, called with every clock check (every 1024 nodes); true stops the search as the
// passing of the deadline does. A front end that reads its input while it searches sets it;
// the xboard program leaves it unset and reads nothing until its move is made.
extern bool (*stop_poll)();

// Wall-clock milliseconds since the process started (a steady clock).
int32_t clock_ms();

int quiesce(int alpha, int beta, int ply);
int search(int alpha, int beta, int depth, int ply, int allow_null);

// Root list, prepared by the thinking driver and reordered by root_search.
extern Move root_moves[MAX_MOVES];
extern int32_t root_scores[MAX_MOVES];
extern int32_t root_move_count;

// One pass over root_moves[first_move .. root_move_count), which it reorders; the best line
// it finds is left in row 1 of pv_table.
int root_search(int alpha, int beta, int& depth, int first_move = 0);

// The transposition table (search/transposition.cpp): results filed by position key. None
// until it is sized; then make and unmake keep the position key.
constexpr uint8_t UPPER_BOUND = 1;  // the score is at most the stored one
constexpr uint8_t LOWER_BOUND = 2;  // at least
constexpr uint8_t EXACT_SCORE = 3;
struct TableEntry {
    uint64_t key;
    Move move;          // the best move found, or 0
    int16_t score;      // mate scores relative to the position, not to the root
    int8_t depth;       // the depth the position was searched to
    uint8_t bound_age;  // the bound in bits 0-1 (0: an empty entry), the search's age above
};
extern size_t table_megabytes;  // 0: no table
// A table of that many megabytes, empty (0: none). False, with the table as it was, when the
// memory cannot be had.
bool resize_table(size_t megabytes);
void clear_table();
// A new search: entries of earlier ones give way to its own.
void age_table();
const TableEntry* probe_table(uint64_t key);
void store_in_table(uint64_t key, Move move, int32_t score, int32_t depth, uint8_t bound);
// The share of a sample of entries that the current search has filled, in thousandths.
int table_fill_per_mille();

// Number of earlier occurrences of the position of history entry `entry`, found by
// balancing the squares of the recorded moves.
int repetition_count(int entry);
