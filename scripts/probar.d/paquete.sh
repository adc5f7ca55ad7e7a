#!/usr/bin/env bash
# The Debian package, end to end: builds it from build/ (or $TESMARO_BUILD),
# installs it with apt-get, checks the installed files, starts the installed
# windows, converts one point of every conversion with the installed
# tesmaro-lote in a scratch folder (the grid found in the installed data
# folder, then from the build tree and from another prefix, each program
# naming its own data folder), and removes the package, also when a check
# fails. Two runs at once take turns.
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD="$(cd "${TESMARO_BUILD:-build}" && pwd)"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
APT() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -q -y "$@"; }

FALLOS=0
fallo() { echo "FALLO: $*" >&2; FALLOS=$((FALLOS + 1)); }
aborta() { echo "FALLO: $*" >&2; exit 1; }

{ exec 9>>/tmp/tesmaro-paquete.lock; } 2>/dev/null || exec 9</tmp/tesmaro-paquete.lock
flock -w 1200 9 || aborta "otra prueba del paquete no ha terminado en 20 minutos"

INSTALADO=0
TEMPORAL="$(mktemp -d /tmp/tesmaro-paquete.XXXXXX)"
limpia() {
  local estado=$?
  if [ "$INSTALADO" -eq 1 ]; then APT remove tesmaro >/dev/null || true; fi
  rm -rf "$TEMPORAL"
  exit "$estado"
}
trap limpia EXIT
trap 'exit 130' INT TERM

echo "== Paquete Debian ($BUILD/paquete)"
rm -f "$BUILD"/paquete/tesmaro_*.deb
cmake --build "$BUILD" --target package || aborta "no se ha podido hacer el paquete en $BUILD"
DEB="$(ls "$BUILD"/paquete/tesmaro_*.deb)"
DEPENDE="$(dpkg-deb -f "$DEB" Depends)"
echo "  $DEB; Depends: $DEPENDE"
[ "$(dpkg-deb -f "$DEB" Section)" = science ] || fallo "la sección del paquete no es science"
for dep in libc6 libqt6widgets6 libgdal32; do
  case "$DEPENDE" in *"$dep"*) ;; *) fallo "Depends no declara $dep" ;; esac
done

echo "== Instalando con apt-get"
INSTALADO=1
APT install --reinstall "$DEB" || aborta "apt-get no ha podido instalar $DEB"
for f in /usr/share/tesmaro/sped2et.gsb /usr/share/tesmaro/coast.geojson \
         /usr/share/tesmaro/egm08_rednap{,_canarias}.gtx{,.sha256} /usr/share/tesmaro/egm08_rednap_puntos_control.csv \
         /usr/share/doc/tesmaro/{copyright,changelog.Debian.gz,README.md} \
         /usr/share/doc/tesmaro/licencias/{LGPL-3,GPL-3}.txt /usr/share/doc/tesmaro/herramientas/build_coast.py \
         /usr/share/man/man1/tesmaro{,-lote}.1.gz /usr/share/applications/tesmaro.desktop \
         /usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/tesmaro.png \
         /usr/share/icons/hicolor/scalable/apps/tesmaro.svg; do
  [ -f "$f" ] || fallo "falta $f"
done
cmp -s data/sped2et.gsb /usr/share/tesmaro/sped2et.gsb || fallo "la rejilla instalada no es data/sped2et.gsb"
for texto in "CC BY 4.0" "LGPL-3.0-or-later" "GSHHG 2.3.7" "Instituto Geográfico Nacional" "EGM08-REDNAP"; do
  grep -q "$texto" /usr/share/doc/tesmaro/copyright || fallo "copyright no menciona \"$texto\""
done
for p in /usr/bin/tesmaro /usr/bin/tesmaro-lote; do
  if ldd "$p" 2>&1 | grep 'not found'; then fallo "ldd $p no resuelve todas las bibliotecas"; fi
done
# Hints (such as several main categories) are not errors.
if desktop-file-validate /usr/share/applications/tesmaro.desktop 2>&1 | grep -E ': (error|warning):'; then
  fallo "desktop-file-validate"
fi

cd "$TEMPORAL"
estado=0
QT_QPA_PLATFORM=offscreen timeout -k 2 3 /usr/bin/tesmaro >ventanas.log 2>&1 || estado=$?
# 124: still running when the time was up (137: it had to be killed too).
[ "$estado" -eq 124 ] || [ "$estado" -eq 137 ] || { fallo "tesmaro terminó con estado $estado"; cat ventanas.log >&2; }
/usr/bin/tesmaro-lote --help >/dev/null || fallo "tesmaro-lote --help"

# The self-test of PROGRAM, run away from any grid: every check passes, on the
# grid and the geoid grids of its own data folder FOLDER, which it names.
# Every binary also knows the build tree's folder: only the names show that
# an installed one did not fall back on it.
datos() {
  local programa="$1" carpeta="$2" f mal=""
  ( cd "$TEMPORAL" && "$programa" --verificar >verificar.log 2>&1 ) || mal=" una comprobación falla;"
  for f in sped2et.gsb egm08_rednap.gtx egm08_rednap_canarias.gtx; do
    grep -qF " $carpeta/$f: " "$TEMPORAL/verificar.log" || mal="$mal no usa $carpeta/$f;"
  done
  [ -z "$mal" ] || { fallo "$programa --verificar:$mal"; cat "$TEMPORAL/verificar.log" >&2; }
}
datos /usr/bin/tesmaro-lote /usr/share/tesmaro

# Runs PROGRAM on a one-point file of CONVERSION in the folder DIR: the two
# results it names land beside the input, each with a header and one whole
# record of P1 (no empty computed column).
prueba() {
  local programa="$1" conversion="$2" linea="$3" carpeta="$TEMPORAL/$4/$2" r n=0
  mkdir -p "$carpeta"
  printf 'Cabecera\r\n%s\r\n' "$linea" >"$carpeta/puntos.txt"
  if ! "$programa" "$conversion" "$carpeta/puntos.txt" >"$carpeta/salida" 2>"$carpeta/errores"; then
    fallo "$programa $conversion:"; cat "$carpeta/errores" >&2; return
  fi
  while IFS= read -r r; do
    n=$((n + 1))
    [ "$(dirname "$r")" -ef "$carpeta" ] || fallo "$conversion: $r no está junto a la entrada"
    [ "$(tr -d '\r' <"$r" | wc -l)" -eq 2 ] && tr -d '\r"' <"$r" | sed -n 2p | grep -qE '^P1[,;]' &&
      ! tr -d '\r' <"$r" | sed -n 2p | grep -qE '([,;])\1|[,;]$' ||
      { fallo "$conversion: $r no tiene un registro completo de P1"; cat "$r" >&2; }
  done <"$carpeta/salida"
  [ "$n" -eq 2 ] || fallo "$conversion: se esperaban dos ficheros de resultado, hay $n"
}

echo "== tesmaro-lote instalado, en $TEMPORAL"
while read -r conversion linea; do
  prueba /usr/bin/tesmaro-lote "$conversion" "$linea" paquete
done <<'EOF'
utm-geo-etrs89 P1,440000,4474000,30,Norte
utm-geo-ed50 P1,440110,4474207,30,Norte
geo-utm-etrs89 P1,-3.7,40.4,30,Norte
geo-utm-ed50 P1,-3.7,40.4,30,Norte
geo-cart P1,-0.5,40,100
cart-geo P1,4892662,-42697,4078043
directo P1,-0.4,39.5,45,100000
inverso P1,-0.5,39.5,0.5,40
ed50-etrs89 P1,-3.7,40.4
etrs89-ed50 P1,-3.7,40.4
EOF
# Layers and maps come from the module the installed program loads for them.
( cd "$TEMPORAL/paquete/geo-utm-etrs89" && /usr/bin/tesmaro-lote geo-utm-etrs89 puntos.txt --capa capa.gpkg \
    --mapa mapa.png >/dev/null 2>&1 && [ -s capa.gpkg ] && [ -s mapa.png ] ) || fallo "tesmaro-lote --capa --mapa"
# The data folder is found from the build tree and from any prefix.
prueba "$BUILD/tesmaro-lote" ed50-etrs89 P1,-3.7,40.4 compilacion
datos "$BUILD/tesmaro-lote" "$BUILD/data"
cmake --install "$BUILD" --prefix "$TEMPORAL/prefijo" >/dev/null
prueba "$TEMPORAL/prefijo/bin/tesmaro-lote" etrs89-ed50 P1,-3.7,40.4 prefijo
datos "$TEMPORAL/prefijo/bin/tesmaro-lote" "$TEMPORAL/prefijo/share/tesmaro"
# Nothing written into the installed data folder: only the package's own files.
SOBRAN="$(comm -23 <(find /usr/share/tesmaro -mindepth 1 | sort) <(dpkg -L tesmaro | sort))"
[ -z "$SOBRAN" ] || fallo "han aparecido ficheros en /usr/share/tesmaro: $SOBRAN"

echo "== Quitando el paquete"
APT remove tesmaro || fallo "apt-get remove tesmaro ha fallado"
INSTALADO=0
for f in /usr/bin/tesmaro /usr/bin/tesmaro-lote /usr/share/tesmaro /usr/share/doc/tesmaro \
         /usr/share/applications/tesmaro.desktop /usr/share/man/man1/tesmaro.1.gz; do
  [ ! -e "$f" ] || fallo "$f sigue ahí tras quitar el paquete"
done
[ "$FALLOS" -eq 0 ] || aborta "el paquete tiene $FALLOS fallo(s)"
echo "El paquete se instala, funciona y se quita limpiamente."
