// The pawn-structure cache against a fresh computation, over the positions of random games:
// a colliding entry (another pawn structure on the same slot) or a stale one (left from other
// weights) would show as a different score, file set or file count.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "eval/eval.h"
#include "tests/session.h"
#include "tests/stepped_session.h"

namespace {

struct PawnResult {
    int score;
    Bitboard open, white_half_open, black_half_open;
    int32_t white_on_file[8], black_on_file[8];
    bool operator==(const PawnResult&) const = default;
};

PawnResult pawn_result() {
    PawnResult r{};
    r.score = evaluate_pawns(1);
    r.open = open_files;
    r.white_half_open = white_half_open_files;
    r.black_half_open = black_half_open_files;
    for (int f = 0; f < 8; ++f) {
        r.white_on_file[f] = white_pawns_on_file[f];
        r.black_on_file[f] = black_pawns_on_file[f];
    }
    return r;
}

// Positions with pawns on the board from random legal games.
std::vector<Board> random_game_positions() {
    std::mt19937 random(13);
    std::vector<Board> positions;
    for (int game = 0; game < 400; ++game) {
        EXPECT_TRUE(setup(START_FEN));
        for (int ply = 0; ply < 160; ++ply) {
            const std::vector<Move> legal = legal_moves();
            if (legal.empty()) break;
            make_move(legal[random() % legal.size()], 1);
            board.history[0] = board.history[1];
            if ((board.white_pawn_count | board.black_pawn_count) == 0) break;
            positions.push_back(board);
        }
    }
    return positions;
}

// The weights of each round: the opening's as set_game_phase loads them; the same with the
// phase set by hand to the endgame's (as tests and a new game set it, the weights untouched);
// the middlegame's; the endgame's; the endgame's with one weight changed and the cache cleared.
constexpr int ROUNDS = 5;

void load_weights(int round) {
    if (round == 1) {  // straight after round 0: its entries are still in the cache
        eval_params.game_phase = 2;
        return;
    }
    constexpr const char* endgame = "8/5pk1/6p1/3P4/5K2/6P1/7P/8 w - -";
    static const char* const phase_positions[ROUNDS] = {
        START_FEN, nullptr, "r2q1rk1/5ppp/8/8/8/8/5PPP/R2Q1RK1 w - -", endgame, endgame};
    static const int phases[ROUNDS] = {0, 2, 1, 2, 2};
    ASSERT_TRUE(setup(phase_positions[round]));
    set_game_phase();
    ASSERT_EQ(eval_params.game_phase, phases[round]);
    if (round == 4) {
        eval_params.unsupported_pawn_penalty -= 3;
        clear_pawn_cache();
    }
}

}  // namespace

TEST(PawnCache, AgreesWithAFreshComputationOverRandomGames) {
    const std::vector<Board> positions = random_game_positions();
    ASSERT_GT(positions.size(), 50000u);

    std::vector<PawnResult> fresh[ROUNDS];
    for (int round = 0; round < ROUNDS; ++round) {
        load_weights(round);
        for (const Board& b : positions) {
            board = b;
            clear_pawn_cache();
            fresh[round].push_back(pawn_result());
        }
    }

    // The positions in game order, then ordered by the white pawns and by the black pawns:
    // structures that differ in one colour's pawns alone meet in the cache, where a slot
    // they share must not answer for both.
    std::vector<size_t> order(positions.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::vector<size_t> by_white = order, by_black = order;
    auto pawns_of = [&](size_t i, int first) {
        const Board& b = positions[i];
        return first == WHITE ? std::pair(b.white_pawns, b.black_pawns)
                              : std::pair(b.black_pawns, b.white_pawns);
    };
    std::stable_sort(by_white.begin(), by_white.end(),
                     [&](size_t x, size_t y) { return pawns_of(x, WHITE) < pawns_of(y, WHITE); });
    std::stable_sort(by_black.begin(), by_black.end(),
                     [&](size_t x, size_t y) { return pawns_of(x, BLACK) < pawns_of(y, BLACK); });

    // Each round meets what the round before left in the cache.
    for (int round = 0; round < ROUNDS; ++round) {
        load_weights(round);
        for (const std::vector<size_t>* pass : {&order, &by_white, &by_black}) {
            for (size_t i : *pass) {
                board = positions[i];
                ASSERT_TRUE(pawn_result() == fresh[round][i]) << "round " << round << " position " << i;
            }
        }
    }
    load_weights(0);  // the opening's own weights again
}
