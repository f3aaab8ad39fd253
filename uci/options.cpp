// The UCI options: the list the "uci" command announces, and "setoption name NAME [value
// VALUE]", whose names are matched without regard to case as interfaces expect. A value that
// does not fit its option is refused with an "info string" that says why; the option keeps
// its value.
#include <cctype>
#include <cstring>

#include "search/search.h"
#include "uci/uci.h"

UciOptions uci_options;
size_t table_cap_mb = MAX_HASH_MB;

namespace {

// Case-blind comparison of `length` characters of `word` with `name`, which is lower case.
bool same_name(const char* word, size_t length, const char* name) {
    if (std::strlen(name) != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(word[i])) != name[i]) return false;
    return true;
}

// The value of a spin option: a whole number from `low` to `high`, alone on its line.
bool read_spin(const char* value, int64_t low, int64_t high, int64_t& number) {
    const char* p = value;
    if (!read_integer(p, number)) return false;
    return *skip_blanks(p) == 0 && number >= low && number <= high;
}

// The table at `megabytes` (or the cap, when a test or fuzzer sets a lower one).
void size_table(int64_t megabytes) {
    const size_t wanted = size_t(megabytes) < table_cap_mb ? size_t(megabytes) : table_cap_mb;
    if (!resize_table(wanted)) {
        reply("info string not enough memory for a %lld MB table: it stays at %zu MB\n",
              static_cast<long long>(megabytes), table_megabytes);
        return;
    }
    uci_options.hash_mb = int32_t(megabytes);
}

}  // namespace

void reset_uci_options() {
    uci_options = {DEFAULT_HASH_MB, DEFAULT_MOVE_OVERHEAD_MS, 1, 0};
    size_table(DEFAULT_HASH_MB);
}

void print_options() {
    reply("option name Threads type spin default 1 min 1 max 1\n"
          "option name Hash type spin default %d min 0 max %d\n"
          "option name Clear Hash type button\n"
          "option name Move Overhead type spin default %d min 0 max %d\n"
          "option name MultiPV type spin default 1 min 1 max %d\n"
          "option name Ponder type check default false\n",
          DEFAULT_HASH_MB, MAX_HASH_MB, DEFAULT_MOVE_OVERHEAD_MS, MAX_MOVE_OVERHEAD_MS, MAX_LINES);
}

void set_option(const char* args) {
    // The name is every word up to "value", single-spaced; the value the rest of the line.
    const char* p = args;
    size_t length;
    const char* word = next_word(p, length);
    if (!word_is(word, length, "name")) {
        reply("info string setoption needs a name: line ignored\n");
        return;
    }
    char name[UCI_LINE_SIZE] = "";
    size_t name_length = 0;
    const char* value = nullptr;
    for (word = next_word(p, length); length != 0; word = next_word(p, length)) {
        if (word_is(word, length, "value")) {
            value = skip_blanks(p);
            break;
        }
        if (name_length != 0) name[name_length++] = ' ';
        std::memcpy(name + name_length, word, length);
        name_length += length;
    }
    name[name_length] = 0;
    // A value is cut at the end of its line.
    char text[UCI_LINE_SIZE] = "";
    if (value) {
        size_t n = std::strlen(value);
        while (n > 0 && is_blank(value[n - 1])) --n;
        std::memcpy(text, value, n);
        text[n] = 0;
    }

    int64_t number = 0;
    if (same_name(name, name_length, "clear hash")) {
        clear_table();
    } else if (same_name(name, name_length, "hash")) {
        if (!value || !read_spin(text, 0, MAX_HASH_MB, number))
            reply("info string Hash takes a number of megabytes from 0 to %d: unchanged\n", MAX_HASH_MB);
        else
            size_table(number);
    } else if (same_name(name, name_length, "move overhead")) {
        if (!value || !read_spin(text, 0, MAX_MOVE_OVERHEAD_MS, number))
            reply("info string Move Overhead takes milliseconds from 0 to %d: unchanged\n",
                  MAX_MOVE_OVERHEAD_MS);
        else
            uci_options.move_overhead_ms = int32_t(number);
    } else if (same_name(name, name_length, "multipv")) {
        if (!value || !read_spin(text, 1, MAX_LINES, number))
            reply("info string MultiPV takes a number of lines from 1 to %d: unchanged\n", MAX_LINES);
        else
            uci_options.lines = int32_t(number);
    } else if (same_name(name, name_length, "ponder")) {
        const size_t n = std::strlen(text);
        if (value && same_name(text, n, "true")) uci_options.ponder = 1;
        else if (value && same_name(text, n, "false")) uci_options.ponder = 0;
        else reply("info string Ponder takes true or false: unchanged\n");
    } else if (same_name(name, name_length, "threads")) {
        if (!value || !read_spin(text, 1, 1, number))
            reply("info string Threads can only be 1: the engine searches on one thread\n");
    } else {
        reply("info string no option named %s\n", name);
    }
}
