// Text scanning shared by the command loops: blanks, words and decimal integers, and the
// clamps that keep the numbers read within what the engine records hold.
#include <cstring>

#include "engine/engine.h"

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

const char* skip_blanks(const char* p) {
    while (is_blank(*p)) ++p;
    return p;
}

const char* first_word(const char* line, size_t& length) {
    const char* word = skip_blanks(line);
    length = 0;
    while (word[length] && !is_blank(word[length])) ++length;
    return word;
}

bool read_integer(const char*& p, int64_t& value) {
    const char* q = skip_blanks(p);
    bool negative = false;
    if (*q == '-' || *q == '+') negative = *q++ == '-';
    if (*q < '0' || *q > '9') return false;
    int64_t v = 0;
    while (*q >= '0' && *q <= '9') {
        if (v < 1000000000000LL) v = v * 10 + (*q - '0');
        ++q;
    }
    value = negative ? -v : v;
    p = q;
    return true;
}

int32_t clamp_ms(int64_t ms) { return int32_t(ms < 0 ? 0 : ms > MAX_CLOCK_MS ? MAX_CLOCK_MS : ms); }

int32_t clamp_int32(int64_t v) {
    return int32_t(v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : v);
}

const char* next_word(const char*& p, size_t& length) {
    const char* word = first_word(p, length);
    p = word + length;
    return word;
}

bool word_is(const char* word, size_t length, const char* text) {
    return std::strlen(text) == length && std::memcmp(word, text, length) == 0;
}
