// Per-term breakdown of one evaluation, for the probe tool: the same evaluation body as
// `evaluate`, instantiated with recording on.
#pragma once

enum EvalTerm {
    TERM_MATERIAL,
    TERM_PAWNS,
    TERM_PAWNLESS_ENDING,
    TERM_DIAGONAL_PIECES,
    TERM_KNIGHTS,
    TERM_TRAPPED_BISHOPS,
    TERM_BISHOP_PAWN_COLOUR,
    TERM_STRAIGHT_PIECES,
    TERM_CENTRE_HOLES,
    TERM_BISHOP_PAIR,
    TERM_ENDGAME_KINGS,
    TERM_ENDGAME_BALANCE,
    TERM_OPPOSITION,
    TERM_MINOR_PIECE_ENDING,
    TERM_CENTRE_CHAINS,
    TERM_DEVELOPMENT,
    TERM_KING_SAFETY,
    TERM_COUNT
};

constexpr const char* eval_term_names[TERM_COUNT] = {
    "material",         "pawns",          "pawnless ending",   "bishops/queens diagonal",
    "knights",          "trapped bishops", "bishop pawn colour", "rooks/queens straight",
    "centre holes",     "bishop pair",    "endgame kings",     "endgame balance",
    "opposition",       "minor ending",   "centre chains",     "development",
    "king safety",
};

// Where the evaluation ended.
enum EvalExit { EXIT_DEAD_DRAW, EXIT_PAWNLESS, EXIT_EARLY, EXIT_ENDGAME, EXIT_FULL };

constexpr const char* eval_exit_names[] = {"dead draw", "pawnless ending", "early exit",
                                           "endgame", "full"};

struct EvalTerms {
    int value[TERM_COUNT];     // contribution from White's point of view
    bool reached[TERM_COUNT];  // the term was computed
    EvalExit exit;
};

// `evaluate`, recording each term's contribution into `terms`.
int evaluate_with_terms(int ply, int alpha, int beta, EvalTerms& terms);
