// An in-process protocol session fed a few lines at a time, so that a test can read what the
// engine answered to each step and look at the engine records in between. The engine's
// thinking is bounded by a cap on each move's budget.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "xboard/xboard.h"
#include "moves/moves.h"
#include "tests/helpers.h"

class SteppedSession {
  public:
    explicit SteppedSession(int32_t cap_ms) {
        reset_engine();
        budget_cap_ms = cap_ms;
        out_ = open_memstream(&data_, &size_);
        protocol_out = out_;
        use_buffer_source("xboard\n", 7);
        handshake_status_ = run_engine();
    }
    ~SteppedSession() {
        std::fclose(out_);
        std::free(data_);
        protocol_out = stdout;
        use_stdin_source();
        budget_cap_ms = INT32_MAX;
    }
    SteppedSession(const SteppedSession&) = delete;
    SteppedSession& operator=(const SteppedSession&) = delete;

    // Feeds the text (whole lines) to the command loop; returns what the engine wrote.
    std::string send(const std::string& text) {
        const size_t before = size_;  // every reply is flushed, so the size is current
        input_ = text;
        use_buffer_source(input_.data(), input_.size());
        command_loop();
        return std::string(data_ + before, size_ - before);
    }
    bool ended() const { return quit_requested != 0; }
    int handshake_status() const { return handshake_status_; }

  private:
    FILE* out_ = nullptr;
    char* data_ = nullptr;
    size_t size_ = 0;
    std::string input_;
    int handshake_status_ = 0;
};
