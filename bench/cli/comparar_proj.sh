#!/usr/bin/env bash
# zuvelo-convert against a lean program on PROJ's C API (bench_proj_gk: 2 threads, one PJ_CONTEXT
# each, from_chars in, proj_trans_generic per chunk and strip, to_chars out) on the same N (default
# 1 000 000) decimal POSGAR 94 points spread over Argentina, each converted to Gauss-Krüger in its own
# strip: on POSGAR 94, and on Campo Inchauspe 69 (PROJ through the three-parameter shift
# +148 -136 -90 from WGS 84 to International 1924).
# Rounds are interleaved (each round runs every program once, the order turning each round); prints
# for each program the median, minimum and maximum wall time, the ratios of the medians, the load
# average of the machine before and after, and how far apart the two programs' coordinates are.
# Usage: comparar_proj.sh ZUVELO_CONVERT BENCH_PROJ_GK [LINES] [ROUNDS]
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
PJ=${2:?path of bench_proj_gk}
N=${3:-1000000}
R=${4:-7}
DIR=$(mktemp -d /tmp/zuvelo-proj-XXXXXX)
trap 'rm -rf "$DIR"' EXIT

awk -v n="$N" 'BEGIN { srand(42); for (i = 1; i <= n; i++) {
  printf "%.7f,%.7f,%.3f\n", -22 - rand() * 33, -73 + rand() * 19.5, rand() * 3000 } }' > "$DIR/puntos.csv"

# One run: its wall time in seconds (bash's clock, microseconds) appended to the file $1.
medir() {
  local destino=$1; shift
  local t0=$EPOCHREALTIME
  "$@" > /dev/null 2>&1
  local t1=$EPOCHREALTIME
  echo "$t0 $t1" | awk '{ printf "%.4f\n", $2 - $1 }' >> "$destino"
}
correr() {  # program, frame
  case $1 in
    zc2) medir "$DIR/t_$1_$2" "$ZC" -q -j 2 -f geo -t gk --decimal -c 1,2,3 --to-frame "$2" "$DIR/puntos.csv" "$DIR/zc2_$2.out" ;;
    zc1) medir "$DIR/t_$1_$2" "$ZC" -q -j 1 -f geo -t gk --decimal -c 1,2,3 --to-frame "$2" "$DIR/puntos.csv" "$DIR/zc1_$2.out" ;;
    pj) medir "$DIR/t_$1_$2" "$PJ" "$DIR/puntos.csv" "$DIR/pj_$2.out" "$2" 2 ;;
  esac
}

carga0=$(cut -d' ' -f1-3 /proc/loadavg)
programas=(zc2 pj zc1)
for ((r = 0; r < R; r++)); do
  for marco in posgar inchauspe; do
    for ((k = 0; k < ${#programas[@]}; k++)); do correr "${programas[(k + r) % ${#programas[@]}]}" "$marco"; done
  done
done
carga1=$(cut -d' ' -f1-3 /proc/loadavg)

for marco in posgar inchauspe; do
  for p in zc2 zc1 pj; do
    [ "$(wc -l < "$DIR/${p}_$marco.out")" -eq "$N" ] || { echo "$p ($marco) wrote $(wc -l < "$DIR/${p}_$marco.out") lines, not $N" >&2; exit 1; }
  done
done

estad() { sort -g "$1" | awk '{ v[NR] = $1 } END { printf "%.3f %.3f %.3f", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
printf 'points: %d, rounds: %d (interleaved), cores: %d\n' "$N" "$R" "$(nproc)"
printf 'load average (1, 5, 15 min): before %s, after %s\n' "$carga0" "$carga1"
for marco in posgar inchauspe; do
  [ $marco = posgar ] && nombre="POSGAR 94" || nombre="Campo Inchauspe 69"
  printf '\ngeographic POSGAR 94 -> Gauss-Krüger %s\n' "$nombre"
  read -r m2 a2 b2 <<< "$(estad "$DIR/t_zc2_$marco")"
  read -r m1 a1 b1 <<< "$(estad "$DIR/t_zc1_$marco")"
  read -r mp ap bp <<< "$(estad "$DIR/t_pj_$marco")"
  printf '  %-24s median %6.3f s   min %6.3f   max %6.3f\n' "zuvelo-convert -j2" "$m2" "$a2" "$b2"
  printf '  %-24s median %6.3f s   min %6.3f   max %6.3f\n' "zuvelo-convert -j1" "$m1" "$a1" "$b1"
  printf '  %-24s median %6.3f s   min %6.3f   max %6.3f\n' "PROJ C API, 2 threads" "$mp" "$ap" "$bp"
  meta=1.25; [ $marco = inchauspe ] && meta=1.5
  printf '  zuvelo-convert -j2 / PROJ: %.2f (goal <= %s)   zuvelo-convert -j1 / -j2: %.2f (goal >= 1.8)\n' \
    "$(echo "$m2 / $mp" | bc -l)" "$meta" "$(echo "$m1 / $m2" | bc -l)"
  # Both programs must have done the same work: north and east of the points in the same strip.
  paste -d, "$DIR/zc2_$marco.out" "$DIR/pj_$marco.out" | tr -d '\r' | awk -F, '
    $4 == $8 { n++; d = $1 - $5; if (d < 0) d = -d; if (d > m) m = d; d = $2 - $6; if (d < 0) d = -d; if (d > m) m = d }
    END { printf "  coordinates: largest difference %.2f mm over %d points in the same strip\n", m * 1000, n }'
done
