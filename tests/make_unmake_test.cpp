// Make and unmake: bit-for-bit round trips over whole trees, the consistency of the record
// after every make, the fields of every generated word, and the single rules that perft counts
// alone would not show (history bytes, refusal, slider sets after promotion captures, the
// bounded move record).
#include <gtest/gtest.h>

#include <cstring>
#include <cstddef>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "tests/helpers.h"
#include "tests/session.h"

namespace {

struct Snapshot {
    Board board;
    int32_t material, side_to_move, game_move_count;
};

Snapshot take() { return {board, material, side_to_move, game_move_count}; }

// Everything but the history, and history entries 0 to `entries` - 1.
bool same_position(const Snapshot& a, const Snapshot& b, int entries) {
    return std::memcmp(&a.board, &b.board, offsetof(Board, history)) == 0 &&
           std::memcmp(a.board.history, b.board.history, entries * sizeof(HistoryEntry)) == 0 &&
           a.material == b.material && a.side_to_move == b.side_to_move &&
           a.game_move_count == b.game_move_count;
}

int32_t counted_material() {
    int32_t sum = 0;
    for (Square s = 0; s < 64; ++s) {
        const int kind = board.mailbox[s];
        if (kind == KING) continue;
        sum += (board.white_pieces & set_mask[s]) ? piece_value[kind] : -piece_value[kind];
    }
    return sum;
}

// The fields of a generated word agree with the board it was generated on.
void check_fields(Move m, bool from_captures, int ply) {
    const int to = move_to(m), captured = move_captured(m), special = move_special(m);
    const Bitboard own = side_to_move ? board.white_pieces : board.black_pieces;
    ASSERT_EQ(m >> 24, 0u) << text_of(m);
    ASSERT_TRUE(own & set_mask[move_from(m)]) << text_of(m);
    ASSERT_EQ(move_piece(m), board.mailbox[move_from(m)]) << text_of(m);
    if (special == SPECIAL_EN_PASSANT) {
        ASSERT_EQ(to, board.history[ply].ep_square) << text_of(m);
        ASSERT_EQ(captured, PAWN) << text_of(m);
    } else {
        ASSERT_EQ(captured, board.mailbox[to]) << text_of(m);
        ASSERT_TRUE(special == 0 || special == SPECIAL_CASTLING) << text_of(m);
    }
    if (from_captures) {
        ASSERT_TRUE(captured != 0 || move_promotion(m) != 0) << text_of(m);
    } else {
        ASSERT_TRUE(captured == 0 && move_promotion(m) == 0) << text_of(m);
    }
}

// Walks every pseudo-legal line `depth` plies deep, illegal positions included (so that king
// captures come up and are refused), and checks every make and unmake on the way.
void walk(int depth, int ply, long& makes) {
    Move moves[MAX_MOVES];
    const int captures = generate_captures(moves, ply);
    const int count = captures + generate_quiet_moves(moves + captures, ply);
    for (int i = 0; i < count; ++i) {
        const Move m = moves[i];
        ASSERT_NO_FATAL_FAILURE(check_fields(m, i < captures, ply));
        const Snapshot before = take();
        if (!make_move(m, ply + 1)) {
            ASSERT_EQ(move_captured(m), KING) << text_of(m);
            ASSERT_EQ(std::memcmp(&before.board, &board, sizeof board), 0) << text_of(m);
            ASSERT_TRUE(same_position(before, take(), HISTORY_SIZE)) << text_of(m);
            continue;
        }
        ++makes;
        ASSERT_NE(move_captured(m), KING);
        ASSERT_TRUE(check_position()) << text_of(m) << " at ply " << ply + 1;
        ASSERT_EQ(material, counted_material()) << text_of(m);
        ASSERT_EQ(game_move_count, before.game_move_count + 1);
        ASSERT_EQ(game_moves[game_move_count - 1], m);
        ASSERT_EQ(side_to_move, before.side_to_move ^ 1);
        if (depth > 1) {
            ASSERT_NO_FATAL_FAILURE(walk(depth - 1, ply + 1, makes));
        }
        unmake_move(m);
        ASSERT_TRUE(same_position(before, take(), ply + 1)) << text_of(m) << " at ply " << ply + 1;
    }
}

TEST(MakeUnmake, RoundTripOverWholeTrees) {
    const char* fens[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -",
        "8/8/1k6/2b5/2pP4/8/5K2/8 b - d3",
        "r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq -",
        "2K2r2/4P3/8/8/8/8/8/3k4 w - -",
        "r3k2r/1P4P1/8/8/8/8/1p4p1/R3K2R w KQkq -",  // promotion captures on all four corners
        "r3k2r/1P4P1/8/8/8/8/1p4p1/R3K2R b KQkq -",
    };
    const int depth = 3;
    for (const char* fen : fens) {
        ASSERT_TRUE(setup(fen)) << fen;
        long makes = 0;
        walk(depth, 0, makes);
        if (HasFatalFailure()) FAIL() << "in " << fen;
        EXPECT_GT(makes, 0) << fen;
    }
}

// Makes the generated move of coordinate text `t` at `ply` and returns it (0 when absent).
Move play(const char* t, int ply = 1) {
    Move moves[MAX_MOVES];
    const int count = generate_captures(moves, ply - 1);
    const int all = count + generate_quiet_moves(moves + count, ply - 1);
    for (int i = 0; i < all; ++i)
        if (text_of(moves[i]) == t) {
            EXPECT_EQ(make_move(moves[i], ply), 1) << t;
            return moves[i];
        }
    ADD_FAILURE() << t << " not generated";
    return 0;
}

TEST(MakeUnmake, KingCaptureRefusedChangingNothing) {
    ASSERT_TRUE(setup("4k3/8/8/8/8/8/8/4R1K1 w - -"));
    game_move_count = 7;
    std::memset(game_moves, 0x5a, sizeof game_moves);
    Move moves[MAX_MOVES];
    ASSERT_EQ(generate_captures(moves, 0), 1);
    EXPECT_EQ(moves[0], encode_move(E1, E8, KING, 0, ROOK, 0));
    const Snapshot before = take();
    Move record[GAME_MOVES_SIZE];
    std::memcpy(record, game_moves, sizeof record);
    EXPECT_EQ(make_move(moves[0], 1), 0);
    EXPECT_EQ(std::memcmp(&before.board, &board, sizeof board), 0);
    EXPECT_TRUE(same_position(before, take(), HISTORY_SIZE));
    EXPECT_EQ(std::memcmp(record, game_moves, sizeof record), 0);
}

TEST(MakeUnmake, EnPassantSquareOnlyAfterDoubleStepAndFiftyCounter) {
    ASSERT_TRUE(setup(START_FEN));
    board.history[0].fifty = 9;
    unmake_move(play("e2e4"));  // no black pawn can take it: the square is set all the same
    EXPECT_EQ(board.history[1].ep_square, 19);  // e3
    EXPECT_EQ(board.history[1].fifty, 0);
    unmake_move(play("e2e3"));
    EXPECT_EQ(board.history[1].ep_square, 0);
    unmake_move(play("g1f3"));
    EXPECT_EQ(board.history[1].fifty, 10);

    ASSERT_TRUE(setup("4k3/3p4/8/8/8/8/8/4K3 b - -"));
    play("d7d5");
    EXPECT_EQ(board.history[1].ep_square, 44);  // d6
    play("e1e2", 2);  // the square lasts one move only
    EXPECT_EQ(board.history[2].ep_square, 0);

    ASSERT_TRUE(setup("4k3/8/8/p7/8/8/8/R3K3 w - -"));
    board.history[0].fifty = 30;
    play("a1a5");  // a capture resets the counter
    EXPECT_EQ(board.history[1].fifty, 0);
}

TEST(MakeUnmake, CastlingRightsAndHasCastledBits) {
    ASSERT_TRUE(setup("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -"));
    const Move line[] = {play("e1g1", 1), play("e8c8", 2), play("g1h1", 3), play("d8d1", 4)};
    EXPECT_EQ(line[0], WHITE_CASTLE_KING_SIDE);
    EXPECT_EQ(line[1], BLACK_CASTLE_QUEEN_SIDE);
    EXPECT_EQ(board.history[1].castling, 4 | 8 | 16);
    EXPECT_EQ(board.history[2].castling, 16 | 128);
    // Later king and rook moves never clear a has-castled bit.
    EXPECT_EQ(board.history[4].castling, 16 | 128);
    EXPECT_TRUE(check_position());
    for (int i = 3; i >= 0; --i) unmake_move(line[i]);
    EXPECT_EQ(board.mailbox[H1], ROOK);
    EXPECT_EQ(board.mailbox[A8], ROOK);
    EXPECT_EQ(board.history[0].castling, 15);

    // A rook leaving its corner clears only its own right; any king move clears both.
    unmake_move(play("h1h5"));
    EXPECT_EQ(board.history[1].castling, 2 | 4 | 8);
    unmake_move(play("a1a5"));
    EXPECT_EQ(board.history[1].castling, 1 | 4 | 8);
    unmake_move(play("e1e2"));
    EXPECT_EQ(board.history[1].castling, 4 | 8);
    // Castling is recognised by the squares: the word without its special value makes the same.
    const Snapshot before = take();
    const Move plain = WHITE_CASTLE_QUEEN_SIDE & ~(7u << 15);
    ASSERT_EQ(make_move(plain, 1), 1);
    EXPECT_EQ(board.mailbox[D1], ROOK);
    EXPECT_EQ(board.history[1].castling, 4 | 8 | 32);
    EXPECT_TRUE(check_position());
    unmake_move(plain);
    EXPECT_TRUE(same_position(before, take(), 1));
}

// A pawn taking a corner rook and promoting: the right of that corner goes, and the slider sets
// hold `to` exactly for the pieces that slide that way.
TEST(MakeUnmake, PromotionCaptureOnCornerRook) {
    struct Case { const char* fen; const char* move; Square to; int right_lost; };
    const Case cases[] = {
        {"r3k2r/1P6/8/8/8/8/8/4K3 w kq -", "b7a8", A8, 8},
        {"r3k2r/6P1/8/8/8/8/8/4K3 w kq -", "g7h8", H8, 4},
        {"4k3/8/8/8/8/8/1p6/R3K2R b KQ -", "b2a1", A1, 2},
        {"4k3/8/8/8/8/8/6p1/R3K2R b KQ -", "g2h1", H1, 1},
    };
    const char* pieces = "qrbn";
    for (const Case& c : cases) {
        for (int i = 0; i < 4; ++i) {
            const std::string move = std::string(c.move) + pieces[i];
            ASSERT_TRUE(setup(c.fen));
            const Snapshot before = take();
            const Move m = play(move.c_str());
            ASSERT_NE(m, 0u);
            const int kind = move_promotion(m);
            const bool straight = kind == ROOK || kind == QUEEN;
            const bool diagonal = kind == BISHOP || kind == QUEEN;
            EXPECT_EQ(bool(board.rooks_queens & set_mask[c.to]), straight) << move;
            EXPECT_EQ(bool(board.bishops_queens & set_mask[c.to]), diagonal) << move;
            EXPECT_EQ(board.history[1].castling, before.board.history[0].castling & ~c.right_lost) << move;
            EXPECT_EQ(board.mailbox[c.to], kind) << move;
            EXPECT_EQ(material - before.material,
                      (before.side_to_move ? 1 : -1) * (510 + piece_value[kind] - 100)) << move;
            EXPECT_TRUE(check_position()) << move;
            unmake_move(m);
            EXPECT_TRUE(same_position(before, take(), 1)) << move;
            EXPECT_TRUE(board.rooks_queens & set_mask[c.to]) << move;
            EXPECT_FALSE(board.bishops_queens & set_mask[c.to]) << move;
        }
    }
}

// Thousands of game moves through the record, with a full search line on top now and then:
// the count never leaves room for less than a search line, and the latest moves stay in order.
TEST(MakeUnmake, GameMoveRecordNeverOverflows) {
    ASSERT_TRUE(setup(START_FEN));
    const Move shuffle[4] = {encode_move(G1, 18, 0, 0, KNIGHT, 0), encode_move(G8, 42, 0, 0, KNIGHT, 0),
                             encode_move(18, G1, 0, 0, KNIGHT, 0), encode_move(42, G8, 0, 0, KNIGHT, 0)};
    const int total = 5000;
    for (int i = 0; i < total; ++i) {
        keep_recent_game_moves();
        ASSERT_LE(game_move_count + 1, GAME_MOVES_SIZE - 64) << i;
        ASSERT_EQ(make_move(shuffle[i % 4], 1), 1);
        board.history[0] = board.history[1];
        if (i % 97 == 0) {  // a search line to ply 60 on top of the game
            const int base = game_move_count;
            for (int ply = 1; ply < HISTORY_SIZE; ++ply) ASSERT_EQ(make_move(shuffle[(i + ply) % 4], ply), 1);
            EXPECT_LE(game_move_count, GAME_MOVES_SIZE);
            for (int ply = HISTORY_SIZE - 1; ply >= 1; --ply) unmake_move(shuffle[(i + ply) % 4]);
            ASSERT_EQ(game_move_count, base);
        }
    }
    EXPECT_TRUE(check_position());
    ASSERT_GE(game_move_count, 256);
    for (int k = 1; k <= 256; ++k)
        ASSERT_EQ(game_moves[game_move_count - k], shuffle[(total - k) % 4]) << k;
}

}  // namespace
