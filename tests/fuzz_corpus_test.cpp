// Replays the committed fuzz corpora through the fuzz targets' own checks, without libFuzzer,
// so that a regression on any kept input shows in the ordinary test run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/fuzz_targets.h"

namespace {

namespace fs = std::filesystem;

// Runs every file of the target's corpus through `check` (which aborts, naming the file, on
// a failed check); returns how many files it ran.
int replay(const char* target, void (*check)(const uint8_t*, size_t)) {
    const fs::path folder = fs::path(SOURCE_DIR) / "tests/fuzz/corpus" / target;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const std::string name = file.string();
        fuzz_input_name = name.c_str();
        check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        fuzz_input_name = nullptr;
    }
    return int(files.size());
}

TEST(FuzzCorpus, Fen) { EXPECT_GT(replay("fen", fuzz_fen_input), 0); }
TEST(FuzzCorpus, Usermove) { EXPECT_GT(replay("usermove", fuzz_usermove_input), 0); }
TEST(FuzzCorpus, Session) { EXPECT_GT(replay("session", fuzz_session_input), 0); }
TEST(FuzzCorpus, Uci) { EXPECT_GT(replay("uci", fuzz_uci_input), 0); }

}  // namespace
