// Pawn structure: placement, isolation from enemy pawns, support from the neighbouring
// files, passed pawns, knight outposts and doubled pawns; on the way, the pawns of each file
// and the open and half-open file sets that the piece and king terms read.
//
// Most of it depends on the two pawn sets alone (and on the phase, whose weights are fixed for
// a search), and a search meets the same few pawn structures again and again: that part is
// kept in a fixed table keyed by the two sets themselves. What reads other men (the passed
// pawns' attackers, blockers, rooks and kings, the knights on the outposts) is computed at
// every call, from the passed pawns the entry holds and the knights beside the pawns.
#include <array>
#include <cstring>

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
    static constexpr const Bitboard* behind_span = black_front_span;
    static constexpr const Bitboard* front_h = white_front_h;
    static constexpr const Bitboard* front_a = white_front_a;
    static constexpr int outpost_h = 7;  // the knight's square beside the pawn's front span
    static constexpr int outpost_a = 9;
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
    static constexpr const Bitboard* behind_span = white_front_span;
    static constexpr const Bitboard* front_h = black_front_h;
    static constexpr const Bitboard* front_a = black_front_a;
    static constexpr int outpost_h = -9;
    static constexpr int outpost_a = -7;
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

// What the pawn sets alone decide, for the key (the two sets and the phase), in one cache
// line. Files are kept as bytes, bit f for file index f, and turned into square sets when read.
struct alignas(64) PawnEntry {
    Bitboard white_pawns, black_pawns;
    Bitboard passed[2];   // by colour
    uint32_t generation;  // the entry counts only while this is the table's
    int32_t score;        // White's point of view
    uint8_t phase;
    uint8_t files[2];     // by colour: the files holding a pawn of that colour
    uint8_t pawns_on_file[2][8];
};
static_assert(sizeof(PawnEntry) == 64);

constexpr int PAWN_CACHE_BITS = 12;
constexpr int PAWN_CACHE_SIZE = 1 << PAWN_CACHE_BITS;
// Odd multipliers that spread each pawn set over the top bits, which pick the entry.
constexpr uint64_t WHITE_PAWN_SPREAD = 0x9E3779B97F4A7C15;
constexpr uint64_t BLACK_PAWN_SPREAD = 0xC2B2AE3D27D4EB4F;

PawnEntry pawn_cache[PAWN_CACHE_SIZE];
uint32_t pawn_cache_generation = 1;  // entries of another generation are empty

// The squares of the files named by a byte of files.
constexpr auto squares_of_files = [] {
    std::array<Bitboard, 256> table{};
    for (int files = 0; files < 256; ++files)
        for (int f = 0; f < 8; ++f)
            if (files & (1 << f)) table[files] |= Bitboard(0x0101010101010101) << f;
    return table;
}();

// The pawn-only part of colour C's pawns, from C's own point of view, recording C's passed
// pawns and pawns per file in the entry.
template <int C>
int pawn_shape_score(PawnEntry& e) {
    using S = Side<C>;
    using E = Side<1 - C>;
    using T = PawnTables<C>;
    const EvalParams& p = eval_params;
    const Bitboard own_pawns = board.*S::pawns;
    const Bitboard enemy_pawns = board.*E::pawns;
    int score = 0;

    for (Bitboard set = own_pawns; set;) {
        const Square sq = pop_highest(set);
        const int f = file_of[sq];
        if (p.game_phase != ENDGAME_PHASE) score += T::placement[sq];
        ++e.pawns_on_file[C][f];
        e.files[C] |= uint8_t(1 << f);
        if (!(enemy_pawns & adjacent_files[sq])) score += p.unopposed_pawn_penalty;
        if (f > 0 && unsupported<C>(sq - 1, own_pawns, enemy_pawns))
            score += p.unsupported_pawn_penalty;
        if (f < 7 && unsupported<C>(sq + 1, own_pawns, enemy_pawns))
            score += p.unsupported_pawn_penalty;
        if (!(enemy_pawns & T::passed_mask[sq])) e.passed[C] |= square_bit(sq);
    }
    return score;
}

// Fills the entry for the pawns on the board.
void fill_pawn_entry(PawnEntry& e) {
    e = PawnEntry{};
    e.white_pawns = board.white_pawns;
    e.black_pawns = board.black_pawns;
    e.generation = pawn_cache_generation;
    e.phase = uint8_t(eval_params.game_phase);
    int score = pawn_shape_score<WHITE>(e) - pawn_shape_score<BLACK>(e);

    const int doubled = eval_params.doubled_pawn_penalty;
    for (int f = 0; f < 8; ++f) {
        const int w = e.pawns_on_file[WHITE][f], b = e.pawns_on_file[BLACK][f];
        if (w > 1) score += doubled * w;
        if (b > 1) score -= doubled * b;
    }
    e.score = score;
}

// The entry of the pawns on the board, filled when the table does not hold it.
const PawnEntry& pawn_entry() {
    const Bitboard white = board.white_pawns, black = board.black_pawns;
    PawnEntry& e = pawn_cache[(white * WHITE_PAWN_SPREAD ^ black * BLACK_PAWN_SPREAD) >>
                              (64 - PAWN_CACHE_BITS)];
    if (e.generation != pawn_cache_generation || e.white_pawns != white ||
        e.black_pawns != black || e.phase != eval_params.game_phase)
        fill_pawn_entry(e);
    return e;
}

// The terms of colour C's pawns that read other men, from C's own point of view: the passed
// pawns' attackers, blockers, rooks and kings, and the knight outposts.
template <int C>
int pawn_men_score(const PawnEntry& entry) {
    using S = Side<C>;
    using E = Side<1 - C>;
    using T = PawnTables<C>;
    const int bonus = eval_params.passed_pawn_bonus;
    const Bitboard enemy_knights = board.*E::knights;
    const Bitboard enemy_men = board.*E::pieces;
    const Square enemy_king = board.*E::king_square;
    const bool enemy_has_no_pieces = (board.*E::minor_count | board.*E::major_count) == 0;
    int score = 0;

    for (Bitboard set = entry.passed[C]; set;) {
        const Square sq = pop_highest(set);
        const Bitboard attackers = attackers_of(sq);
        if (!attackers)
            score += T::passed[sq] / 2 + bonus;
        else if (popcount(attackers & board.*S::pieces) >= popcount(attackers & enemy_men))
            score += T::passed[sq] + bonus;
        const Square stop = sq + S::forward;
        if (enemy_knights & square_bit(stop))
            score -= 8;
        else if (enemy_men & square_bit(stop))
            score -= 4;
        if (board.*S::rooks & T::behind_span[sq]) score += 10;
        if (board.*E::rooks & T::behind_span[sq]) score -= 8;
        if (enemy_king == stop) score -= 10;
        if (enemy_has_no_pieces) {
            const int e = T::relative_rank(sq) + std::abs(file_of[sq] - file_of[enemy_king]) - 7;
            if (e > 0) score += 20 * e;
        }
    }

    // A knight beside an own pawn's path, where no enemy pawn can ever drive it away: on the
    // square outpost_h or outpost_a ahead of the pawn. The squares are plain numbers (a shift
    // of the pawn set): on the edge files they wrap round to the far side.
    const Bitboard own_pawns = board.*S::pawns, enemy_pawns = board.*E::pawns;
    const Bitboard own_knights = board.*S::knights;
    for (Bitboard set = own_knights & shift_squares<T::outpost_h>(own_pawns); set;) {
        const Square k = pop_highest(set);
        if (!(enemy_pawns & T::front_h[k - T::outpost_h])) score += 10;
    }
    for (Bitboard set = own_knights & shift_squares<T::outpost_a>(own_pawns); set;) {
        const Square k = pop_highest(set);
        if (!(enemy_pawns & T::front_a[k - T::outpost_a])) score += 10;
    }
    return score;
}

}  // namespace

void clear_pawn_cache() {
    if (++pawn_cache_generation == 0) {  // after 2^32 clears: start the count again
        for (PawnEntry& e : pawn_cache) e = PawnEntry{};
        pawn_cache_generation = 1;
    }
}

int evaluate_pawns(int) {
    const PawnEntry& e = pawn_entry();
    const int white_files = e.files[WHITE], black_files = e.files[BLACK];
    open_files = squares_of_files[uint8_t(~(white_files | black_files))];
    white_half_open_files = squares_of_files[black_files & ~white_files];
    black_half_open_files = squares_of_files[white_files & ~black_files];
    uint8_t counts[2][8];
    std::memcpy(counts, e.pawns_on_file, sizeof counts);
    for (int f = 0; f < 8; ++f) {
        white_pawns_on_file[f] = counts[WHITE][f];
        black_pawns_on_file[f] = counts[BLACK][f];
    }
    return e.score + pawn_men_score<WHITE>(e) - pawn_men_score<BLACK>(e);
}
