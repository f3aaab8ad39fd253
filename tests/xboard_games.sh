#!/usr/bin/env bash
# Real-interface test: short games under the xboard GUI (headless). Given bitrook, it plays
# itself and fairymax with new engines each game, and itself again with both engines reused
# by one xboard run (as xboard does by default) in games that end in a draw by insufficient
# material after the engine's move. Given --uci and bitrook-uci, polyglot (a UCI client not
# written here) drives it against fairymax. Fails on any game lost by an illegal move, a
# crash (an exit status other than 0, of an engine or of polyglot), a time forfeit, or a game
# that did not finish.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
uci=
if [ "${1:-}" = --uci ]; then
  uci=1
  shift
fi
if (($# < 1)); then
  echo "usage: xboard_games.sh [--uci] ENGINE [OUT_DIR]" >&2
  exit 2
fi
engine="$1"
out="${2:-$root/build/xboard-games}"
export PATH="$PATH:/usr/games"
if [ -n "${BITROOK_SANITIZED:-}" ]; then
  echo "skipped under the sanitizer build (the timed games need the release engine)"
  exit 77
fi
for tool in xboard xvfb-run fairymax python3 ${uci:+polyglot}; do
  command -v "$tool" >/dev/null || { echo "missing $tool (tools/test installs it)"; exit 1; }
done
status=0
if [ -n "$uci" ]; then
  python3 "$root/tools/match.py" --engine "$engine" --opponent fairymax --games 2 \
    --tc 0:15 --inc 0.1 --out "$out" || status=1
  echo "artefacts (PGN, xboard debug logs, exit statuses): $out"
  exit $status
fi
python3 "$root/tools/match.py" --engine "$engine" --opponent "$engine" --games 2 \
  --tc 0:15 --inc 0.1 --out "$out/self" || status=1
python3 "$root/tools/match.py" --engine "$engine" --opponent fairymax --games 2 \
  --tc 0:15 --inc 0.1 --out "$out/fairymax" || status=1
# Each position of bare_kings.fen is one capture away from bare kings: the engine announces
# the draw after its move and must play the next game in the same process.
python3 "$root/tools/match.py" --engine "$engine" --opponent "$engine" --games 4 --reuse \
  --tc 0:05 --inc 0 --openings "$root/tests/bare_kings.fen" --out "$out/reused" || status=1
echo "artefacts (PGN and xboard debug logs): $out/self, $out/fairymax and $out/reused"
exit $status
