// Builds the geometry tables once at start: single squares, lines, leapers, slider attacks
// for every line occupancy, then steps, rays and pawn masks.
#include "board/board.h"

#include <algorithm>

Bitboard set_mask[64];
Bitboard rank_mask[64];
Bitboard file_mask[64];
Bitboard a1h8_diagonal[64];
Bitboard h1a8_diagonal[64];
Bitboard white_pawn_attacks[64];
Bitboard black_pawn_attacks[64];
Bitboard knight_moves[64];
Bitboard king_moves[64];
Bitboard rank_attacks[64][256];
Bitboard file_attacks[64][256];
Bitboard a1h8_attacks[64][256];
Bitboard h1a8_attacks[64][256];

int8_t direction[64][64];
Bitboard ray_plus1[64];
Bitboard ray_minus1[64];
Bitboard ray_plus8[64];
Bitboard ray_minus8[64];
Bitboard ray_plus7[64];
Bitboard ray_minus7[64];
Bitboard ray_plus9[64];
Bitboard ray_minus9[64];
int32_t knight_reach[64];
Bitboard white_passed_mask[64];
Bitboard white_front_span[64];
Bitboard white_front_h[64];
Bitboard white_front_a[64];
Bitboard black_passed_mask[64];
Bitboard black_front_span[64];
Bitboard black_front_h[64];
Bitboard black_front_a[64];
Bitboard adjacent_files[64];
Bitboard span_between[64][64];
Bitboard near_squares[64];

namespace {

// Steps along each diagonal that stay on the board, as the slider tables count them.
int a1h8_down(Square s) { return std::min(s >> 3, 7 - (s & 7)); }  // steps of -7
int a1h8_up(Square s) { return a1h8_length[s] - a1h8_down(s) - 1; }  // steps of +7
int h1a8_down(Square s) { return std::min(s >> 3, s & 7); }          // steps of -9
int h1a8_up(Square s) { return h1a8_length[s] - h1a8_down(s) - 1; }  // steps of +9

void build_lines() {
    for (Square s = 0; s < 64; ++s) {
        rank_mask[s] = Bitboard(255) << (8 * (s >> 3));
        file_mask[s] = Bitboard(0x0101010101010101ULL) << (s & 7);
        Bitboard diagonal = 0;
        for (int k = -a1h8_down(s); k <= a1h8_up(s); ++k) diagonal |= set_mask[s + 7 * k];
        a1h8_diagonal[s] = diagonal;
        diagonal = 0;
        for (int k = -h1a8_down(s); k <= h1a8_up(s); ++k) diagonal |= set_mask[s + 9 * k];
        h1a8_diagonal[s] = diagonal;
    }
}

void build_leapers() {
    for (Square s = 0; s < 64; ++s) {
        int f = s & 7, r = s >> 3;
        Bitboard w = 0, b = 0;
        if (r < 7) {
            if (f > 0) w |= set_mask[s + 7];
            if (f < 7) w |= set_mask[s + 9];
        }
        if (r > 0) {
            if (f > 0) b |= set_mask[s - 9];
            if (f < 7) b |= set_mask[s - 7];
        }
        white_pawn_attacks[s] = w;
        black_pawn_attacks[s] = b;
    }
    for (Square s = 0; s < 64; ++s) {
        int f = s & 7, r = s >> 3;
        Bitboard n = 0;
        if (f > 0 && r < 6) n |= set_mask[s + 15];
        if (f < 7 && r < 6) n |= set_mask[s + 17];
        if (f < 6 && r < 7) n |= set_mask[s + 10];
        if (f < 6 && r > 0) n |= set_mask[s - 6];
        if (f < 7 && r > 1) n |= set_mask[s - 15];
        if (f > 0 && r > 1) n |= set_mask[s - 17];
        if (f > 1 && r > 0) n |= set_mask[s - 10];
        if (f > 1 && r < 7) n |= set_mask[s + 6];
        knight_moves[s] = n;
    }
}

// Walks from s by `step` for at most `count` squares, adding each square reached and stopping
// after the first one in `blockers`.
void walk(Square s, int step, int count, Bitboard blockers, Bitboard& attacks) {
    for (int k = 1; k <= count; ++k) {
        Square t = s + step * k;
        attacks |= set_mask[t];
        if (blockers & set_mask[t]) break;
    }
}

void build_straight_sliders() {
    for (Square s = 0; s < 64; ++s) {
        int f = s & 7, r = s >> 3;
        for (int p = 0; p < 256; ++p) {
            // Rank: pattern bit i is square 8r + i.
            Bitboard blockers = Bitboard(p) << (8 * r);
            Bitboard attacks = 0;
            walk(s, -1, f, blockers, attacks);
            walk(s, +1, 7 - f, blockers, attacks);
            rank_attacks[s][p] = attacks;
            // File: pattern bit 7 - i is the square of file f on rank i.
            blockers = 0;
            for (int i = 0; i < 8; ++i)
                if (p & (1 << (7 - i))) blockers |= set_mask[8 * i + f];
            attacks = 0;
            walk(s, -8, r, blockers, attacks);
            walk(s, +8, 7 - r, blockers, attacks);
            file_attacks[s][p] = attacks;
        }
    }
}

void build_diagonal_sliders() {
    for (Square s = 0; s < 64; ++s) {
        for (int p = 0; p < 256; ++p) {
            // a1-h8 direction: bit i is top - 7i, top = s + 7 * up.
            int down = a1h8_down(s), up = a1h8_up(s);
            Square top = s + 7 * up, bottom = s - 7 * down;
            Bitboard blockers = 0;
            for (int i = 0; i < 8; ++i)
                if ((p & (1 << i)) && top - 7 * i >= bottom) blockers |= set_mask[top - 7 * i];
            Bitboard attacks = 0;
            walk(s, +7, up, blockers, attacks);
            walk(s, -7, down, blockers, attacks);
            a1h8_attacks[s][p] = attacks;
            // h1-a8 direction: bit i is bottom + 9i, bottom = s - 9 * down.
            down = h1a8_down(s);
            up = h1a8_up(s);
            top = s + 9 * up;
            bottom = s - 9 * down;
            blockers = 0;
            for (int i = 0; i < 8; ++i)
                if ((p & (1 << i)) && bottom + 9 * i <= top) blockers |= set_mask[bottom + 9 * i];
            attacks = 0;
            walk(s, +9, up, blockers, attacks);
            walk(s, -9, down, blockers, attacks);
            h1a8_attacks[s][p] = attacks;
        }
    }
}

void build_king_moves() {
    for (Square s = 0; s < 64; ++s) {
        int f = s & 7, r = s >> 3;
        Bitboard k = 0;
        for (int dr = -1; dr <= 1; ++dr)
            for (int df = -1; df <= 1; ++df) {
                if (!dr && !df) continue;
                int nf = f + df, nr = r + dr;
                if (nf >= 0 && nf < 8 && nr >= 0 && nr < 8) k |= set_mask[8 * nr + nf];
            }
        king_moves[s] = k;
    }
}

void build_direction() {
    for (Square from = 0; from < 64; ++from)
        for (Square to = 0; to < 64; ++to) {
            int d = 0;
            if (from == to) {
                d = 0;
            } else if ((from >> 3) == (to >> 3)) {
                d = to > from ? 1 : -1;
            } else if ((from & 7) == (to & 7)) {
                d = to > from ? 8 : -8;
            } else {
                auto on_ray = [&](int step, int count) {
                    for (int k = 1; k <= count; ++k)
                        if (to == from + step * k) return true;
                    return false;
                };
                if (on_ray(7, a1h8_up(from))) d = 7;
                else if (on_ray(-7, a1h8_down(from))) d = -7;
                else if (on_ray(9, h1a8_up(from))) d = 9;
                else if (on_ray(-9, h1a8_down(from))) d = -9;
            }
            direction[from][to] = int8_t(d);
        }
}

Bitboard ray(Square s, int step, int count) {
    Bitboard b = 0;
    for (int k = 1; k <= count; ++k) b |= set_mask[s + step * k];
    return b;
}

void build_rays() {
    for (Square s = 0; s < 64; ++s) {
        int f = s & 7, r = s >> 3;
        ray_plus1[s] = ray(s, 1, 7 - f);
        ray_minus1[s] = ray(s, -1, f);
        ray_plus8[s] = ray(s, 8, 7 - r);
        ray_minus8[s] = ray(s, -8, r);
        ray_plus7[s] = ray(s, 7, a1h8_up(s));
        ray_minus7[s] = ray(s, -7, a1h8_down(s));
        ray_plus9[s] = ray(s, 9, h1a8_up(s));
        ray_minus9[s] = ray(s, -9, h1a8_down(s));
    }
}

void build_pawn_masks() {
    for (Square s = 8; s <= 56; ++s) {
        int f = s & 7;
        for (Square t = s + 8; t < 64; t += 8) {
            white_passed_mask[s] |= set_mask[t];
            white_front_span[s] |= set_mask[t];
            if (t >= s + 16) {
                white_front_h[s] |= set_mask[t];
                white_front_a[s] |= set_mask[t];
            }
        }
        for (Square t = s - 8; t >= 0; t -= 8) {
            black_passed_mask[s] |= set_mask[t];
            black_front_span[s] |= set_mask[t];
            if (t <= s - 16) {
                black_front_h[s] |= set_mask[t];
                black_front_a[s] |= set_mask[t];
            }
        }
        if (f > 0) {
            for (Square t = s + 7; t < 64; t += 8) {
                white_passed_mask[s] |= set_mask[t];
                white_front_h[s] |= set_mask[t];
            }
            for (Square t = s - 9; t >= 0; t -= 8) {
                black_passed_mask[s] |= set_mask[t];
                black_front_h[s] |= set_mask[t];
            }
            adjacent_files[s] |= file_mask[f - 1];
        }
        if (f < 7) {
            for (Square t = s + 9; t < 64; t += 8) {
                white_passed_mask[s] |= set_mask[t];
                white_front_a[s] |= set_mask[t];
            }
            for (Square t = s - 7; t >= 0; t -= 8) {
                black_passed_mask[s] |= set_mask[t];
                black_front_a[s] |= set_mask[t];
            }
            adjacent_files[s] |= file_mask[f + 1];
        }
    }
}

void build_span_between() {
    for (Square i = 0; i < 64; ++i)
        for (Square j = 0; j < 64; ++j) {
            Bitboard b = 0;
            if ((i & 7) == (j & 7) && i + 8 <= j - 8)
                for (Square k = i + 8; k <= j - 8; ++k) b |= set_mask[k];
            span_between[i][j] = b;
        }
}

void build_near_squares() {
    for (Square s = 0; s < 64; ++s) {
        int f = s & 7, r = s >> 3;
        Bitboard ranks = 0, files = 0;
        for (int k = r - 2; k <= r + 2; ++k)
            if (k >= 0 && k < 8) ranks |= rank_mask[8 * k];
        for (int k = f - 2; k <= f + 2; ++k)
            if (k >= 0 && k < 8) files |= file_mask[k];
        near_squares[s] = (ranks & files) & ~set_mask[s];
    }
}

}  // namespace

void init_tables() {
    for (Square s = 0; s < 64; ++s) set_mask[s] = Bitboard(1) << s;
    build_lines();
    build_leapers();
    build_straight_sliders();
    build_diagonal_sliders();
    build_king_moves();
    build_direction();
    build_rays();
    for (Square s = 0; s < 64; ++s) knight_reach[s] = popcount(knight_moves[s]) - 2;
    build_pawn_masks();
    build_span_between();
    build_near_squares();
}
