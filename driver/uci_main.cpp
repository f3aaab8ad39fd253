// The UCI program's entry: the tables, the interrupt signal ignored as in the xboard program,
// then UCI commands on standard input, read from the descriptor so that a search can look
// for "stop" without waiting.
#include <csignal>

#include "board/board.h"
#include "driver/driver.h"

int main() {
    init_tables();
    std::signal(SIGINT, SIG_IGN);
    use_descriptor_source();
    return uci_loop();
}
