// The seam between the command loop and its input: lines come from standard input in the
// program, or from a text buffer in tests and fuzzers. Replies go to one output stream.
#include <cstdarg>

#include "driver/driver.h"

FILE* protocol_out = stdout;

namespace {

bool from_buffer = false;
const char* buffer_data = nullptr;
size_t buffer_size = 0;
size_t buffer_pos = 0;
int pending = EOF - 1;  // one character read ahead, or none

constexpr int NOTHING_PENDING = EOF - 1;

int next_char() {
    if (pending != NOTHING_PENDING) {
        int c = pending;
        pending = NOTHING_PENDING;
        return c;
    }
    if (from_buffer)
        return buffer_pos < buffer_size ? static_cast<unsigned char>(buffer_data[buffer_pos++]) : EOF;
    return getc(stdin);
}

}  // namespace

void use_stdin_source() {
    from_buffer = false;
    pending = NOTHING_PENDING;
}

void use_buffer_source(const char* data, size_t size) {
    from_buffer = true;
    buffer_data = data;
    buffer_size = size;
    buffer_pos = 0;
    pending = NOTHING_PENDING;
}

int read_line(char* line) {
    int n = 0;
    while (n < LINE_SIZE - 1) {
        int c = next_char();
        if (c == EOF) break;
        if (c == '\r') {
            // A CR right before the LF is dropped, so CRLF lines read like LF lines.
            int after = next_char();
            if (after == '\n') c = '\n';
            else pending = after;
        }
        line[n++] = char(c);
        if (c == '\n') break;
    }
    line[n] = 0;
    return n > 0;
}

void reply(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(protocol_out, format, args);
    va_end(args);
    fflush(protocol_out);
}
