#!/usr/bin/env bash
# zuvelo-convert against PROJ's cs2cs on the same points: N (default 1 000 000) decimal POSGAR 94
# points spread over Argentina, converted to Gauss-Krüger; cs2cs converts them to one strip
# (POSGAR 94 / Argentina 4, EPSG:22184), zuvelo-convert to each point's own strip.
# Usage: comparar_cs2cs.sh ZUVELO_CONVERT [LINES] [RUNS]
# Prints, over RUNS alternating runs, the median wall time and CPU time (user + system) of each, the
# throughput ratio, and the peak memory (largest maximum resident set size from /usr/bin/time).
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

mediana() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# One run under /usr/bin/time: appends "wall cpu(user+sys) maxrss_kib" to the file $1.
medir() {
  local destino=$1; shift
  /usr/bin/time -f "%e %U %S %M" -o "$DIR/tiempo" "$@" >/dev/null 2>&1
  awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$DIR/tiempo" >> "$destino"
}

: > "$DIR/zc"; : > "$DIR/cs"
for ((r = 1; r <= RUNS; r++)); do
  medir "$DIR/zc" "$ZC" -q -f geo -t gk --decimal -c 1,2,3 "$DIR/puntos.csv" "$DIR/zc.out"
  medir "$DIR/cs" sh -c "cs2cs -f %.4f EPSG:4694 EPSG:22184 < '$DIR/puntos.txt' > '$DIR/cs.out'"
done
[ "$(wc -l < "$DIR/zc.out")" -eq "$N" ] || { echo "zuvelo-convert wrote $(wc -l < "$DIR/zc.out") lines, not $N" >&2; exit 1; }
[ "$(wc -l < "$DIR/cs.out")" -eq "$N" ] || { echo "cs2cs wrote $(wc -l < "$DIR/cs.out") lines, not $N" >&2; exit 1; }

col() { cut -d' ' -f"$2" "$1"; }
TZ=$(col "$DIR/zc" 1 | mediana); TC=$(col "$DIR/cs" 1 | mediana)
CZ=$(col "$DIR/zc" 2 | mediana); CC=$(col "$DIR/cs" 2 | mediana)
MZ=$(col "$DIR/zc" 3 | sort -g | tail -1); MC=$(col "$DIR/cs" 3 | sort -g | tail -1)

printf 'points: %d, runs: %d (alternating), cores: %d, load average after: %s\n' "$N" "$RUNS" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'zuvelo-convert  wall median %6.3f s  %9.0f points/s  CPU median %6.2f s  peak RSS %6.1f MiB\n' \
  "$TZ" "$(echo "$N / $TZ" | bc -l)" "$CZ" "$(echo "$MZ / 1024" | bc -l)"
printf 'cs2cs           wall median %6.3f s  %9.0f points/s  CPU median %6.2f s  peak RSS %6.1f MiB\n' \
  "$TC" "$(echo "$N / $TC" | bc -l)" "$CC" "$(echo "$MC / 1024" | bc -l)"
printf 'throughput ratio zuvelo-convert / cs2cs (wall): %.2f (target >= 2)\n' "$(echo "$TC / $TZ" | bc -l)"
