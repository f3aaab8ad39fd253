// probe eval FEN [--terms]: decides the game phase of the position and prints its static
// evaluation for the side to move; --terms first lists each term from White's point of view.
// probe evalspeed [SECONDS]: evaluations per second over a fixed set of positions.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <chrono>

#include "board/board.h"
#include "eval/eval.h"
#include "eval/eval_terms.h"
#include "tools/probe/probe.h"

namespace {

bool set_position(const char* fen) {
    static char rest[FEN_REST_SIZE];
    clear_board();
    return parse_fen(fen, rest);
}

double seconds_now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int probe_eval(int argc, char** argv) {
    const char* fen = nullptr;
    bool terms_wanted = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--terms") == 0)
            terms_wanted = true;
        else
            fen = argv[i];
    }
    if (!fen) {
        std::fprintf(stderr, "usage: probe eval FEN [--terms]\n");
        return 2;
    }
    if (!set_position(fen)) {
        std::printf("refused\n");
        return 1;
    }
    set_game_phase();
    if (terms_wanted) {
        EvalTerms terms;
        evaluate_with_terms(1, -MATE_SCORE, MATE_SCORE, terms);
        int total = 0;
        for (int t = 0; t < TERM_COUNT; ++t) {
            if (!terms.reached[t]) continue;
            std::printf("%-24s %6d\n", eval_term_names[t], terms.value[t]);
            total += terms.value[t];
        }
        if (terms.reached[TERM_KING_SAFETY])
            std::printf("%-24s %6d\n", "  of which king zone", evaluate_king_zone());
        std::printf("%-24s %6d\n", "total (white)", total);
        std::printf("ended: %s\n", eval_exit_names[terms.exit]);
    }
    std::printf("phase %d\n", eval_params.game_phase);
    std::printf("%d\n", evaluate(1, -MATE_SCORE, MATE_SCORE));
    return 0;
}

int probe_evalspeed(int argc, char** argv) {
    static const char* const positions[] = {
        START_FEN,
        "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N2N2/PP2BPPP/R2QKB1R w KQ -",
        "r2q1rk1/1b2bppp/p1n1pn2/1pp5/4P3/2NP1N2/PPB2PPP/R1BQR1K1 w - -",
        "2r2rk1/pp1b1ppp/4pn2/q7/3N4/2P1B3/P3QPPP/2R2RK1 w - -",
        "r4rk1/1pp2ppp/p2b4/3P4/2P5/1P3N2/P4PPP/R4RK1 b - -",
        "8/5pk1/6p1/3P4/5K2/6P1/7P/8 w - -",
        "8/2k5/8/3B4/8/5N2/8/4K3 w - -",
        "4k3/8/8/8/8/8/8/R3K3 b - -",
    };
    double seconds = argc >= 2 ? std::atof(argv[1]) : 2.0;
    if (seconds <= 0) seconds = 2.0;
    const int count = sizeof positions / sizeof positions[0];
    long long total_evals = 0;
    double time_per_eval_sum = 0;  // each position weighs alike
    long long checksum = 0;
    for (const char* fen : positions) {
        if (!set_position(fen)) {
            std::printf("refused %s\n", fen);
            return 1;
        }
        set_game_phase();
        long long n = 0;
        const double start = seconds_now();
        double elapsed = 0;
        do {
            for (int i = 0; i < 10000; ++i) checksum += evaluate(1, -MATE_SCORE, MATE_SCORE);
            n += 10000;
            elapsed = seconds_now() - start;
        } while (elapsed < seconds / count);
        std::printf("%10.0f evals/s  %s\n", double(n) / elapsed, fen);
        total_evals += n;
        time_per_eval_sum += elapsed / double(n);
    }
    std::printf("%10.0f evals/s  mean over the positions (%lld evaluations, checksum %lld)\n",
                count / time_per_eval_sum, total_evals, checksum);
    return 0;
}
