// The UCI command loop: the handshake, "isready", "ucinewgame", "position", "go", "stop" and
// "quit", over the same game commands as the xboard loop. A "position" line that continues
// the game held (the same start, the moves already played, the engine's last answer and the
// opponent's reply) plays only its new moves, as the xboard engine plays its own move and
// then the opponent's, so that the search carries its expected line, killers and window over
// from move to move exactly as there; any other line sets its position up afresh.
#include <cstring>

#include "search/search.h"
#include "uci/uci.h"

UciState uci_state;
char uci_deferred_line[UCI_LINE_SIZE];
char uci_start_text[UCI_LINE_SIZE];
char uci_moves_text[UCI_LINE_SIZE];

namespace {

// The move text field of "usermove" holds 11 characters: a longer word is copied cut to 12,
// which the move check refuses as too long.
constexpr size_t MOVE_WORD_ROOM = 12;

// A FEN start is held as "fen FEN" (just "fen" when the line gave no FEN).
constexpr size_t FEN_WORD_LENGTH = 3;

// Appends the word and a blank to a text of UCI_LINE_SIZE bytes (which always has room: it
// holds words of one line of at most that size).
void append_word(char* text, const char* word, size_t length) {
    const size_t at = std::strlen(text);
    std::memcpy(text + at, word, length);
    text[at + length] = ' ';
    text[at + length + 1] = 0;
}

// Plays the opponent's moves in the words of `p`, each as "usermove" does, recording the
// accepted ones; the first refused move is named and ends the line.
void play_move_words(const char* p) {
    size_t length;
    for (const char* word = next_word(p, length); length != 0; word = next_word(p, length)) {
        char text[MOVE_WORD_ROOM + 1];
        const size_t n = length < MOVE_WORD_ROOM ? length : MOVE_WORD_ROOM;
        std::memcpy(text, word, n);
        text[n] = 0;
        if (!play_opponent_move(text)) {
            reply("info string refused move %.*s: the position stays after the moves before it\n",
                  int(length), word);
            return;
        }
        append_word(uci_moves_text, word, length);
    }
}

// "position startpos [moves ...]" or "position fen FEN [moves ...]".
void do_position(const char* args) {
    static char start[UCI_LINE_SIZE];
    static char moves[UCI_LINE_SIZE];
    const char* p = args;
    size_t length;
    const char* word = next_word(p, length);
    const bool from_fen = word_is(word, length, "fen");
    if (!from_fen && !word_is(word, length, "startpos")) {
        reply("info string position needs startpos or fen: line ignored\n");
        return;
    }
    // The FEN is every word up to "moves", one blank between fields as the parser wants;
    // words between "startpos" and "moves" are ignored.
    std::strcpy(start, from_fen ? "fen " : "startpos ");
    for (word = next_word(p, length); length != 0 && !word_is(word, length, "moves");
         word = next_word(p, length))
        if (from_fen) append_word(start, word, length);
    start[std::strlen(start) - 1] = 0;  // the blank behind the last word
    // `p` is now past "moves" (or at the end of the line).
    moves[0] = 0;
    for (word = next_word(p, length); length != 0; word = next_word(p, length))
        append_word(moves, word, length);

    // The game held goes on when the line repeats it, then names the engine's last answer,
    // then at least one more move.
    const Move engine_move = uci_state.engine_move;
    uci_state.engine_move = 0;
    const size_t held = std::strlen(uci_moves_text);
    if (engine_move != 0 && !engine_state.position_invalid &&
        std::strcmp(start, uci_start_text) == 0 && std::strncmp(moves, uci_moves_text, held) == 0) {
        char text[6];
        move_to_text(engine_move, text);
        const size_t n = std::strlen(text);
        const char* rest = moves + held;
        if (std::strncmp(rest, text, n) == 0 && rest[n] == ' ' && rest[n + 1] != 0) {
            play_engine_move(engine_move);
            append_word(uci_moves_text, text, n);
            play_move_words(rest + n + 1);
            return;
        }
    }

    std::strcpy(uci_start_text, start);
    uci_moves_text[0] = 0;
    const char* fen =
        std::strcmp(start, "startpos") == 0 ? START_FEN : skip_blanks(start + FEN_WORD_LENGTH);
    if (!setup_position(fen)) {
        reply("info string refused fen %s: no position until a valid one\n", fen);
        uci_start_text[0] = 0;
        return;
    }
    play_move_words(moves);
}

void do_ucinewgame() {
    setup_position(START_FEN);
    std::strcpy(uci_start_text, "startpos");
    uci_moves_text[0] = 0;
    uci_state.engine_move = 0;
    clear_table();
}

// A "go infinite" or "go ponder" that has finished answers at "stop" (or "ponderhit").
void release_held_search() {
    uci_state.holding = 0;
    print_bestmove(uci_state.held_move, uci_state.held_reply);
}

void dispatch(const char* line) {
    if (uci_state.holding) {
        const SearchLine kind = classify_search_line(line);
        if (kind == SEARCH_GOES_ON || (kind == PONDER_HIT && !uci_state.holding_ponder)) return;
        if (quit_requested) {
            uci_state.holding = 0;
            return;
        }
        release_held_search();
        if (kind == SEARCH_ENDS || kind == PONDER_HIT) return;
        // Another command: the interface has moved on without "stop"; it runs now.
    }
    const char* p = line;
    size_t length;
    const char* word = next_word(p, length);
    if (word_is(word, length, "uci")) {
        reply("id name bitrook\nid author the bitrook developers\n");
        print_options();
        reply("uciok\n");
    } else if (word_is(word, length, "setoption")) {
        set_option(p);
    } else if (word_is(word, length, "isready")) {
        reply("readyok\n");
    } else if (word_is(word, length, "ucinewgame")) {
        do_ucinewgame();
    } else if (word_is(word, length, "position")) {
        do_position(p);
    } else if (word_is(word, length, "go")) {
        uci_go(p);
    } else if (word_is(word, length, "quit")) {
        quit_requested = 1;
    }
    // Anything else ("stop" or "ponderhit" with no search, "debug", unknown words) is ignored.
}

}  // namespace

SearchLine classify_search_line(const char* line) {
    size_t length;
    const char* word = first_word(line, length);
    if (word_is(word, length, "isready")) {
        reply("readyok\n");
        return SEARCH_GOES_ON;
    }
    if (word_is(word, length, "stop")) {
        uci_state.stop_requested = 1;
        return SEARCH_ENDS;
    }
    if (word_is(word, length, "quit")) {
        quit_requested = 1;
        uci_state.stop_requested = 1;
        return SEARCH_ENDS;
    }
    if (word_is(word, length, "ponderhit")) return PONDER_HIT;
    if (word_is(word, length, "uci") || word_is(word, length, "ucinewgame") ||
        word_is(word, length, "position") || word_is(word, length, "go") ||
        word_is(word, length, "setoption"))
        return AFTER_SEARCH;
    return SEARCH_GOES_ON;
}

void print_bestmove(Move move, Move reply_expected) {
    char text[6] = "0000";
    if (move != 0) move_to_text(move, text);
    if (move == 0 || reply_expected == 0) {
        reply("bestmove %s\n", text);
        return;
    }
    char expected[6];
    move_to_text(reply_expected, expected);
    reply("bestmove %s ponder %s\n", text, expected);
}

void reset_uci() {
    uci_state = {};
    uci_start_text[0] = 0;
    uci_moves_text[0] = 0;
    reset_uci_options();
}

int uci_loop() {
    static char line[UCI_LINE_SIZE];
    while (!quit_requested) {
        if (uci_state.deferred) {
            std::strcpy(line, uci_deferred_line);
            uci_state.deferred = 0;
            dispatch(line);
            continue;
        }
        if (!read_line(line, UCI_LINE_SIZE)) {
            // Nothing can send "stop" any more.
            if (input_closed() && uci_state.holding) release_held_search();
            return 0;
        }
        dispatch(line);
    }
    return 0;
}
