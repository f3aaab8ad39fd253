// Position setup from FEN text, and the consistency check of the redundant position record.
#include <cstddef>
#include <cstring>

#include "board/board.h"

void clear_board() {
    std::memset(&board, 0, sizeof board);
    material = 0;
    position_key = 0;
}

namespace {

enum FieldState { PLACEMENT = 1, SIDE = 2, CASTLING = 4, EN_PASSANT = 8 };

// Puts one man of kind `kind` and colour `white` on square s of the local record.
void place_man(Board& b, Square s, PieceType kind, bool white, bool& king_seen) {
    Bitboard m = set_mask[s];
    (white ? b.white_pieces : b.black_pieces) |= m;
    switch (kind) {
        case PAWN:
            (white ? b.white_pawns : b.black_pawns) |= m;
            ++(white ? b.white_pawn_count : b.black_pawn_count);
            break;
        case KNIGHT:
            (white ? b.white_knights : b.black_knights) |= m;
            ++(white ? b.white_minor_count : b.black_minor_count);
            break;
        case BISHOP:
            (white ? b.white_bishops : b.black_bishops) |= m;
            b.bishops_queens |= m;
            ++(white ? b.white_bishop_count : b.black_bishop_count);
            ++(white ? b.white_minor_count : b.black_minor_count);
            break;
        case ROOK:
            (white ? b.white_rooks : b.black_rooks) |= m;
            b.rooks_queens |= m;
            ++(white ? b.white_major_count : b.black_major_count);
            break;
        case QUEEN:
            (white ? b.white_queens : b.black_queens) |= m;
            b.rooks_queens |= m;
            b.bishops_queens |= m;
            ++(white ? b.white_major_count : b.black_major_count);
            break;
        case KING:
            (white ? b.white_king_square : b.black_king_square) = uint8_t(s);
            king_seen = true;
            break;
    }
    b.occupied_r90 |= set_mask[rot90_map[s]];
    b.occupied_a1h8 |= set_mask[a1h8_map[s]];
    b.occupied_h1a8 |= set_mask[h1a8_map[s]];
    b.mailbox[s] = uint8_t(kind);
    if (kind != KING) material += white ? piece_value[kind] : -piece_value[kind];
}

PieceType kind_of_letter(char c) {
    switch (c) {
        case 'P': case 'p': return PAWN;
        case 'N': case 'n': return KNIGHT;
        case 'B': case 'b': return BISHOP;
        case 'R': case 'r': return ROOK;
        case 'Q': case 'q': return QUEEN;
        case 'K': case 'k': return KING;
    }
    return NO_PIECE;
}

}  // namespace

int parse_fen(const char* text, char* rest) {
    static Board local;  // one position's worth; static keeps it off the stack
    std::memset(&local, 0, sizeof local);
    int state = PLACEMENT;
    int count = 0;
    int squares_left = 64;
    int castling = 0;
    int side = 1;  // a text that ends before its side field means white to move
    char ep_file = 0, ep_digit = 0;
    bool white_king_seen = false, black_king_seen = false;

    for (const char* p = text;; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == 0 || c == '\n') {
            if (state == PLACEMENT && squares_left != 0) return 0;  // ended inside the placement
            break;
        }
        if (c < 32 || c > 'w') return 0;
        if (c == ' ') {
            if (state == PLACEMENT) {
                if (squares_left != 0) return 0;
                state = SIDE;
            } else if (state == SIDE) {
                state = CASTLING;
            } else if (state == CASTLING) {
                state = EN_PASSANT;
            } else {
                // The half-move and move numbers: handed back, not read.
                const char* tail = p + 1;
                int n = 0;
                while (n < FEN_REST_SIZE - 1 && tail[n] != 0) {
                    rest[n] = tail[n];
                    ++n;
                }
                rest[n] = 0;
                break;
            }
            count = 0;
            continue;
        }
        if (state == PLACEMENT) {
            if (c == '/') {
                if (count != 8) return 0;
                count = 0;
            } else if (c >= '1' && c <= '8') {
                if (squares_left == 0) return 0;
                count += c - '0';
                if (count > 8) return 0;
                squares_left -= c - '0';
            } else if (PieceType kind = kind_of_letter(char(c))) {
                if (++count > 8) return 0;
                if (squares_left == 0) return 0;
                Square s = --squares_left;
                if (kind == PAWN && (s < 8 || s > 55)) return 0;
                bool white = c < 'a';
                place_man(local, s, kind, white, white ? white_king_seen : black_king_seen);
            } else {
                return 0;
            }
        } else if (state == SIDE) {
            if ((c != 'w' && c != 'b') || count != 0) return 0;
            side = c == 'w' ? 1 : 0;
            ++count;
        } else if (state == CASTLING) {
            if (c == '-') {
                if (count != 0) return 0;
                ++count;
            } else if (c == 'K' || c == 'Q' || c == 'k' || c == 'q') {
                if (count != 0 && castling == 0) return 0;  // a letter after "-"
                if (++count > 4) return 0;
                castling |= c == 'K' ? 1 : c == 'Q' ? 2 : c == 'k' ? 4 : 8;
            } else {
                return 0;
            }
        } else {  // EN_PASSANT
            if (c == '-') {
                if (count != 0) return 0;
                ep_file = 0;
            } else if (c >= 'a' && c <= 'h') {
                if (count != 0) return 0;
                ep_file = char(c);
            } else if (c >= '1' && c <= '8') {
                if (count != 1) return 0;
                ep_digit = char(c);
            } else {
                return 0;
            }
            ++count;
        }
    }

    // Castling rights need the king and rook on their home squares.
    if ((castling & 1) && !(local.white_king_square == E1 && (local.white_rooks & set_mask[H1]))) return 0;
    if ((castling & 2) && !(local.white_king_square == E1 && (local.white_rooks & set_mask[A1]))) return 0;
    if ((castling & 4) && !(local.black_king_square == E8 && (local.black_rooks & set_mask[H8]))) return 0;
    if ((castling & 8) && !(local.black_king_square == E8 && (local.black_rooks & set_mask[A8]))) return 0;
    if (!white_king_seen || !black_king_seen) return 0;

    int ep_square = 0;
    if (ep_file) {
        // Standard FEN names the square behind the pawn (rank 6 with white to move, 3 with
        // black); the engine's own form names the pawn itself (rank 5, 4). Read both.
        if (side == 1 && ep_digit == '6') ep_digit = '5';
        if (side == 0 && ep_digit == '3') ep_digit = '4';
        if (ep_digit != (side == 1 ? '5' : '4')) return 0;
        Square s = 8 * (ep_digit - '1') + ('h' - ep_file);
        // The pawn must be the opponent's: an en-passant capture of one's own pawn would
        // take a man of the wrong colour off the board and corrupt the position.
        const Bitboard enemy_pawns = side == 1 ? local.black_pawns : local.white_pawns;
        if (!(enemy_pawns & set_mask[s])) return 0;
        Square behind = side == 1 ? s + 8 : s - 8;
        if ((local.white_pieces | local.black_pieces) & set_mask[behind]) return 0;
        ep_square = behind;
    }

    std::memcpy(&board, &local, offsetof(Board, history));  // everything but the history
    board.history[0].fifty = 0;
    board.history[0].ep_square = uint8_t(ep_square);
    board.history[0].castling = uint8_t(castling);
    side_to_move = side;
    position_key = compute_position_key(0);
    return check_position();
}

int check_position() {
    const Board& b = board;
    auto king = [](int sq) { return set_mask[sq]; };
    if (b.black_pieces != (king(b.black_king_square) | b.black_pawns | b.black_knights |
                           b.black_bishops | b.black_rooks | b.black_queens))
        return 0;
    if (b.white_pieces != (king(b.white_king_square) | b.white_pawns | b.white_knights |
                           b.white_bishops | b.white_rooks | b.white_queens))
        return 0;
    if (b.bishops_queens != (b.white_bishops | b.black_bishops | b.white_queens | b.black_queens))
        return 0;
    if (b.rooks_queens != (b.white_rooks | b.black_rooks | b.white_queens | b.black_queens))
        return 0;
    if (b.black_bishop_count != popcount(b.black_bishops)) return 0;
    if (b.white_bishop_count != popcount(b.white_bishops)) return 0;
    if (b.black_major_count != popcount(b.black_rooks) + popcount(b.black_queens)) return 0;
    if (b.white_major_count != popcount(b.white_rooks) + popcount(b.white_queens)) return 0;
    if (b.black_minor_count != popcount(b.black_knights) + popcount(b.black_bishops)) return 0;
    if (b.white_minor_count != popcount(b.white_knights) + popcount(b.white_bishops)) return 0;
    if (b.black_pawn_count != popcount(b.black_pawns)) return 0;
    if (b.white_pawn_count != popcount(b.white_pawns)) return 0;

    Bitboard by_kind[7] = {};
    for (Square s = 0; s < 64; ++s)
        if (b.mailbox[s] <= KING) by_kind[b.mailbox[s]] |= set_mask[s];
        else return 0;  // not a piece kind at all
    const Bitboard kind_sets[6] = {
        0,
        b.white_pawns | b.black_pawns,
        b.white_knights | b.black_knights,
        b.white_bishops | b.black_bishops,
        b.white_rooks | b.black_rooks,
        b.white_queens | b.black_queens,
    };
    for (int k = PAWN; k <= QUEEN; ++k)
        if (by_kind[k] != kind_sets[k]) return 0;
    if (by_kind[KING] != (king(b.white_king_square) | king(b.black_king_square))) return 0;
    if ((~by_kind[NO_PIECE]) != (b.white_pieces | b.black_pieces)) return 0;

    Bitboard r90 = 0, a1h8 = 0, h1a8 = 0;
    for (Bitboard occ = b.white_pieces | b.black_pieces; occ; ) {
        Square s = highest_bit(occ);
        occ &= ~set_mask[s];
        r90 |= set_mask[rot90_map[s]];
        a1h8 |= set_mask[a1h8_map[s]];
        h1a8 |= set_mask[h1a8_map[s]];
    }
    if (r90 != b.occupied_r90 || a1h8 != b.occupied_a1h8 || h1a8 != b.occupied_h1a8) return 0;
    return 1;
}
