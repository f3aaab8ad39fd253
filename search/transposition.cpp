// The transposition table: search results filed by position key, so that a position reached
// again (by another order of moves, or in the next iteration) can take its stored bound or at
// least try its stored move first. Buckets of two entries: one kept for the deepest result of
// the current search, one that every store may replace. Off (no table) until it is sized.
#include <cstdlib>
#include <cstring>

#include "search/search.h"

namespace {

struct Bucket {
    TableEntry deep;    // replaced by a result at least as deep, or by any from a newer search
    TableEntry recent;  // replaced by every other result
};
static_assert(sizeof(Bucket) == 32, "two entries fill half a cache line");

Bucket* buckets = nullptr;
uint64_t bucket_count = 0;
uint8_t current_age = 0;

constexpr uint8_t AGE_STEP = 1 << 2;  // the age sits above the two bound bits
constexpr uint8_t BOUND_BITS = 3;

Bucket& bucket_of(uint64_t key) {
    // The key's high bits, scaled to the table: any bucket count works, no power of two needed.
    return buckets[uint64_t((unsigned __int128)key * bucket_count >> 64)];
}

uint8_t age_of(const TableEntry& e) { return e.bound_age & ~BOUND_BITS; }

}  // namespace

size_t table_megabytes = 0;

bool resize_table(size_t megabytes) {
    if (megabytes == 0) {
        std::free(buckets);
        buckets = nullptr;
        bucket_count = 0;
        table_megabytes = 0;
        keep_position_key = false;
        return true;
    }
    const uint64_t count = uint64_t(megabytes) * (1 << 20) / sizeof(Bucket);
    // calloc hands back zeroed memory, which the system provides page by page as it is used.
    Bucket* const table = static_cast<Bucket*>(std::calloc(count, sizeof(Bucket)));
    if (table == nullptr) return false;
    std::free(buckets);
    buckets = table;
    bucket_count = count;
    table_megabytes = megabytes;
    current_age = 0;
    if (!keep_position_key) position_key = compute_position_key(0);
    keep_position_key = true;
    return true;
}

void clear_table() {
    if (buckets) std::memset(buckets, 0, bucket_count * sizeof(Bucket));
    current_age = 0;
}

void age_table() { current_age = uint8_t(current_age + AGE_STEP); }

const TableEntry* probe_table(uint64_t key) {
    Bucket& b = bucket_of(key);
    if (b.deep.key == key && b.deep.bound_age != 0) return &b.deep;
    if (b.recent.key == key && b.recent.bound_age != 0) return &b.recent;
    return nullptr;
}

void store_in_table(uint64_t key, Move move, int32_t score, int32_t depth, uint8_t bound) {
    Bucket& b = bucket_of(key);
    TableEntry& slot = b.deep.key == key || b.deep.bound_age == 0 || age_of(b.deep) != current_age ||
                               depth >= b.deep.depth
                           ? b.deep
                           : b.recent;
    // A result without a move keeps the move the position had.
    if (move == 0 && slot.key == key) move = slot.move;
    slot.key = key;
    slot.move = move;
    slot.score = int16_t(score);
    slot.depth = int8_t(depth < 0 ? 0 : depth > 127 ? 127 : depth);
    slot.bound_age = uint8_t(bound | current_age);
}

int table_fill_per_mille() {
    if (bucket_count == 0) return 0;
    constexpr uint64_t SAMPLE = 500;  // buckets: a thousand entries
    const uint64_t n = bucket_count < SAMPLE ? bucket_count : SAMPLE;
    uint64_t used = 0;
    for (uint64_t i = 0; i < n; ++i) {
        used += buckets[i].deep.bound_age != 0 && age_of(buckets[i].deep) == current_age;
        used += buckets[i].recent.bound_age != 0 && age_of(buckets[i].recent) == current_age;
    }
    return int(used * 1000 / (2 * n));
}
