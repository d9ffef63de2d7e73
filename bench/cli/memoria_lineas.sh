#!/usr/bin/env bash
# Peak memory of zuvelo-convert on hostile lines: one line of SIZE megabytes (default 100) whose
# fields close early ("P,-34.5,-58.4," and then letters), one line of SIZE megabytes of digits in the
# longitude, and one line of SIZE megabytes of commas, each between two ordinary points.
# Usage: memoria_lineas.sh ZUVELO_CONVERT [SIZE_MB]
# Prints the maximum resident set size that /usr/bin/time -v reports for each run (goal: < 64 MiB).
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
MB=${2:-100}
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (Debian package time)" >&2; exit 1; }
DIR=$(mktemp -d /tmp/zuvelo-memoria-XXXXXX)
trap 'rm -rf "$DIR"' EXIT

relleno() { head -c $((MB * 1024 * 1024)) /dev/zero | tr '\0' "$1"; }
{ echo "P,-34.5,-58.4"; printf 'P,-34.5,-58.4,'; relleno x; echo; echo "P,-34.5,-58.4"; } > "$DIR/campos.txt"
{ echo "P,-34.5,-58.4"; printf 'P,-34.5,-58.'; relleno 4; echo; echo "P,-34.5,-58.4"; } > "$DIR/digitos.txt"
{ echo "P,-34.5,-58.4"; relleno ,; echo; echo "P,-34.5,-58.4"; } > "$DIR/comas.txt"

for caso in campos digitos comas; do
  estado=0
  /usr/bin/time -v "$ZC" -q -f geo -t gk --decimal -c 2,3 "$DIR/$caso.txt" "$DIR/$caso.out" \
    2> "$DIR/$caso.err" || estado=$?
  kib=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$DIR/$caso.err")
  printf '%-8s %4d MB line: exit %d, %d result lines, peak RSS %6.1f MiB\n' "$caso" "$MB" "$estado" \
    "$(wc -l < "$DIR/$caso.out")" "$(echo "$kib / 1024" | bc -l)"
done
