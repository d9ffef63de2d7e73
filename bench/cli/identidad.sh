#!/usr/bin/env bash
# Byte-identity of zuvelo-convert's output over every kind pair: 1M points (or N) of each source kind
# (geographic decimal and DMS, Gauss-Krüger, UTM) converted to every destination kind between both
# frames, 48 runs. Prints one "sha256  file" line per output, as sha256sum does; each output is
# removed once summed (together they take 2 GB). With SUMS, compares against that list and exits 1
# on any difference.
# Usage: identidad.sh ZUVELO_CONVERT DIR [N] [SUMS]
#   DIR keeps the inputs (geo_dec.csv, geo_dms.txt, gk.csv, utm.csv): when they are missing they are
#   generated, the Gauss-Krüger and UTM ones by ZUVELO_CONVERT itself, so to compare two builds give
#   both the same DIR (or a DIR whose inputs are symbolic links to a shared copy).
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
DIR=${2:?folder of the inputs}
N=${3:-1000000}
SUMAS=${4:-}
mkdir -p "$DIR"
if [ ! -e "$DIR/geo_dec.csv" ]; then
  awk -v n="$N" 'BEGIN { srand(42); for (i = 1; i <= n; i++) {
    printf "%.7f,%.7f,%.3f\n", -22 - rand() * 33, -73 + rand() * 19.5, rand() * 3000 } }' > "$DIR/geo_dec.csv"
  # The same points as DMS text in the program's layout (seconds with 5 decimals).
  awk -F, 'function dms(v, h,   a, d, m, s) { a = v < 0 ? -v : v; d = int(a); m = int((a - d) * 60);
      s = (a - d) * 3600 - m * 60; return sprintf("%d\xb0 %d'"'"' %.5f\" %s", d, m, s, h) }
    { printf "%s;%s;%s\n", dms($1, "S"), dms($2, "W"), $3 }' "$DIR/geo_dec.csv" > "$DIR/geo_dms.txt"
  "$ZC" -q -f geo -t gk --decimal -c 1,2,3 "$DIR/geo_dec.csv" "$DIR/gk.csv"
  "$ZC" -q -f geo -t utm --decimal -c 1,2,3 "$DIR/geo_dec.csv" "$DIR/utm.csv"
fi

LISTA=$(mktemp)
trap 'rm -f "$LISTA"' EXIT
sumar() {  # name, then the zuvelo-convert arguments before INPUT OUTPUT
  local nombre=$1 entrada=$2; shift 2
  "$ZC" -q "$@" "$DIR/$entrada" "$DIR/$nombre"
  (cd "$DIR" && sha256sum "$nombre") | tee -a "$LISTA"
  rm -f "$DIR/$nombre"
}
for ff in posgar inchauspe; do for tf in posgar inchauspe; do for to in geo gk utm; do
  m=(-t $to --from-frame $ff --to-frame $tf)
  sumar "out_geodec_${ff}_${to}_${tf}.txt" geo_dec.csv -f geo --decimal -c 1,2,3 "${m[@]}"
  sumar "out_geodms_${ff}_${to}_${tf}.txt" geo_dms.txt -f geo -d semicolon -c 1,2,3 "${m[@]}"
  sumar "out_gk_${ff}_${to}_${tf}.txt" gk.csv -f gk -c 1,2,3,4 "${m[@]}"
  sumar "out_utm_${ff}_${to}_${tf}.txt" utm.csv -f utm -c 1,2,3,4 "${m[@]}"
done; done; done

if [ -n "$SUMAS" ]; then
  if diff <(sort -k2 "$SUMAS") <(sort -k2 "$LISTA") >&2; then
    echo "all $(wc -l < "$LISTA") outputs identical to $SUMAS" >&2
  else
    echo "outputs differ from $SUMAS" >&2
    exit 1
  fi
fi
