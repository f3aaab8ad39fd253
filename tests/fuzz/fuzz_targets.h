// The checks of the four fuzz targets, one function per target. The libFuzzer entry points
// call them, and the test suite replays the committed corpora through them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "uci/uci.h"
#include "xboard/xboard.h"
#include "search/search.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/game_replay.h"

namespace fuzz_detail {

inline FILE* null_output() {
    static FILE* out = std::fopen("/dev/null", "w");
    return out;
}

inline bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The first blank-delimited word of a line, as the command loop finds it.
inline std::string_view first_word(const char* line) {
    while (blank(*line)) ++line;
    size_t n = 0;
    while (line[n] && !blank(line[n])) ++n;
    return {line, n};
}

inline bool has_line_starting(std::string_view text, std::string_view start) {
    for (size_t at = 0; at < text.size();) {
        if (text.substr(at, start.size()) == start) return true;
        const size_t end = text.find('\n', at);
        if (end == std::string_view::npos) break;
        at = end + 1;
    }
    return false;
}

// The blank-delimited words of a line, as the UCI loop finds them.
inline std::vector<std::string_view> words_of(const char* line) {
    std::vector<std::string_view> words;
    for (;;) {
        const std::string_view word = first_word(line);
        if (word.empty()) return words;
        words.push_back(word);
        line = word.data() + word.size();
    }
}

constexpr size_t LONGEST_SESSION = 4096;

// The replies of a fuzz session, captured in memory.
inline char* said_data = nullptr;
inline size_t said_size = 0;
// What the session said from `from` on (every reply is flushed, so the size is current).
inline std::string_view said_since(size_t from) { return {said_data + from, said_size - from}; }

// Runs a session of at most LONGEST_SESSION bytes (longer inputs are skipped) with the engine
// records reset, every search bounded to 2 ms and the replies captured: `start` first (the
// front end's own reset and its handshake, if any), then `run_line`(line, length, its place in
// the input) for each line in turn, the line feed belonging to its line, until "quit". A valid position left at the
// end must be consistent.
template <class Start, class RunLine>
inline void run_fuzz_session(const uint8_t* data, size_t size, Start start, RunLine run_line) {
    if (size > LONGEST_SESSION) return;
    static char input[LONGEST_SESSION + 1];
    std::memcpy(input, data, size);
    input[size] = 0;

    said_data = nullptr;
    said_size = 0;  // set by the stream only at its first flush
    FILE* const out = open_memstream(&said_data, &said_size);
    FILE* const saved_out = protocol_out;
    protocol_out = out;
    reset_engine();
    budget_cap_ms = 2;
    start();

    static char line[LONGEST_SESSION + 1];
    for (size_t at = 0; at < size && !quit_requested;) {
        size_t end = at;
        while (end < size && input[end] != '\n') ++end;
        if (end < size) ++end;
        const size_t length = end - at;
        std::memcpy(line, input + at, length);
        line[length] = 0;
        run_line(line, length, input + at);
        at = end;
    }
    if (!engine_state.position_invalid) FUZZ_CHECK(check_position() == 1);

    std::fclose(out);
    std::free(said_data);
    protocol_out = saved_out;
    use_stdin_source();
}

// The positions the usermove target plays its text in (the first byte of an input picks one).
constexpr const char* usermove_positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq -",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -",
    "4k3/8/8/3pP3/8/8/8/4K3 w - d5",
    "4k3/1P6/8/8/8/8/6p1/4K3 b - -",
    "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -",
    "4k3/8/8/8/8/8/4q3/4K3 w - -",
};

}  // namespace fuzz_detail

// FEN setup on arbitrary text: every accepted position is consistent and every generated
// move makes and unmakes cleanly.
inline void fuzz_fen_input(const uint8_t* data, size_t size) {
    static char text[1024];
    static char rest[FEN_REST_SIZE];
    const size_t n = size < sizeof text - 1 ? size : sizeof text - 1;
    std::memcpy(text, data, n);
    text[n] = 0;
    clear_board();
    game_move_count = 0;
    if (parse_fen(text, rest)) {
        FUZZ_CHECK(check_position() == 1);
        check_every_move_round_trips();
    }
}

// The opponent's move text in a set of positions: a refused move leaves the game position
// exactly as it was; an accepted one leaves a consistent position in which the mover's king
// is not attacked.
inline void fuzz_usermove_input(const uint8_t* data, size_t size) {
    using namespace fuzz_detail;
    if (size == 0) return;
    static char text[300];
    const size_t n = size - 1 < sizeof text - 1 ? size - 1 : sizeof text - 1;
    std::memcpy(text, data + 1, n);
    text[n] = 0;
    static char rest[FEN_REST_SIZE];
    clear_board();
    game_move_count = 0;
    FUZZ_CHECK(parse_fen(usermove_positions[data[0] % std::size(usermove_positions)], rest));
    engine_state.position_invalid = 0;
    FILE* const saved_out = protocol_out;
    protocol_out = null_output();
    const PositionSnapshot before = snapshot();
    user_move(text);
    protocol_out = saved_out;
    if (game_move_count == before.game_move_count) {
        FUZZ_CHECK(same_as(before));
    } else {
        FUZZ_CHECK(game_move_count == before.game_move_count + 1);
        FUZZ_CHECK(check_position() == 1);
        FUZZ_CHECK(!in_check(side_to_move ^ 1));
        check_every_move_round_trips();
    }
}

// A whole protocol session through the command loop, fed one line at a time with every
// move's thinking bounded to a few milliseconds. After each line: the engine never finds its
// own position corrupt; a valid position is consistent; and a line that cannot change the
// position (no "new" or "setboard", no accepted "usermove", no engine move) left it exactly
// as it was.
inline void fuzz_session_input(const uint8_t* data, size_t size) {
    using namespace fuzz_detail;
    const auto handshake = [] {
        use_buffer_source("xboard\n", 7);
        FUZZ_CHECK(run_engine() == 0);
    };
    run_fuzz_session(data, size, handshake, [](const char* line, size_t length, const char* at) {
        const bool was_valid = !engine_state.position_invalid;
        const PositionSnapshot before = snapshot();
        const size_t said_before = said_size;
        use_buffer_source(at, length);
        FUZZ_CHECK(command_loop() == 0);
        const std::string_view said = said_since(said_before);

        FUZZ_CHECK(said.find("INVALID INTERNAL POSITION") == std::string_view::npos);
        if (!engine_state.position_invalid) FUZZ_CHECK(check_position() == 1);
        // One read takes the whole line when it fits; only then is its first word the
        // only command it carried.
        if (was_valid && length < LINE_SIZE && !has_line_starting(said, "move ")) {
            const std::string_view word = first_word(line);
            const bool may_change = word == "new" || word == "setboard" ||
                                    (word == "usermove" && !has_line_starting(said, "Illegal move: "));
            if (!may_change) FUZZ_CHECK(same_as(before));
        }
    });
}

// A UCI session through the UCI command loop, fed one line at a time with every search
// bounded to a few milliseconds. After each line: the engine never finds its own position
// corrupt; a valid position is consistent; a line other than "position" and "ucinewgame"
// left the position exactly as it was; every "bestmove" names a legal move of the position
// searched (and a legal reply to it, when it names one), or 0000 exactly when it has none or
// there is none; a refused "position" line
// changed nothing; after any other, the moves held are the line's moves up to the first
// refused one (which is named), and the position held is the one its own text sets up afresh;
// and while a table is in use, the position key is the position's own.
inline void fuzz_uci_input(const uint8_t* data, size_t size) {
    using namespace fuzz_detail;
    // The table is kept small, as the searches are kept short, whatever "Hash" asks for.
    const auto start = [] {
        table_cap_mb = 1;
        reset_uci();
    };
    run_fuzz_session(data, size, start, [](const char* line, size_t length, const char* at) {
        const bool had_position = !engine_state.position_invalid;
        const std::vector<std::string> legal =
            had_position ? legal_move_texts() : std::vector<std::string>{};
        // The legal replies to each of them, in the same order.
        std::vector<std::vector<std::string>> replies;
        for (size_t i = 0; had_position && i < legal.size(); ++i) {
            const Move m = legal_move(legal[i]);
            make_move(m, 1);
            std::vector<std::string> texts;
            for (Move r : legal_moves(1)) texts.push_back(text_of(r));
            unmake_move(m);
            replies.push_back(texts);
        }
        const PositionSnapshot before = snapshot();
        const std::string held_start = uci_start_text, held_moves = uci_moves_text;
        const size_t said_before = said_size;
        use_buffer_source(at, length);
        FUZZ_CHECK(uci_loop() == 0);
        const std::string said(said_since(said_before));

        FUZZ_CHECK(!has_line_starting(said, "info string invalid internal position"));
        if (!engine_state.position_invalid) FUZZ_CHECK(check_position() == 1);
        // While a table is in use, the key kept move by move is the position's own.
        if (!engine_state.position_invalid && keep_position_key)
            FUZZ_CHECK(position_key == compute_position_key(0));
        for (size_t from = 0, next; from < said.size(); from = next) {
            const size_t end = said.find('\n', from);
            next = end == std::string::npos ? said.size() : end + 1;
            if (said.compare(from, 9, "bestmove ") != 0) continue;
            const std::string answer = said.substr(from, end - from);
            const std::vector<std::string_view> w = words_of(answer.c_str());
            FUZZ_CHECK(w.size() == 2 || (w.size() == 4 && w[2] == "ponder"));
            if (w[1] == "0000") {
                FUZZ_CHECK(legal.empty() && w.size() == 2);
                continue;
            }
            size_t at = 0;
            while (at < legal.size() && legal[at] != w[1]) ++at;
            FUZZ_CHECK(at < legal.size());
            // The reply it expects is a legal move after it.
            bool reply_found = w.size() == 2;
            for (const std::string& r : w.size() == 4 ? replies[at] : std::vector<std::string>{})
                reply_found = reply_found || r == w[3];
            FUZZ_CHECK(reply_found);
        }

        const std::vector<std::string_view> words = words_of(line);
        const std::string_view word = words.empty() ? std::string_view() : words[0];
        if (word != "position" && word != "ucinewgame") {
            FUZZ_CHECK(same_as(before));
            FUZZ_CHECK(held_start == uci_start_text && held_moves == uci_moves_text);
        } else if (word == "position" && has_line_starting(said, "info string position needs")) {
            FUZZ_CHECK(same_as(before));
            FUZZ_CHECK(held_start == uci_start_text && held_moves == uci_moves_text);
        } else if (word == "position" && !engine_state.position_invalid) {
            // The moves held are the line's moves up to the first refused one.
            size_t first_move = 2;
            while (first_move < words.size() && words[first_move - 1] != "moves") ++first_move;
            std::string line_moves;
            for (size_t k = first_move; k < words.size(); ++k)
                line_moves += std::string(words[k]) + " ";
            const std::string moves = uci_moves_text;
            FUZZ_CHECK(line_moves.compare(0, moves.size(), moves) == 0);
            if (moves.size() < line_moves.size()) {
                const size_t gap = line_moves.find(' ', moves.size());
                const std::string refused = line_moves.substr(moves.size(), gap - moves.size());
                FUZZ_CHECK(has_line_starting(said, "info string refused move " + refused + ":"));
            }
            // Set up afresh from its own text, the position is the same.
            const PositionSnapshot now = snapshot();
            const std::string again =
                "position " + std::string(uci_start_text) + " moves " + moves + "\n";
            const size_t said_now = said_size;
            use_buffer_source(again.data(), again.size());
            FUZZ_CHECK(uci_loop() == 0);
            FUZZ_CHECK(said_size == said_now);
            FUZZ_CHECK(same_as(now));
            FUZZ_CHECK(moves == uci_moves_text);
        }
    });
    resize_table(0);  // nothing of the session stays behind it
}
