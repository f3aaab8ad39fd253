// The position key computed from scratch: the words of every man on its square, the rights
// still held, the en-passant target and the side to move.
#include "board/board.h"

uint64_t position_key;

uint64_t compute_position_key(int entry) {
    uint64_t key = 0;
    for (Square s = 0; s < 64; ++s) {
        const int kind = board.mailbox[s];
        if (kind == NO_PIECE || kind > KING) continue;
        const int colour = (board.white_pieces >> s) & 1 ? WHITE : BLACK;
        key ^= key_words.men[colour][kind][s];
    }
    const HistoryEntry& rights = board.history[entry];
    key ^= key_words.castling[rights.castling & 15];
    key ^= key_words.en_passant[rights.ep_square & 63];
    if (side_to_move == WHITE) key ^= key_words.white_to_move;
    return key;
}
