// The game record: the game position set up from FEN, the opponent's and the engine's moves
// played on it, and the positions since the last capture or pawn move for draw claims.
#include <cstring>

#include "engine/engine.h"
#include "eval/eval.h"
#include "moves/moves.h"
#include "search/search.h"

namespace {

// A small record of the game positions since the last capture or pawn move, so that a draw
// claim by repetition is made only when the position really stood on the board twice
// before: the square-balance count alone also matches positions whose men swapped squares
// or whose side to move differs, and the interface forfeits a false claim.
struct GamePosition {
    uint8_t mailbox[64];
    Bitboard white_pieces;
    uint8_t side;
    uint8_t rights;
    uint8_t ep_square;
};
constexpr int POSITION_RECORD_SIZE = 128;
GamePosition position_record[POSITION_RECORD_SIZE];
int position_record_count;

GamePosition current_position() {
    GamePosition p;
    std::memcpy(p.mailbox, board.mailbox, sizeof p.mailbox);
    p.white_pieces = board.white_pieces;
    p.side = uint8_t(side_to_move);
    p.rights = board.history[0].castling & 15;
    p.ep_square = board.history[0].ep_square;
    return p;
}

bool same_position(const GamePosition& a, const GamePosition& b) {
    return std::memcmp(a.mailbox, b.mailbox, sizeof a.mailbox) == 0 &&
           a.white_pieces == b.white_pieces && a.side == b.side && a.rights == b.rights &&
           a.ep_square == b.ep_square;
}

void reset_position_record() {
    position_record[0] = current_position();
    position_record_count = 1;
}

// Records the game position after a game move; a capture or pawn move starts afresh.
void record_game_position(Move move) {
    if (move_piece(move) == PAWN || move_captured(move) != 0) {
        reset_position_record();
        return;
    }
    if (position_record_count == POSITION_RECORD_SIZE) {
        std::memmove(position_record, position_record + 1,
                     sizeof(GamePosition) * (POSITION_RECORD_SIZE - 1));
        --position_record_count;
    }
    position_record[position_record_count++] = current_position();
}

void common_reset() {
    last_score = -MATE_SCORE;
    clear_pv_and_killers();
    eval_params.game_phase = OPENING_PHASE;
    iteration_depth = 2;
    reset_clock(0);
    reset_clock(1);
    reset_position_record();
}

// Plays a game move at ply 1 and makes the resulting position the game position.
int play_game_move(Move move) {
    keep_recent_game_moves();
    if (!make_move(move, 1)) return 0;
    return 1;
}

void accept_game_move(Move move) {
    board.history[0] = board.history[1];
    record_game_position(move);
}

}  // namespace

// True when the game position stood on the board at least twice before.
bool game_position_repeated() {
    const GamePosition now = current_position();
    int earlier = 0;
    for (int i = 0; i + 1 < position_record_count; ++i)
        if (same_position(position_record[i], now)) ++earlier;
    return earlier >= 2;
}

bool setup_position(const char* fen) {
    static char rest[FEN_REST_SIZE];
    clear_board();
    if (!parse_fen(fen, rest)) {
        engine_state.position_invalid = 1;
        return false;
    }
    game_move_count = 0;
    engine_state.position_invalid = 0;
    common_reset();
    return true;
}

Move find_legal_move(const char* text) {
    // The move text field holds 11 characters; anything longer is no move.
    if (std::strlen(text) > 11 || engine_state.position_invalid) return 0;
    const Move move = text_to_move(text, 1);
    if (move == 0) return 0;
    // Only a move the generators list for the game position is played: make_move relies on
    // a pseudo-legal move, and the text checks alone do not ensure one.
    Move list[MAX_MOVES];
    int count = generate_captures(list, 0);
    count += generate_quiet_moves(list + count, 0);
    for (int i = 0; i < count; ++i) {
        const Move m = list[i];
        if (move_from(m) != move_from(move) || move_to(m) != move_to(move) ||
            move_promotion(m) != move_promotion(move))
            continue;
        if (!make_move(m, 1)) return 0;
        const bool legal = !in_check(side_to_move ^ 1);
        unmake_move(m);
        return legal ? m : 0;
    }
    return 0;
}

bool play_opponent_move(const char* text) {
    const Move move = find_legal_move(text);
    if (move == 0) return false;
    play_game_move(move);
    accept_game_move(move);
    shift_ply_tables();
    return true;
}

void play_engine_move(Move move) {
    play_game_move(move);
    accept_game_move(move);
}
