// Hostile input through whole protocol sessions: very long lines, binary and NUL bytes,
// every command word with missing, extra, negative and enormous numbers, truncated and
// overlong positions, and malformed moves. After each, the engine still answers "ping", its
// position is intact, and a following game is played legally.
#include <gtest/gtest.h>

#include <random>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/stepped_session.h"

namespace {

constexpr int32_t CAP_MS = 20;  // bound of any one move's thinking

// "ping" is answered with its own number, and a valid position is consistent.
void expect_alive(SteppedSession& s, const std::string& after) {
    static int number = 0;
    ++number;
    ASSERT_FALSE(s.ended()) << after;
    EXPECT_EQ(s.send("ping " + std::to_string(number) + "\n"), "pong " + std::to_string(number) + "\n")
        << "after " << after;
    if (!engine_state.position_invalid) {
        EXPECT_EQ(check_position(), 1) << "after " << after;
    }
}

// A short game from the start: the test plays white's random legal moves in force mode and
// each "go" makes the engine answer for black with a legal move.
void expect_game_works(SteppedSession& s, const std::string& after, unsigned seed = 1) {
    std::mt19937 random(seed);
    ASSERT_EQ(s.send("new\nforce\nsd 2\n"), "") << after;
    for (int round = 0; round < 4; ++round) {
        std::vector<Move> legal = legal_moves();
        ASSERT_FALSE(legal.empty());
        ASSERT_EQ(s.send("usermove " + text_of(legal[random() % legal.size()]) + "\n"), "") << after;
        legal = legal_moves();
        std::vector<std::string> texts;
        for (Move m : legal) texts.push_back(text_of(m));
        const std::string said = s.send("go\nforce\n");
        const size_t at = said.find("move ");
        ASSERT_NE(at, std::string::npos) << "after " << after << ": " << said;
        const std::string text = said.substr(at + 5, said.find('\n', at) - at - 5);
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end())
            << "after " << after << ": illegal move " << text;
        EXPECT_EQ(check_position(), 1);
    }
}

// After a hostile line: "ping" answered, the position intact, and a new game played legally.
void expect_recovers(SteppedSession& s, const std::string& after) {
    static unsigned games = 0;
    expect_alive(s, after);
    expect_game_works(s, after, ++games);
}

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text.substr(0, 60)) {
        if (c >= 32 && c < 127) out += char(c);
        else out += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
    }
    return text.size() > 60 ? out + "..." : out;
}

TEST(HostileInput, LongLinesBinaryAndNulBytes) {
    SteppedSession s(CAP_MS);
    ASSERT_EQ(s.send("new\nforce\n"), "");
    std::vector<std::string> lines = {
        std::string(10000, 'x') + "\n",
        std::string(700, ' ') + "\n",
        std::string(300, '\t') + "\r\n",
        std::string(3000, '\n'),
        std::string(1000, '\r') + "\n",
        "usermove " + std::string(2000, 'e') + "\n",
        "setboard " + std::string(2000, '8') + "\n",
        "ping " + std::string(400, '9') + "\n",
    };
    std::string every_byte;
    for (int c = 1; c < 256; ++c)
        if (c != '\n') every_byte += char(c);
    lines.push_back(every_byte + "\n");
    std::string high;
    for (int c = 128; c < 256; ++c) high += char(c);
    lines.push_back(high + "\n");
    std::mt19937 random(4242);
    for (int blob = 0; blob < 40; ++blob) {
        std::string bytes(1 + random() % 700, 0);
        for (char& c : bytes) c = char(random() & 255);
        lines.push_back(bytes + "\n");
    }
    for (const std::string& line : lines) {
        ASSERT_EQ(s.send("new\nforce\n"), "");
        s.send(line);
        expect_recovers(s, printable(line));
    }
    // NUL bytes end the text the commands see.
    EXPECT_EQ(s.send(std::string("ping\0 5\n", 8)), "");
    EXPECT_EQ(s.send(std::string("\0ping 5\n", 8)), "");
    EXPECT_EQ(s.send(std::string("ping 5\0 6\n", 10)), "pong 5\n");
    EXPECT_EQ(s.send(std::string("\0\0\0\n", 4)), "");
    EXPECT_EQ(s.send(std::string("setboard \0 8/8\n", 15)), "tellusererror Illegal position!!\n");
    EXPECT_EQ(s.send(std::string("usermove e2\0e4\n", 15)), "Illegal move: e2\n");
    expect_alive(s, "NUL bytes");
    expect_game_works(s, "long lines, binary and NUL bytes");
}

// The command words, each with every odd shape of argument. Only "quit" is left out (it
// ends the session, whatever follows it).
TEST(HostileInput, EveryCommandWordWithOddNumbers) {
    const char* words[] = {"protover", "accepted", "rejected", "new",      "random",  "force",
                           "go",       "playother", "white",   "black",    "level",   "st",
                           "sd",       "time",     "otime",    "usermove", "?",       "ping",
                           "draw",     "0-1",      "1-0",      "1/2-1/2",  "setboard", "edit",
                           "hint",     "bk",       "undo",     "remove",   "hard",    "easy",
                           "post",     "nopost",   "analyze",  "name",     "rating",  "ics",
                           "computer", "pause",    "resume"};
    const char* arguments[] = {"",          " extra words",  " -1",         " -1 -1 -1",
                               " 0",        " 0 0 0",        " 99999999999", " -99999999999",
                               " 2147483648", " -2147483649", " 1:",         " :30",
                               " 0.5.5",    " 1e9",          " +7",          " - 5",
                               " 40 0:99999999999 -0.5"};
    SteppedSession s(CAP_MS);
    for (const char* word : words) {
        for (const char* argument : arguments) {
            ASSERT_EQ(s.send("new\nforce\nsd 2\n"), "");
            const std::string line = std::string(word) + argument;
            const PositionSnapshot before = snapshot();
            const std::string said = s.send(line + "\n");
            const std::string w = word;
            if (w == "protover") {
                EXPECT_EQ(said.rfind("feature ping=1 ", 0), 0u) << line;
            } else if (w == "ping") {
                EXPECT_TRUE(said.empty() || said.rfind("pong ", 0) == 0) << line << ": " << said;
            } else if (w == "usermove") {
                EXPECT_EQ(said.rfind("Illegal move: ", 0), 0u) << line << ": " << said;
            } else if (w == "setboard") {
                EXPECT_EQ(said, "tellusererror Illegal position!!\n") << line;
            } else if (w == "go") {
                EXPECT_NE(said.find("move "), std::string::npos) << line;
            } else if (said.rfind("Error (Command not yet implemented): ", 0) != 0) {
                EXPECT_EQ(said, "") << line;
            }
            if (w != "new" && w != "go" && w != "setboard") {
                EXPECT_TRUE(same_as(before)) << line;
            }
            expect_recovers(s, line);
            if (HasFailure()) return;
        }
    }
}

// The numeric edges the protocol leaves open, and the values the engine keeps for them.
TEST(HostileInput, NumericEdgesKeepSoundValues) {
    SteppedSession s(CAP_MS);
    s.send("level -1 -1 -1\n");
    EXPECT_EQ(time_control.moves_per_control, 0);
    EXPECT_EQ(time_control.base_ms, 0);
    EXPECT_EQ(time_control.increment_ms, 0);
    EXPECT_EQ(time_control.mode, 2);
    expect_game_works(s, "level -1 -1 -1");  // no time at all: each move still played

    s.send("level 99999999999 99999999999 99999999999\n");
    EXPECT_EQ(time_control.moves_per_control, 1000000);
    EXPECT_EQ(time_control.base_ms, MAX_CLOCK_MS);
    EXPECT_EQ(time_control.increment_ms, MAX_CLOCK_MS);
    // One move per control with huge increments: the clock is refilled every move and stays
    // within its ceiling instead of overflowing.
    s.send("level 1 99999999 99999999\n");
    expect_game_works(s, "level 1 99999999 99999999");
    for (int side = 0; side < 2; ++side) {
        EXPECT_GE(time_control.time_left_ms[side], 0);
        EXPECT_LE(time_control.time_left_ms[side], MAX_CLOCK_MS);
    }

    s.send("st 99999999999\n");
    EXPECT_EQ(time_control.fixed_ms, MAX_CLOCK_MS);
    EXPECT_EQ(time_control.mode, 0);
    s.send("st -5\n");
    EXPECT_EQ(time_control.fixed_ms, 0);
    expect_game_works(s, "st -5");

    s.send("new\nforce\ntime -100\n");
    EXPECT_EQ(time_control.time_left_ms[1], 0);
    s.send("time 99999999999\n");
    EXPECT_EQ(time_control.time_left_ms[1], MAX_CLOCK_MS);

    // "sd" keeps the number; zero or below gives a depth-one search, and the engine plays.
    s.send("st 1\n");
    for (const char* depth : {"0", "-5", "-99999999999", "1"}) {
        ASSERT_EQ(s.send("new\nforce\nusermove e2e4\n"), "");
        s.send(std::string("sd ") + depth + "\n");
        const std::string said = s.send("go\n");
        EXPECT_NE(said.find("move "), std::string::npos) << depth;
        EXPECT_EQ(said.find("resign"), std::string::npos) << depth;
        // The one thinking line is a depth-one line: one move shown.
        EXPECT_EQ(said.rfind("1 ", 0), 0u) << depth << ": " << said;
    }
    EXPECT_EQ(engine_state.depth_limit, 1);
    s.send("sd -99999999999\n");
    EXPECT_EQ(engine_state.depth_limit, INT32_MIN);

    EXPECT_EQ(s.send("ping 2147483648\n"), "pong 2147483647\n");
    EXPECT_EQ(s.send("ping -2147483649\n"), "pong -2147483648\n");
    EXPECT_EQ(s.send("ping 99999999999999999999999\n"), "pong 2147483647\n");
    EXPECT_EQ(s.send("ping -0\n"), "pong 0\n");
    expect_alive(s, "numeric edges");
}

TEST(HostileInput, SetboardTruncatedAndOverlong) {
    SteppedSession s(CAP_MS);
    const std::string fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
    std::vector<std::string> texts;
    for (size_t n = 0; n <= fen.size(); ++n) texts.push_back(fen.substr(0, n));
    const std::string junk(400, 'x');
    texts.push_back(fen + " " + junk);                       // the rest runs past the line
    texts.push_back(fen + " - - - - - - 7 8 9");              // extra fields
    texts.push_back("8/8/8/8/8/8/8/8/8 w - -");               // a ninth rank
    texts.push_back("4k3/8/8/8/8/8/8/4K3/ w - -");            // trailing "/" (accepted)
    texts.push_back("4k4/8/8/8/8/8/8/4K3 w - -");             // nine squares in a rank
    texts.push_back("4k3/8/8/8/8/8/8/4K3 w KQkq -");          // rights without rooks
    texts.push_back("4k3/8/8/8/8/8/8/4K3 x - -");             // no such side
    texts.push_back("P3k3/8/8/8/8/8/8/4K3 w - -");            // pawn on the eighth rank
    texts.push_back("4k3/8/8/3PP3/8/8/8/4K3 w - d5");         // own pawn named en passant
    texts.push_back("4kk2/8/8/8/8/8/8/4K3 w - -");            // two black kings
    texts.push_back("qqqqkqqq/qqqqqqqq/qqqqqqqq/8/8/QQQQQQQQ/QQQQQQQQ/QQQQKQQQ w - -");
    std::string slashes;
    for (int i = 0; i < 150; ++i) slashes += "1/";
    texts.push_back(slashes);
    for (const std::string& text : texts) {
        const std::string said = s.send("setboard " + text + "\n");
        if (said.empty()) {
            EXPECT_FALSE(engine_state.position_invalid) << text;
            EXPECT_EQ(check_position(), 1) << text;
            EXPECT_EQ(engine_state.engine_side, NO_SIDE) << text;
            // The engine can play it: a move, or the result when the game is over.
            const std::string reply = s.send("go\nforce\n");
            EXPECT_TRUE(reply.find("move ") != std::string::npos || reply.find("1/2-1/2 {") != std::string::npos ||
                        reply.find(" mated}") != std::string::npos)
                << text << ": " << reply;
        } else {
            EXPECT_EQ(said, "tellusererror Illegal position!!\n") << text;
            EXPECT_TRUE(engine_state.position_invalid) << text;
            EXPECT_EQ(s.send("go\n"), "") << text;
            EXPECT_EQ(s.send("usermove e2e4\n"), "Illegal move: e2e4\n") << text;
        }
        expect_recovers(s, "setboard " + printable(text));
        if (HasFailure()) return;
    }
}

// "setboard" takes any number of men of a kind; the move lists have room for every move of
// even the most crowded placement (this one has 279), so neither the opponent's move nor
// the engine's search writes past them.
TEST(HostileInput, CrowdedPositionsFitTheMoveLists) {
    SteppedSession s(CAP_MS);
    ASSERT_EQ(s.send("setboard kQQQQQQQ/Q6Q/Q6Q/Q6Q/Q3Q2Q/Q6Q/Q6Q/BQQQQQQK w - -\n"), "");
    Move list[MAX_MOVES];
    int count = generate_captures(list, 0);
    count += generate_quiet_moves(list + count, 0);
    EXPECT_EQ(count, 279);
    EXPECT_EQ(s.send("usermove a1b2\n"), "");
    ASSERT_EQ(s.send("setboard kqqqqqqq/q6q/q6q/q6q/q3q2q/q6q/q6q/bqqqqqqK b - -\n"), "");
    EXPECT_NE(s.send("go\n").find("move "), std::string::npos);
    expect_alive(s, "crowded positions");
    expect_game_works(s, "crowded positions");
}

TEST(HostileInput, MalformedUsermoves) {
    SteppedSession s(CAP_MS);
    ASSERT_EQ(s.send("new\nforce\n"), "");
    const std::vector<std::string> refused = {
        "",          "e",          "e2",           "e2e",        "e2e4e4e4e4e4", "e2e4qqqqqqq",
        "i2i4",      "e0e4",       "e9e4",         "a1a1",       "e2e2",         "e3e4",
        "e7e5",      "e1e2",       "e2e4k",        "e2e4q",      "e2e4n",        "E2E4",
        "e2-e4",     "0-0",        "O-O",          "e1g1",       "e1c1",         "g1g3",
        "d1h5",      "a2a5",       "1234",         "----",       "\xff\xfe\xfd\xfc", "e2e4\x01",
        "\x01\x02\x03\x04", "h1h9", "a8a9q",       "b1d2",       "e2d3",         "e2e5",
    };
    for (const std::string& word : refused) {
        ASSERT_EQ(s.send("new\nforce\n"), "");
        const PositionSnapshot before = snapshot();
        EXPECT_EQ(s.send("usermove " + word + "\n"), "Illegal move: " + word + "\n") << printable(word);
        EXPECT_TRUE(same_as(before)) << printable(word);
        expect_recovers(s, "usermove " + printable(word));
    }
    ASSERT_EQ(s.send("new\nforce\n"), "");
    EXPECT_EQ(s.send("usermove\n"), "Illegal move: \n");
    EXPECT_EQ(s.send("usermove   \t \n"), "Illegal move: \n");
    // Blanks around the word are no part of it.
    EXPECT_EQ(s.send("usermove \t e2e4  extra\n"), "");
    EXPECT_EQ(board.mailbox[27], PAWN);  // e4

    // A pawn reaching the last rank needs its letter; the king may not walk into check.
    ASSERT_EQ(s.send("setboard 4k3/1P6/8/8/8/8/4q3/4K3 w - -\n"), "");
    for (const char* word : {"b7b8", "b7b8k", "b7b8p", "e1d1", "e1f1", "e1e3"}) {
        const PositionSnapshot before = snapshot();
        EXPECT_EQ(s.send(std::string("usermove ") + word + "\n"), std::string("Illegal move: ") + word + "\n");
        EXPECT_TRUE(same_as(before)) << word;
    }
    EXPECT_EQ(s.send("usermove e1e2\n"), "");  // the queen is taken
    expect_alive(s, "promotion and check cases");

    // Text off the board or in upper case names no square, even where the square its
    // characters would compute to gives a legal move (i2i4 as a1a3, E1E2 as e5e6).
    const struct { const char* fen; const char* word; const char* computed; } wrapped[] = {
        {"4k3/8/8/8/8/8/8/R3K3 w - -", "i2i4", "a1a3"},
        {"4k3/8/8/4P3/8/8/8/4K3 w - -", "E1E2", "e5e6"},
        {"4k3/8/8/8/8/7R/8/4K3 w - -", "`2`4", "h3h5"},
    };
    for (const auto& w : wrapped) {
        ASSERT_EQ(s.send(std::string("setboard ") + w.fen + "\n"), "") << w.fen;
        const PositionSnapshot before = snapshot();
        EXPECT_EQ(s.send(std::string("usermove ") + w.word + "\n"), std::string("Illegal move: ") + w.word + "\n");
        EXPECT_TRUE(same_as(before)) << w.word;
        EXPECT_EQ(s.send(std::string("usermove ") + w.computed + "\n"), "") << w.computed;
    }
    expect_game_works(s, "malformed usermoves");
}

}  // namespace
