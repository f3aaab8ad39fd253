// The position key and the transposition table: the key that make and unmake keep against the
// key computed afresh, through random lines with castling, en passant and promotions; and the
// table's results against the search without one where they must agree: mate distances, and
// draws by repetition and by the fifty-move rule that a stored score must not hide.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "search/search.h"
#include "tests/helpers.h"

namespace {

// A table of this size for the test's own searches; none again when it ends.
class WithTable {
  public:
    explicit WithTable(size_t megabytes) { EXPECT_TRUE(resize_table(megabytes)); }
    ~WithTable() { resize_table(0); }
};

TEST(PositionKey, KeptByMakeAndUnmakeThroughRandomLines) {
    const WithTable table(1);  // the key is kept while a table exists
    const char* const starts[] = {
        START_FEN,
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
        "r3k2r/1P4P1/8/2pP4/8/8/1p4p1/R3K2R b KQkq - 0 1",
    };
    std::mt19937 random(20261211);
    int castlings = 0, en_passants = 0, promotions = 0;
    for (const char* start : starts) {
        for (int line = 0; line < 25; ++line) {
            ASSERT_TRUE(setup_position(start)) << start;
            ASSERT_EQ(position_key, compute_position_key(0)) << start;
            std::vector<Move> played;
            for (int ply = 1; ply < MAX_PLY - 1; ++ply) {
                const std::vector<Move> moves = legal_moves(ply - 1);
                if (moves.empty()) break;
                for (Move m : moves) {
                    make_move(m, ply);
                    ASSERT_EQ(position_key, compute_position_key(ply)) << start << " " << text_of(m);
                    unmake_move(m);
                    ASSERT_EQ(position_key, compute_position_key(ply - 1)) << start << " " << text_of(m);
                }
                const Move m = moves[random() % moves.size()];
                castlings += move_piece(m) == KING && std::abs(move_from(m) - move_to(m)) == 2;
                en_passants += move_special(m) == SPECIAL_EN_PASSANT;
                promotions += move_promotion(m) != NO_PIECE;
                make_move(m, ply);
                played.push_back(m);
            }
            for (int ply = int(played.size()); ply >= 1; --ply) {
                unmake_move(played[ply - 1]);
                ASSERT_EQ(position_key, compute_position_key(ply - 1)) << start;
            }
        }
    }
    // The lines played the special moves themselves, not only tried them.
    EXPECT_GT(castlings, 0);
    EXPECT_GT(en_passants, 0);
    EXPECT_GT(promotions, 0);

    // A search (null moves among its moves) leaves the key of the position it searched.
    ASSERT_TRUE(setup_position(starts[1]));
    SearchLimits limits = {};
    limits.max_depth = 5;
    limits.infinite = true;
    search_position(limits, nullptr);
    EXPECT_GT(null_tries, 0);
    EXPECT_EQ(position_key, compute_position_key(0));
}

// The score of a fixed-depth search of the game position as it stands.
int32_t searched_score(int depth) {
    SearchLimits limits = {};
    limits.max_depth = depth;
    limits.infinite = true;
    return search_position(limits, nullptr).score;
}

TEST(TranspositionTable, MatesKeepTheirDistance) {
    struct Case {
        const char* fen;
        int depth;
    };
    const Case cases[] = {
        {"k7/8/2K5/8/8/8/8/6R1 w - - 0 1", 6},                                   // mate in 2
        {"r5rk/5p1p/R7/4B3/8/8/7P/7K b - - 1 1", 6},                             // mated in 2
        {"r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1", 5},  // in 2
        {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 6},                            // in 3
        {"8/8/8/8/8/2k5/8/K1QR4 w - - 0 1", 7},                                  // in 3
    };
    for (const Case& c : cases) {
        // Searched, then again from two plies later (the engine's move and the reply it
        // expected), as in a game: there the first search's entries are met two plies
        // nearer the root than they were stored.
        int32_t plain[2];
        std::string line[2];
        const auto search_twice = [&](int32_t* scores, std::string* moves) {
            ASSERT_TRUE(setup_position(c.fen)) << c.fen;
            scores[0] = searched_score(c.depth);
            moves[0] = text_of(saved_pv[0]) + " " + text_of(saved_pv[1]);
            ASSERT_GE(saved_pv_length, 4) << c.fen;  // the mate is more than a move away
            play_engine_move(saved_pv[0]);
            ASSERT_TRUE(play_opponent_move(text_of(saved_pv[1]).c_str()));
            scores[1] = searched_score(c.depth);
            moves[1] = text_of(saved_pv[0]);
        };
        resize_table(0);
        search_twice(plain, line);
        ASSERT_GT(std::abs(plain[0]), MATE_BOUND) << c.fen;
        ASSERT_GT(std::abs(plain[1]), MATE_BOUND) << c.fen;
        const WithTable table(1);
        int32_t filed[2];
        std::string filed_line[2];
        search_twice(filed, filed_line);
        EXPECT_EQ(filed[0], plain[0]) << c.fen << " " << line[0] << " / " << filed_line[0];
        EXPECT_EQ(filed[1], plain[1]) << c.fen << " " << line[1] << " / " << filed_line[1];
    }
}

// Plays the moves (coordinate text) on the game position; false at the first refused one.
bool play(const std::vector<std::string>& moves) {
    for (const std::string& m : moves)
        if (!play_opponent_move(m.c_str())) return false;
    return true;
}

TEST(TranspositionTable, StoredScoresDoNotHideDraws) {
    const WithTable table(1);
    // White, a queen down, can repeat the position a third time with h1g1. A search of the
    // same position without the game behind it fills the table with black's win there first.
    const char* start = "q5k1/5ppp/8/8/8/8/5PPP/6K1 w - - 0 1";
    const std::vector<std::string> shuffle = {"g1h1", "g8h8", "h1g1", "h8g8", "g1h1",
                                              "g8h8", "h1g1", "h8g8", "g1h1", "g8h8"};
    ASSERT_TRUE(setup_position("q6k/5ppp/8/8/8/8/5PPP/7K w - - 0 1"));
    EXPECT_LT(searched_score(6), -900);
    ASSERT_TRUE(setup_position(start));
    ASSERT_TRUE(play(shuffle));
    EXPECT_EQ(searched_score(6), 0);
    EXPECT_EQ(text_of(saved_pv[0]), "h1g1");

    // Ninety-nine half-moves without a capture or pawn move (and no position twice) bring
    // white, a queen up, to move: every move of its now ends the game drawn by the fifty-move
    // rule (none mates). The same search with the counter at 0 first fills the table with the
    // queen's win in the positions after those moves.
    ASSERT_TRUE(setup_position("8/8/8/4k3/8/8/8/KQ6 b - - 0 1"));
    std::mt19937 random(99);
    std::set<uint64_t> seen = {position_key};
    for (int n = 0; n < 99; ++n) {
        std::vector<Move> fresh;
        for (Move m : legal_moves()) {
            make_move(m, 1);
            if (!seen.count(position_key)) fresh.push_back(m);
            unmake_move(m);
        }
        ASSERT_FALSE(fresh.empty());
        const Move m = fresh[random() % fresh.size()];
        ASSERT_TRUE(play({text_of(m)}));
        ASSERT_EQ(move_captured(m), NO_PIECE);
        seen.insert(position_key);
    }
    ASSERT_EQ(side_to_move, WHITE);
    ASSERT_EQ(board.history[0].fifty, 99);
    for (Move m : legal_moves()) {
        make_move(m, 1);
        const bool mates = legal_moves(1).empty() && in_check(side_to_move);
        unmake_move(m);
        ASSERT_FALSE(mates) << text_of(m);
    }
    board.history[0].fifty = 0;
    EXPECT_GT(searched_score(5), 500);
    board.history[0].fifty = 99;
    EXPECT_EQ(searched_score(5), 0);
}

}  // namespace
