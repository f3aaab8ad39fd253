// Position setup and queries: FEN acceptance and every rejection rule, the consistency check
// catching each corrupted copy, and the attack queries.
#include <gtest/gtest.h>

#include <cstring>

#include "board/board.h"
#include "tests/helpers.h"
#include "tests/session.h"

namespace {


TEST(Fen, StartPosition) {
    ASSERT_TRUE(setup(START_FEN));
    EXPECT_EQ(side_to_move, 1);
    EXPECT_EQ(board.history[0].fifty, 0);
    EXPECT_EQ(board.history[0].ep_square, 0);
    EXPECT_EQ(board.history[0].castling, 15);
    EXPECT_EQ(material, 0);
    EXPECT_EQ(board.white_pawn_count, 8);
    EXPECT_EQ(board.black_pawn_count, 8);
    EXPECT_EQ(board.white_bishop_count, 2);
    EXPECT_EQ(board.black_minor_count, 4);
    EXPECT_EQ(board.white_major_count, 3);
    EXPECT_EQ(board.white_king_square, 3);
    EXPECT_EQ(board.black_king_square, 59);
    const uint8_t back[8] = {4, 2, 3, 6, 5, 3, 2, 4};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(board.mailbox[i], back[i]);
        EXPECT_EQ(board.mailbox[8 + i], 1);
        EXPECT_EQ(board.mailbox[48 + i], 1);
        EXPECT_EQ(board.mailbox[56 + i], back[i]);
    }
    for (int s = 16; s < 48; ++s) EXPECT_EQ(board.mailbox[s], 0);
    EXPECT_EQ(board.white_queens, set_mask[D1]);
    EXPECT_EQ(board.black_queens, set_mask[D8]);
}

TEST(Fen, AcceptedTexts) {
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K3 w - -"));
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K2R w K -"));
    EXPECT_EQ(board.history[0].castling, 1);
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K3/ w - -"));  // a trailing "/" describes no square
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K2R w KKKK -"));  // repeats allowed
    EXPECT_TRUE(setup("QQQQQQQQ/QQQQQQQQ/8/8/8/8/8/k3K3 b - -"));  // nine queens and more
    EXPECT_EQ(side_to_move, 0);
    // Texts that end before the side or en-passant field: white to move, no en passant.
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K3"));
    EXPECT_EQ(side_to_move, 1);
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K3 b"));
    EXPECT_EQ(side_to_move, 0);
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K3 b -"));
    EXPECT_EQ(board.history[0].ep_square, 0);
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K3 w - -\n"));
}

TEST(Fen, RestAndCounters) {
    static char rest[FEN_REST_SIZE];
    clear_board();
    ASSERT_TRUE(parse_fen("4k3/8/8/8/8/8/8/4K3 w - - 37 80\n", rest));
    EXPECT_STREQ(rest, "37 80\n");
    EXPECT_EQ(board.history[0].fifty, 0);  // the half-move number is not read
}

TEST(Fen, EnPassantField) {
    // The engine's own form names the pawn that just moved; standard FEN the square behind it.
    for (const char* field : {"e4", "e3"}) {
        std::string fen = std::string("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq ") + field;
        ASSERT_TRUE(setup(fen.c_str())) << field;
        EXPECT_EQ(board.history[0].ep_square, 19);
    }
    for (const char* field : {"d5", "d6"}) {
        std::string fen = std::string("4k3/8/8/3pP3/8/8/8/4K3 w - ") + field;
        ASSERT_TRUE(setup(fen.c_str())) << field;
        EXPECT_EQ(board.history[0].ep_square, sq("d6"));
    }
    EXPECT_FALSE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - d4"));  // wrong rank for the side
    EXPECT_FALSE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - c5"));  // no pawn there
    EXPECT_FALSE(setup("4k3/8/3n4/3pP3/8/8/8/4K3 w - d5"));  // square behind not empty
    // The pawn of the field must be the opponent's: capturing one's own pawn en passant would
    // corrupt the position.
    EXPECT_FALSE(setup("4k3/8/8/3PP3/8/8/8/4K3 w - d5"));
    EXPECT_FALSE(setup("4k3/8/8/8/3pp3/8/8/4K3 b - d4"));
    EXPECT_FALSE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - d"));   // no digit
    EXPECT_FALSE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - 5"));   // digit first
    EXPECT_FALSE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - d55"));
    EXPECT_FALSE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - dd5"));
    EXPECT_FALSE(setup("4k3/8/8/3pP3/8/8/8/4K3 w - -d"));
}

TEST(Fen, RejectionRules) {
    const char* refused[] = {
        "4k3/8/8/8/8/8/8/8 w - -",            // no white king
        "8/8/8/8/8/8/8/4K3 w - -",            // no black king
        "4k3/8/8/8/8/8/8/4K2R w Q -",         // no rook on a1 for Q
        "4k3/8/8/8/8/8/8/3K3R w K -",         // king not on e1 for K
        "4k3/8/8/8/8/8/8/4K3 w k -",          // no black rook on h8 for k
        "r3k3/8/8/8/8/8/8/4K3 w q- -",        // "-" after a letter
        "4k3/8/8/8/8/8/8/4K3 w -K -",         // letter after "-"
        "4k3/8/8/8/8/8/8/4K2R w KKKKK -",     // more than four characters
        "4k3/44p/8/8/8/8/8/4K3 w - -",        // nine squares in a rank
        "4k3/8p/8/8/8/8/8/4K3 w - -",
        "4k3/9/8/8/8/8/8/4K3 w - -",          // the character 9
        "4k3/7/8/8/8/8/8/4K3 w - -",          // a rank of seven at the "/"
        "4k3/8/8/8/8/8/8/4K2 w - -",          // placement stops early (at the space)
        "4k3/8/8/8/8/8/8/4K2",                // ends inside the placement
        "",                                   // nothing at all
        "4k3/8/8/8/8/8/8/P3K3 w - -",         // pawn on rank 1
        "p3k3/8/8/8/8/8/8/4K3 w - -",         // pawn on rank 8
        "4k3/8/8/8/8/8/8/4K3/8 w - -",        // a ninth rank
        "4k3/8/8/8/8/8/8/4K3 x - -",          // bad side letter
        "4k3/8/8/8/8/8/8/4K3 ww - -",         // side letter repeated
        "4k3/8/8/8/8/8/8/4K3 W - -",          // upper case side
        "4k3/8/8/8/8/8/8/4K3 w KQkqx -",
        "4k3/8/8/8/8/8/8/4K3 w - -\x7f",      // above 'w'
        "4k3/8/8/8/8/8/8/4K3 w\t- -",         // a tab is not a field separator
        "4k3/8/8/8/8/8/8/4KK2 w - -",         // a second white king
        "0k6/8/8/8/8/8/8/4K3 w - -",
        "Ak6/8/8/8/8/8/8/4K3 w - -",
    };
    for (const char* fen : refused) EXPECT_FALSE(setup(fen)) << fen;
    // The counters are copied, not read.
    EXPECT_TRUE(setup("4k3/8/8/8/8/8/8/4K3 w - - \x01"));
}

TEST(Fen, RefusalLeavesAClearedBoardAndPartialMaterial) {
    clear_board();
    static char rest[FEN_REST_SIZE];
    EXPECT_EQ(parse_fen("4k3/8/8/8/8/8/Q7/4K2 w - -", rest), 0);
    EXPECT_EQ(board.white_pieces, 0u);  // the board stays as the caller cleared it
    EXPECT_EQ(material, 925);           // the men read so far
}

// Each corruption of one redundant copy is caught by the consistency check.
TEST(CheckPosition, CatchesEveryCorruptedCopy) {
    const char* fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
    ASSERT_TRUE(setup(fen));
    ASSERT_EQ(check_position(), 1);
    const Board good = board;
    auto expect_caught = [&](const char* what, auto corrupt) {
        board = good;
        corrupt();
        EXPECT_EQ(check_position(), 0) << what;
        board = good;
    };
    expect_caught("black set", [] { board.black_pieces ^= set_mask[sq("e4")]; });
    expect_caught("white set", [] { board.white_pieces &= ~set_mask[E1]; });
    expect_caught("bishops_queens", [] { board.bishops_queens ^= set_mask[sq("a1")]; });
    expect_caught("rooks_queens", [] { board.rooks_queens &= ~set_mask[H1]; });
    expect_caught("black bishop count", [] { ++board.black_bishop_count; });
    expect_caught("white bishop count", [] { --board.white_bishop_count; });
    expect_caught("black major count", [] { ++board.black_major_count; });
    expect_caught("white major count", [] { --board.white_major_count; });
    expect_caught("black minor count", [] { ++board.black_minor_count; });
    expect_caught("white minor count", [] { --board.white_minor_count; });
    expect_caught("black pawn count", [] { ++board.black_pawn_count; });
    expect_caught("white pawn count", [] { --board.white_pawn_count; });
    expect_caught("mailbox kind", [] { board.mailbox[sq("e5")] = BISHOP; });
    expect_caught("mailbox king", [] { board.mailbox[E1] = QUEEN; });
    expect_caught("mailbox empty square", [] { board.mailbox[sq("e3")] = PAWN; });
    expect_caught("king square", [] { board.white_king_square = D1; });
    expect_caught("pawn set", [] { board.white_pawns ^= set_mask[sq("a2")] | set_mask[sq("a3")]; });
    expect_caught("r90", [] { board.occupied_r90 ^= set_mask[rot90_map[sq("e3")]]; });
    expect_caught("a1h8", [] { board.occupied_a1h8 ^= set_mask[a1h8_map[E1]]; });
    expect_caught("h1a8", [] { board.occupied_h1a8 ^= set_mask[h1a8_map[sq("d5")]]; });
    // What it does not look at.
    board = good;
    material = 12345;
    side_to_move = 0;
    board.history[0].castling = 0;
    EXPECT_EQ(check_position(), 1);
}

TEST(Attacks, StartPositionQueries) {
    ASSERT_TRUE(setup(START_FEN));
    EXPECT_EQ(square_attacked(sq("f3"), 1), 0);
    EXPECT_EQ(square_attacked(sq("f3"), 0), 1);
    EXPECT_EQ(square_attacked(sq("f6"), 1), 1);
    EXPECT_EQ(in_check(0), 0);
    EXPECT_EQ(in_check(1), 0);
    EXPECT_EQ(attackers_of(sq("f3")), set_mask[sq("e2")] | set_mask[sq("g2")] | set_mask[G1]);
    EXPECT_EQ(attackers_of(sq("e2")), set_mask[E1] | set_mask[D1] | set_mask[F1] | set_mask[G1]);
}

TEST(Attacks, PawnsSlidersAndBlocking) {
    ASSERT_TRUE(setup("4k3/8/8/4p3/8/8/8/R3K3 w - -"));
    EXPECT_EQ(square_attacked(sq("d4"), 1), 1);
    EXPECT_EQ(square_attacked(sq("f4"), 1), 1);
    EXPECT_EQ(square_attacked(sq("e4"), 1), 0);  // pawns attack only diagonally forward
    ASSERT_TRUE(setup("4k3/8/8/8/P7/8/8/R3K3 w - -"));
    EXPECT_TRUE(attackers_of(sq("a3")) & set_mask[A1]);
    EXPECT_TRUE(attackers_of(sq("a4")) & set_mask[A1]);
    EXPECT_FALSE(attackers_of(sq("a5")) & set_mask[A1]);
    // Checks by each kind, and the men on the square itself are never counted.
    struct Case { const char* fen; int side; int expected; };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/3p4/4K3 w - -", 1, 1},   // pawn
        {"4k3/8/8/8/8/3n4/8/4K3 w - -", 1, 1},   // knight
        {"4k3/8/8/b7/8/8/8/4K3 w - -", 1, 1},    // bishop
        {"4k3/8/8/q7/8/8/8/4K3 w - -", 1, 1},    // queen on the diagonal
        {"4k3/4r3/8/8/8/8/8/4K3 w - -", 1, 1},   // rook on the file
        {"4k3/4r3/8/8/8/8/4P3/4K3 w - -", 1, 0}, // blocked
        {"8/8/8/8/8/8/3k4/4K3 w - -", 1, 1},     // king
        {"4k3/8/8/8/8/8/3P4/4K3 b - -", 0, 0},   // own pawn gives no check
        {"4k3/3P4/8/8/8/8/8/4K3 b - -", 0, 1},   // white pawn checks the black king
        {"4k3/8/8/8/8/8/8/4K2R b - -", 0, 0},
        {"4k2R/8/8/8/8/8/8/4K3 b - -", 0, 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(setup(c.fen)) << c.fen;
        EXPECT_EQ(in_check(c.side), c.expected) << c.fen;
    }
}

}  // namespace
