// Session harness shared by the tests, and the one-time table set-up of the test binary.
#include "tests/session.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "board/board.h"
#include "xboard/xboard.h"
#include "moves/moves.h"

namespace {

class TablesEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { init_tables(); }
};
const auto* tables_environment = ::testing::AddGlobalTestEnvironment(new TablesEnvironment);

std::string temp_path(const char* tag) {
    static int counter = 0;
    return "/tmp/bitrook_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + tag;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

SessionResult run_program(const std::string& command, const std::string& input, int timeout_seconds) {
    const std::string in_path = temp_path(".in"), out_path = temp_path(".out");
    {
        std::ofstream in(in_path, std::ios::binary);
        in << input;
    }
    const std::string line = "timeout -k 5 " + std::to_string(timeout_seconds) + " " + command +
                             " < " + in_path + " > " + out_path;
    int raw = std::system(line.c_str());
    SessionResult result{read_file(out_path), -1};
    if (raw != -1 && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    std::remove(in_path.c_str());
    std::remove(out_path.c_str());
    return result;
}

SessionResult run_binary_session(const std::string& input, int timeout_seconds) {
    return run_program(BITROOK_BINARY, input, timeout_seconds);
}

SessionResult run_uci_session(const std::string& input, int timeout_seconds) {
    return run_program(UCI_BINARY, input, timeout_seconds);
}

SessionResult run_paced_uci_session(const std::vector<PacedStep>& steps, int timeout_seconds) {
    std::vector<std::string> paths;
    std::string writer = "{ ";
    for (const PacedStep& step : steps) {
        paths.push_back(temp_path(".step"));
        std::ofstream(paths.back(), std::ios::binary) << step.text;
        writer += "cat " + paths.back() + "; sleep " + std::to_string(step.pause_seconds) + "; ";
    }
    const std::string out_path = temp_path(".out");
    const std::string line = writer + "} | timeout -k 5 " + std::to_string(timeout_seconds) + " " +
                             UCI_BINARY + " > " + out_path;
    const int raw = std::system(line.c_str());
    SessionResult result{read_file(out_path), -1};
    if (raw != -1 && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    for (const std::string& path : paths) std::remove(path.c_str());
    std::remove(out_path.c_str());
    return result;
}

SessionResult run_probe(const std::string& arguments, int timeout_seconds) {
    return run_program(std::string(PROBE_BINARY) + " " + arguments, "", timeout_seconds);
}

SessionResult run_in_process_session(const std::string& input) {
    reset_engine();
    use_buffer_source(input.data(), input.size());
    char* data = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&data, &size);
    protocol_out = out;
    int status = run_engine();
    std::fclose(out);
    protocol_out = stdout;
    SessionResult result{std::string(data, size), status};
    std::free(data);
    use_stdin_source();
    return result;
}

bool setup(const char* fen) {
    static char rest[FEN_REST_SIZE];
    clear_board();
    game_move_count = 0;
    return parse_fen(fen, rest) == 1;
}
