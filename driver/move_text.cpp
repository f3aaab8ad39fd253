// Coordinate move text (e2e4, e7e8q, e1g1) to and from Move words.
#include "driver/driver.h"

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

Move text_to_move(const char* text, int ply) {
    // Never read past the end: a text shorter than four characters is refused.
    for (int i = 0; i < 4; ++i)
        if (text[i] == 0) return 0;
    auto c = [&](int i) { return int(static_cast<int8_t>(text[i])); };
    const int from = 8 * c(1) - 288 - c(0);
    if (from < 0 || from > 63) return 0;
    const int to = 8 * c(3) - 288 - c(2);
    if (to < 0 || to > 63) return 0;
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
