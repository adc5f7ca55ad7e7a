#!/usr/bin/env bash
# tesmaro-lote on 1,000,000-line point files, every conversion with 1, 2 and
# all threads, and on the same points in the same run PROJ's cs2cs
# (geographic -> UTM, the ED50 -> ETRS89 grid shift) and GeographicLib's
# GeodSolve (the direct and inverse problems): wall time, CPU time and peak
# resident memory of each process (/usr/bin/time -v).
#
#   bash bench/comparar_cs2cs.sh [BUILD_DIR] [LINEAS]     (default build, 1000000)
#
# DIEZ_MILLONES=1 adds geo-cart on 10,000,000 lines (memory stays flat).
#
# The files are made here with awk (fixed seed), in a temporary folder that is
# removed at the end. cs2cs applies the grid only when the target names a datum
# shift (+towgs84=0,0,0); without it the points pass unchanged. Runs under nice: it takes the CPU for a few minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${1:-build}"
N="${2:-1000000}"
LOTE="$BUILD/tesmaro-lote"
REJILLA="$(pwd)/data/sped2et.gsb"
[ -x "$LOTE" ] || { echo "falta $LOTE: compílelo primero" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "falta /usr/bin/time (paquete time)" >&2; exit 1; }
command -v cs2cs >/dev/null || { echo "falta cs2cs (paquete proj-bin)" >&2; exit 1; }
command -v GeodSolve >/dev/null || { echo "falta GeodSolve (paquete geographiclib-tools)" >&2; exit 1; }
# 1, 2 and every core, each once.
HILOS="$(printf '%s\n' 1 2 "$(nproc)" | sort -nu | tr '\n' ' ')"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

# Points spread over the region of the grid; one awk program per layout.
generar() {  # generar TIPO FICHERO
  awk -v n="$N" -v tipo="$1" 'BEGIN {
    srand(20240601); if (tipo !~ /^(cs2cs|geodsolve)/) printf "Cabecera\r\n";
    for (i = 0; i < n; i++) {
      lon = -9 + 12.5 * rand(); lat = 36.5 + 7 * rand();
      if (tipo == "geoutm") printf "P%d,%.9f,%.9f,30,N\r\n", i, lon, lat;
      else if (tipo == "utmgeo") printf "P%d,%.3f,%.3f,30,N\r\n", i, 250000 + 500000 * rand(), 4000000 + 800000 * rand();
      else if (tipo == "geocart") printf "P%d,%.9f,%.9f,%.3f\r\n", i, lon, lat, 3000 * rand();
      else if (tipo == "cartgeo") printf "P%d,%.3f,%.3f,%.3f\r\n", i, 4.5e6 + 5e5 * rand(), -7e5 + 9.5e5 * rand(), 3.7e6 + 7e5 * rand();
      else if (tipo == "rejilla") printf "P%d,%.9f,%.9f\r\n", i, lon, lat;
      else if (tipo == "directo") printf "P%d,%.9f,%.9f,%.6f,%.3f\r\n", i, lon, lat, 360 * rand(), 1000 + 199000 * rand();
      else if (tipo == "inverso") printf "P%d,%.9f,%.9f,%.9f,%.9f\r\n", i, lon, lat, lon - 1 + 2 * rand(), lat - 1 + 2 * rand();
      else if (tipo == "cs2cs") printf "%.9f %.9f\n", lon, lat;
      else if (tipo == "geodsolve-d") printf "%.9f %.9f %.6f %.3f\n", lat, lon, 360 * rand(), 1000 + 199000 * rand();
      else if (tipo == "geodsolve-i") printf "%.9f %.9f %.9f %.9f\n", lat, lon, lat - 1 + 2 * rand(), lon - 1 + 2 * rand();
    }
  }' > "$2"
}

# medir ETIQUETA LINEAS ORDEN... : one line of the table.
medir() {
  local etiqueta="$1" lineas="$2"; shift 2
  /usr/bin/time -v -o "$TMP/tiempo" nice -n 10 "$@" > /dev/null 2> "$TMP/err" || {
    echo "$etiqueta: falló" >&2; cat "$TMP/err" >&2; return 1; }
  awk -v e="$etiqueta" -v n="$lineas" '
    /Elapsed \(wall clock\)/ { t = $NF; k = split(t, p, ":"); s = 0; for (j = 1; j <= k; j++) s = s * 60 + p[j] }
    /User time/ { u = $NF } /System time/ { y = $NF }
    /Maximum resident set size/ { m = $NF }
    END { c = u + y; if (c <= 0) c = 0.01; if (s <= 0) s = 0.01
          printf "%-36s %8.2f %8.2f %12.0f %12.0f %9d\n", e, s, c, n / s, n / c, m }' "$TMP/tiempo"
}

# lote ETIQUETA CONVERSION FICHERO [OPCIONES]: tesmaro-lote with each number of threads.
lote() {
  local etiqueta="$1" conversion="$2" fichero="$3"; shift 3
  for h in $HILOS; do
    medir "$etiqueta --hilos $h" "$N" "$LOTE" "$conversion" "$fichero" --hilos "$h" "$@"
  done
  rm -f "$TMP"/*_*.txt "$TMP"/*_*.csv
}

echo "Ficheros de $N líneas; $(nproc) núcleos; $(cs2cs 2>&1 | head -1)"
printf "%-36s %8s %8s %12s %12s %9s\n" "programa" "real s" "CPU s" "líneas/s" "líneas/s CPU" "RSS KB"

if [ "${SOLO_PROBLEMAS:-0}" != 1 ]; then
generar geoutm "$TMP/geoutm.txt"
generar cs2cs "$TMP/cs2cs.txt"
lote "geo-utm-etrs89" geo-utm-etrs89 "$TMP/geoutm.txt"
medir "cs2cs geo->UTM 30 GRS80" "$N" cs2cs -f %.5f +proj=longlat +ellps=GRS80 +no_defs +to +proj=utm +zone=30 +ellps=GRS80 +no_defs "$TMP/cs2cs.txt"
lote "geo-utm-ed50" geo-utm-ed50 "$TMP/geoutm.txt"
rm -f "$TMP/geoutm.txt"

generar rejilla "$TMP/rejilla.txt"
lote "ed50-etrs89" ed50-etrs89 "$TMP/rejilla.txt" --rejilla "$REJILLA"
medir "cs2cs ED50->ETRS89 rejilla" "$N" cs2cs -f %.10f +proj=longlat +ellps=intl +nadgrids="$REJILLA" +no_defs +to +proj=longlat +ellps=GRS80 +towgs84=0,0,0 +no_defs "$TMP/cs2cs.txt"
lote "etrs89-ed50" etrs89-ed50 "$TMP/rejilla.txt" --rejilla "$REJILLA"
rm -f "$TMP/rejilla.txt" "$TMP/cs2cs.txt"

generar utmgeo "$TMP/utmgeo.txt"
lote "utm-geo-etrs89" utm-geo-etrs89 "$TMP/utmgeo.txt"
lote "utm-geo-ed50" utm-geo-ed50 "$TMP/utmgeo.txt"
rm -f "$TMP/utmgeo.txt"
generar geocart "$TMP/geocart.txt"
lote "geo-cart" geo-cart "$TMP/geocart.txt"
rm -f "$TMP/geocart.txt"
generar cartgeo "$TMP/cartgeo.txt"
lote "cart-geo" cart-geo "$TMP/cartgeo.txt"
rm -f "$TMP/cartgeo.txt"
fi
# SIN_PROBLEMAS=1 leaves out the two geodetic problems (minutes of CPU);
# SOLO_PROBLEMAS=1 runs only them.
if [ "${SIN_PROBLEMAS:-0}" != 1 ]; then
  generar directo "$TMP/directo.txt"
  generar geodsolve-d "$TMP/geodsolve-d.txt"
  lote "directo" directo "$TMP/directo.txt"
  lote "directo --exacto" directo "$TMP/directo.txt" --exacto
  medir "GeodSolve directo" "$N" GeodSolve --input-file "$TMP/geodsolve-d.txt"
  rm -f "$TMP/directo.txt" "$TMP/geodsolve-d.txt"
  generar inverso "$TMP/inverso.txt"
  generar geodsolve-i "$TMP/geodsolve-i.txt"
  lote "inverso" inverso "$TMP/inverso.txt"
  lote "inverso --exacto" inverso "$TMP/inverso.txt" --exacto
  medir "GeodSolve inverso" "$N" GeodSolve -i --input-file "$TMP/geodsolve-i.txt"
  rm -f "$TMP/inverso.txt" "$TMP/geodsolve-i.txt"
fi
if [ "${DIEZ_MILLONES:-0}" = 1 ]; then
  N=$((N * 10))
  generar geocart "$TMP/geocart.txt"
  medir "geo-cart $N líneas" "$N" "$LOTE" geo-cart "$TMP/geocart.txt"
fi
