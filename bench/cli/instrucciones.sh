#!/usr/bin/env bash
# Instructions executed by zuvelo-convert per point, for every kind pair, under valgrind's callgrind:
# unlike wall time these counts repeat exactly on a loaded machine, so two builds can be compared.
# Each of the 48 runs converts the first LINES lines (default 20000) of the inputs in DIR (made by
# identidad.sh) on one worker thread; the count of a run with no lines is taken off, so what is
# printed is the cost of the points alone (instructions per point).
# Usage: instrucciones.sh ZUVELO_CONVERT DIR [LINES]
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
DIR=${2:?folder of the inputs made by identidad.sh}
L=${3:-20000}
command -v valgrind >/dev/null || { echo "valgrind not found (Debian package valgrind)" >&2; exit 1; }
T=$(mktemp -d /tmp/zuvelo-instrucciones-XXXXXX)
trap 'rm -rf "$T"' EXIT
for f in geo_dec.csv geo_dms.txt gk.csv utm.csv; do head -n "$L" "$DIR/$f" > "$T/$f"; : > "$T/vacio_$f"; done

# Instructions of one run (all threads), from callgrind's summary line.
contar() {
  valgrind --tool=callgrind --callgrind-out-file="$T/cg.out" "$ZC" -q -j 1 "$@" "$T/salida" \
    > /dev/null 2> "$T/cg.err" || true
  awk '/Collected/ { print $NF }' "$T/cg.err"
}
printf '%-28s %12s\n' "source -> destination" "instr/point"
for ff in posgar inchauspe; do for tf in posgar inchauspe; do for to in geo gk utm; do
  m=(-t $to --from-frame $ff --to-frame $tf)
  for fuente in geodec geodms gk utm; do
    case $fuente in
      geodec) f=geo_dec.csv; a=(-f geo --decimal -c 1,2,3) ;;
      geodms) f=geo_dms.txt; a=(-f geo -d semicolon -c 1,2,3) ;;
      gk) f=gk.csv; a=(-f gk -d comma -c 1,2,3,4) ;;
      utm) f=utm.csv; a=(-f utm -d comma -c 1,2,3,4) ;;
    esac
    total=$(contar "${a[@]}" "${m[@]}" "$T/$f")
    base=$(contar "${a[@]}" "${m[@]}" "$T/vacio_$f")
    printf '%-28s %12.0f\n' "${fuente}_${ff} -> ${to}_${tf}" "$(echo "($total - $base) / $L" | bc -l)"
  done
done; done; done
