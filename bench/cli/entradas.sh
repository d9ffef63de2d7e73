#!/usr/bin/env bash
# The inputs of the kind-pair benchmarks, in DIR: N (default 1 000 000) random points over
# Argentina as decimal degrees (geo_dec.csv), the same points as DMS text in the program's layout
# (geo_dms.txt), and as Gauss-Krüger and UTM on POSGAR 94 (gk.csv, utm.csv, made by ZUVELO_CONVERT).
# Files already in DIR are kept: to compare builds, give them the same inputs (or symbolic links to
# one shared copy).
# Usage: entradas.sh ZUVELO_CONVERT DIR [N]
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
DIR=${2:?folder of the inputs}
N=${3:-1000000}
mkdir -p "$DIR"
if [ ! -e "$DIR/geo_dec.csv" ]; then
  awk -v n="$N" 'BEGIN { srand(42); for (i = 1; i <= n; i++) {
    printf "%.7f,%.7f,%.3f\n", -22 - rand() * 33, -73 + rand() * 19.5, rand() * 3000 } }' > "$DIR/geo_dec.csv"
fi
if [ ! -e "$DIR/geo_dms.txt" ]; then
  awk -F, 'function dms(v, h,   a, d, m, s) { a = v < 0 ? -v : v; d = int(a); m = int((a - d) * 60);
      s = (a - d) * 3600 - m * 60; return sprintf("%d\xb0 %d'"'"' %.5f\" %s", d, m, s, h) }
    { printf "%s;%s;%s\n", dms($1, "S"), dms($2, "W"), $3 }' "$DIR/geo_dec.csv" > "$DIR/geo_dms.txt"
fi
# Result lines on standard output: an OUTPUT named *.csv would be written as a CSV file for other
# programs, with a header and names.
[ -e "$DIR/gk.csv" ] || "$ZC" -q -f geo -t gk --decimal -c 1,2,3 "$DIR/geo_dec.csv" - > "$DIR/gk.csv" 2> /dev/null
[ -e "$DIR/utm.csv" ] || "$ZC" -q -f geo -t utm --decimal -c 1,2,3 "$DIR/geo_dec.csv" - > "$DIR/utm.csv" 2> /dev/null
exit 0
