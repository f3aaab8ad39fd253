#!/usr/bin/env bash
# tests/layering.sh NM NAME=ARCHIVE=BELOW... : the layering of the folders, checked on the
# symbols of their libraries. Each NAME's archive may use only symbols that it or the
# libraries named in BELOW (comma-separated) define; a symbol it uses that another of the
# given libraries defines is a reference across the layering, named with the library that
# defines it. (The link-time check beside it cannot see such a reference under link-time
# optimisation, which drops code that nothing calls before the link looks for its symbols.)
set -euo pipefail
if (($# < 2)); then
  echo "usage: $0 NM NAME=ARCHIVE=BELOW..." >&2
  exit 2
fi
nm=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

declare -A archive below
names=()
for library in "$@"; do
  IFS='=' read -r name file deps <<<"$library"
  archive[$name]=$file
  below[$name]=",$deps,"
  names+=("$name")
  # The global symbols it defines (weak ones, the inline functions every user emits, aside).
  "$nm" --defined-only -g "$file" | awk 'NF == 3 && $2 ~ /^[TDBRC]$/ { print $3 }' | sort -u >"$work/$name.defined"
  "$nm" -u -g "$file" | awk '$1 == "U" { print $2 }' | sort -u >"$work/$name.used"
done

status=0
for name in "${names[@]}"; do
  for other in "${names[@]}"; do
    [[ $other == "$name" || ${below[$name]} == *",$other,"* ]] && continue
    crossing=$(comm -12 "$work/$name.used" "$work/$other.defined")
    if [[ -n $crossing ]]; then
      status=1
      while read -r symbol; do
        echo "$name uses $(c++filt "$symbol") from $other"
      done <<<"$crossing"
    fi
  done
done
((status == 0)) && echo "layering: ${#names[@]} libraries, no reference across it"
exit $status
