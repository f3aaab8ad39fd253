// Board core: squares, moves, the position record, the geometry tables, bit operations,
// attack queries and position setup. It uses nothing but the standard library; every other
// folder builds on it.
//
// Squares: 0 is h1, 1 is g1, ..., 7 is a1, 8 is h2, ..., 63 is a8. File index f = s & 7
// (0 = h-file), rank index r = s >> 3 (0 = rank 1). s + 1 is one file toward a, s + 8 one rank
// up, s + 7 up and toward h, s + 9 up and toward a.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>

using Square = int;
using Bitboard = uint64_t;
using PieceType = int;
using Move = uint32_t;

// Sides, as stored and passed everywhere.
constexpr int BLACK = 0;
constexpr int WHITE = 1;

constexpr PieceType NO_PIECE = 0;
constexpr PieceType PAWN = 1;
constexpr PieceType KNIGHT = 2;
constexpr PieceType BISHOP = 3;
constexpr PieceType ROOK = 4;
constexpr PieceType QUEEN = 5;
constexpr PieceType KING = 6;

// Named squares the rules use.
constexpr Square H1 = 0, G1 = 1, F1 = 2, E1 = 3, D1 = 4, C1 = 5, B1 = 6, A1 = 7;
constexpr Square H8 = 56, G8 = 57, F8 = 58, E8 = 59, D8 = 60, C8 = 61, B8 = 62, A8 = 63;

// Centipawn value of each piece kind (index 7 unused).
constexpr int32_t piece_value[8] = {0, 100, 300, 320, 510, 925, 10000, 0};

// Scores are centipawns for the side to move: a side checkmated at ply p scores
// p - MATE_SCORE, +-MATE_SCORE are the widest bounds, and a score beyond +-MATE_BOUND is a mate.
constexpr int32_t MATE_SCORE = 10000;
constexpr int32_t MATE_BOUND = 9900;

// Move word: from 0-5, to 6-11, captured 12-14, special 15-17, piece 18-20, promotion 21-23.
constexpr int SPECIAL_CASTLING = 3;
constexpr int SPECIAL_EN_PASSANT = 5;

constexpr Move encode_move(int from, int to, int captured, int special, int piece, int promotion) {
    return Move(from) | Move(to) << 6 | Move(captured) << 12 | Move(special) << 15 |
           Move(piece) << 18 | Move(promotion) << 21;
}
constexpr int move_from(Move m) { return m & 63; }
constexpr int move_to(Move m) { return (m >> 6) & 63; }
constexpr int move_captured(Move m) { return (m >> 12) & 7; }
constexpr int move_special(Move m) { return (m >> 15) & 7; }
constexpr int move_piece(Move m) { return (m >> 18) & 7; }
constexpr int move_promotion(Move m) { return (m >> 21) & 7; }

// The four castling moves.
constexpr Move WHITE_CASTLE_KING_SIDE = 0x198043;
constexpr Move WHITE_CASTLE_QUEEN_SIDE = 0x198143;
constexpr Move BLACK_CASTLE_KING_SIDE = 0x198E7B;
constexpr Move BLACK_CASTLE_QUEEN_SIDE = 0x198F7B;

// Per-ply record: fifty-move counter, en-passant target (0 = none), castling byte
// (bits 0-3: rights K Q k q; bits 4-7: white castled short/long, black castled short/long).
// `spare` is always 0: it makes an entry one 32-bit word, which make copies in one move.
struct HistoryEntry {
    uint8_t fifty;
    uint8_t ep_square;
    uint8_t castling;
    uint8_t spare;
};

// The deepest ply of a search: every per-ply record has an entry for each ply from 0 (the
// game position) to MAX_PLY.
constexpr int MAX_PLY = 60;
constexpr int HISTORY_SIZE = MAX_PLY + 1;

struct Board {
    Bitboard white_pieces;
    Bitboard black_pieces;
    Bitboard white_pawns;
    Bitboard black_pawns;
    Bitboard white_knights;
    Bitboard black_knights;
    Bitboard white_bishops;
    Bitboard black_bishops;
    Bitboard white_rooks;
    Bitboard black_rooks;
    Bitboard white_queens;
    Bitboard black_queens;
    Bitboard rooks_queens;
    Bitboard bishops_queens;
    Bitboard occupied_r90;
    Bitboard occupied_a1h8;
    Bitboard occupied_h1a8;
    uint8_t white_pawn_count;
    uint8_t black_pawn_count;
    uint8_t white_bishop_count;
    uint8_t black_bishop_count;
    uint8_t white_minor_count;
    uint8_t black_minor_count;
    uint8_t white_major_count;
    uint8_t black_major_count;
    uint8_t white_king_square;
    uint8_t black_king_square;
    uint8_t mailbox[64];
    HistoryEntry history[HISTORY_SIZE];
};

extern Board board;
extern int32_t side_to_move;  // 1 white, 0 black
extern int32_t material;      // white minus black, kings excluded

// ---------------------------------------------------------------------------------------------
// Constant geometry tables (one entry per square, exactly the values of their rules).

namespace board_detail {
template <typename T, typename F>
constexpr std::array<T, 64> per_square(F rule) {
    std::array<T, 64> table{};
    for (int s = 0; s < 64; ++s) table[s] = T(rule(s & 7, s >> 3));
    return table;
}
constexpr int abs_int(int x) { return x < 0 ? -x : x; }
constexpr int max_int(int a, int b) { return a > b ? a : b; }
}  // namespace board_detail

constexpr auto rank_shift = board_detail::per_square<uint8_t>([](int, int r) { return 8 * r; });
constexpr auto rot90_map =
    board_detail::per_square<uint8_t>([](int f, int r) { return 8 * (7 - f) + (7 - r); });
constexpr auto file_shift = board_detail::per_square<uint8_t>([](int f, int) { return 56 - 8 * f; });
constexpr auto h1a8_map =
    board_detail::per_square<uint8_t>([](int f, int r) { return 8 * ((f - r) & 7) + f; });
constexpr auto h1a8_length =
    board_detail::per_square<uint8_t>([](int f, int r) { return 8 - board_detail::abs_int(f - r); });
constexpr auto h1a8_mask = board_detail::per_square<uint8_t>(
    [](int f, int r) { return (1 << (8 - board_detail::abs_int(f - r))) - 1; });
constexpr auto h1a8_shift = board_detail::per_square<uint8_t>(
    [](int f, int r) { return 8 * ((f - r) & 7) + board_detail::max_int(0, f - r); });
constexpr auto a1h8_map =
    board_detail::per_square<uint8_t>([](int f, int r) { return 8 * ((r + f + 1) & 7) + f; });
constexpr auto a1h8_shift = board_detail::per_square<uint8_t>(
    [](int f, int r) { return 8 * ((r + f + 1) & 7) + board_detail::max_int(0, r + f - 7); });
constexpr auto a1h8_length = board_detail::per_square<uint8_t>(
    [](int f, int r) { return 8 - board_detail::abs_int(r + f - 7); });
constexpr auto a1h8_mask = board_detail::per_square<uint8_t>(
    [](int f, int r) { return (1 << (8 - board_detail::abs_int(r + f - 7))) - 1; });
// The bit of each square in each of the three rotated occupancy sets, for make and unmake.
namespace board_detail {
constexpr std::array<Bitboard, 64> bits_of(const std::array<uint8_t, 64>& map) {
    std::array<Bitboard, 64> bits{};
    for (int s = 0; s < 64; ++s) bits[s] = Bitboard(1) << map[s];
    return bits;
}
}  // namespace board_detail
constexpr auto rot90_bit = board_detail::bits_of(rot90_map);
constexpr auto a1h8_bit = board_detail::bits_of(a1h8_map);
constexpr auto h1a8_bit = board_detail::bits_of(h1a8_map);
constexpr auto rank_of = board_detail::per_square<int32_t>([](int, int r) { return r; });
constexpr auto file_of = board_detail::per_square<int32_t>([](int f, int) { return f; });

// ---------------------------------------------------------------------------------------------
// Built tables, filled once by init_tables.

extern Bitboard set_mask[64];
extern Bitboard rank_mask[64];
extern Bitboard file_mask[64];
extern Bitboard a1h8_diagonal[64];
extern Bitboard h1a8_diagonal[64];
extern Bitboard white_pawn_attacks[64];
extern Bitboard black_pawn_attacks[64];
extern Bitboard knight_moves[64];
extern Bitboard king_moves[64];
extern Bitboard rank_attacks[64][256];
extern Bitboard file_attacks[64][256];
extern Bitboard a1h8_attacks[64][256];
extern Bitboard h1a8_attacks[64][256];

// Line, ray and pawn-mask tables.
extern int8_t direction[64][64];
extern Bitboard ray_plus1[64];
extern Bitboard ray_minus1[64];
extern Bitboard ray_plus8[64];
extern Bitboard ray_minus8[64];
extern Bitboard ray_plus7[64];
extern Bitboard ray_minus7[64];
extern Bitboard ray_plus9[64];
extern Bitboard ray_minus9[64];
extern int32_t knight_reach[64];
extern Bitboard white_passed_mask[64];
extern Bitboard white_front_span[64];
extern Bitboard white_front_h[64];
extern Bitboard white_front_a[64];
extern Bitboard black_passed_mask[64];
extern Bitboard black_front_span[64];
extern Bitboard black_front_h[64];
extern Bitboard black_front_a[64];
extern Bitboard adjacent_files[64];
extern Bitboard span_between[64][64];
extern Bitboard near_squares[64];

// Builds every table above, in the fixed order. Call once before anything else.
void init_tables();

// ---------------------------------------------------------------------------------------------
// Bit operations.

inline int32_t popcount(Bitboard b) { return __builtin_popcountll(b); }
// The set of square s alone: what set_mask[s] holds, as a shift, which the hot paths (make,
// unmake, the attack and exchange tests) need not wait on a load for.
constexpr Bitboard square_bit(Square s) { return Bitboard(1) << s; }
// The index of the highest bit of a non-empty set. Written as 63 XOR the leading zeros, which
// the compiler emits as the one bit-scan instruction that gives the index (63 minus them
// costs two more instructions on every square a loop takes out of a set).
inline int32_t highest_square(Bitboard b) { return __builtin_clzll(b) ^ 63; }
// Index of the highest set bit; 16 for an empty set.
inline int32_t highest_bit(Bitboard b) { return b ? highest_square(b) : 16; }
// Index of the lowest set bit; 64 for an empty set.
inline int32_t lowest_bit(Bitboard b) { return b ? __builtin_ctzll(b) : 64; }

// Line patterns of square sq under the current occupancy.
inline Bitboard occupied() { return board.white_pieces | board.black_pieces; }
inline Bitboard rank_line_attacks(Square sq) {
    return rank_attacks[sq][(occupied() >> rank_shift[sq]) & 255];
}
inline Bitboard file_line_attacks(Square sq) {
    return file_attacks[sq][(board.occupied_r90 >> file_shift[sq]) & 255];
}
inline Bitboard a1h8_line_attacks(Square sq) {
    return a1h8_attacks[sq][(board.occupied_a1h8 >> a1h8_shift[sq]) & a1h8_mask[sq]];
}
inline Bitboard h1a8_line_attacks(Square sq) {
    return h1a8_attacks[sq][(board.occupied_h1a8 >> h1a8_shift[sq]) & h1a8_mask[sq]];
}
inline Bitboard straight_attacks(Square sq) { return rank_line_attacks(sq) | file_line_attacks(sq); }
inline Bitboard diagonal_attacks(Square sq) { return a1h8_line_attacks(sq) | h1a8_line_attacks(sq); }

// The mobility of a slider along its two diagonals (or its rank and file): on each line, the
// number of squares it attacks minus one. Counted from the attack entries themselves, which
// the generators and the exchange evaluation keep in the cache anyway.
inline int32_t diagonal_mobility(Square sq) { return popcount(diagonal_attacks(sq)) - 2; }
inline int32_t straight_mobility(Square sq) { return popcount(straight_attacks(sq)) - 2; }

// ---------------------------------------------------------------------------------------------
// Attack queries.

// Every man of either colour that attacks sq.
Bitboard attackers_of(Square sq);

// 1 if a man of colour By attacks sq. A slider line is looked up only when a slider of its kind
// stands on a line through sq at all.
template <int By>
inline int attacked_by(Square sq) {
    constexpr bool white = By == WHITE;
    const Bitboard men = white ? board.white_pieces : board.black_pieces;
    const Bitboard* const pawn_reach = white ? black_pawn_attacks : white_pawn_attacks;
    const Bitboard king = square_bit(white ? board.white_king_square : board.black_king_square);
    if ((pawn_reach[sq] & (white ? board.white_pawns : board.black_pawns)) |
        (knight_moves[sq] & (white ? board.white_knights : board.black_knights)) | (king_moves[sq] & king))
        return 1;
    const Bitboard diagonal = men & board.bishops_queens;
    if (diagonal & (a1h8_diagonal[sq] | h1a8_diagonal[sq]) && diagonal_attacks(sq) & diagonal) return 1;
    const Bitboard straight = men & board.rooks_queens;
    return straight & (rank_mask[sq] | file_mask[sq]) && straight_attacks(sq) & straight;
}
// 1 if a man of the side opposite to `side` attacks sq (side names the defender).
inline int square_attacked(Square sq, int side) {
    return side ? attacked_by<BLACK>(sq) : attacked_by<WHITE>(sq);
}
// 1 if the king of `side` is attacked.
inline int in_check(int side) {
    return side ? attacked_by<BLACK>(board.white_king_square)
                : attacked_by<WHITE>(board.black_king_square);
}

// ---------------------------------------------------------------------------------------------
// Position key: a 64-bit hash of the men on their squares, the side to move, the castling
// rights and the en-passant square, the exclusive or of one random word per feature. Make and
// unmake keep it as they play moves; the transposition table files positions by it.

namespace board_detail {
// The constant words of the key, from a fixed seed (the same in every build).
struct KeyWords {
    uint64_t men[2][8][64];  // [colour][PieceType][square]; NO_PIECE and 7 are all 0
    uint64_t castling[16];   // by the four rights bits
    uint64_t en_passant[64];  // by target square; 0 (no target) is 0
    uint64_t white_to_move;
};
constexpr uint64_t next_random(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
constexpr KeyWords make_key_words() {
    KeyWords k{};
    uint64_t state = 0x62697472006F6F6BULL;
    for (int c = 0; c < 2; ++c)
        for (int kind = PAWN; kind <= KING; ++kind)
            for (int s = 0; s < 64; ++s) k.men[c][kind][s] = next_random(state);
    for (int r = 1; r < 16; ++r) k.castling[r] = next_random(state);
    for (int s = 1; s < 64; ++s) k.en_passant[s] = next_random(state);
    k.white_to_move = next_random(state);
    return k;
}
}  // namespace board_detail
inline constexpr board_detail::KeyWords key_words = board_detail::make_key_words();

// The key of the position on the board, kept by parse_fen, make, unmake and the null move.
extern uint64_t position_key;
// The key of the position on the board, whose rights and en-passant target stand in history
// entry `entry`, computed afresh from every man and right.
uint64_t compute_position_key(int entry);

// ---------------------------------------------------------------------------------------------
// Position setup.

// The start position that "new" sets up.
constexpr const char* START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";
constexpr int FEN_REST_SIZE = 256;

// Clears the Board (history included) and material, as callers must before parse_fen.
void clear_board();
// Reads a FEN text (ended by a zero byte or a line feed) into the Board. `rest` (room for
// FEN_REST_SIZE bytes) receives what follows the fourth space. 1 when accepted.
int parse_fen(const char* text, char* rest);
// 1 when every redundant copy of the position agrees.
int check_position();
