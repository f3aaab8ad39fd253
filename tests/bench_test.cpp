// The search signature: the total node count of the fixed-depth benchmark. It changes only
// when what the engine searches changes; a commit that changes it on purpose says so and
// updates the value here with its reason.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/helpers.h"

namespace {

TEST(Bench, SearchSignature) {
    // The default depth in the release build; the sanitizer build is too slow for it and
    // checks depth 4 instead.
    const SessionResult r = run_probe(sanitized() ? "bench 4" : "bench");
    ASSERT_EQ(r.status, 0);
    const std::string expected = sanitized() ? "total nodes 401429\n" : "total nodes 9386327\n";
    EXPECT_NE(r.output.find(expected), std::string::npos) << r.output;
}

// "bitrook-uci bench", as testing frameworks run it: the same searches with the default table
// (cleared before each position), one line, the signature first; with "bench DEPTH 0", no
// table, the signature of the searches without one.
TEST(Bench, UciProgramBench) {
    struct Case {
        const char* words;
        long long nodes;
    };
    const Case cases[] = {{" bench", 2693617}, {" bench 4 0", 401429}, {" bench 4", -1}};
    long long with_table_at_4 = 0;
    for (const Case& c : cases) {
        const SessionResult r = run_program(std::string(UCI_BINARY) + c.words, "", 300);
        EXPECT_EQ(r.status, 0) << c.words;
        long long nodes = 0, speed = 0;
        char rest = 0;
        ASSERT_EQ(std::sscanf(r.output.c_str(), "%lld nodes %lld nps%c", &nodes, &speed, &rest), 3)
            << r.output;
        if (c.nodes >= 0) EXPECT_EQ(nodes, c.nodes) << c.words;
        else with_table_at_4 = nodes;
        EXPECT_GT(speed, 0);
        EXPECT_EQ(rest, '\n');
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "one line only: " << r.output;
    }
    EXPECT_LT(with_table_at_4, 401429);  // the table saves nodes
    EXPECT_EQ(run_program(std::string(UCI_BINARY) + " bench 4 x", "", 30).status, 2);
}

}  // namespace
