// Placeholder until the search lands.
#include "search/search.h"

Move pv_table[61][60];
int32_t pv_length[61];
Killer killers_1[61], killers_2[61], killers_3[61];
int32_t history_scores[64 * 64 * 2];
int32_t nodes, time_up, deadline, extension_kind[61], null_tries, null_cutoffs, iteration_depth;
Move root_moves[MAX_MOVES];
int32_t root_scores[MAX_MOVES];
int32_t root_move_count;
int static_exchange(Square, Square) { return 0; }
void score_moves(const Move*, int32_t*, int, int) {}
void sort_moves(int32_t*, int32_t*, Move*) {}
void update_killers(int, Move, int32_t) {}
int quiesce(int, int, int) { return 0; }
int search(int, int, int, int, int) { return 0; }
int root_search(int, int, int&) { return 0; }
int repetition_count(int) { return 0; }
