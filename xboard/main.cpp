// Program entry: build the tables, ignore the interrupt signal, then speak the protocol on
// standard input and output until "quit".
#include <csignal>

#include "board/board.h"
#include "xboard/xboard.h"

int main() {
    init_tables();
    std::signal(SIGINT, SIG_IGN);
    use_stdin_source();
    return run_engine();
}
