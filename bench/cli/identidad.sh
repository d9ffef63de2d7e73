#!/usr/bin/env bash
# Byte-identity of zuvelo-convert's output over every kind pair: the points of entradas.sh (N, by
# default 1 000 000, of each source kind) converted to every destination kind between both frames,
# 48 runs. Prints one "sha256  file" line per output, as sha256sum does; each output is removed once
# summed (together they take 2 GB for 1M points). With SUMS, compares against that list and exits 1
# on any difference.
# Usage: identidad.sh ZUVELO_CONVERT DIR [N] [SUMS]
set -euo pipefail
ZC=${1:?path of zuvelo-convert}
DIR=${2:?folder of the inputs}
N=${3:-1000000}
SUMAS=${4:-}
AQUI=$(dirname "$0")
"$AQUI/entradas.sh" "$ZC" "$DIR" "$N"
source "$AQUI/pares.sh"

LISTA=$(mktemp)
trap 'rm -f "$LISTA"' EXIT
sumar() {  # output name, input name, the arguments before INPUT OUTPUT
  local nombre=$1 entrada=$2; shift 2
  "$ZC" -q "$@" "$DIR/$entrada" "$DIR/$nombre" 2> /dev/null || true
  (cd "$DIR" && sha256sum "$nombre") | tee -a "$LISTA"
  rm -f "$DIR/$nombre"
}
recorrer_pares sumar

if [ -n "$SUMAS" ]; then
  if diff <(sort -k2 "$SUMAS") <(sort -k2 "$LISTA") >&2; then
    echo "all $(wc -l < "$LISTA") outputs identical to $SUMAS" >&2
  else
    echo "outputs differ from $SUMAS" >&2
    exit 1
  fi
fi
