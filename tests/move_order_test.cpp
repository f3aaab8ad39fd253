// The generated lists, word for word and in order: each group and each scan direction, for
// both colours. The order is the tie-break of the move ordering, so it is behaviour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "tests/session.h"

namespace {

// "from-to[promotion] captured special piece promotion", e.g. "b7a8q 4 0 1 5".
std::string describe(Move m) {
    char text[6];
    move_to_text(m, text);
    return std::string(text) + " " + std::to_string(move_captured(m)) + " " +
           std::to_string(move_special(m)) + " " + std::to_string(move_piece(m)) + " " +
           std::to_string(move_promotion(m));
}

std::vector<std::string> listed(int (*generate)(Move*, int), const char* fen) {
    EXPECT_TRUE(setup(fen)) << fen;
    Move moves[MAX_MOVES];
    const int count = generate(moves, 0);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(moves[i] >> 24, 0u) << describe(moves[i]);
        out.push_back(describe(moves[i]));
    }
    return out;
}

// Four promotions of one pawn move, queen first.
std::vector<std::string> promotions(const std::string& path, int captured) {
    std::vector<std::string> out;
    const char* letters = "qrbn";
    const int kinds[] = {QUEEN, ROOK, BISHOP, KNIGHT};
    for (int i = 0; i < 4; ++i)
        out.push_back(path + letters[i] + " " + std::to_string(captured) + " 0 1 " +
                      std::to_string(kinds[i]));
    return out;
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Knights (two, from the a8 end), bishop, rook, queen, king; targets from the a8 end.
TEST(MoveOrder, WhitePieceCaptures) {
    const std::vector<std::string> expected = {
        "f5d6 1 0 2 0", "f5h6 3 0 2 0", "f5d4 1 0 2 0",                  // knight f5 (34)
        "c3b5 2 0 2 0", "c3e4 1 0 2 0", "c3e2 3 0 2 0",                  // knight c3 (21)
        "g2e4 1 0 3 0",                                                  // bishop
        "a1a7 4 0 4 0",                                                  // rook
        "d2h6 3 0 5 0", "d2d4 1 0 5 0", "d2e2 3 0 5 0",                  // queen
        "e1e2 3 0 6 0", "e1f2 2 0 6 0",                                  // king
    };
    EXPECT_EQ(listed(generate_captures, "7k/r7/3p3b/1n3N2/3pp3/2N5/3QbnB1/R3K3 w - -"), expected);
}

// The same men with the colours swapped and the board turned: black also walks from the a8
// end, so the knights and their targets come in another order than the mirror of white's.
TEST(MoveOrder, BlackPieceCaptures) {
    const std::vector<std::string> expected = {
        "c6e7 3 0 2 0", "c6e5 1 0 2 0", "c6b4 2 0 2 0",                  // knight c6 (45)
        "f4d5 1 0 2 0", "f4d3 1 0 2 0", "f4h3 3 0 2 0",                  // knight f4 (26)
        "g7e5 1 0 3 0",
        "a8a2 4 0 4 0",
        "d7e7 3 0 5 0", "d7d5 1 0 5 0", "d7h3 3 0 5 0",
        "e8e7 3 0 6 0", "e8f7 2 0 6 0",
    };
    EXPECT_EQ(listed(generate_captures, "r3k3/3qBNb1/2n5/3PP3/1N3n2/3P3B/R7/7K b - -"), expected);
}

// Push promotions, then captures toward the h-file, then toward the a-file; white takes the
// to-squares from the a8 end. e7 is blocked; h4 and a3 must not wrap onto a4 and h5.
TEST(MoveOrder, WhitePawnCapturesAndPromotions) {
    const auto expected = joined({
        promotions("b7b8", 0), promotions("g7g8", 0),
        promotions("b7c8", KNIGHT), promotions("g7h8", BISHOP),
        {"e5f6 2 0 1 0", "a3b4 4 0 1 0"},
        promotions("b7a8", ROOK),
        {"e5d6 1 5 1 0", "h4g5 1 0 1 0"},
    });
    // Standard FEN names the square behind the pawn, the engine's own form the pawn itself.
    EXPECT_EQ(listed(generate_captures, "r1n1k2b/1P2P1P1/5n2/3pP1pp/pr5P/P7/8/7K w - d6"), expected);
    EXPECT_EQ(listed(generate_captures, "r1n1k2b/1P2P1P1/5n2/3pP1pp/pr5P/P7/8/7K w - d5"), expected);
}

// Black takes pawn to-squares from the h1 end: g1 before b1, h1 before c1, a1 before d3.
TEST(MoveOrder, BlackPawnCapturesAndPromotions) {
    const auto expected = joined({
        promotions("g2g1", 0), promotions("b2b1", 0),
        promotions("g2h1", BISHOP), promotions("b2c1", KNIGHT),
        {"e4f3 2 0 1 0", "a6b5 4 0 1 0"},
        promotions("b2a1", ROOK),
        {"e4d3 1 5 1 0", "h5g4 1 0 1 0"},
    });
    EXPECT_EQ(listed(generate_captures, "7k/8/p6P/1R5p/3Pp1P1/P4N2/1p2p1p1/R1N1K2B b - d3"), expected);
}

// Castling (b1 attacked but allowed), the pieces, the king, single then double pushes; a
// blocked pawn, a pawn blocked on its double step and a pawn on the seventh add nothing.
TEST(MoveOrder, WhiteQuietMoves) {
    const std::vector<std::string> expected = {
        "e1g1 0 3 6 0", "e1c1 0 3 6 0",
        "a6b8 0 0 2 0", "a6c7 0 0 2 0", "a6c5 0 0 2 0", "a6b4 0 0 2 0",
        "h5f6 0 0 2 0", "h5f4 0 0 2 0", "h5g3 0 0 2 0",
        "e2b5 0 0 3 0", "e2c4 0 0 3 0", "e2g4 0 0 3 0", "e2d3 0 0 3 0", "e2f3 0 0 3 0",
        "e2d1 0 0 3 0", "e2f1 0 0 3 0",
        "a1b1 0 0 4 0", "a1c1 0 0 4 0", "a1d1 0 0 4 0", "h1f1 0 0 4 0", "h1g1 0 0 4 0",
        "h7g8 0 0 5 0", "h7h8 0 0 5 0", "h7g6 0 0 5 0", "h7h6 0 0 5 0",
        "e1f2 0 0 6 0", "e1d1 0 0 6 0", "e1f1 0 0 6 0",
        "d2d3 0 0 1 0", "h2h3 0 0 1 0", "h2h4 0 0 1 0",
    };
    EXPECT_EQ(listed(generate_quiet_moves, "4k3/1P4pQ/N7/5p1N/3p4/n7/P2PB2P/R3K2R w KQ -"), expected);
}

TEST(MoveOrder, BlackQuietMoves) {
    const std::vector<std::string> expected = {
        "e8g8 0 3 6 0", "e8c8 0 3 6 0",
        "h4g6 0 0 2 0", "h4f5 0 0 2 0", "h4f3 0 0 2 0",
        "a3b5 0 0 2 0", "a3c4 0 0 2 0", "a3c2 0 0 2 0", "a3b1 0 0 2 0",
        "e7d8 0 0 3 0", "e7f8 0 0 3 0", "e7d6 0 0 3 0", "e7f6 0 0 3 0", "e7c5 0 0 3 0",
        "e7g5 0 0 3 0", "e7b4 0 0 3 0",
        "a8b8 0 0 4 0", "a8c8 0 0 4 0", "a8d8 0 0 4 0", "h8f8 0 0 4 0", "h8g8 0 0 4 0",
        "h2g3 0 0 5 0", "h2h3 0 0 5 0", "h2g1 0 0 5 0", "h2h1 0 0 5 0",
        "e8d8 0 0 6 0", "e8f8 0 0 6 0", "e8f7 0 0 6 0",
        "d7d6 0 0 1 0", "h7h6 0 0 1 0", "h7h5 0 0 1 0",
    };
    EXPECT_EQ(listed(generate_quiet_moves, "r3k2r/p2pb2p/N7/3P4/5P1n/n7/1p4Pq/4K3 b kq -"), expected);
}

// The castling words are the fixed constants, and each condition on its own stops one side.
TEST(MoveOrder, CastlingConditions) {
    auto castles = [](const char* fen) {
        std::vector<std::string> out;
        for (const std::string& m : listed(generate_quiet_moves, fen))
            if (m.find(" 0 3 6 0") != std::string::npos) out.push_back(m.substr(0, 4));
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -"), (V{"e1g1", "e1c1"}));
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -"), (V{"e8g8", "e8c8"}));
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/R3K2R w Qk -"), (V{"e1c1"}));      // right bits
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/R3K2R b Qk -"), (V{"e8g8"}));
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/R3K2R w - -"), (V{}));
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/RN2K1NR w KQkq -"), (V{}));        // b1, g1 occupied
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/R3KB1R w KQkq -"), (V{"e1c1"}));   // f1 occupied
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/Rn2K2R w KQkq -"), (V{"e1g1"}));   // b1 occupied
    EXPECT_EQ(castles("r3k2r/8/8/8/4r3/8/8/R3K2R w KQkq -"), (V{}));        // e1 attacked
    EXPECT_EQ(castles("r3k2r/8/8/8/8/7b/8/R3K2R w KQkq -"), (V{"e1c1"}));   // f1 attacked
    EXPECT_EQ(castles("r3k2r/8/8/8/8/7n/8/R3K2R w KQkq -"), (V{"e1c1"}));   // g1 attacked
    EXPECT_EQ(castles("r3k2r/8/8/8/8/2n5/8/R3K2R w KQkq -"), (V{"e1g1"}));  // d1 attacked
    EXPECT_EQ(castles("r3k2r/8/8/8/8/b7/8/R3K2R w KQkq -"), (V{"e1g1"}));   // c1 attacked
    EXPECT_EQ(castles("1r2k2r/8/8/8/8/8/8/R3K2R w KQk -"), (V{"e1g1", "e1c1"}));  // b1 attacked
    EXPECT_EQ(castles("r3k2r/6B1/8/8/8/8/8/R3K2R b KQkq -"), (V{"e8c8"}));  // f8 attacked
    EXPECT_EQ(castles("r3k2r/8/8/8/8/8/8/1R2K2R b Kkq -"), (V{"e8g8", "e8c8"}));  // b8 attacked
    EXPECT_TRUE(setup("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -"));
    Move moves[MAX_MOVES];
    ASSERT_EQ(generate_quiet_moves(moves, 0) >= 2, true);
    EXPECT_EQ(moves[0], WHITE_CASTLE_KING_SIDE);
    EXPECT_EQ(moves[1], WHITE_CASTLE_QUEEN_SIDE);
    EXPECT_TRUE(setup("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -"));
    ASSERT_EQ(generate_quiet_moves(moves, 0) >= 2, true);
    EXPECT_EQ(moves[0], BLACK_CASTLE_KING_SIDE);
    EXPECT_EQ(moves[1], BLACK_CASTLE_QUEEN_SIDE);
}

}  // namespace
