// Attack queries over the global Board: who attacks a square, whether a side attacks it.
#include "board/board.h"

Board board;
int32_t side_to_move;
int32_t material;

Bitboard attackers_of(Square sq) {
    Bitboard kings = set_mask[board.white_king_square] | set_mask[board.black_king_square];
    return (diagonal_attacks(sq) & board.bishops_queens) |
           (straight_attacks(sq) & board.rooks_queens) |
           (king_moves[sq] & kings) |
           (knight_moves[sq] & (board.white_knights | board.black_knights)) |
           (black_pawn_attacks[sq] & board.white_pawns) |
           (white_pawn_attacks[sq] & board.black_pawns);
}

int square_attacked(Square sq, int side) {
    if (side) {  // black attacks
        if (white_pawn_attacks[sq] & board.black_pawns) return 1;
        if (knight_moves[sq] & board.black_knights) return 1;
        if (diagonal_attacks(sq) & board.black_pieces & board.bishops_queens) return 1;
        if (straight_attacks(sq) & board.rooks_queens & board.black_pieces) return 1;
        if (king_moves[sq] & set_mask[board.black_king_square]) return 1;
    } else {  // white attacks
        if (black_pawn_attacks[sq] & board.white_pawns) return 1;
        if (knight_moves[sq] & board.white_knights) return 1;
        if (diagonal_attacks(sq) & board.white_pieces & board.bishops_queens) return 1;
        if (straight_attacks(sq) & board.rooks_queens & board.white_pieces) return 1;
        if (king_moves[sq] & set_mask[board.white_king_square]) return 1;
    }
    return 0;
}
