// Coordinate move text (e2e4, e7e8q, e1g1) to and from Move words.
#include "engine/engine.h"

void move_to_text(Move move, char* text) {
    const int from = move_from(move), to = move_to(move);
    text[0] = char('h' - (from & 7));
    text[1] = char('1' + (from >> 3));
    text[2] = char('h' - (to & 7));
    text[3] = char('1' + (to >> 3));
    static constexpr char letters[8] = {0, 0, 'n', 'b', 'r', 'q', 0, 0};
    const int promotion = move_promotion(move);
    if (promotion >= KNIGHT && promotion <= QUEEN) {
        text[4] = letters[promotion];
        text[5] = 0;
    } else {
        text[4] = 0;
    }
}

namespace {

// The square named by a file letter a..h and a rank digit 1..8, or -1 for any other text.
int square_from_text(char file, char rank) {
    if (file < 'a' || file > 'h' || rank < '1' || rank > '8') return -1;
    return 8 * (rank - '1') + ('h' - file);
}

}  // namespace

Move text_to_move(const char* text, int ply) {
    // Never read past the end: a text shorter than four characters is refused.
    for (int i = 0; i < 4; ++i)
        if (text[i] == 0) return 0;
    const int from = square_from_text(text[0], text[1]);
    const int to = square_from_text(text[2], text[3]);
    if (from < 0 || to < 0) return 0;
    const Bitboard own = side_to_move == 1 ? board.white_pieces : board.black_pieces;
    if (!(own & set_mask[from]) || (own & set_mask[to])) return 0;
    int promotion;
    switch (text[4]) {
        case 0: case '\n': promotion = 0; break;
        case 'n': promotion = KNIGHT; break;
        case 'b': promotion = BISHOP; break;
        case 'r': promotion = ROOK; break;
        case 'q': promotion = QUEEN; break;
        default: return 0;
    }
    const int piece = board.mailbox[from];
    const int ep = board.history[ply - 1].ep_square;
    if (ep != 0 && to == ep && piece == PAWN)
        return encode_move(from, to, PAWN, SPECIAL_EN_PASSANT, piece, promotion);
    return encode_move(from, to, board.mailbox[to], 0, piece, promotion);
}
