#!/usr/bin/env bash
# Real-client test of the UCI program: polyglot, a UCI client not written here, drives
# bitrook-uci under the xboard GUI (headless) in two short games against fairymax. Fails on
# any game lost by an illegal move, a crash (an exit status other than 0, of bitrook-uci or
# of polyglot), a time forfeit, or a game that did not finish.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
engine="$1"
out="${2:-$root/build/uci-games}"
export PATH="$PATH:/usr/games"
if [ -n "${BITROOK_SANITIZED:-}" ]; then
  echo "skipped under the sanitizer build (the timed games need the release engine)"
  exit 77
fi
for tool in xboard xvfb-run fairymax polyglot python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (.ci/run installs it)"; exit 1; }
done
status=0
python3 "$root/tools/match.py" --engine "$engine" --opponent fairymax --games 2 \
  --tc 0:15 --inc 0.1 --out "$out" || status=1
echo "artefacts (PGN, xboard debug logs, exit statuses): $out"
exit $status
