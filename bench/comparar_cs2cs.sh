#!/usr/bin/env bash
# tesmaro-lote on 1,000,000-line point files, every conversion, and PROJ's
# cs2cs on the same points for geographic -> UTM and the ED50 -> ETRS89 grid
# shift: wall time and peak resident memory of each process (/usr/bin/time -v).
#
#   bash bench/comparar_cs2cs.sh [BUILD_DIR] [LINEAS]     (default build, 1000000)
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
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

# Points spread over the region of the grid; one awk program per layout.
generar() {  # generar TIPO FICHERO
  awk -v n="$N" -v tipo="$1" 'BEGIN {
    srand(20240601); printf "Cabecera\r\n";
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
          printf "%-28s %8.2f %8.2f %12.0f %12.0f %9d\n", e, s, c, n / s, n / c, m }' "$TMP/tiempo"
}

echo "Ficheros de $N líneas; $(nproc) núcleos; $(cs2cs 2>&1 | head -1)"
# On a loaded machine the wall time says little: compare the CPU columns.
printf "%-28s %8s %8s %12s %12s %9s\n" "programa" "real s" "CPU s" "líneas/s" "líneas/s CPU" "RSS KB"

generar geoutm "$TMP/geoutm.txt"
generar cs2cs "$TMP/cs2cs.txt"
medir "tesmaro-lote geo-utm-etrs89" "$N" "$LOTE" geo-utm-etrs89 "$TMP/geoutm.txt"
medir "cs2cs geo->UTM 30 GRS80" "$N" cs2cs -f %.5f +proj=longlat +ellps=GRS80 +no_defs +to +proj=utm +zone=30 +ellps=GRS80 +no_defs "$TMP/cs2cs.txt"

generar rejilla "$TMP/rejilla.txt"
medir "tesmaro-lote ed50-etrs89" "$N" "$LOTE" ed50-etrs89 "$TMP/rejilla.txt" --rejilla "$REJILLA"
medir "cs2cs ED50->ETRS89 rejilla" "$N" cs2cs -f %.10f +proj=longlat +ellps=intl +nadgrids="$REJILLA" +no_defs +to +proj=longlat +ellps=GRS80 +towgs84=0,0,0 +no_defs "$TMP/cs2cs.txt"
medir "tesmaro-lote etrs89-ed50" "$N" "$LOTE" etrs89-ed50 "$TMP/rejilla.txt" --rejilla "$REJILLA"
rm -f "$TMP"/Transformacion_a_* "$TMP"/UTM_*

generar utmgeo "$TMP/utmgeo.txt"
medir "tesmaro-lote utm-geo-etrs89" "$N" "$LOTE" utm-geo-etrs89 "$TMP/utmgeo.txt"
medir "tesmaro-lote utm-geo-ed50" "$N" "$LOTE" utm-geo-ed50 "$TMP/utmgeo.txt"
rm -f "$TMP"/utmgeo.txt "$TMP"/Geodesicas_*
medir "tesmaro-lote geo-utm-ed50" "$N" "$LOTE" geo-utm-ed50 "$TMP/geoutm.txt"
rm -f "$TMP"/geoutm.txt "$TMP"/UTM_*
generar geocart "$TMP/geocart.txt"
medir "tesmaro-lote geo-cart" "$N" "$LOTE" geo-cart "$TMP/geocart.txt"
rm -f "$TMP"/geocart.txt "$TMP"/Cartesianas_*
generar cartgeo "$TMP/cartgeo.txt"
medir "tesmaro-lote cart-geo" "$N" "$LOTE" cart-geo "$TMP/cartgeo.txt"
rm -f "$TMP"/cartgeo.txt "$TMP"/Geodesicas_*
# SIN_PROBLEMAS=1 leaves out the two geodetic problems (minutes of CPU).
if [ "${SIN_PROBLEMAS:-0}" != 1 ]; then
  generar directo "$TMP/directo.txt"
  medir "tesmaro-lote directo" "$N" "$LOTE" directo "$TMP/directo.txt"
  rm -f "$TMP"/directo.txt "$TMP"/Problema_*
  generar inverso "$TMP/inverso.txt"
  medir "tesmaro-lote inverso" "$N" "$LOTE" inverso "$TMP/inverso.txt"
fi
