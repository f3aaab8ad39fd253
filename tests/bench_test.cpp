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

// "bitrook-uci bench", as testing frameworks run it: the same searches, one line, the
// signature first.
TEST(Bench, UciProgramBench) {
    const SessionResult r = run_program(std::string(UCI_BINARY) + " bench", "", 300);
    EXPECT_EQ(r.status, 0);
    long long nodes = 0, speed = 0;
    char rest = 0;
    ASSERT_EQ(std::sscanf(r.output.c_str(), "%lld nodes %lld nps%c", &nodes, &speed, &rest), 3)
        << r.output;
    EXPECT_EQ(nodes, 9386327);
    EXPECT_GT(speed, 0);
    EXPECT_EQ(rest, '\n');
    EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "one line only: " << r.output;
}

}  // namespace
