#!/usr/bin/env bash
# Real-interface test: bitrook plays short games under the xboard GUI (headless) against
# itself and against fairymax, and, with both engines reused by one xboard run as xboard does
# by default, games that end in a draw by insufficient material after the engine's move.
# Fails on any game lost by an illegal move, a crash (an exit status other than 0), a time
# forfeit, or a game that did not finish.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
engine="$1"
out="${2:-$root/build/xboard-games}"
export PATH="$PATH:/usr/games"
if [ -n "${BITROOK_SANITIZED:-}" ]; then
  echo "skipped under the sanitizer build (the timed games need the release engine)"
  exit 77
fi
for tool in xboard xvfb-run fairymax python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (.ci/run installs it)"; exit 1; }
done
status=0
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
