// Square names for tests: "e4" -> 27 (h1 is 0, a8 is 63).
#pragma once

constexpr int sq(const char* name) { return 8 * (name[1] - '1') + ('h' - name[0]); }
