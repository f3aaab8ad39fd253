// The Board fields of one colour, for evaluation terms written once as templates over the
// colour (Side<WHITE>, Side<BLACK>): the move generators' colour record, plus the view of a
// square from that colour's side. Every access is resolved at compile time.
#pragma once

#include "moves/colour.h"

template <int C>
struct Side : Colour<C> {
    // The square as seen from this side: a square of White's is itself; Black's view keeps
    // the file and mirrors the rank (a2 is a7).
    static constexpr Square relative(Square s) { return C == WHITE ? s : s ^ 56; }
    static constexpr Bitboard relative_set(Bitboard b) {
        return C == WHITE ? b : __builtin_bswap64(b);
    }
};
