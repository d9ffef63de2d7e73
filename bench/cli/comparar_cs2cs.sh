#!/usr/bin/env bash
# zuvelo-convert against PROJ's cs2cs on the same points: N (default 1 000 000) decimal POSGAR 94
# points spread over Argentina, converted to Gauss-Krüger; cs2cs converts them to one strip
# (POSGAR 94 / Argentina 4, EPSG:22184), zuvelo-convert to each point's own strip.
# Usage: comparar_cs2cs.sh ZUVELO_CONVERT [LINES] [RUNS]
# Prints the median wall time of each over RUNS alternating runs, the throughput ratio and the peak
# memory (maximum resident set size from /usr/bin/time -v) of one run each.
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
N=${2:-1000000}
RUNS=${3:-5}
command -v cs2cs >/dev/null || { echo "cs2cs not found (Debian package proj-bin)" >&2; exit 1; }
DIR=$(mktemp -d /tmp/zuvelo-cs2cs-XXXXXX)
trap 'rm -rf "$DIR"' EXIT

# The same points in both forms: "lat,lon,h" for zuvelo-convert, "lat lon h" for cs2cs.
awk -v n="$N" 'BEGIN { srand(42); for (i = 1; i <= n; i++) {
  printf "%.7f,%.7f,%.3f\n", -22 - rand() * 33, -73 + rand() * 19.5, rand() * 3000 } }' > "$DIR/puntos.csv"
tr ',' ' ' < "$DIR/puntos.csv" > "$DIR/puntos.txt"

ahora() { date +%s.%N; }
mediana() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: > "$DIR/t_zc"; : > "$DIR/t_cs"
for ((r = 1; r <= RUNS; r++)); do
  t0=$(ahora); "$ZC" -q -f geo -t gk --decimal -c 1,2,3 "$DIR/puntos.csv" "$DIR/zc.out" 2>/dev/null; t1=$(ahora)
  echo "$t1 - $t0" | bc -l >> "$DIR/t_zc"
  t0=$(ahora); cs2cs -f %.4f EPSG:4694 EPSG:22184 < "$DIR/puntos.txt" > "$DIR/cs.out"; t1=$(ahora)
  echo "$t1 - $t0" | bc -l >> "$DIR/t_cs"
done
TZ=$(mediana < "$DIR/t_zc"); TC=$(mediana < "$DIR/t_cs")
[ "$(wc -l < "$DIR/zc.out")" -eq "$N" ] || { echo "zuvelo-convert wrote $(wc -l < "$DIR/zc.out") lines, not $N" >&2; exit 1; }

pico() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }'; }
MZ=$(pico "$ZC" -q -f geo -t gk --decimal -c 1,2,3 "$DIR/puntos.csv" "$DIR/zc.out")
MC=$(pico sh -c "cs2cs -f %.4f EPSG:4694 EPSG:22184 < '$DIR/puntos.txt' > '$DIR/cs.out'")

printf 'points: %d, runs: %d, cores: %d, load before: %s\n' "$N" "$RUNS" "$(nproc)" "$(cut -d' ' -f1 /proc/loadavg)"
printf 'zuvelo-convert  median %.3f s  %10.0f points/s  peak RSS %6.1f MiB\n' "$TZ" "$(echo "$N / $TZ" | bc -l)" "$(echo "$MZ / 1024" | bc -l)"
printf 'cs2cs           median %.3f s  %10.0f points/s  peak RSS %6.1f MiB\n' "$TC" "$(echo "$N / $TC" | bc -l)" "$(echo "$MC / 1024" | bc -l)"
printf 'throughput ratio zuvelo-convert / cs2cs: %.2f (target >= 2)\n' "$(echo "$TC / $TZ" | bc -l)"
