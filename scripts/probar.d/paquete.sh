#!/usr/bin/env bash
# The Debian package, end to end: builds it from build/, installs it with
# apt-get, checks the installed files, runs the installed tesmaro-lote on one
# point file of every conversion in a scratch folder outside the source tree
# (the grid found in the installed data folder), and removes the package. The
# package is removed also when a check fails.
#
# Run by scripts/probar.sh after the other tests. By hand:
#   bash scripts/probar.d/paquete.sh            (uses build/)
#   TESMARO_BUILD=build-x bash scripts/probar.d/paquete.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
RAIZ="$PWD"
BUILD="${TESMARO_BUILD:-build}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

FALLOS=0
fallo() { echo "FALLO: $*" >&2; FALLOS=$((FALLOS + 1)); }
aborta() { echo "FALLO: $*" >&2; exit 1; }
bien() { echo "  bien: $*"; }

[ -f "$BUILD/CPackConfig.cmake" ] ||
  aborta "no hay $BUILD/CPackConfig.cmake: configure y compile antes (bash scripts/preparar.sh)"
BUILD="$(cd "$BUILD" && pwd)"

# What this tree builds: the windows when TESMARO_GUI is on, tesmaro-lote
# once cli/main.cpp exists.
CON_VENTANAS=0
if grep -q '^TESMARO_GUI:BOOL=ON$' "$BUILD/CMakeCache.txt"; then CON_VENTANAS=1; fi
CON_LOTE=0
if [ -f cli/main.cpp ]; then CON_LOTE=1; fi

# The package is installed system-wide: two runs at once (two build folders)
# take turns.
CERROJO=/tmp/tesmaro-paquete.lock
{ exec 9>>"$CERROJO"; } 2>/dev/null || exec 9<"$CERROJO"  # read-only will do for flock
if ! flock -n 9; then
  echo "  esperando a que termine otra prueba del paquete..."
  flock -w 1200 9 || aborta "otra prueba del paquete no ha terminado en 20 minutos"
fi

INSTALADO=0
TEMPORAL=""
limpia() {
  local estado=$?
  if [ "$INSTALADO" -eq 1 ]; then
    echo "== Quitando el paquete tesmaro (salida anticipada)"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -y tesmaro >/dev/null || true
  fi
  if [ -n "$TEMPORAL" ]; then rm -rf "$TEMPORAL"; fi
  exit "$estado"
}
trap limpia EXIT
trap 'exit 130' INT TERM

echo "== Paquete Debian ($BUILD/paquete)"
rm -f "$BUILD"/paquete/tesmaro_*.deb
cmake --build "$BUILD" --target package ||
  aborta "no se ha podido compilar el programa o hacer el paquete en $BUILD"
shopt -s nullglob
DEBS=("$BUILD"/paquete/tesmaro_*.deb)
shopt -u nullglob
[ "${#DEBS[@]}" -eq 1 ] || aborta "se esperaba un paquete en $BUILD/paquete, hay ${#DEBS[@]}"
DEB="${DEBS[0]}"
echo "  $DEB"
DEPENDE="$(dpkg-deb -f "$DEB" Depends)"
echo "  Depends: $DEPENDE"
[ "$(dpkg-deb -f "$DEB" Package)" = tesmaro ] || fallo "el paquete no se llama tesmaro"
[ "$(dpkg-deb -f "$DEB" Section)" = science ] || fallo "la sección del paquete no es science"
if [ "$CON_VENTANAS" -eq 1 ] || [ "$CON_LOTE" -eq 1 ]; then
  case "$DEPENDE" in *libc6*) ;; *) fallo "dpkg-shlibdeps no ha declarado las bibliotecas (falta libc6)" ;; esac
fi
if [ "$CON_VENTANAS" -eq 1 ]; then
  case "$DEPENDE" in *libqt6widgets6*) ;; *) fallo "Depends no declara libqt6widgets6" ;; esac
fi

if dpkg-query -W -f='${Status}' tesmaro 2>/dev/null | grep -q "install ok installed"; then
  echo "  aviso: tesmaro ya estaba instalado; se reinstala y se quita al final"
fi

echo "== Instalando con apt-get"
INSTALADO=1
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -q -y --reinstall "$DEB" ||
  aborta "apt-get no ha podido instalar $DEB"
dpkg-query -W -f='${Status}' tesmaro | grep -q "install ok installed" ||
  aborta "dpkg no da tesmaro por instalado"

echo "== Ficheros instalados"
ESPERADOS=(
  /usr/share/tesmaro/sped2et.gsb
  /usr/share/tesmaro/coast.geojson
  /usr/share/doc/tesmaro/copyright
  /usr/share/doc/tesmaro/changelog.Debian.gz
  /usr/share/doc/tesmaro/README.md
  /usr/share/doc/tesmaro/licencias/LGPL-3.txt
  /usr/share/doc/tesmaro/licencias/GPL-3.txt
  /usr/share/doc/tesmaro/herramientas/build_coast.py
)
PROGRAMAS=()
if [ "$CON_VENTANAS" -eq 1 ]; then
  PROGRAMAS+=(/usr/bin/tesmaro)
  ESPERADOS+=(
    /usr/share/man/man1/tesmaro.1.gz
    /usr/share/applications/tesmaro.desktop
    /usr/share/icons/hicolor/48x48/apps/tesmaro.png
    /usr/share/icons/hicolor/128x128/apps/tesmaro.png
    /usr/share/icons/hicolor/256x256/apps/tesmaro.png
    /usr/share/icons/hicolor/scalable/apps/tesmaro.svg
  )
fi
if [ "$CON_LOTE" -eq 1 ]; then
  PROGRAMAS+=(/usr/bin/tesmaro-lote)
  ESPERADOS+=(/usr/share/man/man1/tesmaro-lote.1.gz)
fi
for f in "${ESPERADOS[@]}"; do
  if [ -f "$f" ]; then bien "$f"; else fallo "falta $f"; fi
done
cmp -s data/sped2et.gsb /usr/share/tesmaro/sped2et.gsb || fallo "la rejilla instalada no es data/sped2et.gsb"
cmp -s data/coast.geojson /usr/share/tesmaro/coast.geojson || fallo "el mapa instalado no es data/coast.geojson"
for texto in "CC BY 4.0" "LGPL-3.0-or-later" "GSHHG 2.3.7" "Instituto Geográfico Nacional"; do
  grep -q "$texto" /usr/share/doc/tesmaro/copyright || fallo "el fichero copyright no menciona \"$texto\""
done
for p in "${PROGRAMAS[@]}"; do
  if [ ! -x "$p" ]; then fallo "falta $p"; continue; fi
  BIBLIOTECAS="$(ldd "$p" 2>&1 || true)"
  if grep -q 'not found' <<<"$BIBLIOTECAS"; then
    fallo "ldd $p no resuelve todas las bibliotecas:"; grep 'not found' <<<"$BIBLIOTECAS" >&2
  else
    bien "$p (ldd resuelve todas sus bibliotecas)"
  fi
done
if [ "$CON_VENTANAS" -eq 0 ]; then
  :
elif command -v desktop-file-validate >/dev/null; then
  # Hints (such as several main categories) are not errors.
  if SALIDA="$(desktop-file-validate /usr/share/applications/tesmaro.desktop 2>&1)" &&
     ! grep -qE ': (error|warning):' <<<"$SALIDA"; then
    bien "desktop-file-validate"
  else
    fallo "desktop-file-validate: $SALIDA"
  fi
else
  echo "  aviso: desktop-file-validate no está instalado (paquete desktop-file-utils); no se valida la entrada de escritorio"
fi

TEMPORAL="$(mktemp -d /tmp/tesmaro-paquete.XXXXXX)"
cd "$TEMPORAL"

if [ "$CON_VENTANAS" -eq 1 ]; then
  echo "== El programa instalado arranca (plataforma offscreen, 3 s)"
  estado=0
  QT_QPA_PLATFORM=offscreen timeout -k 2 3 /usr/bin/tesmaro >ventanas.log 2>&1 || estado=$?
  # 124: still running when the time was up (137: it also had to be killed).
  if [ "$estado" -eq 124 ] || [ "$estado" -eq 137 ]; then bien "/usr/bin/tesmaro seguía abierto a los 3 s"
  else fallo "/usr/bin/tesmaro terminó con estado $estado antes de 3 s:"; cat ventanas.log >&2; fi
fi

# One point file per conversion: heading line, then one point (CR LF, as the
# point files have always been written).
escribe() { printf '%s\r\n' "$@"; }
prepara_entrada() {
  case "$1" in
    utm-geo-etrs89) escribe "Punto,X,Y,Huso,Hemisferio" "P1,440000,4474000,30,Norte" ;;
    utm-geo-ed50)   escribe "Punto,X,Y,Huso,Hemisferio" "P1,440110,4474207,30,Norte" ;;
    geo-utm-etrs89) escribe "Punto,Longitud,Latitud,Huso,Hemisferio" "P1,-3.7,40.4,30,Norte" ;;
    geo-utm-ed50)   escribe "Punto,Longitud,Latitud,Huso,Hemisferio" "P1,-3.7,40.4,30,Norte" ;;
    geo-cart)       escribe "Punto,Longitud,Latitud,Altura" "P1,-0.5,40,100" ;;
    cart-geo)       escribe "Punto,X,Y,Z" "P1,4892662,-42697,4078043" ;;
    directo)        escribe "Punto,Longitud,Latitud,Acimut Directo,Distancia" "P1,-0.4,39.5,45,100000" ;;
    inverso)        escribe "Punto,Longitud (A),Latitud(A),Longitud (B),Latitud(B)" "P1,-0.5,39.5,0.5,40" ;;
    ed50-etrs89)    escribe "Punto,Longitud ED50,Latitud ED50" "P1,-3.7,40.4" ;;
    etrs89-ed50)    escribe "Punto,Longitud ETRS89,Latitud ETRS89" "P1,-3.7,40.4" ;;
  esac
}

# A result file holds a header record and one record that starts with P1.
comprueba_resultado() {
  local conversion="$1" fichero="$2" lineas
  lineas="$(tr -d '\r' <"$fichero" | grep -c '' || true)"
  if [ "$lineas" -ne 2 ]; then
    fallo "$conversion: $fichero tiene $lineas líneas, se esperaban 2 (cabecera y un punto)"
    sed 's/^/    /' "$fichero" >&2
    return
  fi
  if ! sed -n 2p "$fichero" | grep -qE '^"?P1"?[,;]'; then
    fallo "$conversion: el registro de $fichero no empieza por el punto P1:"
    sed 's/^/    /' "$fichero" >&2
    return
  fi
  # A point that could not be computed is written with empty columns.
  local sep=","
  case "$fichero" in *.csv) sep=";" ;; esac
  if sed -n 2p "$fichero" | tr -d '\r' | grep -qE "$sep$sep|$sep\$"; then
    fallo "$conversion: el punto de $fichero tiene columnas vacías (no calculado):"
    sed 's/^/    /' "$fichero" >&2
    return
  fi
  # The grid conversions give 0 and 0 for a point they cannot transform:
  # Madrid lies inside the grid, so a zero means the grid was not found.
  case "$conversion" in
    ed50-etrs89 | etrs89-ed50)
      if sed -n 2p "$fichero" | tr -d '\r"' | tr ';' ',' | grep -qE '^P1,0,(0,|0$)'; then
        fallo "$conversion: el punto sale (0, 0): no se ha encontrado la rejilla"
        return
      fi ;;
  esac
  bien "$conversion: $(basename "$fichero")"
}

# Runs PROGRAM on a one-point file of CONVERSION in the new folder
# DIR/CONVERSION and checks the two result files it names on stdout.
prueba_conversion() {
  local programa="$1" conversion="$2" carpeta="$3/$2" estado=0 linea r
  mkdir -p "$carpeta"
  prepara_entrada "$conversion" >"$carpeta/puntos.txt"
  (cd "$TEMPORAL" && "$programa" "$conversion" "$carpeta/puntos.txt") \
    >"$carpeta/salida.log" 2>"$carpeta/errores.log" || estado=$?
  if [ "$estado" -ne 0 ]; then
    fallo "$programa $conversion terminó con estado $estado:"
    cat "$carpeta/salida.log" "$carpeta/errores.log" >&2
    return
  fi
  # It prints the paths of the two result files, written beside the input.
  local resultados=()
  while IFS= read -r linea; do
    linea="${linea%$'\r'}"
    [ -n "$linea" ] || continue
    case "$linea" in /*) ;; *) linea="$TEMPORAL/$linea" ;; esac
    if [ -f "$linea" ]; then resultados+=("$linea"); fi
  done <"$carpeta/salida.log"
  if [ "${#resultados[@]}" -ne 2 ]; then
    fallo "$programa $conversion no ha nombrado dos ficheros de resultado que existan:"
    cat "$carpeta/salida.log" >&2
    return
  fi
  for r in "${resultados[@]}"; do
    [ "$(cd "$(dirname "$r")" && pwd -P)" = "$(cd "$carpeta" && pwd -P)" ] ||
      fallo "$conversion: $r no está junto al fichero de entrada"
    comprueba_resultado "$conversion" "$r"
  done
}

if [ "$CON_LOTE" -eq 1 ]; then
  echo "== tesmaro-lote instalado, en $TEMPORAL"
  if /usr/bin/tesmaro-lote --help >ayuda.txt 2>&1; then bien "tesmaro-lote --help"
  else fallo "tesmaro-lote --help terminó con error:"; cat ayuda.txt >&2; fi

  # One folder per conversion: each names its results on its own.
  for conversion in utm-geo-etrs89 utm-geo-ed50 geo-utm-etrs89 geo-utm-ed50 geo-cart cart-geo \
                    directo inverso ed50-etrs89 etrs89-ed50; do
    prueba_conversion /usr/bin/tesmaro-lote "$conversion" "$TEMPORAL/paquete"
  done

  # The data folder is found beside the program wherever it lives: in the
  # build tree and under any installation prefix.
  echo "== La rejilla, desde el árbol de compilación y desde otro prefijo"
  prueba_conversion "$BUILD/tesmaro-lote" ed50-etrs89 "$TEMPORAL/compilacion"
  cmake --install "$BUILD" --prefix "$TEMPORAL/prefijo" >/dev/null
  prueba_conversion "$TEMPORAL/prefijo/bin/tesmaro-lote" etrs89-ed50 "$TEMPORAL/prefijo-datos"
else
  echo "  aviso: cli/main.cpp aún no existe; no se prueba tesmaro-lote"
fi

# Nothing may have been written into the installed data folder.
SOBRAN=()
for f in /usr/share/tesmaro/* /usr/share/tesmaro/.[!.]*; do
  case "$f" in
    /usr/share/tesmaro/sped2et.gsb | /usr/share/tesmaro/coast.geojson) ;;
    *) if [ -e "$f" ]; then SOBRAN+=("$f"); fi ;;
  esac
done
[ "${#SOBRAN[@]}" -eq 0 ] || fallo "han aparecido ficheros en /usr/share/tesmaro: ${SOBRAN[*]}"

cd "$RAIZ"
echo "== Quitando el paquete"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get remove -q -y tesmaro || fallo "apt-get remove tesmaro ha fallado"
INSTALADO=0
if dpkg-query -W -f='${Status}' tesmaro 2>/dev/null | grep -q "ok installed"; then
  fallo "tesmaro sigue instalado"
fi
for f in /usr/bin/tesmaro /usr/bin/tesmaro-lote /usr/share/tesmaro /usr/share/doc/tesmaro \
         /usr/share/applications/tesmaro.desktop /usr/share/icons/hicolor/scalable/apps/tesmaro.svg \
         /usr/share/man/man1/tesmaro.1.gz /usr/share/man/man1/tesmaro-lote.1.gz; do
  [ ! -e "$f" ] || fallo "$f sigue ahí tras quitar el paquete"
done

if [ "$FALLOS" -ne 0 ]; then
  echo "El paquete tiene $FALLOS fallo(s)." >&2
  exit 1
fi
echo "El paquete se instala, funciona y se quita limpiamente."
