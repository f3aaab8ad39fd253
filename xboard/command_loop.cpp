// Program start-up, the handshake and the protocol command loop with its command table.
#include <cstring>

#include "xboard/xboard.h"

namespace {

// Reads seconds with an optional fraction ("0.1") as milliseconds.
bool read_seconds_ms(const char*& p, int64_t& ms) {
    int64_t seconds;
    const char* q = skip_blanks(p);
    bool negative = *q == '-';
    if (!read_integer(q, seconds)) return false;
    ms = seconds * 1000;
    if (*q == '.') {
        ++q;
        int64_t scale = 100, fraction = 0;
        while (*q >= '0' && *q <= '9') {
            fraction += (*q - '0') * scale;
            scale /= 10;
            ++q;
        }
        ms += negative ? -fraction : fraction;
    }
    p = q;
    return true;
}

void not_implemented(const char* word) { reply("Error (Command not yet implemented): %s\n", word); }

// Each handler gets the line from its command word on.
void do_protover(const char*) {
    reply("feature ping=1 setboard=1 playother=0 san=0 usermove=1 time=1 draw=1 sigint=0 "
          "sigterm=0 reuse=1 analyze=0 colors=0 ics=0 name=0 pause=0 done=1\n");
}
void do_nothing(const char*) {}
void do_new(const char*) { new_game(); }
void do_quit(const char*) { quit_requested = 1; }
void do_force(const char*) { engine_state.engine_side = NO_SIDE; }
void do_go(const char*) { go_command(); }

// "level MOVES BASE INC": BASE in minutes or minutes:seconds, INC in seconds (fraction
// allowed). A number that is missing keeps its field as it was.
void do_level(const char* args) {
    const char* p = args + 5;
    int64_t v;
    if (read_integer(p, v)) {
        time_control.moves_per_control = int32_t(v < 0 ? 0 : v > MAX_MOVES_PER_CONTROL ? MAX_MOVES_PER_CONTROL : v);
        if (read_integer(p, v)) {
            int64_t ms = v * 60000;
            if (*p == ':') {
                ++p;
                int64_t seconds;
                if (read_integer(p, seconds)) ms += (v < 0 ? -seconds : seconds) * 1000;
            }
            time_control.base_ms = clamp_ms(ms);
            if (read_seconds_ms(p, v)) time_control.increment_ms = clamp_ms(v);
        }
    }
    time_control.mode = time_control.moves_per_control == 0 ? WHOLE_GAME_MODE : MOVES_PER_CONTROL_MODE;
    // The clocks hold the new control at once (interfaces send "new" before "level").
    reset_clock(0);
    reset_clock(1);
}

void do_st(const char* args) {
    const char* p = args + 2;
    int64_t ms;
    if (read_seconds_ms(p, ms)) time_control.fixed_ms = clamp_ms(ms);
    time_control.mode = FIXED_TIME_MODE;
}

void do_sd(const char* args) {
    const char* p = args + 2;
    int64_t v;
    if (read_integer(p, v)) engine_state.depth_limit = clamp_int32(v);
}

// "time CS": the interface's clock of the engine (it sends it before the opponent's move,
// while the opponent is still to move); when the engine plays no side, of the side to move.
void do_time(const char* args) {
    const char* p = args + 4;
    int64_t v;
    if (!read_integer(p, v)) return;
    const int side = engine_state.engine_side == NO_SIDE ? (side_to_move ? 1 : 0)
                                                         : engine_state.engine_side;
    time_control.time_left_ms[side] = clamp_ms(v * 10);
    time_control.clock_from_interface[side] = 1;
}

void do_usermove(const char* args) {
    static char word[LINE_SIZE];
    const char* p = skip_blanks(args + 8);
    size_t n = 0;
    while (p[n] && !is_blank(p[n])) {
        word[n] = p[n];
        ++n;
    }
    word[n] = 0;
    user_move(word);
}

void do_ping(const char* args) {
    const char* p = args + 4;
    int64_t v;
    if (read_integer(p, v)) reply("pong %d\n", clamp_int32(v));
}

void do_result(const char*) { engine_state.engine_side = NO_SIDE; }

void do_setboard(const char* args) {
    const char* p = args + 8;
    if (*p == ' ' || *p == '\t') ++p;  // the text after the word and one blank
    set_board(p);
}

void do_post(const char*) { engine_state.post = 1; }
void do_nopost(const char*) { engine_state.post = 0; }

struct Command {
    const char* word;
    void (*action)(const char* args);  // nullptr: answered as not implemented
};

// The command table, in its order of comparison.
constexpr Command commands[] = {
    {"protover", do_protover}, {"accepted", do_nothing}, {"rejected", do_nothing},
    {"new", do_new},           {"quit", do_quit},        {"random", nullptr},
    {"force", do_force},       {"go", do_go},            {"playother", nullptr},
    {"white", nullptr},        {"black", nullptr},       {"level", do_level},
    {"st", do_st},             {"sd", do_sd},            {"time", do_time},
    {"otime", do_nothing},     {"usermove", do_usermove}, {"?", nullptr},
    {"ping", do_ping},         {"draw", do_nothing},     {"0-1", do_result},
    {"1-0", do_result},        {"1/2-1/2", do_result},   {"setboard", do_setboard},
    {"edit", nullptr},         {"hint", nullptr},        {"bk", nullptr},
    {"undo", nullptr},         {"remove", nullptr},      {"hard", nullptr},
    {"easy", nullptr},         {"post", do_post},        {"nopost", do_nopost},
    {"analyze", nullptr},      {"name", nullptr},        {"rating", nullptr},
    {"ics", nullptr},          {"computer", nullptr},    {"pause", nullptr},
    {"resume", nullptr},
};

void dispatch(const char* line) {
    size_t length;
    const char* word = first_word(line, length);
    if (length == 0) return;  // a line of blanks
    for (const Command& command : commands) {
        if (std::strlen(command.word) == length && std::memcmp(command.word, word, length) == 0) {
            if (command.action) command.action(word);
            else not_implemented(command.word);
            return;
        }
    }
}

}  // namespace

int command_loop() {
    char line[LINE_SIZE];
    while (!quit_requested) {
        if (engine_state.engine_side == side_to_move && !engine_state.position_invalid) {
            engine_turn();
            continue;
        }
        if (!read_line(line, LINE_SIZE)) return 0;  // end of input ends as "quit" does
        if (line[0] == '\n') continue;
        dispatch(line);
    }
    return 0;
}

int run_engine() {
    char line[LINE_SIZE];
    engine_state.engine_side = NO_SIDE;
    if (!read_line(line, LINE_SIZE)) return 0;
    size_t length;
    const char* word = first_word(line, length);
    if (length != 6 || std::memcmp(word, "xboard", 6) != 0) return 0;
    reply("\n");
    return command_loop();
}
