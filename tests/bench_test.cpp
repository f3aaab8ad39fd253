// The search signature: the total node count of the fixed-depth benchmark. It changes only
// when what the engine searches changes; a commit that changes it on purpose says so and
// updates the value here with its reason.
#include <gtest/gtest.h>

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

}  // namespace
