// Pawn structure: placement, isolation from enemy pawns, support from the neighbouring
// files, passed pawns, knight outposts and doubled pawns; on the way, the pawns of each file
// and the open and half-open file sets that the piece and king terms read.
#include "eval/eval.h"
#include "eval/eval_tables.h"
#include "eval/side.h"

Bitboard open_files;
Bitboard white_half_open_files;
Bitboard black_half_open_files;
int32_t white_pawns_on_file[8];
int32_t black_pawns_on_file[8];

namespace {

// The tables of one colour's pawns.
template <int C>
struct PawnTables;

template <>
struct PawnTables<WHITE> {
    static constexpr const SquareTable& placement = white_pawn_table;
    static constexpr const SquareTable& passed = white_passed_table;
    static constexpr const Bitboard* passed_mask = white_passed_mask;
    static constexpr const Bitboard* front_span = white_front_span;
    static constexpr const Bitboard* behind_span = black_front_span;
    static constexpr const Bitboard* front_h = white_front_h;
    static constexpr const Bitboard* front_a = white_front_a;
    static constexpr int outpost_h = 7;  // the knight's square beside the pawn's front span
    static constexpr int outpost_a = 9;
    static constexpr int32_t* on_file = white_pawns_on_file;
    // The most advanced of a set of White's pawns.
    static int most_advanced(Bitboard b) { return highest_bit(b); }
    // Rank index counted from the colour's own back rank.
    static int relative_rank(Square s) { return rank_of[s]; }
};

template <>
struct PawnTables<BLACK> {
    static constexpr const SquareTable& placement = black_pawn_table;
    static constexpr const SquareTable& passed = black_passed_table;
    static constexpr const Bitboard* passed_mask = black_passed_mask;
    static constexpr const Bitboard* front_span = black_front_span;
    static constexpr const Bitboard* behind_span = white_front_span;
    static constexpr const Bitboard* front_h = black_front_h;
    static constexpr const Bitboard* front_a = black_front_a;
    static constexpr int outpost_h = -9;
    static constexpr int outpost_a = -7;
    static constexpr int32_t* on_file = black_pawns_on_file;
    static int most_advanced(Bitboard b) { return lowest_bit(b); }
    static int relative_rank(Square s) { return 7 - rank_of[s]; }
};

// Support of the pawn on sq from the neighbouring file through square n (sq - 1 or sq + 1):
// 1 when no own pawn stands behind on that file, or when an enemy pawn stands in the square
// range between the most advanced of them and n.
template <int C>
inline bool unsupported(Square n, Bitboard own_pawns, Bitboard enemy_pawns) {
    using T = PawnTables<C>;
    const Bitboard behind = own_pawns & T::behind_span[n];
    if (!behind) return true;
    const int s = T::most_advanced(behind);
    const Bitboard between = C == WHITE ? span_between[s][n] : span_between[n][s];
    return (enemy_pawns & between) != 0;
}

// The pawns of colour C, from C's own point of view.
template <int C>
int pawn_side_score() {
    using S = Side<C>;
    using E = Side<1 - C>;
    using T = PawnTables<C>;
    const EvalParams& p = eval_params;
    const Bitboard own_pawns = board.*S::pawns;
    const Bitboard enemy_pawns = board.*E::pawns;
    const Bitboard enemy_knights = board.*E::knights;
    const Bitboard own_knights = board.*S::knights;
    const Bitboard enemy_men = board.*E::pieces;
    const Square enemy_king = board.*E::king_square;
    const bool enemy_has_no_pieces = (board.*E::minor_count | board.*E::major_count) == 0;
    int score = 0;

    for (Bitboard set = own_pawns; set;) {
        const Square sq = highest_bit(set);
        set ^= set_mask[sq];
        const int f = file_of[sq];
        if (p.game_phase != 2) score += T::placement[sq];
        ++T::on_file[f];
        if (!(enemy_pawns & adjacent_files[sq])) score += p.unopposed_pawn_penalty;
        if (f > 0 && unsupported<C>(sq - 1, own_pawns, enemy_pawns))
            score += p.unsupported_pawn_penalty;
        if (f < 7 && unsupported<C>(sq + 1, own_pawns, enemy_pawns))
            score += p.unsupported_pawn_penalty;

        if (!(enemy_pawns & T::passed_mask[sq])) {
            const Bitboard attackers = attackers_of(sq);
            if (!attackers)
                score += T::passed[sq] / 2 + p.passed_pawn_bonus;
            else if (popcount(attackers & board.*S::pieces) >= popcount(attackers & enemy_men))
                score += T::passed[sq] + p.passed_pawn_bonus;
            const Square stop = sq + S::forward;
            if (enemy_knights & set_mask[stop])
                score -= 8;
            else if (enemy_men & set_mask[stop])
                score -= 4;
            if (board.*S::rooks & T::behind_span[sq]) score += 10;
            if (board.*E::rooks & T::behind_span[sq]) score -= 8;
            if (enemy_king == stop) score -= 10;
            if (enemy_has_no_pieces) {
                const int e = T::relative_rank(sq) + std::abs(f - file_of[enemy_king]) - 7;
                if (e > 0) score += 20 * e;
            }
        }

        // Beside the pawn's path, where no enemy pawn can ever drive a knight away. The
        // squares are plain numbers: on the edge files they wrap round to the far side.
        const int h = sq + T::outpost_h, a = sq + T::outpost_a;
        if (!(enemy_pawns & T::front_h[sq]) && h >= 0 && h < 64 && (own_knights & set_mask[h]))
            score += 10;
        if (!(enemy_pawns & T::front_a[sq]) && a >= 0 && a < 64 && (own_knights & set_mask[a]))
            score += 10;
    }
    return score;
}

}  // namespace

int evaluate_pawns(int) {
    open_files = white_half_open_files = black_half_open_files = 0;
    for (int f = 0; f < 8; ++f) white_pawns_on_file[f] = black_pawns_on_file[f] = 0;

    int score = pawn_side_score<WHITE>() - pawn_side_score<BLACK>();

    const int doubled = eval_params.doubled_pawn_penalty;
    for (int f = 0; f < 8; ++f) {
        const int w = white_pawns_on_file[f], b = black_pawns_on_file[f];
        if (w > 1) score += doubled * w;
        if (b > 1) score -= doubled * b;
        if (w > 0 && b == 0) black_half_open_files |= file_mask[f];
        if (w == 0 && b > 0) white_half_open_files |= file_mask[f];
        if (w == 0 && b == 0) open_files |= file_mask[f];
    }
    return score;
}
