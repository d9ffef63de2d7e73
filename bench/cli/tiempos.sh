#!/usr/bin/env bash
# Wall time, CPU time (user + system) and peak memory (maximum resident set size) of zuvelo-convert
# for each of the 48 kind pairs, on the points of entradas.sh (N lines of each source kind, default
# 1 000 000; 10 000 000 for the large-file figures). One run per pair; outputs are removed as they go.
# Usage: tiempos.sh ZUVELO_CONVERT DIR [N] [THREADS]
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
DIR=${2:?folder of the inputs}
N=${3:-1000000}
J=${4:-2}
[ -x /usr/bin/time ] || { echo "/usr/bin/time not found (Debian package time)" >&2; exit 1; }
AQUI=$(dirname "$0")
"$AQUI/entradas.sh" "$ZC" "$DIR" "$N"
source "$AQUI/pares.sh"
T=$(mktemp)
trap 'rm -f "$T"' EXIT
printf 'lines: %s, threads: %s, cores: %d, load average before: %s\n' "$(wc -l < "$DIR/geo_dec.csv")" "$J" \
  "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-38s %8s %8s %10s\n' "pair" "wall s" "CPU s" "peak MiB"
medir() {
  local nombre=$1 entrada=$2; shift 2
  /usr/bin/time -f "%e %U %S %M" -o "$T" "$ZC" -q -j "$J" "$@" "$DIR/$entrada" "$DIR/$nombre" 2> /dev/null || true
  rm -f "$DIR/$nombre"
  local e u s m
  read -r e u s m < <(tail -n 1 "$T")
  printf '%-38s %8.2f %8.2f %10.1f\n' "$(basename "${nombre#out_}" .txt)" "$e" "$(echo "$u + $s" | bc -l)" "$(echo "$m / 1024" | bc -l)"
}
recorrer_pares medir
printf 'load average after: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
