// The Board fields of one colour, for evaluation terms written once as templates over the
// colour (Side<WHITE>, Side<BLACK>): every access is resolved at compile time.
#pragma once

#include "board/board.h"

template <int Colour>
struct Side;

template <>
struct Side<WHITE> {
    static constexpr Bitboard Board::*pieces = &Board::white_pieces;
    static constexpr Bitboard Board::*pawns = &Board::white_pawns;
    static constexpr Bitboard Board::*knights = &Board::white_knights;
    static constexpr Bitboard Board::*bishops = &Board::white_bishops;
    static constexpr Bitboard Board::*rooks = &Board::white_rooks;
    static constexpr Bitboard Board::*queens = &Board::white_queens;
    static constexpr uint8_t Board::*bishop_count = &Board::white_bishop_count;
    static constexpr uint8_t Board::*minor_count = &Board::white_minor_count;
    static constexpr uint8_t Board::*major_count = &Board::white_major_count;
    static constexpr uint8_t Board::*king_square = &Board::white_king_square;
    static constexpr int forward = 8;  // one rank toward the enemy
    // The square as seen from this side: a square of White's is itself.
    static constexpr Square relative(Square s) { return s; }
    static constexpr Bitboard relative_set(Bitboard b) { return b; }
};

template <>
struct Side<BLACK> {
    static constexpr Bitboard Board::*pieces = &Board::black_pieces;
    static constexpr Bitboard Board::*pawns = &Board::black_pawns;
    static constexpr Bitboard Board::*knights = &Board::black_knights;
    static constexpr Bitboard Board::*bishops = &Board::black_bishops;
    static constexpr Bitboard Board::*rooks = &Board::black_rooks;
    static constexpr Bitboard Board::*queens = &Board::black_queens;
    static constexpr uint8_t Board::*bishop_count = &Board::black_bishop_count;
    static constexpr uint8_t Board::*minor_count = &Board::black_minor_count;
    static constexpr uint8_t Board::*major_count = &Board::black_major_count;
    static constexpr uint8_t Board::*king_square = &Board::black_king_square;
    static constexpr int forward = -8;
    // Black's view of a square named from White's side: same file, rank mirrored (a2 is a7).
    static constexpr Square relative(Square s) { return s ^ 56; }
    static constexpr Bitboard relative_set(Bitboard b) { return __builtin_bswap64(b); }
};
