# Shared by tools/play, tools/match, tools/test, tools/speed, tools/make-deb, tools/check-deb
# and .ci/run: install what they need (as root, on Debian) and build the release engines
# (bitrook and bitrook-uci) when missing or older than their sources.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export PATH="$PATH:/usr/games"
# The presets fix no job count: builds and test runs started from here use every core of the
# machine, unless the caller has set a count of its own.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"

ensure_packages() {
  local missing=()
  for p in "$@"; do
    # Installed means installed: a package removed with its configuration kept is missing.
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] ||
      missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them, or install them yourself)" >&2
    exit 1
  fi
  echo "== installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

ensure_engine() {
  ensure_packages cmake g++ make libgtest-dev googletest
  local binary stale=
  for binary in "$ROOT/build/release/bitrook" "$ROOT/build/release/bitrook-uci"; do
    if [ ! -x "$binary" ] || [ -n "$(find "$ROOT/board" "$ROOT/moves" "$ROOT/eval" "$ROOT/search" \
         "$ROOT/engine" "$ROOT/xboard" "$ROOT/uci" -newer "$binary" -name '*.[ch]*' | head -1)" ]; then
      stale=1
    fi
  done
  if [ -n "$stale" ]; then
    echo "== building the release engines"
    (cd "$ROOT" && cmake --preset release >/dev/null &&
      cmake --build --preset release --target bitrook bitrook-uci >/dev/null)
  fi
}
