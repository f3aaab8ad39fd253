// Protocol sessions against the real binary: handshake, feature line, ping, the
// not-implemented error lines, unknown words, blanks, long lines and end of input.
#include <gtest/gtest.h>

#include "tests/session.h"

namespace {

const std::string FEATURES =
    "feature ping=1 setboard=1 playother=0 san=0 usermove=1 time=1 draw=1 sigint=0 sigterm=0 "
    "reuse=1 analyze=0 colors=0 ics=0 name=0 pause=0 done=1\n";

TEST(Protocol, HandshakeAndFeatureLine) {
    auto r = run_binary_session("xboard\nprotover 2\naccepted ping\nrejected san\nquit\n");
    EXPECT_EQ(r.output, "\n" + FEATURES);
    EXPECT_EQ(r.status, 0);
}

TEST(Protocol, FirstLineOtherThanXboardEndsSilently) {
    for (const char* first : {"uci\n", "xboard2\n", "XBOARD\n", "", "\n"}) {
        auto r = run_binary_session(std::string(first) + "protover 2\nping 1\n");
        EXPECT_EQ(r.output, "") << first;
        EXPECT_EQ(r.status, 0) << first;
    }
    // Leading blanks before the word are skipped.
    EXPECT_EQ(run_binary_session("  xboard\nping 3\n").output, "\npong 3\n");
}

TEST(Protocol, PingAndLeadingBlanks) {
    auto r = run_binary_session("xboard\nping 17\n  ping 5\n\tping -3\nping\nping x\nping 2147483648\n");
    EXPECT_EQ(r.output, "\npong 17\npong 5\npong -3\npong 2147483647\n");
}

TEST(Protocol, NotImplementedCommands) {
    const char* words[] = {"random", "playother", "white", "black", "?",    "edit",
                           "hint",   "bk",        "undo",  "remove", "hard", "easy",
                           "analyze", "name",     "rating", "ics",   "computer", "pause",
                           "resume"};
    std::string input = "xboard\n", expected = "\n";
    for (const char* w : words) {
        input += std::string(w) + " extra words\n";
        expected += std::string("Error (Command not yet implemented): ") + w + "\n";
    }
    EXPECT_EQ(run_binary_session(input + "quit\n").output, expected);
}

TEST(Protocol, UnknownMiscasedAndSilentWordsGetNoReply) {
    auto r = run_binary_session(
        "xboard\nPost\nposting\nPING 1\nfoo bar\nxboard\nresult 1-0\notime 100\ndraw\n"
        "accepted\nrejected\npost\nnopost\n1-0\n0-1\n1/2-1/2\nforce\nping 9\n");
    EXPECT_EQ(r.output, "\npong 9\n");
}

TEST(Protocol, EmptyBlankAndCrlfLines) {
    auto r = run_binary_session("xboard\r\n\n   \n\t\r\nping 1\r\nping 2\n");
    EXPECT_EQ(r.output, "\npong 1\npong 2\n");
}

TEST(Protocol, OverlongLineIsReadInPieces) {
    // 255 characters make one piece; the rest of the line is a line of its own.
    std::string filler(255, 'x');
    auto r = run_binary_session("xboard\n" + filler + "ping 4\n");
    EXPECT_EQ(r.output, "\npong 4\n");
    std::string blanks(250, ' ');
    r = run_binary_session("xboard\n" + blanks + "ping 6\n");
    EXPECT_EQ(r.output, "\n");  // the number falls into the next piece: "ping" alone, then "6"
}

TEST(Protocol, EndOfInputEndsWithStatusZero) {
    auto r = run_binary_session("xboard\nping 1");
    EXPECT_EQ(r.output, "\npong 1\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(run_binary_session("xboard\n").status, 0);
}

TEST(Protocol, QuitEndsTheSession) {
    auto r = run_binary_session("xboard\nquit\nping 1\n");
    EXPECT_EQ(r.output, "\n");
    EXPECT_EQ(r.status, 0);
}

TEST(Protocol, InProcessSessionMatchesTheBinary) {
    const std::string input = "xboard\nprotover 2\nping 8\nedit\nquit\n";
    auto in_process = run_in_process_session(input);
    auto binary = run_binary_session(input);
    EXPECT_EQ(in_process.output, binary.output);
    EXPECT_EQ(in_process.status, 0);
}

}  // namespace
