// The static evaluation: material, pawn structure, pawnless endings, piece placement and
// mobility, the endgame terms, centre pawn chains, development and king safety, summed from
// White's point of view and returned for the side to move.
#include "eval/eval.h"
#include "eval/eval_tables.h"
#include "eval/eval_terms.h"
#include "eval/side.h"

namespace {

using eval_detail::square;
using eval_detail::squares;

// Records each term's contribution when tracing; the plain instantiation records nothing.
template <bool Trace>
struct Recorder {
    explicit Recorder(EvalTerms*) {}
    void note(EvalTerm, int) {}
    void end(EvalExit) {}
};

template <>
struct Recorder<true> {
    EvalTerms* terms;
    int mark = 0;
    explicit Recorder(EvalTerms* t) : terms(t) { *terms = EvalTerms{}; }
    // The score has just taken in term t.
    void note(EvalTerm t, int score) {
        terms->value[t] += score - mark;
        terms->reached[t] = true;
        mark = score;
    }
    void end(EvalExit e) { terms->exit = e; }
};

inline int for_side_to_move(int score) { return side_to_move ? score : -score; }

// With no pawn on the board every file is open and none is half-open.
void set_pawnless_files() {
    open_files = ~Bitboard(0);
    white_half_open_files = black_half_open_files = 0;
    for (int f = 0; f < 8; ++f) white_pawns_on_file[f] = black_pawns_on_file[f] = 0;
}

// The value of a pawnless ending from White's point of view, material excluded; 0 when the
// material is equal and no bishop-and-knight ending is on the board.
int pawnless_ending_value() {
    const Board& b = board;
    const int wk = b.white_king_square, bk = b.black_king_square;
    const bool white_bare = (b.white_minor_count | b.white_major_count) == 0;
    const bool black_bare = (b.black_minor_count | b.black_major_count) == 0;
    if (black_bare && b.white_bishops && b.white_knights)
        return (b.white_bishops & LIGHT_SQUARES) ? kbn_light_table[bk] : kbn_dark_table[bk];
    if (white_bare && b.black_bishops && b.black_knights)
        return -((b.black_bishops & LIGHT_SQUARES) ? kbn_light_table[wk] : kbn_dark_table[wk]);
    if (material > 0) return lone_king_table[bk] - 5 * std::abs(wk - bk);
    if (material < 0) return 5 * std::abs(wk - bk) - lone_king_table[wk];
    return 0;
}

// Bishops and queens of colour C along the diagonals, from C's point of view.
template <int C>
int diagonal_pieces() {
    using S = Side<C>;
    const Square enemy_king = board.*Side<1 - C>::king_square;
    const int weight = eval_params.bishop_mobility_weight;
    int v = 0;
    for (Bitboard set = board.*S::bishops | board.*S::queens; set;) {
        const Square sq = pop_highest(set);
        v += diagonal_mobility(sq) * weight;
        if (direction[sq][enemy_king]) v += 5;
        // A second diagonal piece, not yet visited, on either diagonal through this one.
        if (set & a1h8_diagonal[sq]) v += 13;
        if (set & h1a8_diagonal[sq]) v += 13;
    }
    return v;
}

template <int C>
int knights() {
    const int weight = eval_params.knight_mobility_weight;
    int v = 0;
    for (Bitboard set = board.*Side<C>::knights; set;) {
        const Square sq = pop_highest(set);
        v += knight_reach[sq] * weight + knight_table[sq];
    }
    return v;
}

// A bishop of colour C shut in on the enemy's side by a pawn chain (a7 by b6 and c7, or h7 by
// g6 and f7, named for White). A bishop on a7 with a pawn on c7 rules out the h7 test.
template <int C>
int trapped_bishop() {
    using S = Side<C>;
    constexpr Bitboard a7 = S::relative_set(squares("a7")), h7 = S::relative_set(squares("h7"));
    constexpr Bitboard c7 = S::relative_set(squares("c7")), b6 = S::relative_set(squares("b6"));
    constexpr Bitboard f7g6 = S::relative_set(squares("f7 g6"));
    const Bitboard bishops = board.*S::bishops, enemy_pawns = board.*Side<1 - C>::pawns;
    if ((bishops & a7) && (enemy_pawns & c7)) return (enemy_pawns & b6) ? -33 : 0;
    if ((bishops & h7) && (enemy_pawns & f7g6) == f7g6) return -33;
    return 0;
}

// Own pawns on the colour of own bishops.
template <int C>
int bishop_pawn_colour() {
    using S = Side<C>;
    if (board.*S::bishop_count == 0) return 0;
    const Bitboard bishops = board.*S::bishops, pawns = board.*S::pawns;
    int v = 0;
    if (bishops & LIGHT_SQUARES) v -= 3 * popcount(pawns & LIGHT_SQUARES);
    if (bishops & DARK_SQUARES) v -= 3 * popcount(pawns & DARK_SQUARES);
    return v;
}

// Rooks and queens of colour C along ranks and files, open files and the seventh rank.
template <int C>
int straight_pieces() {
    using S = Side<C>;
    constexpr int seventh = C == WHITE ? 6 : 1, enemy_back = C == WHITE ? 7 : 0;
    const Bitboard half_open = C == WHITE ? white_half_open_files : black_half_open_files;
    const Square enemy_king = board.*Side<1 - C>::king_square;
    const int weight = eval_params.rook_mobility_weight;
    const Bitboard men = board.*S::rooks | board.*S::queens;
    int on_seventh = 0;
    int v = 0;
    for (Bitboard set = men; set;) {
        const Square sq = pop_highest(set);
        v += straight_mobility(sq) * weight;
        if (rank_of[sq] == seventh) ++on_seventh;
        if (direction[sq][enemy_king]) v += 8;
        if (open_files & square_bit(sq)) {
            v += 8;
            // The second of them on this open file, counting from the a8 end.
            if (popcount((men ^ set) & file_mask[sq]) == 2) v += 5;
        } else if (half_open & square_bit(sq)) {
            v += 5;
        }
    }
    if (on_seventh) {
        v += eval_params.seventh_rank_bonus * on_seventh;
        if (rank_of[enemy_king] == enemy_back) v += 13;
        if (on_seventh >= 2) v += eval_params.seventh_rank_pair_bonus;
    }
    return v;
}

// A hole in front of colour C's centre: no own pawn on the guard squares. Worse when an enemy
// minor piece sits in it, when no own bishop covers its colour, when no own knight can reach it.
template <int C, Bitboard Hole, Bitboard Guards, Bitboard KnightSquares>
inline int centre_hole() {
    using S = Side<C>;
    using E = Side<1 - C>;
    constexpr Bitboard hole = S::relative_set(Hole), guards = S::relative_set(Guards);
    constexpr Bitboard knight_squares = S::relative_set(KnightSquares);
    constexpr Bitboard colour = (hole & LIGHT_SQUARES) ? LIGHT_SQUARES : DARK_SQUARES;
    if (board.*S::pawns & guards) return 0;
    int v = -10;
    if (board.*E::bishops & hole)
        v -= 8;
    else if (board.*E::knights & hole)
        v -= 13;
    if (!(board.*S::bishops & colour)) v -= 18;
    if (!(board.*S::knights & knight_squares)) v -= 13;
    return v;
}

template <int C>
int centre_holes() {
    return centre_hole<C, squares("d4"), squares("c2 e2 c3 e3"),
                       squares("b3 c2 e2 f3 b5 c6 e6 f5")>() +
           centre_hole<C, squares("e4"), squares("d2 f2 d3 f3"),
                       squares("c3 d2 f2 g3 c5 d6 f6 g5")>();
}

// Men of White minus men of Black attacking x.
inline int attack_balance(Square x) {
    const Bitboard a = attackers_of(x);
    return popcount(a & board.white_pieces) - popcount(a & board.black_pieces);
}

// Pawn chains locked in the centre: the pressure on the base of Black's chain.
int centre_chains() {
    constexpr Bitboard d5e6 = squares("d5 e6"), d4e5 = squares("d4 e5");
    constexpr Bitboard e5d6 = squares("e5 d6"), e4d5 = squares("e4 d5");
    constexpr Bitboard c5 = squares("c5"), f5 = squares("f5");
    const Board& b = board;
    int v = 0;
    if ((b.black_pawns & d5e6) == d5e6 && (b.white_pieces & d4e5)) {
        v += 3 * attack_balance(square("d4")) + attack_balance(square("e5"));
        if (b.white_pawns & f5) v += 7;
        if (b.black_pawns & c5) v -= 7;
    } else if ((b.black_pawns & e5d6) == e5d6 && (b.white_pieces & e4d5)) {
        v += 3 * attack_balance(square("e4")) + attack_balance(square("d5"));
        if (b.white_pawns & c5) v += 7;
        if (b.black_pawns & f5) v -= 7;
    }
    return v;
}

// Steps between the kings when they share a line: odd favours the side to move.
int opposition() {
    const int wk = board.white_king_square, bk = board.black_king_square;
    const int d = direction[wk][bk];
    if (d == 0) return 0;
    const int diff = std::abs(wk - bk);
    const int step = std::abs(d);
    const int n = step == 1 ? diff : diff / step;
    const int for_white_to_move = (n & 1) ? 13 : -13;
    return side_to_move ? for_white_to_move : -for_white_to_move;
}

// One minor piece each, not two bishops, equal pawns all on one wing: the bishop is better.
int minor_piece_ending() {
    const Board& b = board;
    if (b.white_minor_count != 1 || b.black_minor_count != 1) return 0;
    if (b.white_bishop_count == 1 && b.black_bishop_count == 1) return 0;
    if (b.white_pawn_count != b.black_pawn_count) return 0;
    const Bitboard pawns = b.white_pawns | b.black_pawns;
    if ((pawns & FILES_E_TO_H) != pawns && (pawns & FILES_A_TO_D) != pawns) return 0;
    return b.white_bishop_count ? 18 : -18;
}

template <bool Trace>
int evaluate_body(int ply, int alpha, int beta, EvalTerms* terms) {
    Recorder<Trace> rec(terms);
    const Board& b = board;
    const EvalParams& p = eval_params;

    if (p.phase_piece_count <= 4 && insufficient_material()) {
        rec.end(EXIT_DEAD_DRAW);
        return 0;
    }
    int score = material;
    rec.note(TERM_MATERIAL, score);

    if (b.white_pawn_count | b.black_pawn_count) {
        score += evaluate_pawns(ply);
        rec.note(TERM_PAWNS, score);
    } else {
        set_pawnless_files();
        const int value = pawnless_ending_value();
        rec.note(TERM_PAWNLESS_ENDING, score + value);
        if (value != 0) {
            rec.end(EXIT_PAWNLESS);
            return for_side_to_move(score + value);
        }
    }

    const int so_far = for_side_to_move(score);
    if (so_far - 250 > beta || so_far + 250 < alpha) {
        rec.end(EXIT_EARLY);
        return so_far;
    }

    score += diagonal_pieces<WHITE>() - diagonal_pieces<BLACK>();
    rec.note(TERM_DIAGONAL_PIECES, score);
    score += knights<WHITE>() - knights<BLACK>();
    rec.note(TERM_KNIGHTS, score);
    score += trapped_bishop<WHITE>() - trapped_bishop<BLACK>();
    rec.note(TERM_TRAPPED_BISHOPS, score);
    if (p.game_phase != OPENING_PHASE) {
        score += bishop_pawn_colour<WHITE>() - bishop_pawn_colour<BLACK>();
        rec.note(TERM_BISHOP_PAWN_COLOUR, score);
    }
    score += straight_pieces<WHITE>() - straight_pieces<BLACK>();
    rec.note(TERM_STRAIGHT_PIECES, score);
    score += centre_holes<WHITE>() - centre_holes<BLACK>();
    rec.note(TERM_CENTRE_HOLES, score);
    if (b.white_bishop_count > 1) score += 11;
    if (b.black_bishop_count > 1) score -= 11;
    rec.note(TERM_BISHOP_PAIR, score);

    if (p.game_phase == ENDGAME_PHASE) {
        score += white_king_endgame_table[b.white_king_square] -
                 black_king_endgame_table[b.black_king_square];
        rec.note(TERM_ENDGAME_KINGS, score);
        if (material >= 0)
            score += 2 * b.white_pawn_count - 3 * (b.black_minor_count + b.black_major_count);
        else
            score += 3 * (b.white_minor_count + b.white_major_count) - 2 * b.black_pawn_count;
        rec.note(TERM_ENDGAME_BALANCE, score);
        score += opposition();
        rec.note(TERM_OPPOSITION, score);
        score += minor_piece_ending();
        rec.note(TERM_MINOR_PIECE_ENDING, score);
        rec.end(EXIT_ENDGAME);
        return for_side_to_move(score);
    }

    score += centre_chains();
    rec.note(TERM_CENTRE_CHAINS, score);
    if (p.game_phase == OPENING_PHASE) {
        score += evaluate_development(ply);
        rec.note(TERM_DEVELOPMENT, score);
    }
    score += evaluate_king_safety(ply);
    rec.note(TERM_KING_SAFETY, score);
    rec.end(EXIT_FULL);
    return for_side_to_move(score);
}

}  // namespace

int evaluate(int ply, int alpha, int beta) { return evaluate_body<false>(ply, alpha, beta, nullptr); }

int evaluate_with_terms(int ply, int alpha, int beta, EvalTerms& terms) {
    return evaluate_body<true>(ply, alpha, beta, &terms);
}
