// The seam between the command loops and their input: lines come from standard input in the
// programs, or from a text buffer in tests and fuzzers. Replies go to one output stream.
//
// Standard input is read in one of two ways. The xboard program reads it through the C
// library's stream, since it never looks at its input while it thinks. The UCI program must
// look for "stop" and "isready" during a search without waiting, so it reads descriptor 0
// itself into a buffer of its own, which both its command loop and its stop poll take lines
// from: a stream's own buffer would hide waiting bytes from a poll of the descriptor.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "engine/engine.h"

FILE* protocol_out = stdout;

namespace {

enum Source { STANDARD_STREAM, BUFFER, DESCRIPTOR };
Source source = STANDARD_STREAM;

const char* buffer_data = nullptr;
size_t buffer_size = 0;
size_t buffer_pos = 0;

// Room for two of the longest lines, so that a line's worth of bytes always fits behind a
// line that is not yet complete.
constexpr size_t FD_ROOM = 2 * LONGEST_LINE_SIZE;
char fd_data[FD_ROOM];
size_t fd_begin = 0;
size_t fd_end = 0;
bool fd_closed = false;

constexpr int NOTHING_PENDING = EOF - 1;
int pending = NOTHING_PENDING;  // one character read ahead, or none

// Reads what descriptor 0 has to give, waiting for at least one byte. False at the end of the
// input or on a read error, which ends the input too. Called only with the buffer empty or
// holding less than a line, so there is always room.
bool fill_from_fd() {
    if (fd_begin == fd_end) {
        fd_begin = fd_end = 0;
    } else if (fd_end == FD_ROOM) {
        std::memmove(fd_data, fd_data + fd_begin, fd_end - fd_begin);
        fd_end -= fd_begin;
        fd_begin = 0;
    }
    for (;;) {
        const ssize_t n = read(0, fd_data + fd_end, FD_ROOM - fd_end);
        if (n > 0) {
            fd_end += size_t(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        fd_closed = true;
        return false;
    }
}

int next_char() {
    if (pending != NOTHING_PENDING) {
        int c = pending;
        pending = NOTHING_PENDING;
        return c;
    }
    switch (source) {
        case BUFFER:
            if (buffer_pos == buffer_size) return EOF;
            return static_cast<unsigned char>(buffer_data[buffer_pos++]);
        case DESCRIPTOR:
            if (fd_begin == fd_end && (fd_closed || !fill_from_fd())) return EOF;
            return static_cast<unsigned char>(fd_data[fd_begin++]);
        default:
            return getc(stdin);
    }
}

// True when read_line can take a whole line of at most `size` - 1 characters from the
// descriptor's buffer without waiting: a line feed is there, or enough bytes for the longest
// line and the character looked at after a CR, or the input has ended.
bool fd_line_waiting(int size) {
    if (fd_closed || pending == '\n') return true;
    const size_t held = fd_end - fd_begin + (pending != NOTHING_PENDING ? 1 : 0);
    return held >= size_t(size) ||
           std::memchr(fd_data + fd_begin, '\n', fd_end - fd_begin) != nullptr;
}

}  // namespace

void use_stdin_source() {
    source = STANDARD_STREAM;
    pending = NOTHING_PENDING;
}

void use_descriptor_source() {
    source = DESCRIPTOR;
    fd_begin = fd_end = 0;
    fd_closed = false;
    pending = NOTHING_PENDING;
}

void use_buffer_source(const char* data, size_t size) {
    source = BUFFER;
    buffer_data = data;
    buffer_size = size;
    buffer_pos = 0;
    pending = NOTHING_PENDING;
}

int read_line(char* line, int size) {
    int n = 0;
    while (n < size - 1) {
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

int poll_line(char* line, int size) {
    if (source == BUFFER)
        return (pending != NOTHING_PENDING || buffer_pos < buffer_size) && read_line(line, size);
    if (source != DESCRIPTOR) return 0;
    for (;;) {
        if (fd_line_waiting(size)) return read_line(line, size) ? 1 : -1;
        pollfd ready = {0, POLLIN, 0};
        if (poll(&ready, 1, 0) <= 0) return 0;
        fill_from_fd();  // at the end of the input it marks the descriptor closed
    }
}

bool input_closed() { return source == DESCRIPTOR && fd_closed; }

void reply(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(protocol_out, format, args);
    va_end(args);
    fflush(protocol_out);
}
