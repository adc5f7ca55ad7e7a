#!/usr/bin/env bash
# A point file split by GNU parallel and converted in pieces, as on several
# machines, gives the same text result as one run: the README's recipe.
#   paralelo.sh TESMARO_LOTE
set -euo pipefail
LOTE="$1"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT
awk 'BEGIN { srand(7); printf "Punto,Longitud,Latitud,Altura\r\n";
             for (i = 0; i < 60000; i++) printf "P%d,%.7f,%.7f,%.3f\r\n", i, -4 + 8 * rand(), 36 + 8 * rand(), 900 * rand() }' >"$TMP/puntos.txt"
"$LOTE" geo-cart - <"$TMP/puntos.txt" >"$TMP/uno.txt" 2>/dev/null
# Each piece gets the heading line and gives a header record: keep the first.
parallel --pipe --header 1 --block 200k -j 2 -k "$LOTE" geo-cart - <"$TMP/puntos.txt" 2>/dev/null |
  awk 'NR == 1 { cabecera = $0 } NR == 1 || $0 != cabecera' >"$TMP/partes.txt"
[ "$(grep -c '' "$TMP/partes.txt")" -eq 60001 ] || { echo "se esperaban 60001 registros" >&2; exit 1; }
cmp "$TMP/uno.txt" "$TMP/partes.txt"
echo "1 passed, 0 failed"
