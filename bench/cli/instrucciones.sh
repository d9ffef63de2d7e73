#!/usr/bin/env bash
# Instructions executed by zuvelo-convert per point, for every kind pair, under valgrind's callgrind:
# unlike wall time these counts repeat exactly on a loaded machine, so two builds can be compared.
# Each of the 48 runs converts the first LINES lines (default 20000) of the inputs in DIR (made by
# entradas.sh when missing) on one worker thread; the count of a run with no lines is taken off, so
# what is printed is the cost of the points alone (instructions per point).
# Usage: instrucciones.sh ZUVELO_CONVERT DIR [LINES]
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
DIR=${2:?folder of the inputs}
L=${3:-20000}
command -v valgrind >/dev/null || { echo "valgrind not found (Debian package valgrind)" >&2; exit 1; }
AQUI=$(dirname "$0")
"$AQUI/entradas.sh" "$ZC" "$DIR"
source "$AQUI/pares.sh"
T=$(mktemp -d /tmp/zuvelo-instrucciones-XXXXXX)
trap 'rm -rf "$T"' EXIT
for f in geo_dec.csv geo_dms.txt gk.csv utm.csv; do head -n "$L" "$DIR/$f" > "$T/$f"; : > "$T/vacio_$f"; done

# Instructions of one run (all threads), from callgrind's summary line.
contar() {
  valgrind --tool=callgrind --callgrind-out-file="$T/cg.out" "$ZC" -q -j 1 "$@" "$T/salida" \
    > /dev/null 2> "$T/cg.err" || true
  awk '/Collected/ { print $NF }' "$T/cg.err"
}
printf '%-38s %12s\n' "pair" "instr/point"
contar_par() {
  local nombre=$1 entrada=$2; shift 2
  local total base
  total=$(contar "$@" "$T/$entrada")
  base=$(contar "$@" "$T/vacio_$entrada")
  printf '%-38s %12.0f\n' "$(basename "${nombre#out_}" .txt)" "$(echo "($total - $base) / $L" | bc -l)"
}
recorrer_pares contar_par
