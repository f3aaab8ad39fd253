// Attack queries over the global Board: who attacks a square (whether a side attacks it is
// inline in board.h).
#include "board/board.h"

Board board;
int32_t side_to_move;
int32_t material;

Bitboard attackers_of(Square sq) {
    Bitboard kings = square_bit(board.white_king_square) | square_bit(board.black_king_square);
    return (diagonal_attacks(sq) & board.bishops_queens) |
           (straight_attacks(sq) & board.rooks_queens) |
           (king_moves[sq] & kings) |
           (knight_moves[sq] & (board.white_knights | board.black_knights)) |
           (black_pawn_attacks[sq] & board.white_pawns) |
           (white_pawn_attacks[sq] & board.black_pawns);
}
