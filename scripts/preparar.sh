#!/usr/bin/env bash
# Shared set-up of the two README commands on a Debian 12 machine: installs the
# Debian packages that are missing, generates the Spanish locale the tests run
# under, and builds the optimised program into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

PAQUETES=(
  build-essential cmake ninja-build pkg-config python3
  qt6-base-dev libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libgeographiclib-dev libproj-dev proj-bin proj-data libgdal-dev
  clang libclang-rt-14-dev
  locales xvfb xauth parallel geographiclib-tools time
  dpkg-dev file desktop-file-utils fonts-dejavu-core
)
FALTAN=()
for p in "${PAQUETES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    FALTAN+=("$p")
  fi
done
if [ "${#FALTAN[@]}" -gt 0 ]; then
  echo "Instalando: ${FALTAN[*]}"
  $SUDO apt-get update
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${FALTAN[@]}"
fi

# The tests run under a point system and under a Spanish comma system.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen || echo 'es_ES.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build --parallel "$(nproc)"
