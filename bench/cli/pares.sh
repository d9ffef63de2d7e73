# The 48 kind pairs of the benchmarks (sourced): for each, calls `$1 NAME INPUT ARGS...` with the output
# name, the input file name (from entradas.sh) and zuvelo-convert's arguments before INPUT OUTPUT:
# 4 sources (geographic decimal and DMS, Gauss-Krüger, UTM) x 3 destinations x 2 x 2 frames.
recorrer_pares() {
  local ff tf to
  for ff in posgar inchauspe; do for tf in posgar inchauspe; do for to in geo gk utm; do
    local _destino=(-t "$to" --from-frame "$ff" --to-frame "$tf")
    "$1" "out_geodec_${ff}_${to}_${tf}.txt" geo_dec.csv -f geo --decimal -c 1,2,3 "${_destino[@]}"
    "$1" "out_geodms_${ff}_${to}_${tf}.txt" geo_dms.txt -f geo -d semicolon -c 1,2,3 "${_destino[@]}"
    "$1" "out_gk_${ff}_${to}_${tf}.txt" gk.csv -f gk -c 1,2,3,4 "${_destino[@]}"
    "$1" "out_utm_${ff}_${to}_${tf}.txt" utm.csv -f utm -c 1,2,3,4 "${_destino[@]}"
  done; done; done
}
